#include "effects/lathe_surfaces.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "effects/lathe.h"
#include "effects/parameters.h"
#include "gfx/gl.h"
#include "script/error.h"

namespace {

[[noreturn]] void throwTooLarge(const Effect& effect, const std::string& what) {
  throw ScriptError(kRuntimeErrorCaption, effect.definitionName() + ": " + what);
}

// Vertices the surfaces built so far hold, with the next one's added; a data
// error beyond kMaxLatheVertices.
int64_t addVertices(const Effect& effect, int64_t total, const LatheShape& shape) {
  total += int64_t(latheRings(shape)) * latheColumns(shape);
  if (total > kMaxLatheVertices)
    throwTooLarge(effect, "the surfaces need " + std::to_string(total) +
                              " vertices (sorveDivs x sorveRevols), more than the " +
                              std::to_string(kMaxLatheVertices) + " this engine builds");
  return total;
}

}  // namespace

std::vector<LatheSurface> buildLatheSurfaces(const Effect& effect) {
  const int count = readInt(effect, "numSorves");
  if (count > kMaxLatheSurfaces)
    throwTooLarge(effect, "numSorves = " + std::to_string(count) + " is more than the " +
                              std::to_string(kMaxLatheSurfaces) + " surfaces this engine builds");
  std::vector<LatheSurface> surfaces(std::max(count, 0));
  int64_t vertices = 0;
  for (int i = 0; i < count; ++i) {
    const Curve* profile = readCurve(effect, "sorveCurve", i);
    const LatheShape shape = readLatheShape(effect, i);
    vertices = addVertices(effect, vertices, shape);
    surfaces[i].base = buildLathe(profile, shape);
    surfaces[i].drawn = surfaces[i].base;
    surfaces[i].target = buildLathe(readCurve(effect, "sorveCurve2", i), shape);
  }
  return surfaces;
}

int readSurfaceCount(const Effect& effect, const std::vector<LatheSurface>& surfaces) {
  return std::clamp(readInt(effect, "numSorves"), 0, static_cast<int>(surfaces.size()));
}

void morphLatheSurfaces(const Effect& effect, std::vector<LatheSurface>& surfaces, int count) {
  for (int i = 0; i < count; ++i) {
    LatheSurface& surface = surfaces[i];
    const float a = readFloat(effect, "sorveAnim", 0.0f, i);
    for (size_t v = 0; v < surface.drawn.vertices.size(); ++v) {
      const Vec3& from = surface.base.vertices[v].position;
      const Vec3& to = surface.target.vertices[v].position;
      surface.drawn.vertices[v].position = {from.x + (to.x - from.x) * a,
                                            from.y + (to.y - from.y) * a,
                                            from.z + (to.z - from.z) * a};
    }
    recomputeNormals(surface.drawn, readInt(effect, "sorveNormalInv", 0, i) != 0);
    fillTangentArrays(surface.drawn, surface.arrays);
  }
}

const Material* readSurfaceMaterial(const Effect& effect, int index) {
  return readMaterial(effect, "sorveMaterial", index);
}

void applySurfaceTransform(const Effect& effect, int index) {
  const Vec3 position = readVec3(effect, "sorvePos", {}, index);
  const Vec3 centre = readVec3(effect, "sorveCen", {}, index);
  const Vec3 rotation = readVec3(effect, "sorveRot", {}, index);
  const Vec3 scaleBy = readVec3(effect, "sorveSca", {1, 1, 1}, index);
  glTranslatef(position.x, position.y, position.z);
  glRotatef(rotation.x, 1, 0, 0);
  glRotatef(rotation.y, 0, 1, 0);
  glRotatef(rotation.z, 0, 0, 1);
  glTranslatef(-centre.x, -centre.y, -centre.z);
  glScalef(scaleBy.x, scaleBy.y, scaleBy.z);
}
