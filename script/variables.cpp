#include "script/variables.h"

#include <algorithm>

const char* kindKeyword(ValueKind kind) {
  switch (kind) {
    case ValueKind::Int: return "int";
    case ValueKind::Float: return "float";
    case ValueKind::Vec2: return "vec2";
    case ValueKind::Vec3: return "vec3";
    case ValueKind::Vec4: return "vec4";
    case ValueKind::Curve: return "curve";
    case ValueKind::String: return "string";
    case ValueKind::Texture: return "texture";
    case ValueKind::Mesh: return "mesh";
    case ValueKind::Material: return "material";
  }
  return "";
}

bool isNumericKind(ValueKind kind) {
  return kind == ValueKind::Int || kind == ValueKind::Float || kind == ValueKind::Vec2 ||
         kind == ValueKind::Vec3 || kind == ValueKind::Vec4;
}

Variable* findVariable(const VariableTable& table, std::string_view name) {
  const auto found = table.byName.find(name);
  return found == table.byName.end() ? nullptr : found->second.get();
}

namespace {

Variable* insert(VariableTable& table, std::string_view name, ValueKind kind) {
  if (findVariable(table, name)) return nullptr;
  auto variable = std::make_unique<Variable>();
  variable->name = name;
  variable->kind = kind;
  Variable* result = variable.get();
  table.byName.emplace(std::string(name), std::move(variable));
  return result;
}

Variable* addNumeric(VariableTable& table, std::string_view name, ValueKind kind, uint32_t stride,
                     int32_t count) {
  Variable* variable = insert(table, name, kind);
  if (!variable) return nullptr;
  variable->count = uint32_t(std::clamp(count, 1, kMaxElements));
  variable->stride = stride;
  variable->storage = std::make_unique<Word[]>(size_t(variable->count) * stride);
  variable->data = variable->storage.get();
  return variable;
}

// An alias replaces an entry of the same name; the old variable stays alive.
void addAlias(VariableTable& table, const Variable& vector, char component, uint32_t offset) {
  auto alias = std::make_unique<Variable>();
  alias->name = vector.name + '.' + component;
  alias->kind = ValueKind::Float;
  alias->data = vector.data + offset;
  alias->stride = vector.stride;
  alias->count = vector.count;
  auto& slot = table.byName[alias->name];
  if (slot) table.replaced.push_back(std::move(slot));
  slot = std::move(alias);
}

Variable* addList(VariableTable& table, std::string_view name, ValueKind kind, uint32_t listCount,
                  uint32_t variableCount) {
  Variable* variable = insert(table, name, kind);
  if (!variable) return nullptr;
  variable->list = std::make_unique<ResourceList>();
  variable->list->count = listCount;
  variable->count = variableCount;
  return variable;
}

}  // namespace

Variable* addInt(VariableTable& table, std::string_view name, int32_t count) {
  return addNumeric(table, name, ValueKind::Int, 1, count);
}

Variable* addFloat(VariableTable& table, std::string_view name, int32_t count) {
  return addNumeric(table, name, ValueKind::Float, 1, count);
}

Variable* addVector(VariableTable& table, ValueKind kind, std::string_view name, int32_t count) {
  const uint32_t components = uint32_t(kind);
  Variable* vector = addNumeric(table, name, kind, components, count);
  if (!vector) return nullptr;
  static const char kComponents[] = "xyzw";
  for (uint32_t k = 0; k < components; ++k) addAlias(table, *vector, kComponents[k], k);
  return vector;
}

Variable* addCurve(VariableTable& table, std::string_view name) {
  return addList(table, name, ValueKind::Curve, 0, 1);
}

Variable* addString(VariableTable& table, std::string_view name) {
  Variable* variable = insert(table, name, ValueKind::String);
  if (variable) variable->text = std::make_unique<StringValue>();
  return variable;
}

Variable* addTexture(VariableTable& table, std::string_view name) {
  return addList(table, name, ValueKind::Texture, 1, 1);
}

Variable* addMesh(VariableTable& table, std::string_view name) {
  return addList(table, name, ValueKind::Mesh, 1, 1);
}

Variable* addMaterial(VariableTable& table, std::string_view name) {
  return addList(table, name, ValueKind::Material, 1, 0);
}

Variable* addVariable(VariableTable& table, ValueKind kind, std::string_view name, int32_t count) {
  switch (kind) {
    case ValueKind::Int: return addInt(table, name, count);
    case ValueKind::Float: return addFloat(table, name, count);
    case ValueKind::Vec2:
    case ValueKind::Vec3:
    case ValueKind::Vec4: return addVector(table, kind, name, count);
    case ValueKind::Curve: return addCurve(table, name);
    case ValueKind::String: return addString(table, name);
    case ValueKind::Texture: return addTexture(table, name);
    case ValueKind::Mesh: return addMesh(table, name);
    case ValueKind::Material: return addMaterial(table, name);
  }
  return nullptr;
}

size_t listEntryCount(const Variable& v) {
  if (!v.list) return 0;
  switch (v.kind) {
    case ValueKind::Curve: return v.list->curves.size();
    case ValueKind::Texture: return v.list->textureNames.size();
    case ValueKind::Mesh: return v.list->meshes.size();
    case ValueKind::Material: return v.list->materials.size();
    default: return 0;
  }
}
