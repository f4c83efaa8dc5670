// The show's pictures, all procedural: tiling colour textures, bump sources
// and specular maps, sphere environment maps, particle and flare sprites with
// alpha, projector slides, layer pictures (title with the show's name,
// credits, vignette, backdrop, grain) and the 390 x 330 setup picture.
// Everything is written below "quarno/pictures/".
#pragma once

#include "tools/showgen/generated_file.h"

namespace showgen {

GeneratedFiles generatePictures();

}  // namespace showgen
