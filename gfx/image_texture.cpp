#include "gfx/image_texture.h"

#include "gfx/bump.h"
#include "pack/pack.h"
#include "platform/message.h"

namespace {

Texture* uploadTexture(std::string_view name, const DecodedImage& image, bool convertToBump) {
  const std::vector<uint8_t> bump = convertToBump ? texturePixels(image, true) : std::vector<uint8_t>{};
  const uint8_t* pixels = convertToBump ? bump.data() : image.pixels.data();
  const GLenum pixelFormat = image.bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
  return addPoolTexture(name, image.width, image.height, GL_RGBA, pixelFormat, pixels);
}

// Says once on stderr what went wrong with a picture, naming it. An empty
// file says nothing: the file layer has already spoken about missing ones.
void reportProblem(std::string_view path, const std::vector<uint8_t>& bytes,
                   const DecodedImage& image, bool badSignature) {
  if (bytes.empty()) return;
  const std::string problem = badSignature ? "not a PNG file" : image.problem;
  if (!problem.empty()) noteMessage("picture " + std::string(path) + ": " + problem);
}

}  // namespace

bool isPngPath(std::string_view path) { return path.find(".png") != std::string_view::npos; }

std::vector<uint8_t> texturePixels(const DecodedImage& image, bool convertToBump) {
  if (!convertToBump) return image.pixels;
  std::vector<uint8_t> bump(size_t(image.width) * image.height * 4, 0);
  ::convertToBump(image.pixels.data(), bump.data(), image.width, image.height, image.bytesPerPixel);
  return bump;
}

Texture* loadPngTexture(bool convertToBump, std::optional<Vec3> tint, std::string_view name,
                        std::string_view path, float saturation,
                        std::optional<float> brightness) {
  if (Texture* existing = findTexture(name)) return existing;
  std::vector<uint8_t> bytes;
  loadFile(path, bytes);
  PngColouring colouring;
  colouring.saturation = saturation;
  if (tint) colouring.tint = *tint;
  if (brightness) colouring.brightness = *brightness;
  DecodedImage image;
  const PngStatus status = decodePng(bytes, colouring, image);
  reportProblem(path, bytes, image, status == kPngBadSignature);
  if (status != kPngOk) return nullptr;
  return uploadTexture(name, image, convertToBump);
}

Texture* loadJpegTexture(bool convertToBump, std::string_view name, std::string_view path) {
  if (Texture* existing = findTexture(name)) return existing;
  std::vector<uint8_t> bytes;
  loadFile(path, bytes);
  DecodedImage image;
  const JpegStatus status = decodeJpeg(bytes, image);
  reportProblem(path, bytes, image, false);
  if (status != kJpegOk) return nullptr;
  return uploadTexture(name, image, convertToBump);
}

Texture* loadImageTexture(bool convertToBump, std::string_view name, std::string_view path,
                          float saturation) {
  if (isPngPath(path))
    return loadPngTexture(convertToBump, std::nullopt, name, path, saturation, std::nullopt);
  return loadJpegTexture(convertToBump, name, path);
}
