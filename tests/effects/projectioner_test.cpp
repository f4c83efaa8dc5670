// The projector kind drawn on llvmpipe: a light above a floor disc throws a
// known picture onto it past a smaller disc that hangs between them. Each
// floor pixel is traced on the CPU: in the small disc's shadow it stays
// black, where the light sees it it shows the picture at the light's
// projective coordinates (added twice: the frame already holds the light's
// picture when the composition adds it).
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/shadow_map.h"
#include "script/error.h"
#include "support/effect_harness.h"
#include "tests/effects/material_kind_support.h"

namespace {

const Vec3 kLight{3, 4, 0};

std::string projectorDefinition(int lights = 1) {
  return "code = projectioner\nint numSorves = 2;\n"
         "curve sorveCurve = \"floor.txt\", \"occluder.txt\";\n"
         "curve sorveCurve2 = \"floor.txt\", \"occluder.txt\";\n"
         "curve sorveOutCurve = \"round.txt\";\ncurve sorveScaleYCurve = \"one.txt\";\n"
         "float sorveScaleYRepeat = 1;\nfloat sorveScaleYOfs;\n"
         "curve sorveRotateCenterCurve = \"zero.txt\";\nfloat sorveRotateCenterRepeat = 1;\n"
         "float sorveRotateCenterOfs;\ncurve sorveScaleCenterCurve = \"one.txt\";\n"
         "float sorveScaleCenterRepeat = 1;\nfloat sorveScaleCenterOfs;\n"
         "curve sorveMoveCurve = \"zero.txt\";\nint sorveMove;\nfloat sorveMoveRepeat;\n"
         "float sorveMoveStart;\nfloat sorveMoveEnd;\ncurve sorveMoveRotCurve = \"zero.txt\";\n"
         "float sorveMoveRotRepeat;\nfloat sorveMoveRotOfs;\nint sorveDivs = 6;\n"
         "int sorveRevols = 32;\nint sorveAxis = 1;\nint sorveTexGenMode = 3;\n"
         "float sorveAnim;\nint sorveNormalInv;\nmaterial sorveMaterial = \"flat.txt\";\n"
         "vec3 sorvePos[2];\nsorvePos[1] = vec3(0, 1, 0);\nvec3 sorveCen;\nvec3 sorveRot;\n"
         "vec3 sorveSca = vec3(1, 1, 1);\nint setCamera = 1;\nvec3 cameraPos = vec3(0, 4, 5);\n"
         "vec3 cameraLookAt;\nvec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom;\n"
         "int numLights = " + std::to_string(lights) + ";\nvec3 lightPos = vec3(3, 4, 0);\nvec3 lightColor = vec3(1, 1, 1);\n"
         "vec3 lightLookAt;\ntexture lightProjection = \"slide\";\n"
         "texture lightTexture = \"none\";\nfloat lightSize = 0;\nint renderingMode = 0;\n";
}

// R and G rise across the picture: at coordinates (s, t) it is (s, t, 0.5) / 2.
std::vector<Rgba8> gradientPicture() {
  std::vector<Rgba8> pixels;
  for (int j = 0; j < 16; ++j)
    for (int i = 0; i < 16; ++i)
      pixels.push_back({uint8_t(std::lround(127.5 * (i + 0.5) / 16)),
                        uint8_t(std::lround(127.5 * (j + 0.5) / 16)), 64, 255});
  return pixels;
}

// Where the camera ray through a window position meets the plane y = h.
Vec3 rayAtHeight(float x, float y, float h) {
  GLdouble model[16], projection[16], near[3], far[3];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  gluUnProject(x, y, 0, model, projection, viewport, &near[0], &near[1], &near[2]);
  gluUnProject(x, y, 1, model, projection, viewport, &far[0], &far[1], &far[2]);
  const Vec3 a{float(near[0]), float(near[1]), float(near[2])};
  const Vec3 b{float(far[0]), float(far[1]), float(far[2])};
  return lerp(a, b, (h - a.y) / (b.y - a.y));
}

float radius(const Vec3& p) { return std::hypot(p.x, p.z); }

// The light's projective picture coordinates of a world point.
Vec3 pictureCoordinates(const Vec3& p) {
  float clip[16];
  multiply(shadowLightProjection(0), shadowLightModelview(0), clip);
  Vec4 q{p.x, p.y, p.z, 1};
  const float x = clip[0] * q.x + clip[4] * q.y + clip[8] * q.z + clip[12];
  const float y = clip[1] * q.x + clip[5] * q.y + clip[9] * q.z + clip[13];
  const float w = clip[3] * q.x + clip[7] * q.y + clip[11] * q.z + clip[15];
  return {0.5f * x / w + 0.5f, 0.5f * y / w + 0.5f, w};
}

}  // namespace

