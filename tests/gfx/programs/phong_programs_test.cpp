// Both phong pairs drawn on a rotated, bump-mapped plane under a perspective
// camera, compared with their formulas evaluated per pixel on the CPU.
//
// The plane faces the camera at eye depth -2, so every vertex output is
// affine across the screen and the CPU can rebuild each pixel's
// interpolated inputs exactly.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/math.h"
#include "gl_test_support.h"

namespace {

const float kPlaneDepth = -2.0f;
const float kRotationDegrees = 30.0f;
const float kHalfSize = 2.0f;  // object-space half size of the plane
const Vec3 kTangent = {0.8f, 0.6f, 0.0f};

// What the vertex program hands to the fragment program at one pixel.
struct PixelInputs {
  float u = 0, v = 0;  // vertex texture coordinates (unscaled)
  Vec3 eye;            // texcoord[1]
  Vec3 toLight;        // texcoord[2]
  Vec3 normal;         // texcoord[3]
  Vec3 tangent;        // texcoord[4]
  Vec3 view;           // texcoord[5]
};

struct Scene {
  float projection[16] = {};
  Vec3 light;  // eye space

  PixelInputs inputsAt(int x, int y) const {
    PixelInputs in;
    const float* p = projection;
    // Invert the projection on the plane z = kPlaneDepth (w_clip = -z).
    const float w = -kPlaneDepth;
    in.eye = {(pixelToNdc(x) * w - p[8] * kPlaneDepth) / p[0],
              (pixelToNdc(y) * w - p[9] * kPlaneDepth) / p[5], kPlaneDepth};
    const float angle = kRotationDegrees * static_cast<float>(M_PI) / 180.0f;
    const float c = std::cos(angle), s = std::sin(angle);
    const Vec3 object = {c * in.eye.x + s * in.eye.y, -s * in.eye.x + c * in.eye.y, 0.0f};
    in.u = (object.x + kHalfSize) / (2 * kHalfSize);
    in.v = (object.y + kHalfSize) / (2 * kHalfSize);
    in.toLight = light - in.eye;
    in.normal = {0, 0, 1};
    in.tangent = {c * kTangent.x - s * kTangent.y, s * kTangent.x + c * kTangent.y, kTangent.z};
    const Vec3 eyeInObject = {0, 0, -kPlaneDepth};
    const Vec3 view = eyeInObject - object;
    const Vec3 objectNormal = {0, 0, 1};
    const Vec3 binormal = cross(objectNormal, kTangent);
    in.view = {dot(view, kTangent), dot(view, binormal), dot(view, objectNormal)};
    return in;
  }
};

void setEnv(GLenum target, GLuint index, Float4 v) { setProgramEnv(target, index, v.r, v.g, v.b, v.a); }

Float4 sampleAt(const TestImage& image, float u, float v) { return image.sample(u, v); }

// The bump-tilted normal: N + T * s.x + (N x T) * s.y, normalised.
Vec3 bumpNormal(const PixelInputs& in, Float4 bumpTexel, float amount) {
  const Vec3 N = normalize(in.normal);
  const Vec3 T = normalize(in.tangent);
  const Float4 s = (bumpTexel - splat(0.5f)) * amount;
  return normalize(N + T * s.r + cross(N, T) * s.g);
}

class PhongPrograms : public testing::Test {
 protected:
  void SetUp() override { resetTestState(); }

  // Sets the camera, binds the pair and draws the plane.
  Scene drawPlane(const GpuProgramPair& pair, Vec3 light, double frustumLeft) {
    glMatrixMode(GL_PROJECTION);
    glFrustum(frustumLeft, frustumLeft + 1.0, -0.5, 0.5, 1, 10);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0, 0, kPlaneDepth);
    glRotatef(kRotationDegrees, 0, 0, 1);
    Scene scene;
    glGetFloatv(GL_PROJECTION_MATRIX, scene.projection);
    scene.light = light;
    setEnv(GL_VERTEX_PROGRAM_ARB, 0, {light.x, light.y, light.z, 1});
    bindGpuPrograms(pair);
    glColor4f(kTangent.x, kTangent.y, kTangent.z, 1);
    glNormal3f(0, 0, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-kHalfSize, -kHalfSize);
    glTexCoord2f(1, 0);
    glVertex2f(kHalfSize, -kHalfSize);
    glTexCoord2f(1, 1);
    glVertex2f(kHalfSize, kHalfSize);
    glTexCoord2f(0, 1);
    glVertex2f(-kHalfSize, kHalfSize);
    glEnd();
    unbindGpuPrograms();
    return scene;
  }

