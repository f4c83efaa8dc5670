#include "framework/resource_loaders.h"

#include "gfx/image_texture.h"
#include "gfx/material.h"
#include "gfx/mesh_lwo2.h"

namespace {

ResourceLoaders makeLoaders() {
  ResourceLoaders loaders;
  loaders.loadPngTexture = [](int bump, const std::string& name, const std::string& path,
                              float saturation) {
    loadPngTexture(bump != 0, std::nullopt, name, path, saturation, std::nullopt);
  };
  loaders.loadJpegTexture = [](int bump, const std::string& name, const std::string& path) {
    loadJpegTexture(bump != 0, name, path);
  };
  loaders.makeTexture = [](const std::string& name, int width, int height) {
    makeTexture({.name = name, .width = width, .height = height});
  };
  loaders.loadMesh = [](const std::string& file) {
    return std::make_shared<Mesh>(loadMesh(file));
  };
  // Materials stay in the material store for the life of the process.
  loaders.loadMaterial = [](const std::string& file) {
    return std::shared_ptr<Material>(loadMaterial(file), [](Material*) {});
  };
  return loaders;
}

}  // namespace

const ResourceLoaders& engineResourceLoaders() {
  static const ResourceLoaders loaders = makeLoaders();
  return loaders;
}
