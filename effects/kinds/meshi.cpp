#include "effects/kinds/meshi.h"

#include <algorithm>

#include "effects/accumulation_ring.h"
#include "effects/camera.h"
#include "effects/mesh_transform.h"
#include "effects/parameters.h"
#include "effects/phong_shading.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"
#include "gfx/mesh_draw.h"
#include "gfx/mesh_lwo2.h"
#include "gfx/render_targets.h"

namespace {

const char* const kHeadMesh = "./quarno/meshes/paeae4.lwo";

// Shared by every meshi effect, kept across frames.
RingCursor meshiRing;

const char* const kTwistParameters[] = {"twistPow",  "twistY", "twistTimeY", "twistMulY",
                                        "twistX",    "twistTimeX", "twistMulX"};

// Declared by every definition of this kind; they change nothing here.
void readUnusedTwist(const Effect& effect) {
  readVec3(effect, "twistAxis");
  for (const char* name : kTwistParameters) readFloat(effect, name);
}

// Blends the two shapes vertex by vertex over the vertices all three share.
void morph(const Mesh& a, const Mesh& b, float towardsA, Mesh& out) {
  const size_t count = std::min({a.vertices.size(), b.vertices.size(), out.vertices.size()});
  for (size_t k = 0; k < count; ++k) {
    out.vertices[k].position = lerp(b.vertices[k].position, a.vertices[k].position, towardsA);
  }
}

}  // namespace

void MeshiEffect::initialise() {
  shapeA_ = loadMesh(kHeadMesh);
  shapeB_ = loadMesh(kHeadMesh);
  morphed_ = loadMesh(kHeadMesh);
  dots_ = loadMesh("./quarno/meshes/dots.lwo");
  blob_ = loadMesh("./quarno/meshes/vurivev_meta_open.lwo");
  framePrologue(0, 0);
  ringSize_ = clampRingSize(readHeldCount(*this, "accumNum", kMaxRingSize));
  makeRingTextures(ringSize_);
}

void MeshiEffect::render(float time, float) {
  const int passes = clampPassCount(readHeldCount(*this, "accumTimes", kMaxPassesPerFrame));
  const bool use16 = readInt(*this, "use16") != 0;
  bindRenderTarget(renderTargets.accumulationTarget);
  glPushAttrib(GL_VIEWPORT_BIT);
  glViewport(0, 0, renderWidth(), renderHeight());
  for (int i = 0; i < passes; ++i) drawPass(passTime(time, i, passes), i);
  glPopAttrib();
  bindFrameTarget();
  drawRingAverage(ringSize_, use16, RingBase::kOverFrame);
  copyToTextureOut();
}

void MeshiEffect::drawPass(float time, int pass) {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const int ringIndex = advanceRing(meshiRing, ringSize_);
  framePrologue(time, kPassTimeStep);
  glEnable(GL_DEPTH_TEST);
  readAndSetupCamera(*this);
  glDisable(GL_CULL_FACE);
  beginPhongShading(*this);
  morph(shapeA_, shapeB_, readFloat(*this, "animFactor"), morphed_);
  readUnusedTwist(*this);
  glPushMatrix();
  applyMeshTransform(*this);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  const bool invertFaces = readInt(*this, "meshNormalInv") != 0;
  // Later passes keep the first pass's normals.
  if (pass == 0) recomputeNormalsAlongWinding(morphed_, invertFaces);
  drawMeshBasic(morphed_);
  glPopMatrix();
  endPhongShading();
  copyFrameToRing(ringIndex);
}
