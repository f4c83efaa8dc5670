#include "script/error.h"

void throwCompileError(int32_t line, int32_t column, std::string_view statement,
                       std::string_view message, bool tightColumn) {
  std::string text = "Error on line " + std::to_string(line) + (tightColumn ? ", col" : ", col ") +
                     std::to_string(column) + ":\n";
  text.append(statement).append("\n\n").append(message);
  throw ScriptError(kCompileErrorCaption, std::move(text));
}
