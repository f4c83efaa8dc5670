// The script's three readers. A statement is not split into tokens up front:
// the statement compiler and the expression parser call these readers, which
// start at `column` of a NUL-terminated statement text, consume what they
// recognise and leave `column` behind it.
//
// Words are runs of 0-9 A-Z a-z _ and '.', so they include numbers ("0.25"),
// component names ("pos.y") and keywords. Words and string literals keep at
// most kMaxWordLength bytes; longer runs are consumed whole and cut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr size_t kMaxWordLength = 255;

enum BlockKind : int { kBlockIf = 0, kBlockWhile = 1, kBlockOpen = 2, kBlockClose = 3 };
enum Bracket : int { kBracketOpen = 0, kBracketClose = 1, kBracketQuote = 2 };

struct StatementWord {
  std::string word;
  int typeCode = -1;   // a ValueKind code for a type keyword
  int builtin = -1;    // a built-in index (not for type keywords)
  int blockKind = -1;  // BlockKind
};

struct ExpressionToken {
  std::string word;
  int builtin = -1;
  int bracket = -1;  // Bracket
  int op = -1;       // Operator code: 0 +, 1 -, 2 *, 3 /
};

bool isWordByte(char c);

// Stops before = ; ( ) + - * / { } when no word byte was read yet and skips
// every other non-word byte. vec2, vec3 and vec4 read as types here.
StatementWord readStatementWord(const char* text, int32_t& column);

// Stops before ; and the end of the text; consumes ( ) " + - * / as brackets
// and operators; skips every other non-word byte (= , { } ...).
ExpressionToken readExpressionToken(const char* text, int32_t& column);

// Called after the opening double quote: the bytes up to the closing quote
// (consumed) or a ';' (left unread). There are no escapes.
std::string readStringLiteral(const char* text, int32_t& column);

// Index 0-24 of a built-in function name, or -1 (case-sensitive).
int lookupBuiltin(std::string_view word);
std::string_view builtinName(int index);

// Stream extraction of a float from a word: the word is a number when it
// begins with a valid float; text after the valid prefix is ignored.
bool readNumberWord(std::string_view word, float& value);
// Stream extraction of an int, same rules.
bool readIntegerWord(std::string_view word, int& value);
