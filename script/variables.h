// The script language's variables: value kinds, the Variable record shared by
// the compiler, the evaluator and the effects' typed fetchers, and the
// per-effect VariableTable in which variables are declared and looked up.
//
// Numeric variables hold `count` elements of `stride` 32-bit words; element i
// starts at word (i mod count) * stride, the index taken as unsigned. Declaring
// a vector also declares float aliases for its components ("p.x", "p.y", ...)
// that point into the vector's storage with the vector's stride, so writing
// an alias writes the vector.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/curve.h"

// Loaded by the graphics core; the script only keeps them in lists.
struct Mesh;
struct Material;

enum class ValueKind : int32_t {
  Int = 0,
  Float = 1,
  Vec2 = 2,
  Vec3 = 3,
  Vec4 = 4,
  Curve = 5,
  String = 7,
  Texture = 8,
  Mesh = 9,
  Material = 10,
};

// The keyword of a kind ("int", "vec3", ...).
const char* kindKeyword(ValueKind kind);
bool isNumericKind(ValueKind kind);

// One element word of a numeric variable: ints for `int`, floats otherwise.
union Word {
  int32_t i;
  float f;
};

// The entries of a curve, texture, mesh or material variable. Only the vector
// matching the variable's kind is used. `count` starts at 0 for curves and at
// 1 for the other kinds, and every append adds 1.
struct ResourceList {
  std::vector<Curve> curves;
  std::vector<std::string> textureNames;
  std::vector<std::shared_ptr<Mesh>> meshes;
  std::vector<std::shared_ptr<Material>> materials;
  uint32_t count = 0;
};

struct StringValue {
  std::string text;
};

struct Variable {
  std::string name;
  ValueKind kind = ValueKind::Int;
  Word* data = nullptr;  // numeric kinds; aliases point into their vector
  uint32_t stride = 0;   // words from one element to the next
  uint32_t count = 1;    // elements
  // The constant subscript of the assignment being compiled; for curves, the
  // entry selected by the last reference (read by curvePos and curveTan).
  uint32_t targetIndex = 0;
  Variable* targetIndexVariable = nullptr;

  std::unique_ptr<Word[]> storage;     // owned numeric storage (not for aliases)
  std::unique_ptr<ResourceList> list;  // curve, texture, mesh, material
  std::unique_ptr<StringValue> text;   // string
};

// Ordered by byte comparison of the names. Variables are never removed; an
// alias that replaces an entry keeps the old variable alive, because compiled
// code may still point at it.
struct VariableTable {
  std::map<std::string, std::unique_ptr<Variable>, std::less<>> byName;
  std::vector<std::unique_ptr<Variable>> replaced;
};

// Declared sizes are kept within this many elements (a vec4 array then holds
// at most 1 MiB); smaller than 1 counts as 1.
inline constexpr int32_t kMaxElements = 1 << 16;

Variable* findVariable(const VariableTable& table, std::string_view name);

// Each returns the new variable, or nullptr when the name exists already.
// Numeric storage is made here, zero-filled; `count` is clamped to
// 1..kMaxElements.
Variable* addInt(VariableTable& table, std::string_view name, int32_t count = 1);
Variable* addFloat(VariableTable& table, std::string_view name, int32_t count = 1);
// kind is Vec2, Vec3 or Vec4; the component aliases are registered as well.
Variable* addVector(VariableTable& table, ValueKind kind, std::string_view name, int32_t count = 1);
Variable* addCurve(VariableTable& table, std::string_view name);
Variable* addString(VariableTable& table, std::string_view name);
Variable* addTexture(VariableTable& table, std::string_view name);
Variable* addMesh(VariableTable& table, std::string_view name);
Variable* addMaterial(VariableTable& table, std::string_view name);
// Dispatches to the operations above by kind.
Variable* addVariable(VariableTable& table, ValueKind kind, std::string_view name, int32_t count = 1);

// The first word of element `index` (taken as unsigned, modulo the count).
inline Word* elementWords(const Variable& v, uint32_t index) {
  return v.data + (index % v.count) * v.stride;
}

// Number of entries of a list variable (curve, texture, mesh, material).
size_t listEntryCount(const Variable& v);