  // Red and green slopes around 0.5, blue heights spread over 0..1.
  TestImage bump_ = makeNoiseImage(4, 4, 3, 0.15f, 0.85f);
  TestImage color_ = makeNoiseImage(4, 4, 9, 0.1f, 0.9f);
  TestImage specularMap_ = makeNoiseImage(4, 4, 29, 0.2f, 1.0f);
  TestImage environmentMap_ = makeNoiseImage(4, 4, 37, 0.0f, 1.0f);
};

struct PhongParameters {
  Float4 diffuse = {0.9f, 0.7f, 0.5f, 1.0f};
  Float4 specular = {1.0f, 0.9f, 0.8f, 0.7f};
  Float4 shine = {6.0f, 1.2f, 0.5f, 0.1f};  // power, pre-multiplier, add, texture add
  Float4 bump = {0.8f, 0.9f, 0.08f, -0.03f};  // amount, texture mul, parallax depth, bias
  Float4 texScale = {1.5f, 0.75f, 1, 1};
};

struct PhongResult {
  Float4 color;
  float specular = 0;  // the specular term before colouring, for coverage checks
  float diffuse = 0;   // N' . L
};

PhongResult phong(const PixelInputs& in, const PhongParameters& k, const TestImage& bump,
                  const TestImage& color) {
  const float u0 = in.u * k.texScale.r, v0 = in.v * k.texScale.g;
  const Vec3 P = normalize(in.view);
  const float h = sampleAt(bump, u0, v0).b * k.bump.b + k.bump.a;
  const float u = h * P.x + u0, v = h * P.y + v0;
  const Vec3 N = bumpNormal(in, sampleAt(bump, u, v), k.bump.r);
  const Vec3 E = normalize(in.eye);
  const Vec3 L = normalize(in.toLight);
  const float d = dot(N, L);
  const Vec3 R = N * (2 * d) - L;
  const float r = dot(R, E);
  const float ky = saturate(r * k.shine.g);
  const float highlight = std::pow(ky, k.shine.r);
  const Float4 specularTerm = saturate(k.specular * highlight);
  const Float4 c = (sampleAt(color, u, v) * k.bump.g + k.shine.a) * k.diffuse;
  return {saturate(specularTerm * k.shine.b + saturate(c * d + specularTerm)), highlight, d};
}

}  // namespace

TEST_F(PhongPrograms, PhongLitFromTheFrontAndFromBehindTheSurface) {
  // In front: diffuse only. Behind the plane: the reflected light vector
  // meets the eye vector (the highlight) while the diffuse term turns
  // negative.
  for (const Vec3 light : {Vec3{1.0f, 0.5f, 0.0f}, Vec3{0.6f, 0.3f, -4.0f}}) {
    resetTestState();
    PhongParameters k;
    setEnv(GL_VERTEX_PROGRAM_ARB, 1, k.texScale);
    setEnv(GL_FRAGMENT_PROGRAM_ARB, 0, k.diffuse);
    setEnv(GL_FRAGMENT_PROGRAM_ARB, 1, k.specular);
    setEnv(GL_FRAGMENT_PROGRAM_ARB, 2, k.shine);
    setEnv(GL_FRAGMENT_PROGRAM_ARB, 3, k.bump);
    bindImage(0, bump_);
    bindImage(1, color_);
    const Scene scene = drawPlane(gpuPrograms.phong, light, -0.5);
    int highlighted = 0, unlit = 0;
    expectPixels(
        readTarget(),
        [&](int x, int y) {
          const PhongResult expected = phong(scene.inputsAt(x, y), k, bump_, color_);
          if (expected.specular > 0.05f && expected.specular < 0.95f) ++highlighted;
          if (expected.diffuse < 0) ++unlit;
          return expected.color;
        },
        kPixelTolerance, "phong");
    if (light.z < kPlaneDepth) {
      EXPECT_GT(highlighted, 20) << "the case must show the highlight's falloff";
      EXPECT_GT(unlit, 20);
    } else {
      EXPECT_EQ(unlit, 0);
    }
  }
}

