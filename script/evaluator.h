// The evaluator: runs a compiled block statement by statement, folding each
// expression's terms left to right into a Value and storing the result into
// the target element. It looks nothing up and allocates nothing.
//
// A single while loop that still holds after kMaxLoopIterations passes in one
// run stops with a ScriptError (caption "RUNTIME EFFECT ERROR") naming the
// definition and the line, instead of freezing the show.
#pragma once

#include <cstdint>

#include "script/code.h"

inline constexpr uint32_t kMaxLoopIterations = 10'000'000;

Value evaluate(const CodeNode& node);
void runBlock(const CodeNode& block);
