#include "tools/showgen/noise.h"

#include <cmath>
#include <utility>

#include "tools/showgen/random.h"

namespace showgen {
namespace {

float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

float mix(float a, float b, float t) { return a + (b - a) * t; }

int positiveModulo(int value, int period) {
  const int r = value % period;
  return r < 0 ? r + period : r;
}

// Twelve edge directions of a cube, the classic gradient set.
constexpr float kGradients[12][3] = {{1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0},
                                     {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
                                     {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}};

float gradientDot(int hashValue, float x, float y, float z) {
  const float* g = kGradients[hashValue % 12];
  return g[0] * x + g[1] * y + g[2] * z;
}

uint32_t mixBits(uint32_t v) {
  v ^= v >> 16;
  v *= 0x7feb352dU;
  v ^= v >> 15;
  v *= 0x846ca68bU;
  v ^= v >> 16;
  return v;
}

}  // namespace

Noise::Noise(uint32_t seed) {
  Lcg random(seed);
  for (int i = 0; i < 256; ++i) permutation_[i] = static_cast<uint8_t>(i);
  for (int i = 255; i > 0; --i) std::swap(permutation_[i], permutation_[random.next() % (i + 1)]);
  for (int i = 0; i < 256; ++i) permutation_[256 + i] = permutation_[i];
}

int Noise::hash(int x, int y, int z) const {
  return permutation_[permutation_[permutation_[x & 255] + (y & 255)] + (z & 255)];
}

float Noise::periodic2(float x, float y, int periodX, int periodY) const {
  const int xi = static_cast<int>(std::floor(x));
  const int yi = static_cast<int>(std::floor(y));
  const float xf = x - xi, yf = y - yi;
  const int x0 = positiveModulo(xi, periodX), x1 = positiveModulo(xi + 1, periodX);
  const int y0 = positiveModulo(yi, periodY), y1 = positiveModulo(yi + 1, periodY);
  const float u = fade(xf), v = fade(yf);
  const float a = gradientDot(hash(x0, y0, 0), xf, yf, 0);
  const float b = gradientDot(hash(x1, y0, 0), xf - 1, yf, 0);
  const float c = gradientDot(hash(x0, y1, 0), xf, yf - 1, 0);
  const float d = gradientDot(hash(x1, y1, 0), xf - 1, yf - 1, 0);
  return mix(mix(a, b, u), mix(c, d, u), v);
}

float Noise::fbm2(float x, float y, int periodX, int periodY, int octaves, float gain) const {
  float sum = 0, amplitude = 1, scale = 1;
  for (int octave = 0; octave < octaves; ++octave) {
    const int s = static_cast<int>(scale);
    sum += amplitude * periodic2(x * scale, y * scale, periodX * s, periodY * s);
    amplitude *= gain;
    scale *= 2;
  }
  return sum;
}

float Noise::noise3(Vec3 p) const {
  const int xi = static_cast<int>(std::floor(p.x));
  const int yi = static_cast<int>(std::floor(p.y));
  const int zi = static_cast<int>(std::floor(p.z));
  const float xf = p.x - xi, yf = p.y - yi, zf = p.z - zi;
  const float u = fade(xf), v = fade(yf), w = fade(zf);
  float corners[8];
  for (int corner = 0; corner < 8; ++corner) {
    const int dx = corner & 1, dy = (corner >> 1) & 1, dz = (corner >> 2) & 1;
    corners[corner] = gradientDot(hash(xi + dx, yi + dy, zi + dz), xf - dx, yf - dy, zf - dz);
  }
  const float x00 = mix(corners[0], corners[1], u), x10 = mix(corners[2], corners[3], u);
  const float x01 = mix(corners[4], corners[5], u), x11 = mix(corners[6], corners[7], u);
  return mix(mix(x00, x10, v), mix(x01, x11, v), w);
}

float Noise::fbm3(Vec3 p, int octaves, float gain) const {
  float sum = 0, amplitude = 1;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += amplitude * noise3(p);
    amplitude *= gain;
    p = p * 2.0f + Vec3{17.1f, 31.7f, 5.3f};
  }
  return sum;
}

CellDistances cellular2(float u, float v, int cells, uint32_t seed) {
  const float x = u * cells, y = v * cells;
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  CellDistances result{1e9f, 1e9f, 0};
  for (int oy = -1; oy <= 1; ++oy) {
    for (int ox = -1; ox <= 1; ++ox) {
      const int gx = cx + ox, gy = cy + oy;
      const uint32_t h = mixBits(static_cast<uint32_t>(positiveModulo(gx, cells)) * 73856093u ^
                                 static_cast<uint32_t>(positiveModulo(gy, cells)) * 19349663u ^ seed);
      const float fx = gx + (h & 0xFFFF) / 65536.0f;
      const float fy = gy + (h >> 16) / 65536.0f;
      const float d = std::sqrt((fx - x) * (fx - x) + (fy - y) * (fy - y));
      if (d < result.nearest) {
        result.second = result.nearest;
        result.nearest = d;
        result.nearestId = h;
      } else if (d < result.second) {
        result.second = d;
      }
    }
  }
  return result;
}

}  // namespace showgen
