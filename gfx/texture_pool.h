// The texture pool: every texture of the engine, addressed by name.
//
// Names are the only currency between effects: an effect copies its picture
// into a named texture and the next one reads it by name. Creating a name that
// exists returns the existing texture unchanged. The pool lives until
// deleteAllTextures at shutdown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "gfx/frame_target.h"

struct Texture {
  std::string name;
  GLuint id = 0;
};

Texture* findTexture(std::string_view name);
struct TextureDesc {
  std::string_view name;
  // width 0: the render size (height ignored); height 0: square.
  int width = 0;
  int height = 0;
  // Four bytes a pixel; none: zero-filled (depth textures get no data).
  const uint8_t* pixels = nullptr;
  GLenum format = GL_RGBA;
};
Texture* makeTexture(const TextureDesc& desc);
// A zero-filled texture of the render size: what effects pass frames in.
Texture* makeRenderSizeTexture(std::string_view name);
// Creates a GL texture (GL_REPEAT, GL_LINEAR, level 0 only) from the pixels
// and appends it under `name`, which must not be in the pool yet.
Texture* addPoolTexture(std::string_view name, int width, int height, GLint internalFormat,
                        GLenum pixelFormat, const uint8_t* pixels);

void bindTexture(std::string_view name, GLint wrap, GLint filter);
// Copies the frame buffer's rectangle (0, 0, width, height) into the named
// texture; width 0 means the render size.
void copyScreenToTexture(std::string_view name, int width, int height);
// One quad over the viewport (with identity matrices) showing the texture.
void drawTextureQuad(std::string_view name);
void deleteAllTextures();
size_t textureCount();

// "screen", "back", "glow" and "shadowmap0".."shadowmap3".
void createStandardTextures();
