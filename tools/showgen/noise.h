// Gradient noise for textures and organic shapes. The lattice gradients come
// from a table shuffled with the generator's LCG, so results never vary. The 2D
// form wraps with a given period, which makes textures tile.
#pragma once

#include <cstdint>

#include "tools/showgen/geometry.h"

namespace showgen {

struct Noise {
  explicit Noise(uint32_t seed);

  // Gradient noise in about [-1, 1]; the lattice repeats every `periodX`
  // cells along x and `periodY` along y.
  float periodic2(float x, float y, int periodX, int periodY) const;
  // Sum of octaves, each of twice the frequency and `gain` times the amplitude
  // of the previous one; tiles with the base periods.
  float fbm2(float x, float y, int periodX, int periodY, int octaves, float gain = 0.5f) const;
  // Gradient noise in 3D, about [-1, 1].
  float noise3(Vec3 p) const;
  float fbm3(Vec3 p, int octaves, float gain = 0.5f) const;

 private:
  int hash(int x, int y, int z) const;
  uint8_t permutation_[512];
};

// Cellular (Worley) distances for a tiling grid of `cells` x `cells` feature
// points over the unit square: nearest and second-nearest distance in cells.
struct CellDistances {
  float nearest;
  float second;
  uint32_t nearestId;  // a hash naming the nearest feature point's cell
};
CellDistances cellular2(float u, float v, int cells, uint32_t seed);

}  // namespace showgen
