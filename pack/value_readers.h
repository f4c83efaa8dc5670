// The two key-and-value readers of the show's text files. A key is found by
// its first occurrence anywhere in the line, also inside another word; the
// value follows the next "=".
#pragma once

#include <string>
#include <string_view>

// Values are cut at this many bytes (the readers' callers keep 512-byte texts).
inline constexpr size_t kMaxValueLength = 511;

// The value runs to a blank, a line feed or "]"; double quotes are dropped.
// Used for the start file.
std::string readPlainValue(std::string_view line, std::string_view key);

// A value may be quoted; blanks are never copied, and outside quotes a blank
// ends the value. Used for timeline lines and definition headers.
std::string readQuotedValue(std::string_view line, std::string_view key);

// The quoted-value walk alone, from `at`, keeping at most maxLength bytes.
std::string readQuotedValueAt(std::string_view line, size_t at, size_t maxLength);
