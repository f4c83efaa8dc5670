// The morphing blob: one smooth organic body with arms, meshed once with its
// arms spread ("open") and then bent up and inwards until it folds shut
// ("close2"). Both shapes share the same points in the same order, so an
// effect can blend them vertex by vertex.
#pragma once

#include "tools/showgen/generated_file.h"
#include "tools/showgen/geometry.h"

namespace showgen {

PolyMesh makeOpenBlob();
// Same topology, points moved: each arm curls up over the body.
PolyMesh foldBlobShut(const PolyMesh& open);

// "quarno/meshes/vurivev_meta_open.lwo" and "quarno/meshes/vurivev_meta_close2.lwo".
GeneratedFiles generateBlobMeshes();

}  // namespace showgen
