// One file of the show as the generator makes it: its path below the output
// folder ("quarno/meshes/dots.lwo") and its bytes. Every asset family returns a
// list of these; main writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace showgen {

struct GeneratedFile {
  std::string path;
  std::vector<uint8_t> bytes;
};

using GeneratedFiles = std::vector<GeneratedFile>;

}  // namespace showgen
