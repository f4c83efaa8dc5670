// The asset families of the show and where their files go. Each family makes
// its files in memory; writeGeneratedFile puts one below the output folder,
// creating the folders on its path.
#pragma once

#include <string>
#include <vector>

#include "tools/showgen/generated_file.h"

namespace showgen {

struct AssetFamily {
  const char* name;
  GeneratedFiles (*generate)();
};

const std::vector<AssetFamily>& assetFamilies();

// Throws std::runtime_error when the file cannot be written.
void writeGeneratedFile(const std::string& outDir, const GeneratedFile& file);

}  // namespace showgen
