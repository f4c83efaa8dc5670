#include "effects/mesh_transform.h"

#include <string>

#include "effects/parameters.h"
#include "gfx/gl.h"

namespace {

Vec3 readPart(const Effect& effect, std::string_view prefix, const char* suffix, Vec3 preset,
              int index) {
  return readVec3(effect, std::string(prefix) + suffix, preset, index);
}

}  // namespace

MeshPlacement readMeshPlacement(const Effect& effect, std::string_view prefix, int index,
                                const MeshPlacement& preset) {
  MeshPlacement placement = preset;
  placement.position = readPart(effect, prefix, "Pos", placement.position, index);
  placement.centre = readPart(effect, prefix, "Cen", placement.centre, index);
  placement.rotation = readPart(effect, prefix, "Rot", placement.rotation, index);
  placement.scale = readPart(effect, prefix, "Sca", placement.scale, index);
  return placement;
}

void applyMeshPlacement(const MeshPlacement& placement, Pivot pivot) {
  const Vec3& position = placement.position;
  const Vec3& centre = placement.centre;
  glTranslatef(position.x, position.y, position.z);
  if (pivot == Pivot::kAboutCentre) glTranslatef(centre.x, centre.y, centre.z);
  glRotatef(placement.rotation.x, 1, 0, 0);
  glRotatef(placement.rotation.y, 0, 1, 0);
  glRotatef(placement.rotation.z, 0, 0, 1);
  glTranslatef(-centre.x, -centre.y, -centre.z);
  glScalef(placement.scale.x, placement.scale.y, placement.scale.z);
}

void applyMeshTransform(const Effect& effect) {
  applyMeshPlacement(readMeshPlacement(effect), Pivot::kAboutCentre);
}
