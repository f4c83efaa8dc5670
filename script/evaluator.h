// The evaluator: runs a compiled block statement by statement, folding each
// expression's terms left to right into a Value and storing the result into
// the target element. It looks nothing up and allocates nothing.
//
// A while loop whose passes in one run (one call of runBlock from outside,
// nested loops counting every pass of the inner loop) would exceed the limit
// stops with a ScriptError (caption "RUNTIME EFFECT ERROR") naming the
// definition and the line, instead of freezing the show.
#pragma once

#include <cstdint>

#include "script/code.h"

inline constexpr uint32_t kMaxLoopIterations = 10'000'000;

// Changes the limit (kMaxLoopIterations by default); fuzzing uses a small one.
void setLoopIterationLimit(uint32_t limit);

// Chooses the step functions of an expression node (not of its nested
// nodes, which are prepared as they are parsed) and its store function.
// Called by the parser once the node's terms are complete.
void prepareExpression(CodeNode& node);

Value evaluate(const CodeNode& node);
void runBlock(const CodeNode& block);
