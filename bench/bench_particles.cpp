// The vortex particle stepper at show sizes: 3000 particles stirred by 100
// vortices, and the back-to-front sort of their draw list. Items are
// particles, so items per second / 1000 is particles per millisecond.
#include <benchmark/benchmark.h>

#include <vector>

#include "effects/particle_styles.h"
#include "gfx/random.h"

namespace {

constexpr int kParticles = 3000;
constexpr int kVortices = 100;

Mesh cloud() {
  Mesh mesh;
  seedRandom(99);
  mesh.vertices.resize(kParticles);
  for (MeshVertex& vertex : mesh.vertices)
    vertex.position = {float(nextRandom() % 200) - 100.0f, float(nextRandom() % 200) - 100.0f,
                       float(nextRandom() % 200) - 100.0f};
  return mesh;
}

std::vector<Vortex> crossOfVortices() {
  std::vector<Vortex> vortices(kVortices);
  for (int j = 0; j < kVortices; ++j) {
    const float a = float(j % 50) * 0.02f - 0.5f;
    vortices[size_t(j)].position = j < 50 ? Vec3{30 * a, 0, 0} : Vec3{0, 30 * a, 0};
  }
  randomizeVortexStrengths(vortices);
  return vortices;
}

const ParticleView kView{{0, 0, 80}, {0, 0, -1}};

void BM_SortParticles(benchmark::State& state) {
  Mesh mesh = cloud();
  std::vector<SpriteOrder> stepped;
  stepParticles(mesh, {kParticles, 1}, {}, kBreakerParticles, 0.0f, kView, stepped);
  std::vector<SpriteOrder> list;
  for (auto _ : state) {
    list = stepped;
    sortBackToFront(list);
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(state.iterations() * kParticles);
}
BENCHMARK(BM_SortParticles)->Unit(benchmark::kMicrosecond);

void BM_StepParticles(benchmark::State& state) {
  Mesh mesh = cloud();
  const std::vector<Vortex> vortices = crossOfVortices();
  std::vector<SpriteOrder> list;
  for (auto _ : state) {
    list.clear();
    stepParticles(mesh, {kParticles, 1}, vortices, kBreakerParticles, 0.02f, kView, list);
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(state.iterations() * kParticles);
}
BENCHMARK(BM_StepParticles)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
