#include <gtest/gtest.h>

#include "script/lexer.h"

namespace {

TEST(Lexer, ExpressionTokensSplitNamesOperatorsAndNumbers) {
  const char* text = "pos.x+1";
  int32_t column = 0;
  EXPECT_EQ(readExpressionToken(text, column).word, "pos.x");
  const ExpressionToken plus = readExpressionToken(text, column);
  EXPECT_TRUE(plus.word.empty());
  EXPECT_EQ(plus.op, 0);
  EXPECT_EQ(readExpressionToken(text, column).word, "1");
  EXPECT_EQ(column, 7);
}

TEST(Lexer, FillerIsSkippedByBothReaders) {
  const char* text = "  ,  foo";
  int32_t column = 0;
  EXPECT_EQ(readExpressionToken(text, column).word, "foo");
  column = 0;
  EXPECT_EQ(readStatementWord(text, column).word, "foo");
}

TEST(Lexer, StopSetsDiffer) {
  const char* text = "= 3";
  int32_t column = 0;
  EXPECT_EQ(readStatementWord(text, column).word, "");
  EXPECT_EQ(column, 0);  // '=' stays unread
  EXPECT_EQ(readExpressionToken(text, column).word, "3");

  column = 0;
  const StatementWord open = readStatementWord("{", column);
  EXPECT_EQ(open.blockKind, kBlockOpen);
  EXPECT_EQ(column, 0);
  column = 0;
  EXPECT_EQ(readStatementWord("  }", column).blockKind, kBlockClose);
}

TEST(Lexer, StatementWordClassifiesKeywordsAndBuiltins) {
  int32_t column = 0;
  const StatementWord vec = readStatementWord("vec3 p", column);
  EXPECT_EQ(vec.typeCode, 3);
  EXPECT_EQ(vec.builtin, -1);  // a type, though also a built-in name
  column = 0;
  EXPECT_EQ(readStatementWord("material m", column).typeCode, 10);
  column = 0;
  EXPECT_EQ(readStatementWord("sin(x)", column).builtin, 0);
  column = 0;
  EXPECT_EQ(readStatementWord("while (", column).blockKind, kBlockWhile);
  column = 0;
  EXPECT_EQ(readStatementWord("if(", column).blockKind, kBlockIf);

  column = 0;
  EXPECT_EQ(readExpressionToken("vec3(", column).builtin, 7);
}

TEST(Lexer, StringLiteralEndsAtQuoteOrSemicolon) {
  const char* text = "\"a;b";
  int32_t column = 0;
  EXPECT_EQ(readExpressionToken(text, column).bracket, kBracketQuote);
  EXPECT_EQ(readStringLiteral(text, column), "a");
  EXPECT_EQ(text[column], ';');

  column = 0;
  EXPECT_EQ(readStringLiteral("\"rest", column), "");
  EXPECT_EQ(column, 1);
}

TEST(Lexer, HighBytesEndWordsAndAreSkipped) {
  const char* text = "ab\xE9" "cd";
  int32_t column = 0;
  EXPECT_EQ(readExpressionToken(text, column).word, "ab");
  EXPECT_EQ(readExpressionToken(text, column).word, "cd");
}

TEST(Lexer, OverlongWordsAndLiteralsAreCutButConsumed) {
  const std::string word(300, 'a');
  const std::string text = word + " b";
  int32_t column = 0;
  EXPECT_EQ(readExpressionToken(text.c_str(), column).word, std::string(kMaxWordLength, 'a'));
  EXPECT_EQ(column, 300);
  const std::string literal = std::string(400, 'x') + "\"after";
  column = 0;
  EXPECT_EQ(readStringLiteral(literal.c_str(), column).size(), kMaxWordLength);
  EXPECT_EQ(column, 401);
}

TEST(Lexer, BuiltinsAreCaseSensitive) {
  EXPECT_EQ(lookupBuiltin("sin"), 0);
  EXPECT_EQ(lookupBuiltin("randfs"), 24);
  EXPECT_EQ(lookupBuiltin("linearPulse"), 16);
  EXPECT_EQ(lookupBuiltin("Sin"), -1);
  EXPECT_EQ(lookupBuiltin("SQRT"), -1);
}

TEST(Lexer, NumberWordsFollowStreamExtraction) {
  float v = 0;
  EXPECT_TRUE(readNumberWord("3abc", v));
  EXPECT_EQ(v, 3);
  EXPECT_TRUE(readNumberWord("1.5.2", v));
  EXPECT_EQ(v, 1.5f);
  EXPECT_TRUE(readNumberWord(".25", v));
  EXPECT_EQ(v, 0.25f);
  EXPECT_TRUE(readNumberWord("2e2", v));
  EXPECT_EQ(v, 200);
  EXPECT_FALSE(readNumberWord(".x", v));
  EXPECT_FALSE(readNumberWord("_1", v));
  EXPECT_FALSE(readNumberWord("e5", v));
  EXPECT_FALSE(readNumberWord("1e99", v));  // out of range fails extraction
  int n = 0;
  EXPECT_TRUE(readIntegerWord("12.7", n));
  EXPECT_EQ(n, 12);
  EXPECT_FALSE(readIntegerWord("x", n));
}

}  // namespace
