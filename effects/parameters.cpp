#include "effects/parameters.h"

#include "platform/message.h"

int readInt(const Effect& effect, std::string_view name, int preset, int index) {
  effect.getIntAt(name, preset, index);
  return preset;
}

int holdCount(const Effect& effect, std::string_view name, int value, int limit) {
  if (value <= limit) return value;
  noteMessage(effect.definitionName() + ": " + std::string(name) + " = " + std::to_string(value) +
              " is held to " + std::to_string(limit) + ", the most this engine draws");
  return limit;
}

int readHeldCount(const Effect& effect, std::string_view name, int limit, int preset, int index) {
  return holdCount(effect, name, readInt(effect, name, preset, index), limit);
}

float readFloat(const Effect& effect, std::string_view name, float preset, int index) {
  float values[4] = {preset};
  effect.getFloatAt(name, values, index, 1);
  return values[0];
}

Vec3 readVec3(const Effect& effect, std::string_view name, Vec3 preset, int index) {
  float values[4] = {preset.x, preset.y, preset.z, 0.0f};
  effect.getFloatAt(name, values, index, 3);
  return {values[0], values[1], values[2]};
}

Vec4 readVec4(const Effect& effect, std::string_view name, Vec4 preset, int index) {
  float values[4] = {preset.x, preset.y, preset.z, preset.w};
  effect.getFloatAt(name, values, index);
  return {values[0], values[1], values[2], values[3]};
}

std::string readTexture(const Effect& effect, std::string_view name, int index) {
  std::string texture;
  effect.getTexture(name, texture, index);
  return texture;
}

const Curve* readCurve(const Effect& effect, std::string_view name, int index) {
  const Curve* curve = nullptr;
  effect.getCurve(name, curve, index);
  return curve;
}

const Material* readMaterial(const Effect& effect, std::string_view name, int index) {
  const Material* material = nullptr;
  effect.getMaterial(name, material, index);
  return material;
}

Mesh* readMesh(const Effect& effect, std::string_view name, int index) {
  Mesh* mesh = nullptr;
  effect.getMesh(name, mesh, index);
  return mesh;
}
