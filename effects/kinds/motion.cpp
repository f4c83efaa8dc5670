#include "effects/kinds/motion.h"

#include <algorithm>
#include <string>
#include <vector>

#include "effects/camera.h"
#include "effects/mesh_transform.h"
#include "effects/parameters.h"
#include "effects/phong_shading.h"
#include "gfx/gl.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gfx/mesh_draw.h"
#include "gfx/mesh_lwo2.h"
#include "gfx/portable_math.h"
#include "gfx/screen_quad.h"
#include "gfx/texture_pool.h"

namespace {

const char* const kOpenMesh = "./quarno/meshes/vurivev_meta_open.lwo";
const char* const kClosedMesh = "./quarno/meshes/vurivev_meta_close2.lwo";
const char* const kColourImage = "motionRGB";

// Shared by every motion effect: which velocity image the next pass writes.
int velocityIndex = 0;

std::string velocityImage(int index) { return "motionVelocity" + std::to_string(index); }

struct Twist {
  Vec3 axis;
  float power = 0;
  float y = 10.5f, timeY = 5, mulY = 0.75f;
  float x = 1.5f, timeX = 1, mulX = 0.75f;
};

Twist readTwist(const Effect& effect) {
  Twist twist;
  twist.axis = readVec3(effect, "twistAxis");
  twist.power = readFloat(effect, "twistPow");
  twist.y = readFloat(effect, "twistY", twist.y);
  twist.timeY = readFloat(effect, "twistTimeY", twist.timeY);
  twist.mulY = readFloat(effect, "twistMulY", twist.mulY);
  twist.x = readFloat(effect, "twistX", twist.x);
  twist.timeX = readFloat(effect, "twistTimeX", twist.timeX);
  twist.mulX = readFloat(effect, "twistMulX", twist.mulX);
  return twist;
}

// The twist angle at p: two travelling sine waves, shaped by a signed power.
float twistAngle(const Twist& twist, const Vec3& p, float time) {
  const float a = portableSin(p.x * twist.x + twist.timeX * time) * twist.mulX +
                  portableSin(p.y * twist.y + twist.timeY * time) * twist.mulY;
  return powerSigned(a, twist.power, true);
}

// Every triangle with the encoded velocity of each corner as its normal, from
// one array per vertex and the corners as indices (the arrays are kept
// between frames).
void drawVelocities(const Mesh& mesh) {
  static std::vector<float> vertices;
  static std::vector<GLuint> corners;
  vertices.clear();
  corners.clear();
  for (const MeshVertex& vertex : mesh.vertices)
    vertices.insert(vertices.end(), {vertex.restPosition.x, vertex.restPosition.y,
                                     vertex.restPosition.z, vertex.position.x, vertex.position.y,
                                     vertex.position.z});
  for (const MeshTriangle& triangle : mesh.triangles)
    corners.insert(corners.end(), {GLuint(triangle.a), GLuint(triangle.b), GLuint(triangle.c)});
  glColor4f(1, 0, 0, 0);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glInterleavedArrays(GL_N3F_V3F, 0, vertices.data());
  glDrawElements(GL_TRIANGLES, GLsizei(corners.size()), GL_UNSIGNED_INT, corners.data());
  glPopClientAttrib();
}

void bindOnUnit(GLenum unit, const std::string& name) {
  gl.glActiveTextureARB(unit);
  bindTexture(name, GL_REPEAT, GL_LINEAR);
  glEnable(GL_TEXTURE_2D);
}

}  // namespace

void MotionEffect::initialise() {
  open_ = loadMesh(kOpenMesh);
  closed_ = loadMesh(kClosedMesh);
  working_ = loadMesh(kOpenMesh);
  framePrologue(0, 0);
  previous_.assign(working_.vertices.size(), Vec3{});
  for (int i = 0; i < 2; ++i) makeRenderSizeTexture(velocityImage(i));
  makeRenderSizeTexture(kColourImage);
}

