#include "gfx/material.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "gfx/image_texture.h"
#include "gfx/math.h"
#include "pack/pack.h"
#include "pack/value_readers.h"

namespace {

struct NumericKey {
  const char* key;
  std::span<float> (*field)(Material&);
};

std::span<float> one(float& value) { return {&value, 1}; }

// Table order is the order the keys are looked for in a line.
const NumericKey kNumericKeys[] = {
    {"specular", [](Material& m) { return std::span<float>(m.specular); }},
    {"diffuse", [](Material& m) { return std::span<float>(m.diffuse); }},
    {"ambient", [](Material& m) { return std::span<float>(m.ambient); }},
    {"specularPow", [](Material& m) { return one(m.specularPow); }},
    {"specularAdd", [](Material& m) { return one(m.specularAdd); }},
    {"envAmount", [](Material& m) { return one(m.envAmount); }},
    {"envTexAmount", [](Material& m) { return one(m.envTexAmount); }},
    {"envPosMul", [](Material& m) { return std::span<float>(m.envPosMul); }},
    {"bump", [](Material& m) { return one(m.bump); }},
    {"texMul", [](Material& m) { return one(m.texMul); }},
    {"texAdd", [](Material& m) { return one(m.texAdd); }},
    {"parallaxDepth", [](Material& m) { return one(m.parallaxDepth); }},
    {"parallaxBias", [](Material& m) { return one(m.parallaxBias); }},
    {"texScaleOffset", [](Material& m) { return std::span<float>(m.texScaleOffset); }},
    {"texBumpScaleOffset", [](Material& m) { return std::span<float>(m.texBumpScaleOffset); }},
    {"texSpecularScaleOffset", [](Material& m) { return std::span<float>(m.texSpecularScaleOffset); }},
    {"texEnvScaleOffset", [](Material& m) { return std::span<float>(m.texEnvScaleOffset); }},
};

struct RepeatKey {
  const char* key;
  GLint Material::*field;
};

const RepeatKey kRepeatKeys[] = {
    {"textureRepeatMode", &Material::textureRepeatMode},
    {"textureBumpRepeatMode", &Material::textureBumpRepeatMode},
    {"textureSpecularRepeatMode", &Material::textureSpecularRepeatMode},
    {"textureEnvRepeatMode", &Material::textureEnvRepeatMode},
};

struct TextureKey {
  const char* key;
  std::string Material::*field;
  bool convertToBump;
};

const TextureKey kTextureKeys[] = {
    {"texture", &Material::textureName, false},
    {"textureBump", &Material::bumpTextureName, true},
    {"textureSpecular", &Material::specularTextureName, false},
    {"textureEnv", &Material::envTextureName, false},
};

// The value after the first occurrence of `key`, which must be followed by
// blanks and "=". It runs to a blank, a carriage return or "]"; inside double
// quotes blanks are skipped and the closing quote ends it.
std::string findValue(std::string_view line, std::string_view key) {
  const size_t keyAt = line.find(key);
  if (keyAt == std::string_view::npos) return {};
  size_t at = keyAt + key.size();
  while (at < line.size() && line[at] == ' ') ++at;
  if (at >= line.size() || line[at] != '=') return {};
  for (++at; at < line.size() && line[at] == ' ';) ++at;
  return readQuotedValueAt(line, at, kMaxMaterialValueLength);
}

// Comma-separated floats into the first components of the field.
void readNumbers(const std::string& value, std::span<float> field) {
  size_t start = 0;
  for (float& component : field) {
    if (start > value.size()) break;
    const size_t comma = std::min(value.find(',', start), value.size());
    component = strtof(value.substr(start, comma - start).c_str(), nullptr);
    start = comma + 1;
  }
}

void readRepeatMode(const std::string& value, GLint& mode) {
  switch (truncToInt(strtof(value.c_str(), nullptr))) {
    case 0: mode = GL_CLAMP; break;
    case 1: mode = GL_REPEAT; break;
    case 2: mode = GL_MIRRORED_REPEAT; break;
    default: break;
  }
}

void readTexture(const TextureKey& key, std::string value, MaterialFile& file) {
  if (key.convertToBump && value.size() > kMaxBumpPathLength) value.resize(kMaxBumpPathLength);
  const std::string name = key.convertToBump ? value + "Bump" : value;
  file.material.*key.field = name;
  file.textures.push_back({name, value, key.convertToBump});
}

void readLine(std::string_view line, MaterialFile& file) {
  line = line.substr(0, line.find('\0'));
  line = line.substr(0, line.find("//"));
  for (const NumericKey& key : kNumericKeys) {
    const std::string value = findValue(line, key.key);
    if (!value.empty()) readNumbers(value, key.field(file.material));
  }
  for (const RepeatKey& key : kRepeatKeys) {
    const std::string value = findValue(line, key.key);
    if (!value.empty()) readRepeatMode(value, file.material.*key.field);
  }
  for (const TextureKey& key : kTextureKeys) {
    std::string value = findValue(line, key.key);
    if (!value.empty()) readTexture(key, std::move(value), file);
  }
}

std::string formatNumbers(std::span<const float> values) {
  std::string text;
  for (const float value : values) {
    char number[32];
    snprintf(number, sizeof number, " %g", value);
    text += number;
  }
  return text;
}

std::vector<std::unique_ptr<Material>>& materialList() {
  static std::vector<std::unique_ptr<Material>> materials;
  return materials;
}

}  // namespace

MaterialFile parseMaterial(std::span<const uint8_t> bytes) {
  MaterialFile file;
  std::string line;
  for (const uint8_t byte : bytes) {
    if (byte == '\n') {
      readLine(line, file);
      line.clear();
    } else if (byte != '\r' && line.size() < kMaxMaterialLineLength) {
      line.push_back(static_cast<char>(byte));
    }
  }
  return file;
}

Material* loadMaterial(std::string_view path) {
  std::vector<uint8_t> bytes;
  loadFile(path, bytes);
  MaterialFile file = parseMaterial(bytes);
  for (const MaterialTexture& texture : file.textures)
    loadImageTexture(texture.convertToBump, texture.name, texture.path, 1.0f);
  materialList().push_back(std::make_unique<Material>(std::move(file.material)));
  return materialList().back().get();
}

std::string repeatModeName(GLint mode) {
  switch (mode) {
    case GL_CLAMP: return "GL_CLAMP";
    case GL_REPEAT: return "GL_REPEAT";
    case GL_MIRRORED_REPEAT: return "GL_MIRRORED_REPEAT";
    default: return std::to_string(mode);
  }
}

std::vector<std::string> describeMaterial(const Material& material) {
  std::vector<std::string> lines;
  Material copy = material;
  for (const NumericKey& key : kNumericKeys)
    lines.push_back(key.key + formatNumbers(key.field(copy)));
  for (const RepeatKey& key : kRepeatKeys)
    lines.push_back(std::string(key.key) + " " + repeatModeName(material.*key.field));
  for (const TextureKey& key : kTextureKeys)
    lines.push_back(std::string(key.key) + " " + material.*key.field);
  return lines;
}
