#include "effects/camera.h"

#include "effects/parameters.h"
#include "gfx/frame_target.h"
#include "gfx/gl.h"

CameraState cameraState;

namespace {

// x about the z axis, then y about the x axis, then z about the y axis.
void rotateRollPitchYaw(const Vec3& degrees) {
  glRotatef(degrees.x, 0, 0, 1);
  glRotatef(degrees.y, 1, 0, 0);
  glRotatef(degrees.z, 0, 1, 0);
}

}  // namespace

void aimCamera() {
  Vec3 direction = cameraState.lookAt;
  direction -= cameraState.position;
  cameraState.direction = normalize(direction);
}

void readCameraBlock(const Effect& effect) {
  CameraState& camera = cameraState;
  if (!readInt(effect, "setCamera")) return;
  camera.position = readVec3(effect, "cameraPos", camera.position);
  camera.lookAt = readVec3(effect, "cameraLookAt", camera.lookAt);
  camera.rpy = readVec3(effect, "cameraRPY", camera.rpy);
  camera.lookAtRpy = readVec3(effect, "cameraLookAtRPY", camera.lookAtRpy);
  camera.zoom = readFloat(effect, "cameraZoom", camera.zoom);
}

void setupCamera() {
  CameraState& camera = cameraState;
  aimCamera();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, pictureAspect(), 0.01, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  rotateRollPitchYaw(camera.rpy);
  Vec3 eye = camera.direction;
  eye *= camera.zoom;
  eye += camera.position;
  gluLookAt(eye.x, eye.y, eye.z, eye.x + camera.direction.x, eye.y + camera.direction.y,
            eye.z + camera.direction.z, 0, 1, 0);
  rotateRollPitchYaw(camera.lookAtRpy);
  glGetFloatv(GL_MODELVIEW_MATRIX, camera.cameraMatrix);
}

void readAndSetupCamera(const Effect& effect) {
  readCameraBlock(effect);
  setupCamera();
}

Vec4 lightToEyeSpace(const float* position) {
  Vec4 light = {position[0], position[1], position[2], 0.0f};
  transformByMatrix(light, cameraState.cameraMatrix);
  return light;
}

Vec3 lightRelativeToEyeSpace(const Vec3& position) {
  Vec3 relative = position;
  relative -= cameraState.position;
  const float values[3] = {relative.x, relative.y, relative.z};
  const Vec4 eye = lightToEyeSpace(values);
  return {eye.x, eye.y, eye.z};
}
