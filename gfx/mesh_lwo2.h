// Reading meshes from LightWave object files (the LWO2 subset): points of
// every "PNTS" chunk, triangles and quads of "POLS" chunks of type "FACE" or
// "PTCH" (a quad becomes two triangles, other polygons are dropped), the
// "BBOX" chunk; every other chunk is skipped by its size.
//
// Every read is bounded by the data: a chunk cut short yields what it fully
// holds and ends the file, a polygon naming a point that does not exist is
// dropped. Texture coordinate set 0 comes from a planar projection over the
// bounding box (from "BBOX", else from the points).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "gfx/math.h"
#include "gfx/mesh.h"

struct MeshProjection {
  Vec3 uAxis{1.0f, 0.0f, 0.0f};
  Vec3 vAxis{0.0f, 1.0f, 0.0f};
  Vec3 uvOffset;
};

// A file that is not an LWO2 form gives an empty mesh.
Mesh parseLwo2(std::span<const uint8_t> bytes, const MeshProjection& projection = {},
               bool flipNormals = false);

// What the bytes hold: no LWO2 form at all, a whole one, or one that ends
// inside a chunk (or before the size its FORM header gives).
enum class Lwo2Shape { NotLwo2, Whole, CutShort };
Lwo2Shape lwo2Shape(std::span<const uint8_t> bytes);

// The loader of the script's mesh statements and the effects: the file
// through the file layer, then parseLwo2. A missing file gives an empty mesh;
// a file cut short gives what it holds and a note on stderr naming it.
Mesh loadMesh(std::string_view path, const MeshProjection& projection = {},
              bool flipNormals = false);

// The projection of one position: p = position - min, p.x divided by
// (size.x + 0.5 size.z), p.y by (size.y + 0.5 size.z) (a zero divisor leaves
// the component as is); u = uAxis . p + uvOffset.x, v = vAxis . p + uvOffset.y.
Vec3 projectTextureCoordinate(const Vec3& position, const Vec3& boxMin, const Vec3& boxMax,
                              const MeshProjection& projection);
