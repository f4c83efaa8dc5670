// Materials: the surface constants and up to four textures of the "phong with
// specular map" programs, read from small text files of "key = value" lines.
//
// A key is found by its first occurrence anywhere in a line, also inside
// another word, and counts only when "=" follows it after blanks. A key the
// file does not give keeps its default. Materials live until the process ends.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/gl.h"

struct Material {
  std::array<float, 3> specular{};
  std::array<float, 3> diffuse{};
  std::array<float, 3> ambient{};
  float specularPow = 0;
  float specularAdd = 0;
  float envAmount = 0;
  float envTexAmount = 0;
  std::array<float, 2> envPosMul{};
  float bump = 0;
  float texMul = 0;
  float texAdd = 0;
  float parallaxDepth = 0;
  float parallaxBias = 0;
  // scale x, scale y, offset x, offset y
  std::array<float, 4> texScaleOffset{1, 1, 0, 0};
  std::array<float, 4> texBumpScaleOffset{1, 1, 0, 0};
  std::array<float, 4> texSpecularScaleOffset{1, 1, 0, 0};
  std::array<float, 4> texEnvScaleOffset{1, 1, 0, 0};
  GLint textureRepeatMode = GL_REPEAT;
  GLint textureBumpRepeatMode = GL_REPEAT;
  GLint textureSpecularRepeatMode = GL_REPEAT;
  GLint textureEnvRepeatMode = GL_REPEAT;
  // Pool names; the bump one is the image path followed by "Bump".
  std::string textureName;
  std::string bumpTextureName;
  std::string specularTextureName;
  std::string envTextureName;
};

// One texture a material file asks for, in the order the file names them.
struct MaterialTexture {
  std::string name;
  std::string path;
  bool convertToBump = false;
};

struct MaterialFile {
  Material material;
  std::vector<MaterialTexture> textures;
};

// Lines are cut at this many bytes, bump image paths at kMaxBumpPathLength so
// that the name with "Bump" fits 255 bytes, other values at kMaxValueBytes.
inline constexpr size_t kMaxMaterialLineLength = 1023;
inline constexpr size_t kMaxBumpPathLength = 251;
inline constexpr size_t kMaxMaterialValueLength = 255;

MaterialFile parseMaterial(std::span<const uint8_t> bytes);

// Reads the file through the file layer, loads its textures into the pool
// (a name already there is reused) and keeps the record for the life of the
// process. A missing file gives a record of defaults, without a message.
Material* loadMaterial(std::string_view path);

// "GL_CLAMP", "GL_REPEAT" or "GL_MIRRORED_REPEAT" (the number otherwise).
std::string repeatModeName(GLint mode);

// Every field as "<key> <values...>", one line per field in the file's key
// order, texture names as stored.
std::vector<std::string> describeMaterial(const Material& material);
