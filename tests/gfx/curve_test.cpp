#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "gfx/curve.h"
#include "gfx/curve_file.h"

namespace {

Curve parseText(const std::string& text) {
  return parseCurve({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

// Points along x at 0, 1, 2, ... with keys equal to their index.
Curve straightCurve(int n, bool closed = false, bool keyedX = false) {
  Curve curve;
  for (int i = 0; i < n; ++i) {
    curve.points.push_back({float(i), float(i * i), 0});
    curve.keys.push_back({float(i), 0, 0});
  }
  curve.closed = closed;
  curve.keyedX = keyedX;
  return curve;
}

TEST(CurveFile, ReadsPointsKeysAndModes) {
  const Curve curve = parseText(
      "2\r\n0, 1.5, 0.25, 1, 2, 3\n0,2,0,4\nnot,a,line\n1,2\n0,3,0,7,8,9,10,11\n0,4,0,1,1,1");
  ASSERT_EQ(curve.points.size(), 4u);  // the last line counts without a line feed
  EXPECT_EQ(curve.keys[0].time, 1.5f);
  EXPECT_EQ(curve.keys[0].tension, 0.25f);
  EXPECT_EQ(curve.points[0].z, 3);
  EXPECT_EQ(curve.points[1].x, 4);
  EXPECT_EQ(curve.points[1].y, 0);  // slots are zeroed for every line
  EXPECT_EQ(curve.points[2].z, 9);
  EXPECT_TRUE(curve.keyedX);
  EXPECT_FALSE(curve.closed);
}

TEST(CurveFile, ModeLineTruncates) {
  EXPECT_TRUE(parseText("1.9\n0,0,0,0\n0,1,0,0\n0,2,0,0\n0,3,0,0\n").closed);
  const Curve other = parseText("3\n0,0,0,0\n0,1,0,0\n0,2,0,0\n0,3,0,0\n");
  EXPECT_FALSE(other.closed);
  EXPECT_FALSE(other.keyedX);
}

TEST(CurveFile, FewerThanFourPointsGiveAnEmptyCurve) {
  const Curve curve = parseText("0,0,0,1,1,1\n0,1,0,2,2,2\n0,2,0,3,3,3\n");
  EXPECT_TRUE(curve.points.empty());
  Vec3 out{7, 7, 7};
  EXPECT_FALSE(curvePoint(curve, 0.5f, out));
  EXPECT_FALSE(curvePosition(curve, 0.5f, out));
  EXPECT_FALSE(curveTangent(curve, 0.5f, out));
  EXPECT_EQ(out.x, 7);
  EXPECT_TRUE(loadCurve("no/such/curve.txt").points.empty());
}

TEST(Curve, OpenCurveEnds) {
  const Curve curve = straightCurve(6);
  Vec3 out;
  ASSERT_TRUE(curvePoint(curve, 0, out));
  EXPECT_EQ(out.x, 1);
  EXPECT_EQ(out.y, 1);
  ASSERT_TRUE(curvePoint(curve, 1, out));  // must not read past the array
  EXPECT_EQ(out.x, 4);
  EXPECT_EQ(out.y, 16);
}

TEST(Curve, ClosedCurveRepeats) {
  Curve curve = straightCurve(4, true);
  Vec3 a, b;
  curvePoint(curve, 0.3f, a);
  curvePoint(curve, 1.3f, b);
  EXPECT_FLOAT_EQ(a.x, b.x);
  EXPECT_FLOAT_EQ(a.y, b.y);
  curvePoint(curve, 0, a);
  EXPECT_EQ(a.x, 1);  // P1 of the first segment
}

TEST(Curve, FullTensionHasZeroEndTangents) {
  Curve curve = straightCurve(4);
  for (auto& key : curve.keys) key.tension = 1;
  curve.points = {{0, 0, 0}, {1, 0, 0}, {5, 0, 0}, {9, 0, 0}};
  Vec3 out;
  curvePoint(curve, 0.5f, out);  // c = 0.5: P1 + c^2 (-3 P1 + 3 P2) + c^3 (2 P1 - 2 P2)
  EXPECT_FLOAT_EQ(out.x, 1 + 0.25f * (-3 + 15) + 0.125f * (2 - 10));
}

TEST(Curve, PositionAtAKeyIsThePoint) {
  const Curve curve = straightCurve(6);
  Vec3 out;
  for (int i = 2; i < 5; ++i) {
    ASSERT_TRUE(curvePosition(curve, float(i), out));
    EXPECT_FLOAT_EQ(out.x, float(i)) << i;
    EXPECT_FLOAT_EQ(out.y, float(i * i)) << i;
  }
  curvePosition(curve, 0.5f, out);  // rests at points[1] before K[1]
  EXPECT_EQ(out.y, 1);
  curvePosition(curve, 4.9f, out);  // rests at points[n - 2] after K[n - 2]
  EXPECT_EQ(out.y, 16);
}

TEST(Curve, PositionWrapsIntoOnePeriod) {
  const Curve curve = straightCurve(6);
  Vec3 a, b;
  curvePosition(curve, 2.5f, a);
  curvePosition(curve, 7.5f, b);  // last key 5
  EXPECT_FLOAT_EQ(a.y, b.y);
}

TEST(Curve, KeyedXFollowsTheKeys) {
  Curve curve = straightCurve(6, false, true);
  for (auto& point : curve.points) point.x = 100;
  Vec3 out;
  curvePosition(curve, 2.25f, out);
  EXPECT_FLOAT_EQ(out.x, 2.25f);
}

TEST(Curve, TangentIsAUnitVector) {
  const Curve curve = straightCurve(6);
  Vec3 t;
  ASSERT_TRUE(curveTangent(curve, 2.5f, t));
  EXPECT_NEAR(vecLength(t), 1, 1e-5);
  EXPECT_GT(t.x, 0);
  EXPECT_GT(t.y, 0);
  curveTangent(curve, 0.3f, t);  // resting at points[1]
  EXPECT_EQ(t.x, 0);
  EXPECT_EQ(t.y, 0);
}

TEST(Curve, ShortAndOddCurvesStayInTheArray) {
  Vec3 out;
  const Curve one = straightCurve(1);
  EXPECT_TRUE(curvePoint(one, 0.5f, out));
  EXPECT_TRUE(curvePosition(one, -3, out));
  const Curve open = straightCurve(5);
  EXPECT_TRUE(curvePoint(open, -2, out));
  EXPECT_TRUE(curvePoint(open, 7, out));
  EXPECT_TRUE(curvePoint(open, std::nanf(""), out));
  const Curve closed = straightCurve(5, true);
  EXPECT_TRUE(curvePoint(closed, -0.75f, out));
  EXPECT_TRUE(curvePosition(closed, -1, out));
}

}  // namespace
