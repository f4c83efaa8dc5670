// The camera shared by every effect: an effect that sets the camera leaves it
// for the effects after it, and one that does not draws with the last camera
// set.
#pragma once

#include "framework/effect.h"
#include "gfx/math.h"

struct CameraState {
  Vec3 position;
  Vec3 lookAt;
  Vec3 rpy;        // degrees, applied before the look-at
  Vec3 lookAtRpy;  // degrees, applied after the look-at
  float zoom = 0.0f;
  Vec3 direction;  // normalize(lookAt - position), recomputed at each set-up
  float cameraMatrix[16] = {};  // the model-view matrix of the last set-up
};

extern CameraState cameraState;

// Recomputes the camera's direction from its position and look-at point.
void aimCamera();

// "setCamera" non-zero: copies "cameraPos", "cameraLookAt", "cameraRPY",
// "cameraLookAtRPY" and "cameraZoom" into the camera.
void readCameraBlock(const Effect& effect);
// Loads the projection and model-view matrices of the camera.
void setupCamera();
// The camera block then the set-up, as the 3D effects do every frame.
void readAndSetupCamera(const Effect& effect);

// The light position in eye space: cameraMatrix x (x, y, z, 0).
Vec4 lightToEyeSpace(const float* position);
// The material kinds' form: (position - camera position) rotated into eye
// space the same way.
Vec3 lightRelativeToEyeSpace(const Vec3& position);

