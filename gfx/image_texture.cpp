#include "gfx/image_texture.h"

#include <filesystem>

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
  if (!problem.empty())
    noteMessage("picture " + std::filesystem::path(path).lexically_normal().string() + ": " +
                problem);
}

// Where each image texture came from, so that a changed file can be read
// into the same textures again.
struct ImageSource {
  std::string name;
  std::string path;
  bool convertToBump = false;
  bool png = false;
  PngColouring colouring;
};

std::vector<ImageSource>& imageSources() {
  static std::vector<ImageSource> sources;
  return sources;
}

bool decodeSource(const ImageSource& source, DecodedImage& image) {
  std::vector<uint8_t> bytes;
  loadFile(source.path, bytes);
  if (source.png) {
    const PngStatus status = decodePng(bytes, source.colouring, image);
    reportProblem(source.path, bytes, image, status == kPngBadSignature);
    return status == kPngOk;
  }
  const JpegStatus status = decodeJpeg(bytes, image);
  reportProblem(source.path, bytes, image, false);
  return status == kJpegOk;
}

Texture* loadSource(ImageSource source) {
  if (Texture* existing = findTexture(source.name)) return existing;
  DecodedImage image;
  if (!decodeSource(source, image)) return nullptr;
  Texture* texture = uploadTexture(source.name, image, source.convertToBump);
  if (texture) imageSources().push_back(std::move(source));
  return texture;
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
  ImageSource source{std::string(name), std::string(path), convertToBump, true, {}};
  source.colouring.saturation = saturation;
  if (tint) source.colouring.tint = *tint;
  if (brightness) source.colouring.brightness = *brightness;
  return loadSource(std::move(source));
}

Texture* loadJpegTexture(bool convertToBump, std::string_view name, std::string_view path) {
  return loadSource({std::string(name), std::string(path), convertToBump, false, {}});
}

Texture* loadImageTexture(bool convertToBump, std::string_view name, std::string_view path,
                          float saturation) {
  if (isPngPath(path))
    return loadPngTexture(convertToBump, std::nullopt, name, path, saturation, std::nullopt);
  return loadJpegTexture(convertToBump, name, path);
}

size_t reloadImageTextures(std::string_view path) {
  size_t reloaded = 0;
  for (const ImageSource& source : imageSources()) {
    const Texture* texture = source.path == path ? findTexture(source.name) : nullptr;
    DecodedImage image;
    if (!texture || !decodeSource(source, image)) continue;
    const std::vector<uint8_t> pixels = texturePixels(image, source.convertToBump);
    const GLenum pixelFormat = image.bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, pixelFormat,
                 GL_UNSIGNED_BYTE, pixels.data());
    ++reloaded;
  }
  return reloaded;
}
