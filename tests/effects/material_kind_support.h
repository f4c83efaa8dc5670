// Helpers of the drawing tests of the material kinds (lathe, projector,
// text): a material that shows exactly its light's colour, curve files
// written from points, and where a point lands on the frame.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "gfx/gl.h"
#include "gfx/math.h"
#include "support/effect_harness.h"
#include "support/temp_dir.h"

// No diffuse, specular or reflection and a texture term of exactly 1: every
// pass adds its light colour times the ambient (1, 1, 1).
inline void writeFlatMaterial(const std::string& name) {
  writeFile(name,
            "diffuse = 0,0,0\nspecular = 0,0,0\nambient = 1,1,1\nspecularPow = 1\n"
            "specularAdd = 0\nenvAmount = 0\nenvTexAmount = 0\nbump = 0\ntexMul = 0\n"
            "texAdd = 1\nparallaxDepth = 0\nparallaxBias = 0\n");
}

// One point a line, keys 0, 1, 2, ...; tension 1 makes straight segments.
inline void writeCurve(const std::string& name, const std::vector<Vec3>& points,
                       bool closed = false, float tension = 0) {
  std::string text = closed ? "1\n" : "";
  char line[160];
  for (size_t i = 0; i < points.size(); ++i) {
    snprintf(line, sizeof line, "%zu, %zu, %g, %g, %g, %g\n", i, i, tension, points[i].x,
             points[i].y, points[i].z);
    text += line;
  }
  writeFile(name, text);
}

inline bool isBlack(const Rgba8& c) { return c.r < 3 && c.g < 3 && c.b < 3; }

inline bool hasColour(const Rgba8& c, float r, float g, float b) {
  auto near = [](uint8_t v, float expected) { return std::abs(v - expected * 255) <= 3; };
  return near(c.r, r) && near(c.g, g) && near(c.b, b);
}
