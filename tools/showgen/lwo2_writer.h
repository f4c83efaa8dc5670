// Writes a PolyMesh as a LightWave object (FORM LWO2): one layer with its
// points, bounding box, FACE polygons (triangles and quads) and one surface.
// Point indices are written in the two-byte form the engine reads, so a mesh
// may hold at most 65,279 points (more throws std::length_error).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/showgen/geometry.h"

namespace showgen {

constexpr size_t kMaxLwoPoints = 0xFF00;

std::vector<uint8_t> writeLwo2(const PolyMesh& mesh);

}  // namespace showgen
