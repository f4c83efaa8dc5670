#include "framework/effect.h"

#include <cstdio>
#include <cstring>

#include "gfx/texture_pool.h"
#include "platform/message.h"

namespace {

constexpr const char* kMissingCaption = "RUNTIME EFFECT ERROR";

bool isFloatKind(ValueKind kind) {
  return kind == ValueKind::Float || kind == ValueKind::Vec2 || kind == ValueKind::Vec3 ||
         kind == ValueKind::Vec4;
}

int componentCount(ValueKind kind) {
  return kind == ValueKind::Float ? 1 : static_cast<int>(kind);
}

// List entries are taken modulo the list's length, the same rule as numeric
// elements, so an index past the end can never read outside the list.
template <typename T>
const T* listEntry(const std::vector<T>& entries, int index) {
  if (entries.empty()) return nullptr;
  return &entries[static_cast<uint32_t>(index) % entries.size()];
}

}  // namespace

void Effect::render(float, float) {}
void Effect::initialise() {}

void Effect::framePrologue(float time, float timeStep) { runFramePrologue(script, time, timeStep); }

const Variable& Effect::require(std::string_view name, const char* typeWord) const {
  if (const Variable* variable = findVariable(script.variables, name)) return *variable;
  char text[512];
  snprintf(text, sizeof text, "Missing variable  \n %s %.*s\n\n from\n %s\n\n", typeWord,
           static_cast<int>(std::min<size_t>(name.size(), 200)), name.data(),
           definitionName().substr(0, 255).c_str());
  fatalMessage(kMissingCaption, text);
}

void Effect::getInt(std::string_view name, int& out) const { getIntAt(name, out, 0); }

void Effect::getIntAt(std::string_view name, int& out, int index) const {
  const Variable& variable = require(name, "int");
  if (variable.kind == ValueKind::Int) out = elementWords(variable, index)->i;
}

void Effect::getFloat(std::string_view name, float* out) const { getFloatAt(name, out, 0); }

void Effect::getFloatAt(std::string_view name, float* out, int index) const {
  const Variable& variable = require(name, "float");
  if (!isFloatKind(variable.kind)) return;
  const Word* words = elementWords(variable, index);
  for (int i = 0; i < componentCount(variable.kind); ++i) out[i] = words[i].f;
}

void Effect::getTexture(std::string_view name, std::string& out, int index) const {
  const Variable& variable = require(name, "texture");
  if (variable.kind == ValueKind::String) {
    out = variable.text->text;
  } else if (variable.kind == ValueKind::Texture) {
    const std::string* entry = listEntry(variable.list->textureNames, index);
    out = entry ? *entry : std::string();
  }
}

void Effect::getCurve(std::string_view name, const Curve*& out, int index) const {
  const Variable& variable = require(name, "curve");
  if (variable.kind == ValueKind::Curve) out = listEntry(variable.list->curves, index);
}

void Effect::getMaterial(std::string_view name, const Material*& out, int index) const {
  const Variable& variable = require(name, "material");
  if (variable.kind != ValueKind::Material) return;
  const auto* entry = listEntry(variable.list->materials, index);
  out = entry ? entry->get() : nullptr;
}

void Effect::getMesh(std::string_view name, Mesh*& out, int index) const {
  const Variable& variable = require(name, "mesh");
  if (variable.kind != ValueKind::Mesh) return;
  const auto* entry = listEntry(variable.list->meshes, index);
  out = entry ? entry->get() : nullptr;
}

void Effect::copyToTextureOut() const {
  std::string name;
  getTexture("textureOut", name);
  if (!name.empty()) copyScreenToTexture(name, 0, 0);
}
