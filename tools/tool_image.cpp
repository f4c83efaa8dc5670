// velmira-tool image: decodes an image as the engine does and writes the
// bytes a texture would receive as a PNG file.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/image_encode.h"
#include "gfx/image_texture.h"
#include "pack/pack.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool image IN OUT.png [--bump] [--saturation S]\n\n"
    "Decodes IN as the engine does (PNG when the name contains \".png\", else JPEG;\n"
    "--saturation applies to PNG input), applies the bump conversion with --bump, and\n"
    "writes the resulting texture bytes unchanged to OUT.png: RGBA for PNG input, RGB\n"
    "for JPEG input. A file that does not decode is refused (status 1); one that\n"
    "decodes with a warning (data ending early) is written and named on stderr.\n";

const ToolOption kOptions[] = {{"--bump", OptionValue::None}, {"--saturation", OptionValue::Number}};

bool decode(const std::string& path, float saturation, DecodedImage& image) {
  std::vector<uint8_t> bytes;
  if (loadFile(path, bytes) == kLoadMissing) return false;
  if (bytes.empty()) {
    image.problem = "the file is empty";
    return false;
  }
  if (!isPngPath(path)) return decodeJpeg(bytes, image) == kJpegOk;
  PngColouring colouring;
  colouring.saturation = saturation;
  const PngStatus status = decodePng(bytes, colouring, image);
  if (status == kPngBadSignature) image.problem = "not a PNG file";
  return status == kPngOk;
}

}  // namespace

int runToolImage(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  if (arguments.help) return printUsage(kUsage);
  if (!arguments.error.empty()) return usageError("image", arguments.error, kUsage);
  if (arguments.operands.size() != 2) return usageError("image", "give IN and OUT.png", kUsage);
  const std::string& input = arguments.operands[0];
  const std::string& output = arguments.operands[1];
  DecodedImage image;
  const bool decoded = decode(input, float(arguments.number("--saturation", 1.0)), image);
  if (!image.problem.empty())
    fprintf(stderr, "velmira-tool image: %s: %s\n", input.c_str(), image.problem.c_str());
  if (!decoded) {
    fprintf(stderr, "velmira-tool image: %s could not be decoded\n", input.c_str());
    return 1;
  }
  const std::vector<uint8_t> pixels = texturePixels(image, arguments.has("--bump"));
  const std::vector<uint8_t> png = encodePng(pixels.data(), image.width, image.height, image.bytesPerPixel);
  std::ofstream out(output, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (png.empty() || !out) {
    fprintf(stderr, "velmira-tool image: could not write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
