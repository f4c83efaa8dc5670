// ResourceLoaders that load nothing and remember what was asked, in order:
// the stand-in used by tools and tests until the graphics core's loaders are
// wired in. Mesh and material entries are appended as empty references.
#pragma once

#include <string>
#include <vector>

#include "script/script.h"

struct LoaderRequest {
  std::string function;  // "mesh", "material", "png", "jpeg" or "make"
  std::string name;      // the file, or the pool name for textures
  std::string path;      // textures loaded from a file
  int bump = 0;
  float saturation = 0;
  int width = 0, height = 0;
};

struct RecordingLoaders {
  std::vector<LoaderRequest> requests;
  ResourceLoaders loaders;  // every function appends to `requests`

  RecordingLoaders();
  RecordingLoaders(const RecordingLoaders&) = delete;
  RecordingLoaders& operator=(const RecordingLoaders&) = delete;
};
