// The sculpted form: a smooth, slightly weathered head (cranium, brow, eyes
// in their sockets, nose, lips, cheekbones, ears and neck), facing +z with
// y up, about two units tall.
#pragma once

#include "tools/showgen/generated_file.h"
#include "tools/showgen/geometry.h"

namespace showgen {

PolyMesh makeSculptedHead();

// "quarno/meshes/paeae4.lwo".
GeneratedFiles generateSculptMesh();

}  // namespace showgen
