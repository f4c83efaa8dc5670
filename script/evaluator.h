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

// Chooses the step functions of an expression node (not of its nested
// nodes, which are prepared as they are parsed) and its store function.
// Called by the parser once the node's terms are complete.
void prepareExpression(CodeNode& node);

Value evaluate(const CodeNode& node);
void runBlock(const CodeNode& block);
