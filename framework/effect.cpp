#include "framework/effect.h"

#include <algorithm>
#include <cstdio>

#include "gfx/texture_pool.h"
#include "script/script.h"

namespace {

bool isFloatKind(ValueKind kind) {
  return kind == ValueKind::Float || kind == ValueKind::Vec2 || kind == ValueKind::Vec3 ||
         kind == ValueKind::Vec4;
}

int componentCount(ValueKind kind) {
  return kind == ValueKind::Float ? 1 : static_cast<int>(kind);
}

const char* floatTypeFor(int components) {
  static const char* const types[] = {"float", "float", "vec2", "vec3", "vec4"};
  return types[std::clamp(components, 1, 4)];
}

ValueKind kindOfKeyword(std::string_view keyword) {
  for (ValueKind kind : {ValueKind::Int, ValueKind::Float, ValueKind::Vec2, ValueKind::Vec3,
                         ValueKind::Vec4, ValueKind::Curve, ValueKind::Texture, ValueKind::Mesh,
                         ValueKind::Material})
    if (keyword == kindKeyword(kind)) return kind;
  return ValueKind::Int;
}

// List entries are taken modulo the list's length, the same rule as numeric
// elements, so an index past the end can never read outside the list.
template <typename T>
const T* listEntry(const std::vector<T>& entries, int index) {
  if (entries.empty()) return nullptr;
  return &entries[static_cast<uint32_t>(index) % entries.size()];
}

void noteFetch(std::vector<ParameterRecord>& records, std::string_view name, int index) {
  for (ParameterRecord& record : records)
    if (record.name == name) record.count = std::max(record.count, index + 1);
}

bool readsNoted = false;

}  // namespace

Effect::Effect() : script(std::make_unique<Script>()) {}
Effect::~Effect() = default;

void Effect::render(float, float) {}
void Effect::initialise() {}

const std::string& Effect::definitionName() const { return script->definitionName; }

void Effect::framePrologue(float time, float timeStep) { runFramePrologue(*script, time, timeStep); }

void noteParameterReads(bool enabled) { readsNoted = enabled; }

const Variable& Effect::require(std::string_view name, const char* typeWord,
                                const char* declaredType, int index) const {
  if (readsNoted) parametersRead.emplace(name);
  if (const Variable* variable = findVariable(script->variables, name)) {
    if (recording) noteFetch(*recording, name, index);
    return *variable;
  }
  if (recording) {
    recording->push_back({std::string(name), declaredType, std::max(index, 0) + 1});
    return *addVariable(script->variables, kindOfKeyword(declaredType), name);
  }
  char text[512];
  snprintf(text, sizeof text, "Missing variable  \n %s %.*s\n\n from\n %s\n\n", typeWord,
           static_cast<int>(std::min<size_t>(name.size(), 200)), name.data(),
           definitionName().substr(0, 255).c_str());
  throw ScriptError(kRuntimeErrorCaption, text);
}

void Effect::getInt(std::string_view name, int& out) const { getIntAt(name, out, 0); }

void Effect::getIntAt(std::string_view name, int& out, int index) const {
  const Variable& variable = require(name, "int", "int", index);
  if (variable.kind == ValueKind::Int) out = elementWords(variable, index)->i;
}

void Effect::getFloat(std::string_view name, float* out, int components) const {
  getFloatAt(name, out, 0, components);
}

void Effect::getFloatAt(std::string_view name, float* out, int index, int components) const {
  const Variable& variable = require(name, "float", floatTypeFor(components), index);
  if (!isFloatKind(variable.kind)) return;
  const Word* words = elementWords(variable, index);
  for (int i = 0; i < componentCount(variable.kind); ++i) out[i] = words[i].f;
}

void Effect::getTexture(std::string_view name, std::string& out, int index) const {
  const Variable& variable = require(name, "texture", "texture", index);
  if (variable.kind == ValueKind::String) {
    out = variable.text->text;
  } else if (variable.kind == ValueKind::Texture) {
    const std::string* entry = listEntry(variable.list->textureNames, index);
    out = entry ? *entry : std::string();
  }
}

void Effect::getCurve(std::string_view name, const Curve*& out, int index) const {
  const Variable& variable = require(name, "curve", "curve", index);
  if (variable.kind == ValueKind::Curve) out = listEntry(variable.list->curves, index);
}

void Effect::getMaterial(std::string_view name, const Material*& out, int index) const {
  const Variable& variable = require(name, "material", "material", index);
  if (variable.kind != ValueKind::Material) return;
  const auto* entry = listEntry(variable.list->materials, index);
  out = entry ? entry->get() : nullptr;
}

void Effect::getMesh(std::string_view name, Mesh*& out, int index) const {
  const Variable& variable = require(name, "mesh", "mesh", index);
  if (variable.kind != ValueKind::Mesh) return;
  const auto* entry = listEntry(variable.list->meshes, index);
  out = entry ? entry->get() : nullptr;
}

void Effect::copyToTextureOut() const {
  std::string name;
  getTexture("textureOut", name);
  if (!name.empty()) copyScreenToTexture(name, 0, 0);
}
