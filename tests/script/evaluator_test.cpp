// The evaluator: left-to-right folding, broadcasting, element indexing,
// conditions, loops and the loop guard.
#include <cmath>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "script_test_support.h"

namespace {

TEST(Evaluator, FoldsLeftToRightWithoutPrecedence) {
  auto compiled = runBody("float x = 2 + 3 * 4; float y = -3; float z = 2 3; float w = 8 / 2 - + 1;");
  EXPECT_EQ(compiled->f("x"), 20);
  EXPECT_EQ(compiled->f("y"), -3);
  EXPECT_EQ(compiled->f("z"), 5);
  EXPECT_EQ(compiled->f("w"), 5);  // a repeated operator replaces the previous one
}

TEST(Evaluator, NumbersBroadcastIntoVectorTargets) {
  auto compiled = runBody(
      "vec3 v = 1; vec3 a = vec3(1, 2, 3); vec3 d = a * 2; float f = a; vec3 b = vec3(4, 5, 6);"
      "vec3 g = (a + b) * 2; vec4 h = (2);");
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(compiled->f("v", 0, k), 1);
    EXPECT_EQ(compiled->f("d", 0, k), 2 * (k + 1));
    EXPECT_EQ(compiled->f("g", 0, k), 2 * (k + 1 + k + 4));
  }
  EXPECT_EQ(compiled->f("f"), 1);
  EXPECT_EQ(compiled->f("h", 0, 3), 2);
}

TEST(Evaluator, IntTargetsTruncateTowardZero) {
  auto compiled = runBody("int i = 2.7; int j = -2.7; int k = i * 2 + 0.5;");
  EXPECT_EQ(compiled->i("i"), 2);
  EXPECT_EQ(compiled->i("j"), -2);
  EXPECT_EQ(compiled->i("k"), 4);
}

TEST(Evaluator, ElementIndicesWrapModuloTheCount) {
  auto compiled = runBody(
      "float a[3]; a[5] = 7; int m = 0 - 1; float b[3]; b[0] = 1; b[1] = 2; b[2] = 3;"
      "float r = b[m]; float idx = 1.9; float s = b[idx];");
  EXPECT_EQ(compiled->f("a", 2), 7);
  EXPECT_EQ(compiled->f("r"), 1);  // 4294967295 mod 3 = 0
  EXPECT_EQ(compiled->f("s"), 2);
}

TEST(Evaluator, AliasesReadAndWriteTheVector) {
  auto compiled = runBody("vec3 p[3]; p.y[2] = 5; vec3 q = p[2]; float y = p.y[2];");
  const Variable& p = compiled->variable("p");
  for (uint32_t word = 0; word < 9; ++word) EXPECT_EQ(p.data[word].f, word == 7 ? 5 : 0);
  EXPECT_EQ(compiled->f("q", 0, 1), 5);
  EXPECT_EQ(compiled->f("y"), 5);
}

TEST(Evaluator, IndexVariableSelectsTheTargetElement) {
  auto compiled = runBody("float a[4]; int i = 0; while (i < 4) { a[i] = i * 10; i = i + 1; }");
  for (uint32_t k = 0; k < 4; ++k) EXPECT_EQ(compiled->f("a", k), k * 10.0f);
}

TEST(Evaluator, DeclarationsInsideLoopsRunEveryPass) {
  auto compiled = runBody(
      "float n = 0; float sum = 0; while (n < 3) { float t = 0; t = t + 1; sum = sum + t; n = n + 1; }");
  EXPECT_EQ(compiled->f("sum"), 3);
}

TEST(Evaluator, WhileRunsExactlyAsOftenAsItsConditionHolds) {
  auto compiled = runBody("int c = 0; float runs = 0; while (c < 7) { c = c + 1; runs = runs + 1; }");
  EXPECT_EQ(compiled->f("runs"), 7);
}

TEST(Evaluator, NotANumberOnlySatisfiesNotEqual) {
  auto compiled = runBody(
      "float z; float x = 0 / z; float y = 1; float ne; float eq; float lt; float ge;"
      "if (x != y) { ne = 1; } if (x == x) { eq = 1; } if (x < y) { lt = 1; } if (x >= y) { ge = 1; }");
  EXPECT_EQ(compiled->f("ne"), 1);
  EXPECT_EQ(compiled->f("eq"), 0);
  EXPECT_EQ(compiled->f("lt"), 0);
  EXPECT_EQ(compiled->f("ge"), 0);
}

TEST(Evaluator, ConditionOperandsOfOtherKindsReadAsZero) {
  auto compiled = runBody("vec3 v = 5; float hit; if (v == 0) { hit = 1; }");
  EXPECT_EQ(compiled->f("hit"), 1);
}

