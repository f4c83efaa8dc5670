// The cast effect's GLSL pair: the ray marcher drawn over a full-viewport
// quad with its parameters in the fixed-function state, compared with the
// same march evaluated on the CPU.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "gfx/gpu_programs.h"
#include "gfx/math.h"
#include "gl_test_support.h"

namespace {

Vec3 sin3(Vec3 a) { return {std::sin(a.x), std::sin(a.y), std::sin(a.z)}; }

// The shader's inputs as the cast effect sets them.
struct CastInputs {
  Float4 color;     // Cd
  Vec3 normal;      // n
  Float4 ambient;   // A
  Float4 diffuse;   // D
  Float4 specular;  // S
  Vec3 light;       // light 0 position in eye space
  float modelview[16] = {};
  Float4 texel;  // the constant texture the shader samples
};

const Vec3 kFogTint = {0.175f, 0.2f, 0.25f};

// One pixel's march, step for step as the fragment shader does it.
class CastMarch {
 public:
  explicit CastMarch(const CastInputs& in) : in_(in) {}

  struct Result {
    Float4 color;
    bool hit = false;
    bool inside = false;  // shaded with the core's colours
  };

  Result run(float ndcX, float ndcY) {
    const float c[4] = {ndcX * 1.777f, ndcY, 1.0f, 1.0f};
    const float* mv = in_.modelview;
    float dv[3];
    for (int j = 0; j < 3; ++j)
      dv[j] = c[0] * mv[4 * j] + c[1] * mv[4 * j + 1] + c[2] * mv[4 * j + 2] + c[3] * mv[4 * j + 3];
    const Vec3 d = {dv[0], dv[1], dv[2]};
    Vec3 p = Vec3{mv[12], mv[13], mv[14]} + d;
    const Vec3 fog = kFogTint * 3.0f;
    float dm = 0.4f, sigma = 0.0f, v = 0.0f;
    int steps = 0;
    do {
      p = p + d * dm;
      v = field(p);
      sigma += dm * v * density();
      dm *= in_.specular.a;
      ++steps;
    } while (v > 0 && steps < 10);
    const bool hit = v <= 0;
    if (hit) {
      int refinements = 0;
      do {
        dm *= 0.5f;
        p = p + (v <= 0 ? d * -1.0f : d) * dm;
        v = field(p);
        ++refinements;
      } while (std::fabs(v) > 0.05f && refinements < 4);
    }
    const float g = std::clamp(sigma * 0.02f / (in_.specular.r * in_.specular.r), 0.0f, 1.0f);
    const Vec3 rgb = hit ? shade(p, v, d) * (1 - g) + fog * g : fog * g;
    return {{rgb.x, rgb.y, rgb.z, 1.0f}, hit, hit && inside_ > 0.5f};
  }

 private:
  float field(Vec3 j) {
    const Float4& A = in_.ambient;
    const Float4& D = in_.diffuse;
    const Float4& S = in_.specular;
    const Vec3 ripple = sin3(j * (30.0f * in_.color.b)) * in_.color.g;
    const float P[4] = {A.r + ripple.x, A.g + ripple.y, A.b + ripple.z, A.a};
    const float Q[4] = {A.r, A.g, A.b, A.a};
    sample_ = in_.texel;
    Vec3 k = sin3(j * D.r + Vec3{sample_.r, sample_.g, sample_.b} * D.a) * S.r;
    const float core = dot(k, k) + dot(k * k, k) + S.b;
    if (core <= 0) {
      inside_ = 1;
      return core;
    }
    const float a = j.x * in_.normal.z + in_.normal.x;
    k = {k.x, k.y * std::cos(a) + k.z * std::sin(a), -k.y * std::sin(a) + k.z * std::cos(a)};
    const Vec3 q = k * k;
    const Vec3 m = {q.x * q.y, q.x * q.z, q.y * q.z};
    const Vec3 s = q * q;
    const float result = s.x * P[0] + m.x * P[1] + q.x * P[2] + k.x * P[3] + s.y * Q[0] +
                         m.y * Q[1] + q.y * Q[2] + k.y * Q[3] + s.z * Q[0] + m.z * Q[1] +
                         q.z * Q[2] + k.z * Q[3] + in_.normal.y;
    if (result <= 0) inside_ = 0;
    return result;
  }

  float density() const {
    const float u = in_.texel.r + in_.texel.g;
    return u * u;
  }

