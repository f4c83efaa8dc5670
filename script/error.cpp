#include "script/error.h"

void throwCompileError(int32_t line, int32_t column, std::string_view statement,
                       std::string_view message, bool tightColumn) {
  std::string text = "Error on line " + std::to_string(line) + (tightColumn ? ", col" : ", col ") +
                     std::to_string(column) + ":\n";
  text.append(statement).append("\n\n").append(message);
  ScriptError error(kCompileErrorCaption, std::move(text));
  error.message = message;
  throw error;
}

std::string locatedError(const ScriptError& error) {
  if (error.line <= 0) return "";
  return error.file + ":" + std::to_string(error.line) + ":" + std::to_string(error.column) + ": " +
         error.message;
}

std::string describeScriptError(const ScriptError& error) {
  std::string text = locatedError(error);
  if (!text.empty()) text += "\n";
  if (!error.caption.empty()) text += error.caption + "\n";
  text += error.text;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}
