#include "tools/showgen/show_generator.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/showgen/blob_meshes.h"
#include "tools/showgen/letter_meshes.h"
#include "tools/showgen/particle_meshes.h"
#include "tools/showgen/pictures.h"
#include "tools/showgen/sculpt_mesh.h"
#include "tools/showgen/soundtrack.h"

namespace showgen {

const std::vector<AssetFamily>& assetFamilies() {
  static const std::vector<AssetFamily> families = {
      {"blob", generateBlobMeshes},
      {"sculpt", generateSculptMesh},
      {"points", generateParticleMeshes},
      {"letters", generateLetterMeshes},
      {"pictures", generatePictures},
      {"music", generateSoundtrack},
  };
  return families;
}

void writeGeneratedFile(const std::string& outDir, const GeneratedFile& file) {
  const std::filesystem::path path = std::filesystem::path(outDir) / file.path;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.bytes.data()),
            static_cast<std::streamsize>(file.bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace showgen
