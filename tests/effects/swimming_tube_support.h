// Definitions and files for the tests of the swimming spring tube kinds: a
// flat material that shows exactly its light's colour, an invisible sprite
// texture, and a definition with every parameter the kinds read.
#pragma once

#include <string>

#include "gfx/gl.h"
#include "gfx/math.h"
#include "support/effect_harness.h"
#include "support/temp_dir.h"
#include "tests/effects/particle_mesh_file.h"

inline void writeSwimmingTubeFiles() {
  // No diffuse, specular or reflection and a texture term of exactly 1.
  writeFile("flat.txt",
            "diffuse = 0,0,0\nspecular = 0,0,0\nambient = 1,1,1\nspecularPow = 1\n"
            "specularAdd = 0\nenvAmount = 0\nenvTexAmount = 0\nbump = 0\ntexMul = 0\n"
            "texAdd = 1\nparallaxDepth = 0\nparallaxBias = 0\n");
  writeParticleMesh("cloud.lwo", {{0, 0, 500}, {0, 0, 501}});
  setPoolTexture("clear", 1, 1, {{0, 0, 0, 0}});
}

// The body at the origin scaled up so it is thick enough to see (or to
// nothing); the back tube copies high above it.
inline std::string swimmingTubeDefinition(const std::string& kind, int backNum,
                                          const std::string& lookAt,
                                          const std::string& bodyScale = "vec3(1, 8, 8)") {
  return "code = " + kind +
         "\nint setCamera = 1;\nvec3 cameraPos = vec3(0, 0, 40);\nvec3 cameraLookAt = " + lookAt +
         ";\nvec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom;\nint numLights = 1;\n"
         "vec3 lightPos;\nvec3 lightColor = vec3(0.2, 0.6, 0.1);\ntexture lightTexture = \"clear\";\n"
         "float lightSize;\nint backNum = " +
         std::to_string(backNum) +
         ";\nint meshNormalInv[2];\nmaterial meshMaterial = \"flat.txt\", \"flat.txt\";\n"
         "vec3 meshPos[2];\nmeshPos[1] = vec3(0, 60, 0);\nvec3 meshCen[2];\nvec3 meshRot[2];\n"
         "vec3 meshSca[2];\nmeshSca[0] = " + bodyScale + ";\nmeshSca[1] = vec3(1, 20, 20);\n"
         "mesh meshParticles = \"cloud.lwo\";\ntexture textureParticle = \"clear\";\n"
         "texture textureDistor = \"clear\";\n";
}

inline int litPixels(const Frame& frame) {
  int lit = 0;
  for (const Rgba8& pixel : frame.pixels) lit += pixel.r + pixel.g + pixel.b > 6;
  return lit;
}
