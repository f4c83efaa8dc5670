// The statement compiler: declarations, assignments, conditions, blocks,
// comments and line counting, and its error texts.
#include "script/lexer.h"
#include "script_test_support.h"

namespace {

TEST(StatementCompiler, DeclarationsCreateZeroedVariables) {
  CompiledScript compiled;
  compiled.compile("int n[3]; vec4 c; float a, b; int m[n];");
  EXPECT_EQ(compiled.variable("n").count, 3u);
  EXPECT_EQ(compiled.variable("c").kind, ValueKind::Vec4);
  EXPECT_EQ(compiled.f("c", 0, 3), 0);
  EXPECT_NE(findVariable(compiled.script.variables, "a"), nullptr);
  EXPECT_EQ(findVariable(compiled.script.variables, "b"), nullptr);  // only the first name
  EXPECT_EQ(compiled.variable("m").count, 1u);  // n's first element is 0: at least 1
  EXPECT_TRUE(compiled.script.rootBlock.children.empty());
}

TEST(StatementCompiler, ArraySizesBelowOneCountAsOne) {
  CompiledScript compiled;
  compiled.compile("float k = 0 - 5; float a[0]; float b[k];");
  compiled.run();
  EXPECT_EQ(compiled.variable("a").count, 1u);
  EXPECT_EQ(compiled.variable("b").count, 1u);  // k is still 0 at compile time
  CompiledScript huge;
  huge.compile("float h[1e9];");
  EXPECT_EQ(huge.variable("h").count, uint32_t(kMaxElements));
}

TEST(StatementCompiler, SizeFromAVariableUsesItsCompileTimeValue) {
  CompiledScript compiled;
  compiled.compile("float s; vec3 v; int a[s]; int b[v];");
  EXPECT_EQ(compiled.variable("a").count, 1u);
  EXPECT_EQ(compiled.variable("b").count, 1u);
}

TEST(StatementCompiler, AssignmentWithoutEqualsCompilesNothing) {
  CompiledScript compiled;
  compiled.compile("undeclared; float x; x;");
  EXPECT_TRUE(compiled.script.rootBlock.children.empty());
}

TEST(StatementCompiler, CommentsAndBlankStatementsOnlyCountLines) {
  CompiledScript compiled;
  compileStatement(compiled.script, "\n  \t\n// only a comment", compiled.environment);
  EXPECT_TRUE(compiled.script.rootBlock.children.empty());
  EXPECT_EQ(compiled.script.state.line, 3);
  compileStatement(compiled.script, "\n// comment\nfloat x = 1;", compiled.environment);
  EXPECT_EQ(compiled.script.state.line, 5);
  EXPECT_EQ(compiled.script.rootBlock.children.size(), 1u);
}

TEST(StatementCompiler, CommentRemainderAfterTerminatorIsCode) {
  // The ';' inside the comment ends the statement, so the rest of that line
  // is compiled: "x = 2" assigns x.
  auto compiled = runBody("float x; // note; x = 2;\n");
  EXPECT_EQ(compiled->f("x"), 2);
}

TEST(StatementCompiler, ConditionsOpenAndCloseBlocks) {
  CompiledScript compiled;
  compiled.compile("float a; if (a < 3) { a = 1; float b = 2; } a = a + 1;");
  const auto& root = compiled.script.rootBlock.children;
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(root[0]->nodeKind, NodeKind::If);
  EXPECT_EQ(root[0]->compare, CompareOp::Less);
  EXPECT_EQ(root[0]->children.size(), 2u);
  EXPECT_EQ(root[0]->parent, &compiled.script.rootBlock);
  EXPECT_EQ(compiled.script.state.currentBlock, &compiled.script.rootBlock);
}

TEST(StatementCompiler, CompareOperators) {
  const char* texts[] = {"==", "<", "<=", ">", ">=", "!="};
  for (int k = 0; k < 6; ++k) {
    CompiledScript compiled;
    compiled.compile(std::string("float a; while (a ") + texts[k] + " 2) {");
    EXPECT_EQ(int(compiled.script.rootBlock.children.at(0)->compare), k) << texts[k];
  }
}

TEST(StatementCompiler, MissingClosingBraceLeavesBlockOpen) {
  CompiledScript compiled;
  compiled.compile("float a; if (a < 1) { a = 5;");
  EXPECT_EQ(compiled.script.state.currentBlock, compiled.script.rootBlock.children[0].get());
}

TEST(StatementCompiler, ErrorTexts) {
  EXPECT_EQ(compileError("float sin;"),
            "Error on line 1, col 9:\nfloat sin;\n\nVariable name expected after type name float.");
  EXPECT_EQ(compileError("float vec2;"),
            "Error on line 1, col 10:\nfloat vec2;\n\nVariable name expected after type name float.");
  EXPECT_EQ(compileError("float a;\nint a;"),
            "Error on line 2, col 6:\n\nint a;\n\nParam a redefinition.");
  EXPECT_EQ(compileError("float a[q];"),
            "Error on line 1, col 9:\nfloat a[q];\n\nInvalid array subscript q.");
  EXPECT_EQ(compileError("y = 3;"), "Error on line 1, col 2:\ny = 3;\n\nUndefined parameter y.");
  EXPECT_EQ(compileError("}"), "Error on line 1, col 0:\n}\n\nUnexpected sub-section ending.");
  EXPECT_EQ(compileError("{"), "Error on line 1, col 1:\n{\n\nExpected opening brace after condition .");
  EXPECT_EQ(compileError("if a < 3 {"),
            "Error on line 1, col 4:\nif a < 3 {\n\nExpected opening brace after condition if.");
  EXPECT_EQ(compileError("float a; if (a = 3) {"),
            "Error on line 1, col 7:\n if (a = 3) {\n\nInvalid condition compare type in if.");
  EXPECT_EQ(compileError("float a; while (a+1 > 3) {"),
            "Error on line 1, col 9:\n while (a+1 > 3) {\n\nInvalid condition compare type in while.");
  EXPECT_EQ(compileError("if (b < 3) {"),
            "Error on line 1, col5:\nif (b < 3) {\n\nVariable named b not found.");
  EXPECT_EQ(compileError("float a; if (a < 3 a) {"),
            "Error on line 1, col 12:\n if (a < 3 a) {\n\nExpected brace close after condition if.");
}

TEST(StatementCompiler, ErrorLineIsTheLineTheStatementEndsOn) {
  EXPECT_EQ(compileError("float a;\n// c\nfloat\n\nb = q;"),
            "Error on line 5, col14:\n\n\nfloat\n\nb = q;\n\nVariable named q not found.");
}

TEST(StatementCompiler, DeepNestingIsRefused) {
  std::string body = "float a;";
  for (int i = 0; i <= kMaxBlockDepth; ++i) body += "if (a < 1) {";
  const std::string error = compileError(body);
  EXPECT_NE(error.find("Too many nested sub-sections."), std::string::npos);
}

TEST(StatementCompiler, OverlongStatementsAreCut) {
  // A run without a terminator is handed over every 2047 bytes, so the text
  // a statement sees never exceeds the limit.
  const std::string cut = compileError("float x = 1" + std::string(3000, ' ') + ";");
  EXPECT_EQ(cut.substr(0, 26), "Error on line 1, col2047:\n");
  EXPECT_EQ(cut.substr(cut.size() - 28), "\n\nVariable named  not found.");
  const std::string longWord = compileError("float x = " + std::string(2100, '1') + ";");
  EXPECT_EQ(longWord.substr(0, 26), "Error on line 1, col2047:\n");
  EXPECT_NE(longWord.find("Variable named " + std::string(kMaxWordLength, '1') + " not found."),
            std::string::npos);
}

TEST(StatementCompiler, DeepGroupsWithinOneStatement) {
  auto compiled = runBody("float x = " + std::string(1000, '(') + "2" + std::string(1000, ')') + ";");
  EXPECT_EQ(compiled->f("x"), 2);
  EXPECT_NE(compileError("float x = " + std::string(2100, '(') + ";").find("Variable named  not found."),
            std::string::npos);
}

TEST(StatementCompiler, ByteFFEndsAStatementWithoutBeingKept) {
  auto compiled = runBody("float x = 4\xff float y = 2;");
  EXPECT_EQ(compiled->f("x"), 4);
  EXPECT_EQ(compiled->f("y"), 2);
}

}  // namespace

