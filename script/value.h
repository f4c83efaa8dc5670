// The record in which expressions are evaluated and arguments are handed to
// the built-ins: four float components and the variable referenced last while
// the value was computed (the built-ins learn their first argument's kind or
// curve from it).
#pragma once

#include <cstdint>

#include "script/variables.h"

struct Value {
  int32_t reserved = 0;
  float x = 0, y = 0, z = 0, w = 0;
  const Variable* source = nullptr;
};

// Operator codes in the order of the source text symbols + - * /.
enum Operator : int32_t { kAdd = 0, kSubtract = 1, kMultiply = 2, kDivide = 3 };

// Folds v into an accumulator component with the pending operator.
inline double combine(int op, double accumulator, double v) {
  switch (op) {
    case kSubtract: return accumulator - v;
    case kMultiply: return accumulator * v;
    case kDivide: return accumulator / v;
    default: return accumulator + v;
  }
}

inline void combineInto(float& component, int op, double v) {
  component = float(combine(op, component, v));
}
