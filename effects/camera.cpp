#include "effects/camera.h"

#include "gfx/gl.h"

CameraState cameraState;

namespace {

float pictureAspect = 1.7777778f;

// x about the z axis, then y about the x axis, then z about the y axis.
void rotateRollPitchYaw(const Vec3& degrees) {
  glRotatef(degrees.x, 0, 0, 1);
  glRotatef(degrees.y, 1, 0, 0);
  glRotatef(degrees.z, 0, 1, 0);
}

}  // namespace

void setPictureAspect(float aspect) { pictureAspect = aspect; }

void readVec3(const Effect& effect, const char* name, Vec3& out) {
  float values[4] = {out.x, out.y, out.z, 0.0f};
  effect.getFloat(name, values);
  out = {values[0], values[1], values[2]};
}

void aimCamera() {
  Vec3 direction = cameraState.lookAt;
  sub(direction, cameraState.position);
  cameraState.direction = normalize(direction);
}

void readCameraBlock(const Effect& effect) {
  int setCamera = 0;
  effect.getInt("setCamera", setCamera);
  if (!setCamera) return;
  readVec3(effect, "cameraPos", cameraState.position);
  readVec3(effect, "cameraLookAt", cameraState.lookAt);
  readVec3(effect, "cameraRPY", cameraState.rpy);
  readVec3(effect, "cameraLookAtRPY", cameraState.lookAtRpy);
  float zoom[4] = {cameraState.zoom};
  effect.getFloat("cameraZoom", zoom);
  cameraState.zoom = zoom[0];
}

void setupCamera() {
  CameraState& camera = cameraState;
  aimCamera();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, pictureAspect, 0.01, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  rotateRollPitchYaw(camera.rpy);
  Vec3 eye = camera.direction;
  scale(eye, camera.zoom);
  add(eye, camera.position);
  gluLookAt(eye.x, eye.y, eye.z, eye.x + camera.direction.x, eye.y + camera.direction.y,
            eye.z + camera.direction.z, 0, 1, 0);
  rotateRollPitchYaw(camera.lookAtRpy);
  glGetFloatv(GL_MODELVIEW_MATRIX, camera.cameraMatrix);
}

void readAndSetupCamera(const Effect& effect) {
  readCameraBlock(effect);
  setupCamera();
}

void setup2D() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

Vec4 lightToEyeSpace(const float* position) {
  Vec4 light = {position[0], position[1], position[2], 0.0f};
  transformByMatrix(light, cameraState.cameraMatrix);
  return light;
}

void applyMeshTransform(const Effect& effect) {
  Vec3 position, centre, rotation, scaleBy = {1, 1, 1};
  readVec3(effect, "meshPos", position);
  readVec3(effect, "meshCen", centre);
  readVec3(effect, "meshRot", rotation);
  readVec3(effect, "meshSca", scaleBy);
  glTranslatef(position.x, position.y, position.z);
  glTranslatef(centre.x, centre.y, centre.z);
  glRotatef(rotation.x, 1, 0, 0);
  glRotatef(rotation.y, 0, 1, 0);
  glRotatef(rotation.z, 0, 0, 1);
  glTranslatef(-centre.x, -centre.y, -centre.z);
  glScalef(scaleBy.x, scaleBy.y, scaleBy.z);
}
