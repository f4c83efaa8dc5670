// loadFile on a 64 MiB pack of 2,000 entries, every name requested once; the
// naive rescan of the file per request is measured beside it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "pack/pack.h"
#include "pack/pack_format.h"

namespace {

constexpr int kEntries = 2000;
constexpr size_t kPackBytes = 64u << 20;

std::string entryName(int i) {
  char name[64];
  snprintf(name, sizeof name, "quarno/data/set%02d/file_%05d.bin", i % 37, i);
  return name;
}

struct BenchPack {
  std::filesystem::path dir;
  std::vector<std::string> names;

  BenchPack() {
    dir = std::filesystem::temp_directory_path() / "velmira-bench-pack";
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    FILE* pack = fopen(kPackFileName, "wb");
    std::vector<uint8_t> data(kPackBytes / kEntries, 0x5a);
    for (int i = 0; i < kEntries; ++i) {
      names.push_back(entryName(i));
      writePackEntry(pack, names.back(), data);
    }
    fclose(pack);
  }
  ~BenchPack() { std::filesystem::remove_all(dir); }
};

BenchPack& benchPack() {
  static BenchPack pack;
  return pack;
}

// The pack read the way a sequential reader does it: from the first byte,
// name by name, on every request.
size_t naiveLoad(const std::string& request, std::vector<uint8_t>& data) {
  FILE* pack = fopen(kPackFileName, "rb");
  std::string name;
  for (;;) {
    name.clear();
    int c;
    while ((c = fgetc(pack)) != EOF && c != 0) name.push_back(static_cast<char>(c));
    uint32_t length = 0;
    if (fread(&length, 4, 1, pack) != 1) length = 0;
    if (name.find(request) != std::string::npos) {
      data.resize(length);
      data.resize(fread(data.data(), 1, length, pack));
      break;
    }
    fseek(pack, length, SEEK_CUR);
    if (c == EOF) break;
  }
  fclose(pack);
  return data.size();
}

void LoadEveryName(benchmark::State& state) {
  BenchPack& pack = benchPack();
  std::vector<uint8_t> data;
  for (auto _ : state) {
    resetFileLayer();
    for (const std::string& name : pack.names) loadFile(name, data);
    benchmark::DoNotOptimize(data.data());
  }
}

void NaiveRescanEveryName(benchmark::State& state) {
  BenchPack& pack = benchPack();
  std::vector<uint8_t> data;
  for (auto _ : state)
    for (const std::string& name : pack.names) benchmark::DoNotOptimize(naiveLoad(name, data));
}

}  // namespace

BENCHMARK(LoadEveryName)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(NaiveRescanEveryName)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
