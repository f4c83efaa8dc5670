#include "effects/kinds/curve_mesh.h"

#include "effects/camera.h"
#include "effects/mesh_transform.h"
#include "effects/parameters.h"
#include "effects/phong_shading.h"
#include "gfx/curve.h"
#include "gfx/gl.h"
#include "gfx/mesh_draw.h"

namespace {

constexpr int kLinePoints = 5000;
constexpr float kLineStep = 0.0002f;  // the last point lies at t = 0.9998

// A curve without points has no samples: nothing is drawn for it.
void drawCurveLine(const Curve* curve) {
  if (!curve || curve->points.empty()) return;
  glEnable(GL_LINE_SMOOTH);
  glBegin(GL_LINE_STRIP);
  glColor4f(1, 1, 1, 1);
  for (int j = 0; j < kLinePoints; ++j) {
    Vec3 point;
    curvePoint(*curve, float(j) * kLineStep, point);
    glVertex3f(point.x, point.y, point.z);
  }
  glEnd();
  glDisable(GL_LINE_SMOOTH);
}

}  // namespace

void CurveMeshEffect::initialise() { framePrologue(0, 0); }

void CurveMeshEffect::render(float time, float timeStep) {
  Mesh* mesh = readMesh(*this, "curvexMesh");
  framePrologue(time, timeStep);
  glEnable(GL_DEPTH_TEST);
  readAndSetupCamera(*this);
  glDisable(GL_CULL_FACE);
  const int invertNormals = readInt(*this, "meshNormalInv");
  if (mesh) recomputeNormals(*mesh, invertNormals != 0);
  beginPhongShading(*this);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  applyMeshPlacement(readMeshPlacement(*this), Pivot::kWithoutCentre);
  if (mesh) drawMeshBasic(*mesh);
  glPopMatrix();
  endPhongShading();
  drawCurveLine(readCurve(*this, "kurvi"));
  copyToTextureOut();
}
