#include "gfx/texture_pool.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "gfx/screen_quad.h"

namespace {

struct Pool {
  // unique_ptr keeps every Texture at one address while the pool grows.
  std::vector<std::unique_ptr<Texture>> textures;
};

Pool& pool() {
  static Pool instance;
  return instance;
}

}  // namespace

Texture* addPoolTexture(std::string_view name, int width, int height, GLint internalFormat,
                        GLenum pixelFormat, const uint8_t* pixels) {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, pixelFormat, GL_UNSIGNED_BYTE,
               pixels);
  pool().textures.push_back(std::make_unique<Texture>(Texture{std::string(name), id}));
  return pool().textures.back().get();
}

Texture* findTexture(std::string_view name) {
  for (const std::unique_ptr<Texture>& texture : pool().textures)
    if (texture->name == name) return texture.get();
  return nullptr;
}

Texture* makeTexture(const TextureDesc& desc) {
  if (Texture* existing = findTexture(desc.name)) return existing;
  int width = desc.width, height = desc.height;
  if (width == 0) {
    width = renderWidth();
    height = renderHeight();
  } else if (height == 0) {
    height = width;
  }
  const uint8_t* pixels = desc.pixels;
  std::vector<uint8_t> zeros;
  if (!pixels && desc.format != GL_DEPTH_COMPONENT) {
    zeros.assign(static_cast<size_t>(width) * height * 4, 0);
    pixels = zeros.data();
  }
  return addPoolTexture(desc.name, width, height, desc.format, desc.format, pixels);
}

Texture* makeRenderSizeTexture(std::string_view name) { return makeTexture({.name = name}); }

void bindTexture(std::string_view name, GLint wrap, GLint filter) {
  const Texture* texture = findTexture(name);
  if (!texture) return;
  glBindTexture(GL_TEXTURE_2D, texture->id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

void copyScreenToTexture(std::string_view name, int width, int height) {
  const Texture* texture = findTexture(name);
  if (!texture) return;
  if (width == 0) {
    width = renderWidth();
    height = renderHeight();
  }
  glBindTexture(GL_TEXTURE_2D, texture->id);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
}

void drawTextureQuad(std::string_view name) {
  const Texture* texture = findTexture(name);
  if (!texture) return;
  glBindTexture(GL_TEXTURE_2D, texture->id);
  drawScreenQuad(false);
}

void deleteAllTextures() {
  for (const std::unique_ptr<Texture>& texture : pool().textures) glDeleteTextures(1, &texture->id);
  pool().textures.clear();
}

size_t textureCount() { return pool().textures.size(); }

void createStandardTextures() {
  makeRenderSizeTexture("screen");
  makeRenderSizeTexture("back");
  makeTexture({.name = "glow", .width = 256, .height = 256});
  for (int i = 0; i < 4; ++i) {
    char name[16];
    snprintf(name, sizeof name, "shadowmap%d", i);
    makeTexture({.name = name, .width = renderHeight(), .height = renderHeight(), .format = GL_DEPTH_COMPONENT});
  }
}
