// The expression parser: term structure and every error text with its
// line and column.
#include "script_test_support.h"

namespace {

const CodeNode& lastStatement(CompiledScript& compiled) {
  return *compiled.script.rootBlock.children.back();
}

TEST(ExpressionParser, KeepsTermsInTextOrder) {
  CompiledScript compiled;
  compiled.compile("float a; float b; float c; float x = a + b * c;");
  const CodeNode& node = lastStatement(compiled);
  ASSERT_EQ(node.terms.size(), 5u);
  EXPECT_EQ(node.terms[0].kind, TermKind::VariableRef);
  EXPECT_EQ(node.terms[1].kind, TermKind::Operator);
  EXPECT_EQ(node.terms[1].op, kAdd);
  EXPECT_EQ(node.terms[3].op, kMultiply);
  EXPECT_EQ(node.terms[4].ref.variable, &compiled.variable("c"));
}

TEST(ExpressionParser, NegativeNumberIsAnOperatorAndANumber) {
  CompiledScript compiled;
  compiled.compile("float x = -3;");
  const CodeNode& node = lastStatement(compiled);
  ASSERT_EQ(node.terms.size(), 2u);
  EXPECT_EQ(node.terms[0].kind, TermKind::Operator);
  EXPECT_EQ(node.terms[0].op, kSubtract);
  EXPECT_EQ(node.terms[1].kind, TermKind::Number);
  EXPECT_EQ(node.terms[1].number, 3);
}

TEST(ExpressionParser, CallsCarryTheirArguments) {
  CompiledScript compiled;
  compiled.compile("float x; float y = pow(x, 2); float r = randf();");
  const auto& children = compiled.script.rootBlock.children;
  const Term& pow = children[0]->terms.at(0);
  ASSERT_EQ(pow.kind, TermKind::Call);
  EXPECT_EQ(pow.call->builtin, 3);
  ASSERT_EQ(pow.call->arguments.size(), 2u);
  EXPECT_EQ(pow.call->arguments[1]->terms.at(0).number, 2);
  const Term& randf = children[1]->terms.at(0);
  EXPECT_EQ(randf.call->builtin, 23);
  EXPECT_TRUE(randf.call->arguments.empty());
}

TEST(ExpressionParser, SubscriptsTakeNumbersTruncatedOrVariables) {
  CompiledScript compiled;
  compiled.compile("float v[4]; int i; float a = v[2.9]; float b = v[i];");
  const auto& children = compiled.script.rootBlock.children;
  EXPECT_EQ(children[0]->terms.at(0).ref.index, 2u);
  EXPECT_EQ(children[1]->terms.at(0).ref.indexVariable, &compiled.variable("i"));
}

TEST(ExpressionParser, ErrorTexts) {
  EXPECT_EQ(compileError("float x; float y = pow(x);"),
            "Error on line 1, col 17:\n float y = pow(x);\n\n"
            "Wrong number of function parameters. Expected comma separator.");
  EXPECT_EQ(compileError("float x; float y = sin(x, x);"),
            "Error on line 1, col 16:\n float y = sin(x, x);\n\n"
            "Unexpected comma separator. Too many function parameters?");
  EXPECT_EQ(compileError("float x; float y = sin x;"),
            "Error on line 1, col 16:\n float y = sin x;\n\nNo brace open found after function sin.");
  EXPECT_EQ(compileError("float a; float b; float y = (a + b;"),
            "Error on line 1, col 12:\n float y = (a + b;\n\nNo brace close found for brace opened.");
  EXPECT_EQ(compileError("float a;\nfloat y = a);"),
            "Error on line 2, col 13:\n\nfloat y = a);\n\nUnexpected brace close.");
  EXPECT_EQ(compileError("float v[3];\n\nfloat y = v[i];"),
            "Error on line 3, col 15:\n\n\nfloat y = v[i];\n\nInvalid array subscript i.");
  EXPECT_EQ(compileError("float y = q;"),
            "Error on line 1, col11:\nfloat y = q;\n\nVariable named q not found.");
}

TEST(ExpressionParser, TwoBlanksBeforeTheEndLookUpTheEmptyName) {
  EXPECT_EQ(compileError("float a; float x = a  ;"),
            "Error on line 1, col14:\n float x = a  ;\n\nVariable named  not found.");
}

TEST(ExpressionParser, StatementWithoutSemicolonStillEnds) {
  // A variable named "" makes the empty word at the end resolve; the parser
  // must stop at the end of the text instead of looping.
  CompiledScript compiled;
  compiled.compile("float ; float x;");
  compileStatement(compiled.script, "x = 2 }", compiled.environment);
  EXPECT_EQ(compiled.script.rootBlock.children.size(), 1u);
}

}  // namespace
