#include "gfx/image_encode.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include <cstdlib>

namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto& out = *static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out.insert(out.end(), data, data + length);
}

void flushNothing(png_structp) {}

// No local in this frame has a destructor, so a longjmp out of it is safe.
bool writePng(png_structp png, png_infop info, const uint8_t* pixels, int width, int height,
              int channels, PngEffort effort, std::vector<uint8_t>& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &out, appendToVector, flushNothing);
  if (effort == PngEffort::Fast) {
    // One cheap row filter instead of trying all five per row, and zlib's
    // fastest level.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, 1);
  }
  png_set_IHDR(png, info, width, height, 8, channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, pixels + size_t(y) * width * channels);
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<uint8_t> encodePng(const uint8_t* pixels, int width, int height, int channels,
                               PngEffort effort) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return out;
  png_infop info = png_create_info_struct(png);
  if (!info || !writePng(png, info, pixels, width, height, channels, effort, out)) out.clear();
  png_destroy_write_struct(&png, info ? &info : nullptr);
  return out;
}

std::vector<uint8_t> encodeJpeg(const uint8_t* pixels, int width, int height, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels + size_t(cinfo.next_scanline) * width * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return out;
}