TEST_F(EffectTest, ProjectorThrowsItsPictureWhereTheLightSeesAndNotInTheShadow) {
  TempDir folder;
  writeFlatMaterial("flat.txt");
  writeCurve("floor.txt", {{0, 0, 0}, {0, 0, 0}, {1.5f, 0, 0}, {3, 0, 0}, {3, 0, 0}});
  writeCurve("occluder.txt", {{0, 0, 0}, {0, 0, 0}, {0.5f, 0, 0}, {1, 0, 0}, {1, 0, 0}});
  std::vector<Vec3> circle;
  for (int i = 0; i < 16; ++i)
    circle.push_back({std::cos(6.2831853f * i / 16), std::sin(6.2831853f * i / 16), 0});
  writeCurve("round.txt", circle, true);
  writeCurve("one.txt", {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}});
  writeCurve("zero.txt", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
  setPoolTexture("slide", 16, 16, gradientPicture());

  auto effect = loadTestEffect(projectorDefinition());
  renderFrame(*effect, 1.0f);
  const Frame frame = readFrame();

  int shadowed = 0, lit = 0;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      const Vec3 floor = rayAtHeight(x + 0.5f, y + 0.5f, 0);
      // Pixels on the floor's rim or seen through the hanging disc are not judged.
      if (radius(floor) > 2.6f || radius(rayAtHeight(x + 0.5f, y + 0.5f, 1)) < 1.3f) continue;
      const float shadowRadius = radius(lerp(floor, kLight, 0.25f));
      const Rgba8& pixel = frame.at(x, y);
      if (shadowRadius < 0.7f) {
        EXPECT_TRUE(isBlack(pixel)) << "shadow at " << x << "," << y;
        ++shadowed;
      } else if (shadowRadius > 1.3f) {
        const Vec3 st = pictureCoordinates(floor);
        if (st.z <= 0 || st.x < 0.1f || st.x > 0.9f || st.y < 0.1f || st.y > 0.9f) continue;
        EXPECT_NEAR(pixel.r, st.x * 255, 6) << x << "," << y;
        EXPECT_NEAR(pixel.g, st.y * 255, 6) << x << "," << y;
        EXPECT_NEAR(pixel.b, 128, 6) << x << "," << y;
        ++lit;
      }
    }
  EXPECT_GT(shadowed, 5);
  EXPECT_GT(lit, 30);
}

TEST_F(EffectTest, ProjectorDrawsAtMostFourLights) {
  TempDir folder;
  writeFlatMaterial("flat.txt");
  writeCurve("floor.txt", {{0, 0, 0}, {0, 0, 0}, {1.5f, 0, 0}, {3, 0, 0}, {3, 0, 0}});
  writeCurve("occluder.txt", {{0, 0, 0}, {0, 0, 0}, {0.5f, 0, 0}, {1, 0, 0}, {1, 0, 0}});
  writeCurve("round.txt", {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}}, true);
  writeCurve("one.txt", {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}});
  writeCurve("zero.txt", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
  setPoolTexture("slide", 16, 16, gradientPicture());
  Frame frames[2];
  for (int i = 0; i < 2; ++i) {
    // The one-element light lists serve every light.
    auto effect = loadTestEffect(projectorDefinition(i == 0 ? 4 : 9));
    renderFrame(*effect, 1.0f);
    frames[i] = readFrame();
  }
  EXPECT_EQ(0, memcmp(frames[0].pixels.data(), frames[1].pixels.data(),
                      frames[0].pixels.size() * sizeof(Rgba8)));
}
