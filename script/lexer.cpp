#include "script/lexer.h"

#include <cstring>
#include <sstream>

#include "script/variables.h"

namespace {

const char* const kBuiltinNames[] = {
    "sin",      "cos",      "sqrt",       "pow",         "atan",     "mod",       "vec2",
    "vec3",     "vec4",     "curvePos",   "curveTan",    "unit",     "dot",       "cross",
    "rotate",   "smooth",   "linearPulse", "smoothPulse", "linearOn", "linearOff", "smoothOn",
    "smoothOff", "srand",   "randf",      "randfs",
};

struct TypeKeyword {
  const char* word;
  ValueKind kind;
};

const TypeKeyword kTypeKeywords[] = {
    {"int", ValueKind::Int},         {"float", ValueKind::Float},       {"vec2", ValueKind::Vec2},
    {"vec3", ValueKind::Vec3},       {"vec4", ValueKind::Vec4},         {"curve", ValueKind::Curve},
    {"texture", ValueKind::Texture}, {"material", ValueKind::Material}, {"string", ValueKind::String},
    {"mesh", ValueKind::Mesh},
};

// Reads a word from `column`: stop bytes end the scan while the word is
// empty, other non-word bytes are skipped; the first non-word byte after the
// word ends it. Both stay unread.
std::string scanWord(const char* text, int32_t& column, const char* stopBytes) {
  std::string word;
  for (char c; (c = text[column]) != 0;) {
    if (isWordByte(c)) {
      if (word.size() < kMaxWordLength) word.push_back(c);
      ++column;
      continue;
    }
    if (!word.empty() || strchr(stopBytes, c)) break;
    ++column;
  }
  return word;
}

template <typename T>
bool extract(std::string_view word, T& value) {
  std::istringstream stream{std::string(word)};
  stream.imbue(std::locale::classic());
  T read{};
  if (!(stream >> read)) return false;
  value = read;
  return true;
}

}  // namespace

bool isWordByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
         c == '.';
}

StatementWord readStatementWord(const char* text, int32_t& column) {
  StatementWord result;
  result.word = scanWord(text, column, "=;()+-*/{}");
  if (result.word.empty()) {
    if (text[column] == '{') result.blockKind = kBlockOpen;
    if (text[column] == '}') result.blockKind = kBlockClose;
  }
  for (const TypeKeyword& keyword : kTypeKeywords)
    if (result.word == keyword.word) {
      result.typeCode = int(keyword.kind);
      return result;
    }
  result.builtin = lookupBuiltin(result.word);
  if (result.builtin == -1) {
    if (result.word == "if") result.blockKind = kBlockIf;
    if (result.word == "while") result.blockKind = kBlockWhile;
  }
  return result;
}

ExpressionToken readExpressionToken(const char* text, int32_t& column) {
  ExpressionToken result;
  result.word = scanWord(text, column, ";()+-*/\"");
  if (!result.word.empty()) {
    result.builtin = lookupBuiltin(result.word);
    return result;
  }
  switch (text[column]) {
    case '(': result.bracket = kBracketOpen; break;
    case ')': result.bracket = kBracketClose; break;
    case '"': result.bracket = kBracketQuote; break;
    case '+': result.op = 0; break;
    case '-': result.op = 1; break;
    case '*': result.op = 2; break;
    case '/': result.op = 3; break;
    default: return result;  // ';' or the end of the text stays unread
  }
  ++column;
  return result;
}

std::string readStringLiteral(const char* text, int32_t& column) {
  std::string literal;
  for (char c; (c = text[column]) != 0 && c != ';'; ++column) {
    if (c == '"') {
      ++column;
      break;
    }
    if (literal.size() < kMaxWordLength) literal.push_back(c);
  }
  return literal;
}

int lookupBuiltin(std::string_view word) {
  for (int i = 0; i < int(std::size(kBuiltinNames)); ++i)
    if (word == kBuiltinNames[i]) return i;
  return -1;
}

std::string_view builtinName(int index) { return kBuiltinNames[index]; }

bool readNumberWord(std::string_view word, float& value) {
  // Names never read as numbers, whatever the stream would make of them.
  if (word.empty() || (isWordByte(word[0]) && word[0] != '.' && !(word[0] >= '0' && word[0] <= '9')))
    return false;
  return extract(word, value);
}

bool readIntegerWord(std::string_view word, int& value) { return extract(word, value); }
