// velmira-tool image: decodes an image as the engine does and writes the
// bytes a texture would receive as a PNG file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/image_encode.h"
#include "gfx/image_texture.h"
#include "pack/pack.h"
#include "tools/tool_commands.h"

namespace {

struct ImageOptions {
  const char* input = nullptr;
  const char* output = nullptr;
  bool bump = false;
  float saturation = 1.0f;
};

bool parseOptions(int argc, char** argv, ImageOptions& options) {
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--bump")) {
      options.bump = true;
    } else if (!strcmp(argv[i], "--saturation") && i + 1 < argc) {
      char* end = nullptr;
      options.saturation = strtof(argv[++i], &end);
      if (*end) return false;
    } else if (!options.input) {
      options.input = argv[i];
    } else if (!options.output) {
      options.output = argv[i];
    } else {
      return false;
    }
  }
  return options.output != nullptr;
}

bool decode(const char* path, float saturation, DecodedImage& image) {
  std::vector<uint8_t> bytes;
  if (loadFile(path, bytes) == kLoadMissing) return false;
  if (!isPngPath(path)) return decodeJpeg(bytes, image) == kJpegOk;
  PngColouring colouring;
  colouring.saturation = saturation;
  return decodePng(bytes, colouring, image) == kPngOk;
}

}  // namespace

int runToolImage(int argc, char** argv) {
  ImageOptions options;
  const bool help = argc >= 2 && !strcmp(argv[1], "--help");
  if (help || !parseOptions(argc, argv, options)) {
    printf(
        "usage: velmira-tool image IN OUT.png [--bump] [--saturation S]\n\n"
        "Decodes IN as the engine does (PNG when the name contains \".png\", else JPEG;\n"
        "--saturation applies to PNG input), applies the bump conversion with --bump, and\n"
        "writes the resulting texture bytes unchanged to OUT.png: RGBA for PNG input, RGB\n"
        "for JPEG input.\n");
    return help ? 0 : 2;
  }
  DecodedImage image;
  if (!decode(options.input, options.saturation, image)) {
    fprintf(stderr, "velmira-tool image: %s could not be decoded\n", options.input);
    return 1;
  }
  const std::vector<uint8_t> pixels = texturePixels(image, options.bump);
  const std::vector<uint8_t> png = encodePng(pixels.data(), image.width, image.height, image.bytesPerPixel);
  std::ofstream out(options.output, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (png.empty() || !out) {
    fprintf(stderr, "velmira-tool image: could not write %s\n", options.output);
    return 1;
  }
  return 0;
}
