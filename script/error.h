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

  ScriptError(std::string caption, std::string text)
      : caption(std::move(caption)), text(std::move(text)) {}
  const char* what() const noexcept override { return text.c_str(); }
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
