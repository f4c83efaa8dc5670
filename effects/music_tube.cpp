#include "effects/music_tube.h"

#include "gfx/portable_math.h"

namespace {

constexpr int kAxisX = 0, kAxisY = 1;

// The bin read by a vertex at rest x: ((x + 0.5)^exponent) of 1024 bins.
double binAlongTube(float x, int exponent) {
  return portablePow(double(x) + 0.5, exponent) * 1024.0;
}

float signedPower(float v, float exponent) { return powerSigned(v, exponent, true); }

void scaleCrossSection(Vec3& q, float factor) {
  q.y *= factor;
  q.z *= factor;
}

// Mode 1 of both kinds: the tube is bent about x and y, its cross-section
// pinched and swollen by waves running along it, then blown up by `size`.
Vec3 bendAndPinch(Vec3 q, float level, float time, float size) {
  rotateAboutAxis(q, kAxisX, 1.25f * q.y + time);
  rotateAboutAxis(q, kAxisY, 3.0f * level + 1.9f * q.x + 0.2f * time + kHalfPi);
  const float pinch = 1.0f - 0.5f * signedPower(portableCos(portableSin(9.0f * q.x + time)), 12);
  const float swell = 2.0f * signedPower(portableSin(portableCos(5.6f * q.x + time)), 12) + pinch;
  scaleCrossSection(q, swell);
  q *= size;
  return q;
}

}  // namespace

bool twistVertex(int mode, const Vec3& rest, const TubeMusic& music, Vec3& out) {
  const SpectrumHistory& spectrum = music.spectrum;
  const float time = music.time;
  switch (mode) {
    case 0: {
      const float level = spectrumAt(spectrum.raw, binAlongTube(rest.x, 8));
      Vec3 q = {1.5f * rest.x, 0.3f * rest.y, 0.1f * rest.z};
      rotateAboutAxis(q, kAxisX, 5.0f * level + 2.0f * q.y + time);
      rotateAboutAxis(q, kAxisY, 0.6f * q.x);
      out = q;
      return true;
    }
    case 1: {
      const float level = spectrumAt(spectrum.raw, binAlongTube(rest.x, 2));
      out = bendAndPinch({1.5f * rest.x, 0.3f * rest.y, 0.1f * rest.z}, level, time, 18.0f);
      return true;
    }
    case 2: {
      const float level = spectrumAt(spectrum.average, binAlongTube(rest.x, 4));
      Vec3 q = {2.5f * rest.x, 0.2f * rest.y, 0.1f * rest.z};
      rotateAboutAxis(q, kAxisX, 1.9f * q.x + time);
      scaleCrossSection(q, 100.0f * level + 1.0f);
      out = q;
      return true;
    }
    default: return false;
  }
}

bool cubetubeVertex(int mode, const Vec3& rest, const TubeMusic& music, Vec3& out) {
  const SpectrumHistory& spectrum = music.spectrum;
  const float time = music.time, loudness = spectrum.loudness;
  switch (mode) {
    case 0: {
      const float level =
          spectrumAt(spectrum.average, signedPower(2.0f * rest.x + 2.5f, 0.5f) * 32.0);
      Vec3 q = {(3.0f + level) * 2.0f * rest.x, 1.5f * rest.y, 0.5f * rest.z};
      rotateAboutAxis(q, kAxisX, 0.5f * q.x + 100.0f * level + 0.01f * loudness + time);
      rotateAboutAxis(q, kAxisY, (0.5f - 0.25f * loudness) * signedPower(q.x, 0.5f));
      q.y += 0.65f * rest.x;
      out = q;
      return true;
    }
    case 1: {
      const float level = spectrumAt(spectrum.average, binAlongTube(rest.x, 2));
      out = bendAndPinch({2.0f * rest.x, 0.6f * rest.y, 0.2f * rest.z}, level, time, 20.0f);
      return true;
    }
    case 2: {
      const float level = spectrumAt(spectrum.average, binAlongTube(rest.x, 6));
      Vec3 q = {2.5f * rest.x, 0.4f * rest.y, 0.2f * rest.z};
      const float swell = 50.0f * level + 1.0f;
      rotateAboutAxis(q, kAxisX, 1.9f * q.x + loudness + time);
      rotateAboutAxis(q, kAxisY, (0.5f * loudness + 0.05f) * q.x);
      q.y = swell * q.y + rest.x;
      q.z = swell * q.z;
      out = q;
      return true;
    }
    default: return false;
  }
}

void deformTube(Mesh& tube, int mode, const TubeMusic& music, TubeDeformation deformation) {
  for (MeshVertex& vertex : tube.vertices)
    if (!deformation(mode, vertex.restPosition, music, vertex.position)) return;
}

void smoothTubeNormals(Mesh& tube, bool negate) {
  if (negate)
    recomputeNormals(tube, false);
  else
    recomputeNormalsAlongWinding(tube, false);
}
