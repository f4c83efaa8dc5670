// The basic mesh kind against a CPU model of its lighting: rays through the
// pixel centres find the blob's surface, and the phong formula at the
// interpolated normal gives the colour each lit pixel must have.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "effects/phong_kind_definitions.h"
#include "gfx/frame_target.h"
#include "gfx/mesh_lwo2.h"
#include "script/error.h"
#include "support/effect_harness.h"

namespace {

constexpr int kRampSize = 64;

// Red rises along u, green along v: every texel differs from its neighbours.
void makeRampTexture() {
  std::vector<Rgba8> pixels;
  for (int y = 0; y < kRampSize; ++y)
    for (int x = 0; x < kRampSize; ++x) pixels.push_back({uint8_t(x * 4), uint8_t(y * 4), 128, 255});
  setPoolTexture("ramp", kRampSize, kRampSize, pixels);
}

// GL_LINEAR with GL_REPEAT, on one channel of the ramp.
float sampleRamp(float u, float v, int channel) {
  const float x = u * kRampSize - 0.5f, y = v * kRampSize - 0.5f;
  const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  const float fx = x - float(x0), fy = y - float(y0);
  auto texel = [&](int tx, int ty) {
    tx = ((tx % kRampSize) + kRampSize) % kRampSize;
    ty = ((ty % kRampSize) + kRampSize) % kRampSize;
    const float values[3] = {float(tx * 4), float(ty * 4), 128.0f};
    return values[channel] / 255.0f;
  };
  return (texel(x0, y0) * (1 - fx) + texel(x0 + 1, y0) * fx) * (1 - fy) +
         (texel(x0, y0 + 1) * (1 - fx) + texel(x0 + 1, y0 + 1) * fx) * fy;
}

struct SurfacePoint {
  Vec3 position;  // eye space
  Vec3 normal;    // interpolated, not normalised
  Vec3 uv;
};

Vec3 blend(const Vec3& a, const Vec3& b, const Vec3& c, float u, float v) {
  const float w = 1 - u - v;
  return {a.x * w + b.x * u + c.x * v, a.y * w + b.y * u + c.y * v, a.z * w + b.z * u + c.z * v};
}

// The nearest surface point along the ray from the eye (the origin).
std::optional<SurfacePoint> castRay(const Mesh& mesh, const Vec3& direction, const Vec3& eyeShift) {
  float nearest = 1e30f;
  std::optional<SurfacePoint> hit;
  for (const MeshTriangle& triangle : mesh.triangles) {
    const MeshVertex& a = mesh.vertices[triangle.a];
    const MeshVertex& b = mesh.vertices[triangle.b];
    const MeshVertex& c = mesh.vertices[triangle.c];
    const Vec3 pa = a.position - eyeShift, pb = b.position - eyeShift,
               pc = c.position - eyeShift;
    const Vec3 e1 = pb - pa, e2 = pc - pa;
    const Vec3 p = cross(direction, e2);
    const float det = dot(e1, p);
    if (std::fabs(det) < 1e-12f) continue;
    const Vec3 s = Vec3{} - pa;
    const float u = dot(s, p) / det;
    const Vec3 q = cross(s, e1);
    const float v = dot(direction, q) / det;
    const float t = dot(e2, q) / det;
    if (u < 0 || v < 0 || u + v > 1 || t <= 0 || t >= nearest) continue;
    nearest = t;
    hit = SurfacePoint{blend(pa, pb, pc, u, v), blend(a.normal, b.normal, c.normal, u, v),
                       blend(a.uv[0], b.uv[0], c.uv[0], u, v)};
  }
  return hit;
}

float sat(float x) { return std::clamp(x, 0.0f, 1.0f); }

// The phong fragment program with no bump and no parallax, for the values of
// kShadingBlock; the light is (2, 3, 5) in eye space (the camera does not turn).
Vec3 phong(const SurfacePoint& point) {
  const Vec3 n = normalize(point.normal);
  const Vec3 e = normalize(point.position);
  const Vec3 l = normalize(Vec3{2, 3, 5} - point.position);
  const float d = dot(n, l);
  Vec3 reflected = n;
  reflected *= 2 * d;
  reflected -= l;
  const float highlight = std::pow(sat(dot(reflected, e) * 0.8f), 3.0f);
  const float specular[3] = {0.9f, 0.7f, 0.5f}, color[3] = {0.9f, 0.8f, 0.6f};
  float out[3];
  for (int i = 0; i < 3; ++i) {
    const float highlighted = sat(highlight * specular[i]);
    const float diffuse = (sampleRamp(point.uv.x, point.uv.y, i) * 0.7f + 0.2f) * color[i];
    out[i] = sat(highlighted * 0.5f + sat(d * diffuse + highlighted));
  }
  return {out[0], out[1], out[2]};
}

const std::string kDefinition = std::string("code = basicmesh\nint use16;\nfloat animFactor;\n") +
                                kCameraOnZ + kPlacementAtOrigin +
                                "vec3 backColor = vec3(0.1, 0.2, 0.3);\n" + kShadingBlock;

}  // namespace

class BasicMesh : public EffectTest {};

TEST_F(BasicMesh, LitPixelsFollowThePhongFormulaAtTheSurfaceNormal) {
  InShowFolder inShow;
  makeRampTexture();
  auto effect = loadTestEffect(kDefinition);
  renderFrame(*effect, 1.0f);
  const Frame frame = readFrame();

  Mesh mesh = loadMesh("quarno/meshes/vurivev_meta_open.lwo");
  recomputeNormalsAlongWinding(mesh, false);
  const float focal = 1.0f / std::tan(30.0f * 3.14159265f / 180.0f);
  auto rayAt = [&](float x, float y) {
    const Vec3 direction = {((x + 0.5f) / frame.width * 2 - 1) * pictureAspect() / focal,
                            ((y + 0.5f) / frame.height * 2 - 1) / focal, -1.0f};
    return castRay(mesh, direction, {0, 0, 4});
  };
  int compared = 0, background = 0;
  for (int y = 1; y + 1 < frame.height; ++y)
    for (int x = 1; x + 1 < frame.width; ++x) {
      const auto point = rayAt(float(x), float(y));
      const Rgba8& pixel = frame.at(x, y);
      if (!point) {
        EXPECT_NEAR(pixel.b, 76.5, 1) << x << "," << y;  // backColor
        ++background;
        continue;
      }
      // Silhouette pixels are partly covered; compare the inside only.
      if (!rayAt(float(x - 1), float(y)) || !rayAt(float(x + 1), float(y)) ||
          !rayAt(float(x), float(y - 1)) || !rayAt(float(x), float(y + 1)))
        continue;
      const Vec3 expected = phong(*point);
      EXPECT_NEAR(pixel.r / 255.0f, expected.x, 4 / 255.0f) << x << "," << y;
      EXPECT_NEAR(pixel.g / 255.0f, expected.y, 4 / 255.0f) << x << "," << y;
      EXPECT_NEAR(pixel.b / 255.0f, expected.z, 4 / 255.0f) << x << "," << y;
      ++compared;
    }
  EXPECT_GT(compared, 60);
  EXPECT_GT(background, 100);
}
