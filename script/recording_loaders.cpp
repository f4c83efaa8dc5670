#include "script/recording_loaders.h"

namespace {

LoaderRequest request(const char* function, const std::string& name) {
  LoaderRequest result;
  result.function = function;
  result.name = name;
  return result;
}

}  // namespace

RecordingLoaders::RecordingLoaders() {
  loaders.loadMesh = [this](const std::string& file) {
    requests.push_back(request("mesh", file));
    return std::shared_ptr<Mesh>();
  };
  loaders.loadMaterial = [this](const std::string& file) {
    requests.push_back(request("material", file));
    return std::shared_ptr<Material>();
  };
  loaders.loadPngTexture = [this](int bump, const std::string& name, const std::string& path,
                                  float saturation) {
    LoaderRequest png = request("png", name);
    png.path = path;
    png.bump = bump;
    png.saturation = saturation;
    requests.push_back(png);
  };
  loaders.loadJpegTexture = [this](int bump, const std::string& name, const std::string& path) {
    LoaderRequest jpeg = request("jpeg", name);
    jpeg.path = path;
    jpeg.bump = bump;
    requests.push_back(jpeg);
  };
  loaders.makeTexture = [this](const std::string& name, int width, int height) {
    LoaderRequest make = request("make", name);
    make.width = width;
    make.height = height;
    requests.push_back(make);
  };
}
