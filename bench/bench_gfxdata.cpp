// Mesh and image loading at show sizes: an LWO2 torus of 60,000 points and
// 120,000 triangles (read, projected, normals at load time) and its per-frame
// normal recomputation; 2048 x 2048 PNG and JPEG pictures decoded from memory;
// a 1280 x 720 frame encoded as PNG.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "gfx/image.h"
#include "gfx/image_encode.h"
#include "gfx/mesh_lwo2.h"
#include "gfx/random.h"
#include "tests/gfx/lwo2_builder.h"

namespace {

constexpr int kRings = 300;
constexpr int kSegments = 200;  // 300 x 200 points, every quad closed around: 120,000 triangles
constexpr int kImageSize = 2048;

std::vector<uint8_t> torusFile() {
  Lwo2Builder points(false);
  for (int r = 0; r < kRings; ++r)
    for (int s = 0; s < kSegments; ++s) {
      const double a = 2 * M_PI * r / kRings, b = 2 * M_PI * s / kSegments;
      points.f32(float((3 + std::cos(b)) * std::cos(a)));
      points.f32(float((3 + std::cos(b)) * std::sin(a)));
      points.f32(float(std::sin(b)));
    }
  Lwo2Builder polygons(false);
  polygons.tag("FACE");
  for (int r = 0; r < kRings; ++r)
    for (int s = 0; s < kSegments; ++s) {
      const int r1 = (r + 1) % kRings, s1 = (s + 1) % kSegments;
      polygons.u16(4);
      for (const int corner : {r * kSegments + s, r1 * kSegments + s, r1 * kSegments + s1, r * kSegments + s1})
        polygons.u16(uint32_t(corner));
    }
  Lwo2Builder file;
  file.chunk("TAGS", {'D', 'e', 'f', 'a', 'u', 'l', 't', 0});
  file.chunk("PNTS", points.bytes);
  file.chunk("POLS", polygons.bytes);
  return file.finish();
}

// A picture with smooth shapes and grain of the given strength (a mask of
// random low bits): light grain compresses like a painted texture, heavy
// grain like a photograph.
std::vector<uint8_t> picturePixels(int channels, int grain) {
  seedRandom(1);
  std::vector<uint8_t> pixels(size_t(kImageSize) * kImageSize * channels);
  for (int y = 0; y < kImageSize; ++y)
    for (int x = 0; x < kImageSize; ++x)
      for (int c = 0; c < channels; ++c) {
        const double wave = std::sin(x * 0.01 * (c + 1)) * std::cos(y * 0.013 + c) * 100;
        pixels[(size_t(y) * kImageSize + x) * channels + c] =
            uint8_t(std::clamp(128 + wave + (nextRandom() & grain), 0.0, 255.0));
      }
  return pixels;
}

void BM_Lwo2Load(benchmark::State& state) {
  const std::vector<uint8_t> file = torusFile();
  for (auto _ : state) {
    Mesh mesh = parseLwo2(file);
    benchmark::DoNotOptimize(mesh.vertices.data());
  }
  const Mesh mesh = parseLwo2(file);
  state.counters["vertices"] = mesh.vertexCount();
  state.counters["triangles"] = mesh.triangleCount();
}

void BM_RecomputeNormals(benchmark::State& state) {
  Mesh mesh = parseLwo2(torusFile());
  for (auto _ : state) {
    recomputeNormals(mesh, false);
    benchmark::DoNotOptimize(mesh.vertices.data());
  }
}

void BM_PngDecode(benchmark::State& state) {
  const std::vector<uint8_t> pixels = picturePixels(4, int(state.range(0)));
  const std::vector<uint8_t> file = encodePng(pixels.data(), kImageSize, kImageSize, 4);
  DecodedImage image;
  for (auto _ : state) {
    decodePng(file, {}, image);
    benchmark::DoNotOptimize(image.pixels.data());
  }
  state.counters["file_bytes"] = double(file.size());
}

// One 1280 x 720 RGB frame as the offline renderer writes it (Arg 1) and at
// zlib's default level (Arg 0).
void BM_PngEncodeFrame(benchmark::State& state) {
  const std::vector<uint8_t> pixels = picturePixels(3, 3);
  const PngEffort effort = state.range(0) ? PngEffort::Fast : PngEffort::Small;
  size_t bytes = 0;
  for (auto _ : state) bytes = encodePng(pixels.data(), 1280, 720, 3, effort).size();
  state.counters["file_bytes"] = double(bytes);
}

void BM_PngDecodeSaturated(benchmark::State& state) {
  const std::vector<uint8_t> pixels = picturePixels(4, 3);
  const std::vector<uint8_t> file = encodePng(pixels.data(), kImageSize, kImageSize, 4);
  PngColouring colouring;
  colouring.saturation = 0.5f;
  DecodedImage image;
  for (auto _ : state) {
    decodePng(file, colouring, image);
    benchmark::DoNotOptimize(image.pixels.data());
  }
}

void BM_JpegDecode(benchmark::State& state) {
  const std::vector<uint8_t> pixels = picturePixels(3, int(state.range(0)));
  const std::vector<uint8_t> file = encodeJpeg(pixels.data(), kImageSize, kImageSize, 90);
  DecodedImage image;
  for (auto _ : state) {
    decodeJpeg(file, image);
    benchmark::DoNotOptimize(image.pixels.data());
  }
  state.counters["file_bytes"] = double(file.size());
}

}  // namespace

BENCHMARK(BM_Lwo2Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeNormals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngDecode)->Arg(0)->Arg(3)->Arg(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngEncodeFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngDecodeSaturated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegDecode)->Arg(0)->Arg(3)->Arg(15)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
