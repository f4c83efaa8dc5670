#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/image.h"

namespace {

struct MemorySource {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t position = 0;
};

// A request past the end is a truncated file: the decoder reports it as an
// error instead of handing libpng stale buffer contents.
void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  MemorySource& source = *static_cast<MemorySource*>(png_get_io_ptr(png));
  if (source.position >= source.size || source.size - source.position < length) {
    source.position = source.size;
    png_error(png, "read past the end of the data");
  }
  memcpy(out, source.data + source.position, length);
  source.position += length;
}

// The library's errors and warnings become the image's problem text instead
// of lines on stderr; the first one is kept. An error must not return.
void keepWarning(png_structp png, png_const_charp message) {
  DecodedImage& image = *static_cast<DecodedImage*>(png_get_error_ptr(png));
  if (image.problem.empty()) image.problem = message;
}

[[noreturn]] void keepError(png_structp png, png_const_charp message) {
  keepWarning(png, message);
  png_longjmp(png, 1);
}

bool plainColouring(const PngColouring& colouring) {
  return colouring.saturation == 1.0f && colouring.brightness == 0.0f && colouring.tint.x == 1.0f &&
         colouring.tint.y == 1.0f && colouring.tint.z == 1.0f;
}

// Everything the guarded read touches lives here, outside the frames that a
// libpng error jumps over.
struct PngRead {
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_infop endInfo = nullptr;
  MemorySource source;
  // With plain colouring, true-colour rows are decoded straight into the
  // output as RGBA; otherwise into rowBytes and converted afterwards.
  bool direct = false;
  DecodedImage* image = nullptr;
  std::vector<uint8_t> rowBytes;
  std::vector<png_bytep> rows;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int channels = 0;
  int bitDepth = 0;
  int colorType = 0;
  bool tooLarge = false;
};

