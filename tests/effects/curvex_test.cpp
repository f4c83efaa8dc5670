// The curve and mesh kind: the line's vertices (caught in GL feedback mode)
// against the curve sampled on the CPU, and the box kind drawing the same
// picture as curvex from the same definition.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/phong_kind_definitions.h"
#include "gfx/curve.h"
#include "gfx/gl.h"
#include "script/error.h"
#include "support/effect_harness.h"
#include "support/temp_dir.h"

namespace {

// An open curve of four points: the line runs over the segment from (-1, 0, 0)
// to (1, 0, 0); the far fourth point makes the end of the segment steep, so
// stopping at t = 0.9998 instead of 1 is visible.
const char* const kCurveFile =
    "0, 0, 0, -3, 0, 0\n0, 1, 0, -1, 0, 0\n0, 2, 0, 1, 0.5, 0\n0, 3, 0, 40, 0, 0\n";

std::string definition(const std::string& kind, const std::string& mesh, const std::string& curve) {
  return "code = " + kind + "\nmesh curvexMesh = \"" + mesh + "\";\n" + kCameraOnZ +
         "int meshNormalInv = 1;\n" + kShadingBlock + kPlacementAtOrigin +
         "curve kurvi = \"" + curve + "\";\n";
}

struct WindowPoint {
  double x = 0, y = 0;
};

// The line segments the effect draws in one frame, as window coordinates.
std::vector<std::pair<WindowPoint, WindowPoint>> captureLines(Effect& effect) {
  std::vector<GLfloat> buffer(200000);
  glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  renderFrame(effect, 1.0f);
  const int used = glRenderMode(GL_RENDER);
  std::vector<std::pair<WindowPoint, WindowPoint>> lines;
  for (int i = 0; i < used;) {
    const auto token = GLenum(buffer[i]);
    if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      lines.push_back({{buffer[i + 1], buffer[i + 2]}, {buffer[i + 4], buffer[i + 5]}});
      i += 7;
    } else if (token == GL_POLYGON_TOKEN) {
      i += 2 + int(buffer[i + 1]) * 3;
    } else {
      i += token == GL_PASS_THROUGH_TOKEN || token == GL_POINT_TOKEN ? 4 : 1;
    }
  }
  return lines;
}

WindowPoint project(const Vec3& p) {
  GLdouble modelView[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  WindowPoint out;
  double z = 0;
  gluProject(p.x, p.y, p.z, modelView, projection, viewport, &out.x, &out.y, &z);
  return out;
}

Vec3 curveAt(float t) {
  Curve curve;
  for (const Vec3& p : {Vec3{-3, 0, 0}, Vec3{-1, 0, 0}, Vec3{1, 0.5f, 0}, Vec3{40, 0, 0}}) {
    curve.points.push_back(p);
    curve.keys.push_back({});
  }
  Vec3 out;
  curvePoint(curve, t, out);
  return out;
}

int litPixels(const Frame& frame) {
  int count = 0;
  for (const Rgba8& pixel : frame.pixels) count += pixel.r + pixel.g + pixel.b > 30;
  return count;
}

}  // namespace

class Curvex : public EffectTest {};

TEST_F(Curvex, LineRunsFromTheStartOfTheCurveToJustShortOfItsEnd) {
  TempDir dir;
  writeFile("line.txt", kCurveFile);
  auto effect = loadTestEffect(definition("curvex", "none.lwo", "line.txt"));
  const auto lines = captureLines(*effect);
  ASSERT_EQ(lines.size(), 4999u);  // one strip of 5000 points
  const WindowPoint first = project(curveAt(0)), last = project(curveAt(0.9998f)),
                    end = project(curveAt(1));
  EXPECT_NEAR(lines.front().first.x, first.x, 1e-3);
  EXPECT_NEAR(lines.front().first.y, first.y, 1e-3);
  EXPECT_NEAR(lines.back().second.x, last.x, 1e-3);
  EXPECT_NEAR(lines.back().second.y, last.y, 1e-3);
  // Far apart compared with the precision the positions are checked to.
  EXPECT_GT(std::hypot(end.x - last.x, end.y - last.y), 0.02);
}

TEST_F(Curvex, CurveWithoutPointsDrawsNoLine) {
  TempDir dir;
  auto effect = loadTestEffect(definition("curvex", "none.lwo", "missing.txt"));
  EXPECT_TRUE(captureLines(*effect).empty());
}

// A mesh list without an entry draws no mesh; the curve's line is still drawn.
TEST_F(Curvex, WithoutAMeshOnlyTheLineIsDrawn) {
  TempDir dir;
  writeFile("line.txt", kCurveFile);
  std::string text = definition("curvex", "none.lwo", "line.txt");
  text.replace(text.find("mesh curvexMesh = \"none.lwo\";"), 29, "mesh curvexMesh;");
  auto effect = loadTestEffect(text);
  EXPECT_EQ(captureLines(*effect).size(), 4999u);
  renderFrame(*effect, 1.0f);
  EXPECT_GT(litPixels(readFrame()), 0);
}

TEST_F(Curvex, BoxDrawsTheSamePictureFromTheSameDefinition) {
  InShowFolder inShow;
  std::vector<Rgba8> ramp;
  for (int i = 0; i < 64 * 64; ++i) ramp.push_back({uint8_t(i % 64 * 4), uint8_t(i / 64 * 4), 90, 255});
  setPoolTexture("ramp", 64, 64, ramp);
  Frame frames[2];
  const char* kinds[] = {"curvex", "box"};
  for (int i = 0; i < 2; ++i) {
    auto effect = loadTestEffect(definition(kinds[i], "quarno/meshes/paeae4.lwo", "curves/halo.txt"));
    renderFrame(*effect, 2.0f);
    frames[i] = readFrame();
  }
  EXPECT_GT(litPixels(frames[0]), 100);
  ASSERT_EQ(frames[0].pixels.size(), frames[1].pixels.size());
  for (size_t i = 0; i < frames[0].pixels.size(); ++i) {
    const Rgba8 &a = frames[0].pixels[i], &b = frames[1].pixels[i];
    ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a) << "pixel " << i;
  }
}
