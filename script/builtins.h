// The 25 built-in functions. Each receives the running accumulator of the
// expression, its arguments (evaluated with the statement's target kind) and
// the pending operator. Scalar built-ins fold one number into x with the
// operator; vector constructors fold into several components; curvePos,
// curveTan, dot, cross and rotate overwrite components without the operator.
#pragma once

#include "script/value.h"

using BuiltinFunction = void (*)(Value& accumulator, const Value* arguments, int op);
// The number a scalar built-in folds into x (in double precision), from the
// x components of its arguments: all a scalar built-in reads.
using ScalarBuiltin = double (*)(const float* argumentsX);

inline constexpr int kBuiltinCount = 25;
// The vector constructors vec2, vec3, vec4 (consecutive indices).
inline constexpr int kBuiltinVec2 = 6;
inline constexpr int kBuiltinVec4 = 8;
inline constexpr int kMaxArguments = 4;

int builtinArity(int index);
BuiltinFunction builtinFunction(int index);
// nullptr for the built-ins that set components themselves.
ScalarBuiltin builtinScalar(int index);
