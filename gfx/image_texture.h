// Image files to pool textures: the file is fetched through the file layer,
// decoded, optionally bump-converted and uploaded with GL_REPEAT and
// GL_LINEAR, level 0 only. A name already in the pool is returned as it is,
// without reading the file again; an image that fails to decode adds nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "gfx/image.h"
#include "gfx/math.h"
#include "gfx/texture_pool.h"

// A path that contains ".png" anywhere is a PNG; every other path a JPEG.
bool isPngPath(std::string_view path);

// The bytes a texture receives from a decoded image: the pixels themselves,
// or with convertToBump their bump encoding (width x height x 4 bytes; for
// 3-byte JPEG pixels the first width x height x 3 bytes hold packed RGB).
std::vector<uint8_t> texturePixels(const DecodedImage& image, bool convertToBump);

// tint none means (1, 1, 1), brightness none means 0.
Texture* loadPngTexture(bool convertToBump, std::optional<Vec3> tint, std::string_view name,
                        std::string_view path, float saturation,
                        std::optional<float> brightness);
Texture* loadJpegTexture(bool convertToBump, std::string_view name, std::string_view path);

// The loader the script's textureLoad and the materials use: PNG (no tint,
// no brightness, the given saturation) or JPEG by the path.
Texture* loadImageTexture(bool convertToBump, std::string_view name, std::string_view path,
                          float saturation);

// Reads the image at `path` again into every texture made from it, keeping
// the textures' names and GL ids; returns how many were refreshed.
size_t reloadImageTextures(std::string_view path);