// The editor's place of an error: the body starts on line 2 (after the
// header), comments and earlier statements on the same line count, and the
// column is the byte at which the compiler stopped, on that byte's own line.
TEST(StatementCompiler, ErrorsAlsoGiveTheEditorPlace) {
  struct Case {
    const char* body;
    int line, column;
    const char* message;
  };
  const Case cases[] = {
      {"float a = q;", 2, 12, "Variable named q not found."},
      {"float a;\n// c\nfloat\n\nb = q;", 6, 6, "Variable named q not found."},
      {"float a; // note\n  float v[2]; float y = v[i];", 3, 28, "Invalid array subscript i."},
      // The compare is missing where the comment began: the line feed after it.
      {"float a;\nwhile (a // open\n < 3) {", 3, 17, "Invalid condition compare type in while."},
  };
  for (const Case& c : cases) {
    CompiledScript compiled;
    compiled.script.definitionName = "fx.txt";
    try {
      compiled.compile(c.body);
      ADD_FAILURE() << "compiles: " << c.body;
    } catch (const ScriptError& error) {
      EXPECT_EQ(locatedError(error), "fx.txt:" + std::to_string(c.line) + ":" + std::to_string(c.column) +
                                         ": " + c.message)
          << c.body;
    }
  }
  EXPECT_EQ(locatedError(ScriptError("RUNTIME EFFECT ERROR", "Missing variable")), "");
}

TEST(StatementCompiler, WarnsWhereTheLanguageAcceptsWhatIsRarelyMeant) {
  std::vector<CompileWarning> warnings;
  CompiledScript compiled;
  compiled.environment.warnings = &warnings;
  compiled.compile(
      "float a = 0.35 +;\n"             // dangling: the value is 0.35
      "float b = a 2;\n"                // two operands
      "float c = sin(a -) + (b *);\n"   // dangling inside an argument and a group
      "float d = \"2\";\n"              // a literal in a number expression
      "float e = 0 - 1 * (a + b);\n");  // all well
  compiled.run();
  EXPECT_FLOAT_EQ(compiled.f("a"), 0.35f);
  std::vector<std::string> found;
  for (const CompileWarning& warning : warnings)
    found.push_back(std::to_string(warning.line) + ":" + std::to_string(warning.column) + " " +
                    warning.message.substr(0, 20));
  // Each at the byte after the token that ended the expression or opened the
  // literal.
  EXPECT_EQ(found, (std::vector<std::string>{"2:17 an operator with no ", "3:14 two operands with no",
                                             "4:19 an operator with no ", "4:27 an operator with no ",
                                             "5:12 a string literal in "}));
}
