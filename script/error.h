// Errors of the script language, as values: the compiler and the loop guard
// throw a ScriptError carrying the exact caption and text; the application
// edge shows it (fatalMessage) and ends the process.
#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

struct ScriptError : std::exception {
  std::string caption;
  std::string text;
  // A compile error also says where an editor finds it: the bare message, the
  // definition and the line and byte column counted as an editor counts them
  // (the header line is line 1). Line 0 when the place is unknown.
  std::string message;
  std::string file;
  int32_t line = 0;
  int32_t column = 0;

  ScriptError(std::string caption, std::string text)
      : caption(std::move(caption)), text(std::move(text)) {}
  const char* what() const noexcept override { return text.c_str(); }
};

// Text the language accepts but an author rarely means. `line` and `column`
// are counted as an editor counts them once compileScriptBody has placed the
// warning; before that line is 0 and column the byte inside the statement.
struct CompileWarning {
  std::string message;
  int32_t line = 0;
  int32_t column = 0;
};

inline constexpr const char* kCompileErrorCaption = "ERROR";
inline constexpr const char* kRuntimeErrorCaption = "RUNTIME EFFECT ERROR";

inline constexpr const char* kOutOfMemoryText = ": not enough memory for what the data asks";

// Runs `work`; an allocation that fails inside it (data that asks for more
// memory than there is) becomes a data error naming `who`, so that the
// callers' handling of data errors applies instead of an abort.
template <class Work>
decltype(auto) withAllocationAsDataError(const std::string& who, Work&& work) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    throw ScriptError(kRuntimeErrorCaption, who + kOutOfMemoryText);
  } catch (const std::length_error&) {
    throw ScriptError(kRuntimeErrorCaption, who + ": the data asks for an impossible size");
  }
}

// "Error on line L, col C:\n<statement>\n\n<message>". The message about an
// unknown variable is worded "col%d", without the blank.
[[noreturn]] void throwCompileError(int32_t line, int32_t column, std::string_view statement,
                                    std::string_view message, bool tightColumn = false);

// "FILE:LINE:COL: message" for an error whose place is known, else empty.
std::string locatedError(const ScriptError& error);

// The whole error as the authoring views give it: the located line when
// there is one, then the caption and the text.
std::string describeScriptError(const ScriptError& error);
