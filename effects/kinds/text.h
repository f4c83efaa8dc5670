// "text": writes a string with 3D letter meshes from one of the two letter
// sets loaded at start-up. Every letter travels along one path curve,
// delayed by its place in the string, may turn to follow the path, and
// wobbles by a sum of offset curves; letters are lit per pixel, one additive
// pass per light, with a flare at each light.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "framework/effect.h"
#include "gfx/curve.h"
#include "gfx/math.h"
#include "gfx/mesh_draw.h"

// At most this many characters of "text" are written.
inline constexpr size_t kMaxTextLength = 4095;
// At most this many wobble terms ("numTextOfs").
inline constexpr int kMaxTextOffsets = 10;

class TextEffect : public Effect {
 public:
  void render(float time, float timeStep) override;

 private:
  struct Wobble {
    const Curve* x = nullptr;
    const Curve* y = nullptr;
    const Curve* z = nullptr;
    float amount = 0, frequency = 0, phase = 0;
  };
  struct Path {
    int rotateZ = 0, rotateY = 0;
    Vec3 scale{1, 1, 1};
    const Curve* curve = nullptr;
    float time = 0, spacing = 0;
  };

  void readPath();
  void drawLetter(int index, const TangentArrays& glyph) const;

  // Each letter's corners of this frame, by glyph mesh.
  std::unordered_map<const Mesh*, TangentArrays> letterArrays_;
  std::string text_;
  Path path_;
  std::vector<Wobble> wobbles_;
  Vec3 meshPos_, meshCen_, meshRot_, meshSca_{1, 1, 1};
};
