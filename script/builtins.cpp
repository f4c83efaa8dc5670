#include "script/builtins.h"

#include <cmath>

#include "gfx/curve.h"
#include "gfx/math.h"
#include "gfx/random.h"

namespace {

// 1/32767 as the nearest single-precision value.
constexpr float kRandomScale = 3.0518509e-05f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kPi = 3.1415927f;

double quadrantAtan(double a, double b) {
  if (b == 0) return a >= 0 ? kHalfPi : -kHalfPi;
  if (b > 0) return std::atan(a / b);
  return std::atan(a / b) + kPi;
}

// The curve selected by the first argument's reference, or none.
const Curve* selectedCurve(const Value& argument) {
  const Variable* source = argument.source;
  if (!source || source->kind != ValueKind::Curve || !source->list) return nullptr;
  const auto& curves = source->list->curves;
  if (source->targetIndex >= curves.size()) return nullptr;
  return &curves[source->targetIndex];
}

void setXyz(Value& accumulator, const Vec3& v) {
  accumulator.x = v.x;
  accumulator.y = v.y;
  accumulator.z = v.z;
}

void sinBuiltin(Value& acc, const Value* a, int op) { combineInto(acc.x, op, std::sin(double(a[0].x))); }
void cosBuiltin(Value& acc, const Value* a, int op) { combineInto(acc.x, op, std::cos(double(a[0].x))); }
void sqrtBuiltin(Value& acc, const Value* a, int op) { combineInto(acc.x, op, std::sqrt(double(a[0].x))); }

void powBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, powerSigned(a[0].x, a[1].x, true));
}

void atanBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, quadrantAtan(a[0].x, a[1].x));
}

void modBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, double(a[0].x) - std::trunc(double(a[0].x)));
}

void vec2Builtin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, a[0].x);
  combineInto(acc.y, op, a[1].x);
}

void vec3Builtin(Value& acc, const Value* a, int op) {
  vec2Builtin(acc, a, op);
  combineInto(acc.z, op, a[2].x);
}

void vec4Builtin(Value& acc, const Value* a, int op) {
  vec3Builtin(acc, a, op);
  combineInto(acc.w, op, a[3].x);
}

void curvePosBuiltin(Value& acc, const Value* a, int) {
  Vec3 position;
  if (const Curve* curve = selectedCurve(a[0]); curve && curvePosition(*curve, a[1].x, position))
    setXyz(acc, position);
}

void curveTanBuiltin(Value& acc, const Value* a, int) {
  Vec3 tangent;
  if (const Curve* curve = selectedCurve(a[0]); curve && curveTangent(*curve, a[1].x, tangent))
    setXyz(acc, tangent);
}

void unitBuiltin(Value& acc, const Value* a, int op) { combineInto(acc.x, op, step(a[0].x)); }

// Summed from the highest component down.
void dotBuiltin(Value& acc, const Value* a, int) {
  if (!a[0].source) return;
  const Value &u = a[0], &v = a[1];
  switch (a[0].source->kind) {
    case ValueKind::Float: acc.x = float(double(v.x) * u.x); break;
    case ValueKind::Vec2: acc.x = float(double(v.y) * u.y + double(v.x) * u.x); break;
    case ValueKind::Vec3:
      acc.x = float(double(v.z) * u.z + double(v.y) * u.y + double(v.x) * u.x);
      break;
    case ValueKind::Vec4:
      acc.x = float(double(v.w) * u.w + double(v.z) * u.z + double(v.y) * u.y + double(v.x) * u.x);
      break;
    default: break;
  }
}

void crossBuiltin(Value& acc, const Value* a, int) {
  if (!a[0].source || a[0].source->kind != ValueKind::Vec3) return;
  setXyz(acc, cross({a[0].x, a[0].y, a[0].z}, {a[1].x, a[1].y, a[1].z}));
}

void rotateBuiltin(Value& acc, const Value* a, int) {
  Vec3 v{a[0].x, a[0].y, a[0].z};
  rotateAboutAxis(v, truncToInt(a[2].x), a[1].x);
  setXyz(acc, v);
}

void smoothBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, 1 - double(softFalloff(a[0].x, 1)));
}

float linearPulse(const Value* a) {
  return float(double(rampUp(a[0].x, 0, a[1].x)) * rampDown(float(double(a[0].x) - a[2].x), 0, a[3].x));
}

void linearPulseBuiltin(Value& acc, const Value* a, int op) { combineInto(acc.x, op, linearPulse(a)); }

void smoothPulseBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, softFalloff(linearPulse(a), 1));
}

void linearOnBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, rampUp(a[0].x, 0, a[1].x));
}

void linearOffBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, 1 - double(rampUp(a[0].x, 0, a[1].x)));
}

void smoothOnBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, softFalloff(float(1 - double(rampUp(a[0].x, 0, a[1].x))), 1));
}

void smoothOffBuiltin(Value& acc, const Value* a, int op) {
  combineInto(acc.x, op, softFalloff(rampUp(a[0].x, 0, a[1].x), 1));
}

void srandBuiltin(Value&, const Value* a, int) { seedRandom(uint32_t(truncToInt(a[0].x))); }

void randfBuiltin(Value& acc, const Value*, int op) {
  combineInto(acc.x, op, double(float(nextRandom() * kRandomScale)));
}

void randfsBuiltin(Value& acc, const Value*, int op) {
  combineInto(acc.x, op, (double(float(nextRandom() * kRandomScale)) - 0.5) * 2);
}

struct BuiltinEntry {
  int arity;
  BuiltinFunction impl;
};

// In the order of the built-in indices (the names are the lexer's).
const BuiltinEntry kBuiltins[kBuiltinCount] = {
    {1, sinBuiltin},         {1, cosBuiltin},        {1, sqrtBuiltin},      {2, powBuiltin},
    {2, atanBuiltin},        {1, modBuiltin},        {2, vec2Builtin},      {3, vec3Builtin},
    {4, vec4Builtin},        {2, curvePosBuiltin},   {2, curveTanBuiltin},  {1, unitBuiltin},
    {2, dotBuiltin},         {2, crossBuiltin},      {3, rotateBuiltin},    {1, smoothBuiltin},
    {4, linearPulseBuiltin}, {4, smoothPulseBuiltin}, {2, linearOnBuiltin}, {2, linearOffBuiltin},
    {2, smoothOnBuiltin},    {2, smoothOffBuiltin},  {1, srandBuiltin},     {0, randfBuiltin},
    {0, randfsBuiltin},
};

}  // namespace

int builtinArity(int index) { return kBuiltins[index].arity; }
BuiltinFunction builtinFunction(int index) { return kBuiltins[index].impl; }