// Grey images and 16-bit channels are expanded to 8-bit RGB(A) by the
// library; palette and 8-bit true-colour images are read as stored, except
// that a direct read adds the opaque alpha byte to RGB.
void requestExpansion(PngRead& read) {
  if (read.bitDepth == 16) png_set_strip_16(read.png);
  if (!(read.colorType & PNG_COLOR_MASK_COLOR)) {
    png_set_expand_gray_1_2_4_to_8(read.png);
    png_set_gray_to_rgb(read.png);
  }
  if (read.direct && !(read.colorType & PNG_COLOR_MASK_ALPHA))
    png_set_filler(read.png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(read.png);
}

uint8_t* rowStorage(PngRead& read, size_t rowSize) {
  if (!read.direct) {
    read.rowBytes.assign(rowSize * read.height, 0);
    return read.rowBytes.data();
  }
  read.image->pixels.resize(rowSize * read.height);
  return read.image->pixels.data();
}

// No local in this frame has a destructor, so a longjmp out of it is safe.
void readImageUnguarded(PngRead& read) {
  png_set_read_fn(read.png, &read.source, readFromMemory);
  read.source.position = 8;
  png_set_sig_bytes(read.png, 8);
  png_set_keep_unknown_chunks(read.png, PNG_HANDLE_CHUNK_AS_DEFAULT, nullptr, 0);
  // The chunk checksums already guard the data; the stream checksum is skipped.
  png_set_option(read.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
  png_read_info(read.png, read.info);
  read.width = png_get_image_width(read.png, read.info);
  read.height = png_get_image_height(read.png, read.info);
  read.bitDepth = png_get_bit_depth(read.png, read.info);
  read.colorType = png_get_color_type(read.png, read.info);
  if (int64_t(read.width) * read.height > kMaxImagePixels) {
    read.image->problem = "PNG image of " + std::to_string(read.width) + "x" +
                          std::to_string(read.height) + " is too large";
    read.tooLarge = true;
    return;
  }
  read.direct = read.direct && read.colorType != PNG_COLOR_TYPE_PALETTE;
  requestExpansion(read);
  png_read_update_info(read.png, read.info);
  read.channels = png_get_channels(read.png, read.info);
  read.bitDepth = png_get_bit_depth(read.png, read.info);
  const size_t rowSize = png_get_rowbytes(read.png, read.info);
  uint8_t* storage = rowStorage(read, rowSize);
  read.rows.resize(read.height);
  for (png_uint_32 y = 0; y < read.height; ++y) read.rows[y] = storage + y * rowSize;
  png_read_image(read.png, read.rows.data());
  png_read_end(read.png, read.endInfo);
}

bool readImage(PngRead& read) {
  if (setjmp(png_jmpbuf(read.png))) return false;
  readImageUnguarded(read);
  return !read.tooLarge;
}

// Rounds to nearest (ties to even) and clamps to 0..255; not-a-number gives
// 0. Adding and removing 1.5 * 2^52 rounds without a library call.
uint8_t clampToByte(double value) {
  if (!(value > 0.0)) return 0;
  if (value >= 255.0) return 255;
  constexpr double kRounding = 6755399441055744.0;
  return static_cast<uint8_t>((value + kRounding) - kRounding);
}

void convertTrueColourRow(const uint8_t* row, int width, int channels,
                          const PngColouring& colouring, uint8_t* out) {
  const float lift = colouring.brightness * 255.0f;
  for (int x = 0; x < width; ++x, row += channels, out += 4) {
    saturatePixel(row[0] * colouring.tint.x + lift, row[1] * colouring.tint.y + lift,
                  row[2] * colouring.tint.z + lift, colouring.saturation, out);
    out[3] = channels >= 4 ? row[3] : 255;
  }
}

// Palette indices are packed from the most significant bits of each byte.
// An index past the palette reads as black.
void convertPaletteRow(const uint8_t* row, int width, int bitDepth, const png_color* palette,
                       int paletteSize, float saturation, uint8_t* out) {
  const int perByte = 8 / bitDepth;
  const int mask = (1 << bitDepth) - 1;
  for (int x = 0; x < width; ++x, out += 4) {
    const int shift = 8 - bitDepth * (x % perByte + 1);
    const int index = (row[x / perByte] >> shift) & mask;
    const png_color colour = index < paletteSize ? palette[index] : png_color{0, 0, 0};
    saturatePixel(colour.red, colour.green, colour.blue, saturation, out);
    out[3] = 255;
  }
}

void convertPixels(const PngRead& read, const PngColouring& colouring, DecodedImage& image) {
  image.pixels.assign(size_t(image.width) * image.height * 4, 0);
  png_colorp palette = nullptr;
  int paletteSize = 0;
  const bool isPalette = read.colorType == PNG_COLOR_TYPE_PALETTE;
  if (isPalette) png_get_PLTE(read.png, read.info, &palette, &paletteSize);
  for (int y = 0; y < image.height; ++y) {
    uint8_t* out = image.pixels.data() + size_t(y) * image.width * 4;
    if (isPalette)
      convertPaletteRow(read.rows[y], image.width, read.bitDepth, palette, paletteSize,
                        colouring.saturation, out);
    else
      convertTrueColourRow(read.rows[y], image.width, read.channels, colouring, out);
  }
}

}  // namespace

void saturatePixel(float r, float g, float b, float saturation, uint8_t* out) {
  const double lum = std::min(0.299 * r + 0.587 * g + 0.114 * b, 255.0);
  const double grey = lum * (1.0 - saturation);
  out[0] = clampToByte(double(r) * saturation + grey);
  out[1] = clampToByte(double(g) * saturation + grey);
  out[2] = clampToByte(double(b) * saturation + grey);
}

PngStatus decodePng(std::span<const uint8_t> bytes, const PngColouring& colouring,
                    DecodedImage& image) {
  image = DecodedImage{};
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return kPngBadSignature;
  PngRead read;
  read.source = MemorySource{bytes.data(), bytes.size(), 0};
  read.direct = plainColouring(colouring);
  read.image = &image;
  read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &image, keepError, keepWarning);
  if (!read.png) return kPngNoLibrary;
  read.info = png_create_info_struct(read.png);
  read.endInfo = read.info ? png_create_info_struct(read.png) : nullptr;
  if (!read.info || !read.endInfo) {
    png_destroy_read_struct(&read.png, read.info ? &read.info : nullptr, nullptr);
    return kPngNoLibrary;
  }
  const bool ok = readImage(read);
  if (ok) {
    image.width = static_cast<int>(read.width);
    image.height = static_cast<int>(read.height);
    image.bytesPerPixel = 4;
    if (!read.direct) convertPixels(read, colouring, image);
  } else {
    image.pixels.clear();
  }
  png_destroy_read_struct(&read.png, &read.info, &read.endInfo);
  return ok ? kPngOk : kPngCorrupt;
}
