#include "script/builtins.h"

#include <cmath>

#include "gfx/curve.h"
#include "gfx/math.h"
#include "gfx/portable_math.h"
#include "gfx/random.h"

namespace {

// 1/32767 as the nearest single-precision value.
constexpr float kRandomScale = 3.0518509e-05f;

double quadrantAtan(double a, double b) {
  if (b == 0) return a >= 0 ? kHalfPi : -kHalfPi;
  if (b > 0) return portableAtan(a / b);
  return portableAtan(a / b) + kPi;
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

// Scalar built-ins: one number from the arguments' x components, folded
// into x with the pending operator.
double sinValue(const float* a) { return portableSin(double(a[0])); }
double cosValue(const float* a) { return portableCos(double(a[0])); }
double sqrtValue(const float* a) { return std::sqrt(double(a[0])); }
double powValue(const float* a) { return powerSigned(a[0], a[1], true); }
double atanValue(const float* a) { return quadrantAtan(a[0], a[1]); }
double modValue(const float* a) { return double(a[0]) - std::trunc(double(a[0])); }
double unitValue(const float* a) { return step(a[0]); }
double smoothValue(const float* a) { return 1 - double(softFalloff(a[0], 1)); }

float linearPulse(const float* a) {
  return float(double(rampUp(a[0], 0, a[1])) * rampDown(float(double(a[0]) - a[2]), 0, a[3]));
}

double linearPulseValue(const float* a) { return linearPulse(a); }
double smoothPulseValue(const float* a) { return softFalloff(linearPulse(a), 1); }
double linearOnValue(const float* a) { return rampUp(a[0], 0, a[1]); }
double linearOffValue(const float* a) { return 1 - double(rampUp(a[0], 0, a[1])); }

double smoothOnValue(const float* a) {
  return softFalloff(float(1 - double(rampUp(a[0], 0, a[1]))), 1);
}

double smoothOffValue(const float* a) { return softFalloff(rampUp(a[0], 0, a[1]), 1); }
double randfValue(const float*) { return float(nextRandom() * kRandomScale); }
double randfsValue(const float*) { return (double(float(nextRandom() * kRandomScale)) - 0.5) * 2; }

template <ScalarBuiltin F>
void scalarBuiltin(Value& acc, const Value* a, int op) {
  float x[kMaxArguments] = {};
  for (int j = 0; a && j < kMaxArguments; ++j) x[j] = a[j].x;
  combineInto(acc.x, op, F(x));
}

// Component built-ins.
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

void srandBuiltin(Value&, const Value* a, int) { seedRandom(uint32_t(truncToInt(a[0].x))); }

struct BuiltinEntry {
  int arity;
  BuiltinFunction impl;
  ScalarBuiltin scalar;
};

template <ScalarBuiltin F>
constexpr BuiltinEntry scalarEntry(int arity) {
  return {arity, scalarBuiltin<F>, F};
}

// In the order of the built-in indices (the names are the lexer's).
const BuiltinEntry kBuiltins[kBuiltinCount] = {
    scalarEntry<sinValue>(1),         scalarEntry<cosValue>(1),
    scalarEntry<sqrtValue>(1),        scalarEntry<powValue>(2),
    scalarEntry<atanValue>(2),        scalarEntry<modValue>(1),
    {2, vec2Builtin, nullptr},        {3, vec3Builtin, nullptr},
    {4, vec4Builtin, nullptr},        {2, curvePosBuiltin, nullptr},
    {2, curveTanBuiltin, nullptr},    scalarEntry<unitValue>(1),
    {2, dotBuiltin, nullptr},         {2, crossBuiltin, nullptr},
    {3, rotateBuiltin, nullptr},      scalarEntry<smoothValue>(1),
    scalarEntry<linearPulseValue>(4), scalarEntry<smoothPulseValue>(4),
    scalarEntry<linearOnValue>(2),    scalarEntry<linearOffValue>(2),
    scalarEntry<smoothOnValue>(2),    scalarEntry<smoothOffValue>(2),
    {1, srandBuiltin, nullptr},       scalarEntry<randfValue>(0),
    scalarEntry<randfsValue>(0),
};

}  // namespace

int builtinArity(int index) { return kBuiltins[index].arity; }
BuiltinFunction builtinFunction(int index) { return kBuiltins[index].impl; }
ScalarBuiltin builtinScalar(int index) { return kBuiltins[index].scalar; }
