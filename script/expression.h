// The expression parser: turns the text from `column` up to the statement's
// ';' into the terms of a CodeNode, in text order. Parentheses become Group
// terms and built-in calls Call terms, each with nested CodeNodes; names are
// resolved to variables here. Errors throw ScriptError with the compile
// message texts.
#pragma once

#include <cstdint>
#include <vector>

#include "script/code.h"
#include "script/error.h"

struct ParseContext {
  const char* text;  // the statement, NUL-terminated
  int32_t& column;
  int32_t line;
  const VariableTable& variables;
  std::vector<CompileWarning>* warnings = nullptr;
};

// depth is 0 for the outermost call; openColumn is the column just after the
// bracket that opened this level; inArgument is true for every call argument
// except the last. Nested nodes inherit node.width.
void parseExpression(ParseContext& context, CodeNode& node, int depth, int32_t openColumn,
                     bool inArgument);

// Reads "[index]" after a name (the '[' is at `column`): a number gives a
// constant (truncated toward zero), a name an index variable. Consumes up to
// and including the next ']' (stopping at ';').
struct Subscript {
  uint32_t index = 0;
  Variable* variable = nullptr;
};
Subscript readSubscript(ParseContext& context);

[[noreturn]] void throwParseError(const ParseContext& context, std::string_view message,
                                  bool tightColumn = false);
