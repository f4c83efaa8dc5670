#include "effects/kinds/text.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "effects/camera.h"
#include "effects/lights.h"
#include "effects/parameters.h"
#include "framework/glyph_meshes.h"
#include "gfx/gl.h"
#include "gfx/gpu_programs.h"
#include "gfx/material_pass.h"
#include "gfx/mesh_draw.h"

namespace {

constexpr float kDegreesPerRadian = 57.295776f;

float curveNumber(const Curve* curve, float t) {
  Vec3 out;
  if (curve) curvePoint(*curve, t, out);
  return out.y;
}

// Only the printable codes have letters; everything else, bytes above 127
// included, takes its place in the string and draws nothing.
Mesh* glyphFor(std::array<Mesh, kLastGlyph + 1>& set, char character) {
  const int code = static_cast<unsigned char>(character);
  return code >= kFirstGlyph && code <= kLastGlyph ? &set[code] : nullptr;
}

float lastKeyTime(const Curve* curve) {
  return curve && !curve->keys.empty() ? curve->keys.back().time : 0.0f;
}

}  // namespace

void TextEffect::render(float time, float timeStep) {
  glEnable(GL_DEPTH_TEST);
  framePrologue(time, timeStep);
  readPath();
  readAndSetupCamera(*this);
  glDisable(GL_CULL_FACE);
  const int lights = lightCount(*this);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_CULL_FACE);
  bindGpuPrograms(gpuPrograms.phongSpecularMap);

  auto& letterSet = readInt(*this, "useFont") ? glyphMeshes.display : glyphMeshes.sans;
  std::vector<Mesh*> glyphs(text_.size());
  for (size_t k = 0; k < text_.size(); ++k) glyphs[k] = glyphFor(letterSet, text_[k]);

  // A letter used several times needs its normals and corners only once.
  std::unordered_set<const Mesh*> renormalised;
  for (Mesh* glyph : glyphs) {
    const bool invert = readInt(*this, "meshNormalInv") != 0;
    if (!glyph || !renormalised.insert(glyph).second) continue;
    recomputeNormals(*glyph, invert);
    fillTangentArrays(*glyph, letterArrays_[glyph]);
  }

  meshPos_ = readVec3(*this, "meshPos");
  meshCen_ = readVec3(*this, "meshCen");
  meshRot_ = readVec3(*this, "meshRot");
  meshSca_ = readVec3(*this, "meshSca", {1, 1, 1});
  const Material* material = readMaterial(*this, "meshMaterial");

  for (int index = 0; index < lights; ++index) {
    const Light light = readLight(*this, index);
    beginLightPass(index);
    const Vec3 eye = lightRelativeToEyeSpace(light.position);
    for (size_t k = 0; k < glyphs.size(); ++k) {
      if (material) applyMaterialPass(*material, light.color, eye);
      if (glyphs[k]) drawLetter(static_cast<int>(k), letterArrays_[glyphs[k]]);
    }
  }
  endMaterialPasses();

  for (int index = 0; index < lights; ++index) drawLightFlare(*this, index, readLight(*this, index));
  copyToTextureOut();
}

void TextEffect::readPath() {
  const int offsets = readInt(*this, "numTextOfs");
  path_.rotateZ = readInt(*this, "textRotateZ");
  path_.rotateY = readInt(*this, "textRotateY");
  text_ = readTexture(*this, "text");
  if (text_.size() > kMaxTextLength) text_.resize(kMaxTextLength);
  path_.scale = readVec3(*this, "textMoveScale", {1, 1, 1});
  path_.curve = readCurve(*this, "textMove");
  path_.time = readFloat(*this, "textTime");
  path_.spacing = readFloat(*this, "textSpacing");
  wobbles_.assign(std::clamp(offsets, 0, kMaxTextOffsets), Wobble{});
  for (size_t j = 0; j < wobbles_.size(); ++j) {
    const int i = static_cast<int>(j);
    Wobble& wobble = wobbles_[j];
    wobble.x = readCurve(*this, "textOfsX", i);
    wobble.y = readCurve(*this, "textOfsY", i);
    wobble.z = readCurve(*this, "textOfsZ", i);
    wobble.amount = readFloat(*this, "textOfsMul", 0.0f, i);
    wobble.frequency = readFloat(*this, "textOfsFreq", 0.0f, i);
    wobble.phase = readFloat(*this, "textOfsPhase", 0.0f, i);
  }
}

void TextEffect::drawLetter(int index, const TangentArrays& glyph) const {
  const float letterTime = path_.time - float(index) * path_.spacing;
  const float last = lastKeyTime(path_.curve);
  const bool closed = path_.curve && path_.curve->closed;
  if (!((letterTime > 0 && letterTime < last) || closed)) return;
  // A path whose keys end at time 0 has no length to normalise by.
  const float normalisedTime = last != 0 ? letterTime / last : 0.0f;

  Vec3 along, direction;
  if (path_.curve) {
    curvePosition(*path_.curve, letterTime, along);
    curveTangent(*path_.curve, letterTime, direction);
  }
  along *= path_.scale;
  const float heading = pathAngle(direction.y, direction.x);
  const float climb = std::fabs(
      pathAngle(direction.z, std::sqrt(direction.y * direction.y + direction.x * direction.x)));

  Vec3 position = meshPos_, rotation = meshRot_;
  if (path_.rotateZ) rotation.z += heading * kDegreesPerRadian - 180.0f;
  position += along;
  if (path_.rotateY) rotation.y += climb * kDegreesPerRadian;

  glPushMatrix();
  glTranslatef(position.x, position.y, position.z);
  glTranslatef(meshCen_.x, meshCen_.y, meshCen_.z);
  glRotatef(rotation.x, 1, 0, 0);
  glRotatef(rotation.y, 0, 1, 0);
  glRotatef(rotation.z, 0, 0, 1);
  Vec3 wobble;
  for (const Wobble& term : wobbles_) {
    const float w = fraction(term.frequency * normalisedTime + term.phase);
    wobble.x += term.amount * curveNumber(term.x, w);
    wobble.y += term.amount * curveNumber(term.y, w);
    wobble.z += term.amount * curveNumber(term.z, w);
  }
  glTranslatef(wobble.x, wobble.y, wobble.z);
  glTranslatef(-meshCen_.x, -meshCen_.y, -meshCen_.z);
  glScalef(meshSca_.x, meshSca_.y, meshSca_.z);
  drawTangentArrays(glyph);
  glPopMatrix();
}