void MotionEffect::render(float time, float) {
  readInt(*this, "use16");  // declared by every definition of this kind, unused
  glEnable(GL_DEPTH_TEST);
  const float step = readFloat(*this, "motionTimeStep");
  drawVelocityPass(time - step, step);
  drawVelocityPass(time, step);
  drawColourPass();
  drawBlurPass();
  copyToTextureOut();
}

void MotionEffect::drawVelocityPass(float time, float timeStep) {
  velocityIndex = (velocityIndex + 1) % 2;
  const std::string target = velocityImage(velocityIndex);
  framePrologue(time, timeStep);
  readAndSetupCamera(*this);
  glDisable(GL_CULL_FACE);
  deform(time);
  recomputeNormalsAlongWinding(working_, false);
  applyMeshTransform(*this);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glDepthFunc(GL_LEQUAL);
  encodeVelocities();
  glClearColor(0.5f, 0.5f, 0.5f, 0.5f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  bindGpuPrograms(gpuPrograms.motionVector);
  glPushMatrix();
  drawVelocities(working_);
  glPopMatrix();
  unbindGpuPrograms();
  copyScreenToTexture(target, 0, 0);
}

// The meshes are blended vertex by vertex; files of different sizes blend
// over the vertices all three have.
void MotionEffect::deform(float time) {
  const float openness = readFloat(*this, "animFactor", 1.0f);
  const Twist twist = readTwist(*this);
  const size_t count =
      std::min({open_.vertices.size(), closed_.vertices.size(), working_.vertices.size()});
  for (size_t k = 0; k < count; ++k) {
    Vec3 p = lerp(closed_.vertices[k].position, open_.vertices[k].position, openness);
    rotateAround(p, twist.axis, twistAngle(twist, p, time));
    working_.vertices[k].position = p;
  }
}

// Each vertex's clip-space displacement since the previous pass, scaled and
// encoded around 0.5 into its rest position (which the velocity pass draws
// as the normal). The first pass of all has no previous pass: it encodes rest.
void MotionEffect::encodeVelocities() {
  float modelView[16], projection[16], clip[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  multiply(projection, modelView, clip);
  const float velocityScale = readFloat(*this, "motionVelocityScale");
  for (size_t k = 0; k < working_.vertices.size(); ++k) {
    MeshVertex& vertex = working_.vertices[k];
    Vec4 c = {vertex.position.x, vertex.position.y, vertex.position.z, 1.0f};
    transformByMatrix(c, clip);
    const Vec3 now = {c.x, c.y, c.z};
    const Vec3 d = ((hasPrevious_ ? previous_[k] : now) - now) * velocityScale;
    vertex.restPosition = {(d.x + 1.0f) * 0.5f, (d.y + 1.0f) * 0.5f, 0.0f};
    previous_[k] = now;
  }
  hasPrevious_ = true;
}

void MotionEffect::drawColourPass() {
  clearToBackColor(*this);
  beginPhongShading(*this);
  glPushMatrix();
  drawMeshBasic(working_);
  glPopMatrix();
  endPhongShading();
  copyScreenToTexture(kColourImage, 0, 0);
}

void MotionEffect::drawBlurPass() {
  const Vec3 blur = readVec3(*this, "motionBlurScale");
  setProgramEnv(GL_FRAGMENT_PROGRAM_ARB, 0, blur.x, blur.y, blur.z, 0);
  bindOnUnit(GL_TEXTURE2_ARB, velocityImage(0));
  bindOnUnit(GL_TEXTURE1_ARB, velocityImage(1));
  bindOnUnit(GL_TEXTURE0_ARB, kColourImage);
  bindGpuPrograms(gpuPrograms.motionBlur);
  setup2D();
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  drawScreenQuad(false);
  for (const GLenum unit : {GL_TEXTURE2_ARB, GL_TEXTURE1_ARB}) {
    gl.glActiveTextureARB(unit);
    glDisable(GL_TEXTURE_2D);
  }
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
  unbindGpuPrograms();
}