  Vec3 shade(Vec3 p, float v, Vec3 dir) {
    const Vec3 N = normalize({field(p + Vec3{0.05f, 0, 0}) - v, field(p + Vec3{0, 0.05f, 0}) - v,
                              field(p + Vec3{0, 0, 0.05f}) - v});
    const Vec3 l = normalize(in_.light - p);
    Vec3 specularColor = {1.2f, 1.0f, 0.95f};
    Vec3 diffuseColor = (Vec3{sample_.r, sample_.g, sample_.b} + Vec3{0.1f, 0.1f, 0.1f}) * 5.0f *
                        kFogTint;
    if (inside_ > 0.5f) {
      specularColor = kFogTint;
      diffuseColor = {0.5f, 0.05f, 0.054f};
    }
    dir = normalize(dir);
    const Vec3 reflected = l - N * (2 * dot(N, l));
    const float r = std::clamp(dot(reflected * in_.specular.g, dir), 0.0f, 8.0f);
    return diffuseColor * std::clamp(dot(l, N), 0.0f, 1.0f) +
           specularColor * std::clamp(std::pow(r, 4.0f), 0.0f, 1.0f) + Vec3{0.02f, 0.02f, 0.02f};
  }

  const CastInputs& in_;
  float inside_ = 0;
  Float4 sample_;
};

void setLight(GLenum name, Float4 v) {
  const GLfloat values[4] = {v.r, v.g, v.b, v.a};
  glLightfv(GL_LIGHT0, name, values);
}

// Sets the state the way the cast effect does and draws the quad.
CastInputs drawCast(float time, Float4 e, Float4 ambient, Float4 diffuse, Float4 specular,
                    const TestImage& texture) {
  CastInputs in;
  glMatrixMode(GL_MODELVIEW);
  glRotatef(2 * time, 1, 0.2f, 0.5f);
  glTranslatef(0, time, 0);
  glGetFloatv(GL_MODELVIEW_MATRIX, in.modelview);
  in.normal = {0.3f * time, e.r, e.g};
  in.color = {0, e.b, e.a, 1};
  in.ambient = ambient;
  in.diffuse = diffuse;
  in.specular = specular;
  in.texel = texture.texels[0];
  const float* mv = in.modelview;
  const float lightObject[3] = {1, 5, 4};
  float lightEye[3];
  for (int i = 0; i < 3; ++i)
    lightEye[i] = mv[i] * lightObject[0] + mv[4 + i] * lightObject[1] +
                  mv[8 + i] * lightObject[2] + mv[12 + i];
  in.light = {lightEye[0], lightEye[1], lightEye[2]};

  useGlslProgram(gpuPrograms.glslProgram);
  glNormal3f(in.normal.x, in.normal.y, in.normal.z);
  setLight(GL_AMBIENT, ambient);
  setLight(GL_DIFFUSE, diffuse);
  setLight(GL_SPECULAR, specular);
  setLight(GL_POSITION, {1, 5, 4, 1});
  glColor3f(in.color.r, in.color.g, in.color.b);
  bindImage(0, texture);
  glEnable(GL_TEXTURE_2D);
  drawViewportQuad();
  useGlslProgram(0);
  glDisable(GL_TEXTURE_2D);
  return in;
}

struct CastCounts {
  int hits = 0;
  int inside = 0;
};

CastCounts expectCastMatches(Float4 e, Float4 ambient, Float4 diffuse, Float4 specular) {
  resetTestState();
  const TestImage texture = makeConstantImage({0.4f, 0.3f, 0.6f, 1.0f});
  const CastInputs in = drawCast(1.3f, e, ambient, diffuse, specular, texture);
  CastCounts counts;
  expectPixels(
      readTarget(),
      [&](int x, int y) {
        CastMarch march(in);
        const CastMarch::Result result = march.run(pixelToNdc(x), pixelToNdc(y));
        counts.hits += result.hit;
        counts.inside += result.inside;
        return result.color;
      },
      kPixelTolerance, "cast");
  return counts;
}

}  // namespace

// e = (field offset, twist rate, ripple amplitude, ripple frequency).
TEST(CastProgram, SurfaceAndFogMatchTheCpuMarch) {
  const CastCounts counts = expectCastMatches({-0.35f, 0.4f, 0.1f, 0.3f}, {0.3f, 0.2f, 0.6f, 0.1f},
                                              {1.1f, 0.3f, 0.5f, 0.4f}, {0.9f, 1.0f, 0.4f, 0.95f});
  EXPECT_GT(counts.hits, 20);
  EXPECT_LT(counts.hits, kTargetSize * kTargetSize - 20) << "some rays must stay in the fog";
  EXPECT_EQ(counts.inside, 0);
}

TEST(CastProgram, CoreShadingMatchesTheCpuMarch) {
  // Around a near-zero core offset rays end in the core, shaded in its own
  // colours, or on the surface, where a negative field value clears the
  // core flag again.
  const CastCounts counts = expectCastMatches({0.13f, 0.38f, 0.21f, 0.53f},
                                              {-0.42f, 0.21f, 0.79f, 0.43f},
                                              {1.44f, 0.98f, 0.26f, 0.43f},
                                              {1.48f, 0.8f, 0.005f, 0.93f});
  EXPECT_GT(counts.inside, 10);
  EXPECT_GT(counts.hits - counts.inside, 10);
}