TEST(Evaluator, ValuesPersistAcrossRuns) {
  CompiledScript compiled;
  declareEffectVariables(compiled.script, 2, 5, {1.5f}, "screen");
  compiled.compile("float t = 0; t = t + timeStep; float local = time - start; float p = paramIn0;");
  compiled.run();
  runFramePrologue(compiled.script, 3, 0.5f);
  runFramePrologue(compiled.script, 4, 1);
  EXPECT_EQ(compiled.i("frame"), 2);
  EXPECT_EQ(compiled.f("t"), 1);  // the declaration resets t every run
  EXPECT_EQ(compiled.f("local"), 2);
  EXPECT_EQ(compiled.f("p"), 1.5f);
  EXPECT_EQ(compiled.f("length"), 3);
  EXPECT_EQ(compiled.variable("textureOut").list->textureNames.at(0), "screen");
}

TEST(Evaluator, BareCallsKeepOnlyTheirSideEffects) {
  auto compiled = runBody("srand(5) + 3; float r = randf();");
  std::unique_ptr<CompiledScript> reference = runBody("srand(5); float r = randf();");
  EXPECT_EQ(compiled->f("r"), reference->f("r"));
}

TEST(Evaluator, RunawayLoopStopsWithARuntimeError) {
  CompiledScript compiled;
  compiled.script.definitionName = "spin.txt";
  compiled.compile("float a;\n\nwhile (a < 1) {\n a = a * 1;\n}");
  try {
    compiled.run();
    FAIL() << "the loop guard did not stop the loop";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.caption, "RUNTIME EFFECT ERROR");
    EXPECT_NE(error.text.find("line 3"), std::string::npos);
    EXPECT_NE(error.text.find("spin.txt"), std::string::npos);
  }
}

TEST(Evaluator, LoopGuardCountsInnerLoopPassesOverTheWholeRun) {
  setLoopIterationLimit(1000);
  CompiledScript compiled;
  compiled.compile("int a; int b; while (a < 100) { a = a + 1; b = 0; while (b < 20) { b = b + 1; } }");
  EXPECT_THROW(compiled.run(), ScriptError);  // 2000 inner passes in one run
  CompiledScript fits;
  fits.compile("int a; int b; while (a < 40) { a = a + 1; b = 0; while (b < 20) { b = b + 1; } }");
  EXPECT_NO_THROW(fits.run());
  EXPECT_NO_THROW(fits.run());  // 800 inner passes per run
  setLoopIterationLimit(kMaxLoopIterations);
}

TEST(Evaluator, LoopGuardCountsEachRunSeparately) {
  // 600 passes per run, twice, under a limit of 1000: each run stays under it.
  setLoopIterationLimit(1000);
  auto compiled = runBody("int i = 0; while (i < 600) { i = i + 1; }");
  EXPECT_NO_THROW(runScript(compiled->script));
  EXPECT_EQ(compiled->i("i"), 600);
  setLoopIterationLimit(kMaxLoopIterations);
}

class CurveScript : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() / ("velmira_curve_" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(directory_);
    std::ofstream("line.crv") << "0,0,0,0,0,0\n0,1,0,1,0,0\n0,2,0,2,0,0\n0,3,0,3,0,0\n0,4,0,4,0,0\n";
    std::ofstream("up.crv") << "0,0,0,0,0,0\n0,1,0,0,1,0\n0,2,0,0,2,0\n0,3,0,0,3,0\n0,4,0,0,4,0\n";
    std::ofstream("short.crv") << "0,0,0,0,0,0\n0,1,0,1,0,0\n";
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(directory_);
  }
  std::filesystem::path directory_, previous_;
};

TEST_F(CurveScript, ReferenceSelectsTheCurveModuloTheListCount) {
  auto compiled = runBody(
      "curve c = \"line.crv\", \"up.crv\"; vec3 p = curvePos(c[2], 2); vec3 q = curvePos(c[1], 2);"
      "vec3 t = curveTan(c[1], 2);");
  EXPECT_EQ(compiled->variable("c").list->count, 2u);
  EXPECT_EQ(compiled->f("p", 0, 0), 2);  // entry 2 mod 2 = 0, along x
  EXPECT_EQ(compiled->f("q", 0, 1), 2);  // entry 1, along y
  EXPECT_EQ(compiled->variable("c").targetIndex, 1u);
  EXPECT_FLOAT_EQ(compiled->f("t", 0, 1), 1);
}

TEST_F(CurveScript, EmptyOrShortCurvesLeaveTheAccumulator) {
  auto compiled = runBody(
      "curve e; curve s = \"short.crv\", \"missing.crv\"; vec3 p = 4 curvePos(e, 1); "
      "vec3 q = 5 curvePos(s[1], 1); vec3 r = 6 curveTan(s, 1); vec3 n = 7 curvePos(2, 1);");
  EXPECT_EQ(compiled->f("p", 0, 2), 4);
  EXPECT_EQ(compiled->f("q", 0, 2), 5);
  EXPECT_EQ(compiled->f("r", 0, 2), 6);
  EXPECT_EQ(compiled->f("n", 0, 2), 7);
}

}  // namespace
