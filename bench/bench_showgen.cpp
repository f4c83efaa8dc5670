// Time to make each family of the show's generated data (one run each: the
// soundtrack alone takes seconds).
#include <benchmark/benchmark.h>

#include "tools/showgen/show_generator.h"

namespace {

void BM_GenerateFamily(benchmark::State& state, showgen::GeneratedFiles (*generate)()) {
  size_t bytes = 0;
  for (auto _ : state) {
    const showgen::GeneratedFiles files = generate();
    bytes = 0;
    for (const auto& file : files) bytes += file.bytes.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void registerFamilies() {
  for (const auto& family : showgen::assetFamilies()) {
    benchmark::RegisterBenchmark((std::string("generate/") + family.name).c_str(), BM_GenerateFamily,
                                 family.generate)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerFamilies();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
