// The built-in functions, evaluated through compiled statements.
#include <cmath>

#include "gfx/random.h"
#include "script_test_support.h"

namespace {

float eval(const std::string& expression, const std::string& declarations = "") {
  auto compiled = runBody(declarations + "float result = " + expression + ";");
  return compiled->f("result");
}

TEST(Builtins, ScalarBuiltinsFoldIntoTheAccumulator) {
  EXPECT_FLOAT_EQ(eval("sin(0.5)"), std::sin(0.5f));
  EXPECT_FLOAT_EQ(eval("2 * cos(0)"), 2);
  EXPECT_FLOAT_EQ(eval("10 - sqrt(16)"), 6);
  EXPECT_TRUE(std::isnan(eval("sqrt(0 - 1)")));
}

TEST(Builtins, ModTruncatesTowardZero) {
  EXPECT_FLOAT_EQ(eval("mod(0 - 1.25)"), -0.25f);
  EXPECT_FLOAT_EQ(eval("mod(3.75)"), 0.75f);
}

TEST(Builtins, PowKeepsTheSign) {
  EXPECT_FLOAT_EQ(eval("pow(0 - 8, 1 / 3)"), -2);
  EXPECT_EQ(eval("pow(0, 0)"), -1);
  EXPECT_EQ(eval("pow(2, 3)"), 8);
}

TEST(Builtins, AtanCoversMinusHalfPiToThreeHalvesPi) {
  EXPECT_FLOAT_EQ(eval("atan(1, 0 - 1)"), float(std::atan(-1.0) + 3.1415927f));
  EXPECT_EQ(eval("atan(0 - 1, 0)"), -1.5707964f);
  EXPECT_EQ(eval("atan(0, 0)"), 1.5707964f);
  EXPECT_FLOAT_EQ(eval("atan(0 - 1, 0 - 1)"), float(std::atan(1.0) + 3.1415927f));
  EXPECT_EQ(eval("atan(n, 0)", "float z; float n = 0 / z;"), -1.5707964f);
}

TEST(Builtins, UnitIsAStep) {
  EXPECT_EQ(eval("unit(0)"), 1);
  EXPECT_EQ(eval("unit(0 - 0.001)"), 0);
}

TEST(Builtins, RampsAndPulses) {
  EXPECT_EQ(eval("linearOn(0 - 1, 2)"), 0);
  EXPECT_EQ(eval("linearOn(0.5, 2)"), 0.25f);
  EXPECT_EQ(eval("linearOn(2, 2)"), 1);
  EXPECT_EQ(eval("linearOn(0, 0)"), 1);
  EXPECT_EQ(eval("linearOn(0 - 0.1, 0)"), 0);
  EXPECT_EQ(eval("linearOff(0.5, 2)"), 0.75f);
  const float pulse[][2] = {{-0.5f, 0}, {0.5f, 0.5f}, {1, 1}, {2, 1}, {3, 1}, {3.5f, 0.5f}, {4, 0}, {5, 0}};
  for (const auto& [t, expected] : pulse)
    EXPECT_FLOAT_EQ(eval("linearPulse(t, 1, 3, 1)", "float t = " + std::to_string(t) + ";"), expected)
        << t;
}

TEST(Builtins, SmoothShapes) {
  EXPECT_EQ(eval("smooth(0)"), 0);
  EXPECT_EQ(eval("smooth(1)"), 1);
  EXPECT_FLOAT_EQ(eval("smooth(0.5)"), 0.5f);
  EXPECT_EQ(eval("smoothOn(0, 2)"), 0);
  EXPECT_EQ(eval("smoothOn(2, 2)"), 1);
  EXPECT_EQ(eval("smoothOff(0, 2)"), 1);
  EXPECT_EQ(eval("smoothOff(2, 2)"), 0);
  EXPECT_EQ(eval("smoothPulse(2, 1, 3, 1)"), 0);  // where linearPulse is 1
  EXPECT_EQ(eval("smoothPulse(0 - 1, 1, 3, 1)"), 1);
}

TEST(Builtins, RandomSequence) {
  auto compiled = runBody("srand(1); float a = randf(); float b = randf(); float c = randfs();");
  EXPECT_EQ(compiled->f("a"), 41 * 3.0518509e-05f);
  EXPECT_EQ(compiled->f("b"), 18467 * 3.0518509e-05f);
  EXPECT_FLOAT_EQ(compiled->f("c"), (6334 * 3.0518509e-05f - 0.5f) * 2);
  seedRandom(1);
  EXPECT_EQ(nextRandom(), 41);
  EXPECT_EQ(nextRandom(), 18467);
  EXPECT_EQ(nextRandom(), 6334);
}

TEST(Builtins, ArgumentsAreEvaluatedInOrder) {
  auto compiled = runBody("srand(1); vec3 v = vec3(randf(), randf(), randf()) * 32767;");
  EXPECT_FLOAT_EQ(compiled->f("v", 0, 0), 41);
  EXPECT_FLOAT_EQ(compiled->f("v", 0, 1), 18467);
  EXPECT_FLOAT_EQ(compiled->f("v", 0, 2), 6334);
}

TEST(Builtins, SrandLeavesTheAccumulator) {
  auto compiled = runBody("float x = 5 srand(7);");
  EXPECT_EQ(compiled->f("x"), 5);
}

TEST(Builtins, VectorConstructorsAndScalarsUnderVectorTargets) {
  auto compiled = runBody("vec3 a = vec3(1, 2, 3); vec3 s = sin(0.5); vec4 q = vec4(1, 2, 3, 4) * 2;"
                          "vec2 h = 1 + vec2(3, 4);");
  EXPECT_EQ(compiled->f("a", 0, 2), 3);
  EXPECT_EQ(compiled->f("s", 0, 0), std::sin(0.5f));
  EXPECT_EQ(compiled->f("s", 0, 1), 0);
  EXPECT_EQ(compiled->f("q", 0, 3), 8);
  EXPECT_EQ(compiled->f("h", 0, 0), 4);
  EXPECT_EQ(compiled->f("h", 0, 1), 5);
}

TEST(Builtins, DotAndCrossFollowTheFirstArgumentsKind) {
  auto compiled = runBody(
      "vec3 a = vec3(1, 2, 3); vec3 b = vec3(4, 5, 6); float d = dot(a, b);"
      "vec3 c = cross(a, b); float n = 7 dot(2, a); vec2 u = vec2(1, 2); float e = dot(u, u);"
      "vec3 k = 9 cross(u, a);");
  EXPECT_EQ(compiled->f("d"), 32);
  EXPECT_EQ(compiled->f("c", 0, 0), -3);
  EXPECT_EQ(compiled->f("c", 0, 1), 6);
  EXPECT_EQ(compiled->f("c", 0, 2), -3);
  EXPECT_EQ(compiled->f("n"), 7);  // a number has no source: unchanged
  EXPECT_EQ(compiled->f("e"), 5);
  EXPECT_EQ(compiled->f("k", 0, 2), 9);  // not a vec3: unchanged
}

TEST(Builtins, RotateAboutAnAxis) {
  auto compiled = runBody(
      "vec3 v = vec3(1, 0, 0); vec3 r = rotate(v, 1.5707964, 2); vec3 z = rotate(v, 1, 5);");
  EXPECT_NEAR(compiled->f("r", 0, 0), 0, 1e-6);
  EXPECT_NEAR(compiled->f("r", 0, 1), 1, 1e-6);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(compiled->f("z", 0, k), 0);
}

}  // namespace
