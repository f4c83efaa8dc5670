#include "tests/gfx/image_fixtures.h"

#include <png.h>

#include <csetjmp>

namespace {

void append(png_structp png, png_bytep data, png_size_t length) {
  auto& out = *static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out.insert(out.end(), data, data + length);
}

void flush(png_structp) {}

struct PngImage {
  int width, height, bitDepth, colorType;
  const std::vector<PaletteColour>* palette;
  std::vector<std::vector<uint8_t>> rows;
};

bool writeRows(png_structp png, png_infop info, const PngImage& image, std::vector<uint8_t>& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &out, append, flush);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (image.palette)
    png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(image.palette->data()),
                 static_cast<int>(image.palette->size()));
  png_write_info(png, info);
  for (const std::vector<uint8_t>& row : image.rows) png_write_row(png, row.data());
  png_write_end(png, info);
  return true;
}

std::vector<uint8_t> writePng(const PngImage& image) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (!writeRows(png, info, image, out)) out.clear();
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace

std::vector<uint8_t> paletteImagePng(const std::vector<PaletteColour>& palette,
                                     const std::vector<uint8_t>& indices, int width, int height,
                                     int bitDepth) {
  PngImage image{width, height, bitDepth, PNG_COLOR_TYPE_PALETTE, &palette, {}};
  const int perByte = 8 / bitDepth;
  for (int y = 0; y < height; ++y) {
    std::vector<uint8_t> row((width + perByte - 1) / perByte, 0);
    for (int x = 0; x < width; ++x) {
      const int shift = 8 - bitDepth * (x % perByte + 1);
      row[x / perByte] |= uint8_t(indices[y * width + x] << shift);
    }
    image.rows.push_back(row);
  }
  return writePng(image);
}

std::vector<uint8_t> greyImagePng(const std::vector<uint8_t>& values, int width, int height) {
  PngImage image{width, height, 8, PNG_COLOR_TYPE_GRAY, nullptr, {}};
  for (int y = 0; y < height; ++y)
    image.rows.emplace_back(values.begin() + y * width, values.begin() + (y + 1) * width);
  return writePng(image);
}