namespace {

struct SpecularMapParameters {
  Float4 diffuse = {0.8f, 0.6f, 0.5f, 1.0f};
  Float4 specular = {0.9f, 1.0f, 0.7f, 1.0f};
  Float4 shine = {5.0f, 0.0f, 0.6f, 0.05f};
  Float4 bump = {0.9f, 0.8f, 0.07f, -0.02f};
  Float4 environment = {0.4f, 0.7f, 0.3f, -0.2f};  // amount, texture amount, position x, y
  Float4 ambient = {0.15f, 0.1f, 0.2f, 1.0f};
  Float4 colorTransform = {1.2f, 0.9f, 0.05f, -0.1f};
  Float4 bumpTransform = {0.8f, 1.1f, 0.1f, 0.0f};
  Float4 specularTransform = {1.0f, 0.7f, -0.05f, 0.2f};
  Float4 environmentTransform = {0.9f, 1.3f, 0.1f, -0.15f};
};

struct ProjectionRows {
  Vec3 row[3];
};

ProjectionRows rowsOf(const float* p) {
  ProjectionRows rows;
  for (int i = 0; i < 3; ++i) rows.row[i] = {p[i], p[4 + i], p[8 + i]};
  return rows;
}

PhongResult phongWithSpecularMap(const PixelInputs& in, const float* projection,
                                 const SpecularMapParameters& k, const TestImage& bump,
                                 const TestImage& color, const TestImage& specularMap,
                                 const TestImage& environmentMap) {
  const Vec3 P = normalize(in.view);
  auto shifted = [&](Float4 transform, float& u, float& v) {
    const float tu = in.u * transform.r + transform.b;
    const float tv = in.v * transform.g + transform.a;
    const float h = sampleAt(bump, tu, tv).b * k.bump.b + k.bump.a;
    u = h * P.x + tu;
    v = h * P.y + tv;
  };
  float colorU, colorV, bumpU, bumpV, specularU, specularV;
  shifted(k.colorTransform, colorU, colorV);
  shifted(k.bumpTransform, bumpU, bumpV);
  shifted(k.specularTransform, specularU, specularV);
  const Vec3 N = bumpNormal(in, sampleAt(bump, bumpU, bumpV), k.bump.r);
  const Float4 m = sampleAt(specularMap, specularU, specularV);

  const ProjectionRows proj = rowsOf(projection);
  const Vec3 E = normalize(in.eye);
  const float qx = dot(proj.row[0], E);
  const float qy = dot(proj.row[1], E * -1.0f);
  const Vec3 L = normalize(in.toLight);
  float ex = dot(proj.row[0], N) + qx * k.environment.b;
  float ey = dot(proj.row[1], N) + qy * k.environment.a;
  ey *= 0.5f;
  ex = ex * k.environmentTransform.r + k.environmentTransform.b;
  ey = ey * k.environmentTransform.g + k.environmentTransform.a;
  const Float4 env = sampleAt(environmentMap, ex * 0.5f + 0.5f, ey * 0.5f + 0.5f) * m;

  const float d = dot(N, L);
  const Vec3 R = E - N * (2 * dot(E, N));
  const float r = saturate(dot(R, L)) * (0.5f + 0.5f * m.r);
  const float highlight = saturate(std::pow(r, k.shine.r));
  const Float4 specularTerm = saturate(k.specular * highlight);

  const Float4 c0 = sampleAt(color, colorU, colorV);
  const Float4 envTex = c0 * k.environment.g * env;
  const Float4 c = c0 * k.bump.g + k.shine.a;
  const Float4 amb = c * k.ambient;
  Float4 out = saturate(specularTerm * k.shine.b + saturate(c * k.diffuse * d + specularTerm)) +
               (env * k.environment.r + envTex) + amb;
  out.a = 1.0f;
  return {out, highlight, d};
}

}  // namespace

TEST_F(PhongPrograms, PhongWithSpecularMapEnvironmentAndAmbient) {
  // An off-centre frustum gives the projection rows a z term the
  // environment lookup must carry.
  SpecularMapParameters k;
  const Float4 env[] = {k.diffuse,         k.specular,        k.shine,
                        k.bump,            k.environment,     k.ambient,
                        k.colorTransform,  k.bumpTransform,   k.specularTransform,
                        k.environmentTransform};
  for (GLuint i = 0; i < 10; ++i) setEnv(GL_FRAGMENT_PROGRAM_ARB, i, env[i]);
  bindImage(0, bump_);
  bindImage(1, color_);
  bindImage(2, specularMap_);
  bindImage(3, environmentMap_);
  const Scene scene = drawPlane(gpuPrograms.phongSpecularMap, {0.3f, 0.4f, -0.8f}, -0.4);
  int highlighted = 0;
  expectPixels(
      readTarget(),
      [&](int x, int y) {
        const PhongResult expected =
            phongWithSpecularMap(scene.inputsAt(x, y), scene.projection, k, bump_, color_,
                                 specularMap_, environmentMap_);
        if (expected.specular > 0.05f && expected.specular < 0.95f) ++highlighted;
        return expected.color;
      },
      kPixelTolerance, "phong with specular map");
  EXPECT_GT(highlighted, 20) << "the case must show the highlight's falloff";
}
