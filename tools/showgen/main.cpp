// velmira-showgen OUTDIR [FAMILY...]: writes the generated files of the show
// (meshes, letters, pictures, music) below OUTDIR. Every run writes the same
// bytes. Naming families limits the run to them.
#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <exception>
#include <future>
#include <string>

#include "tools/showgen/show_generator.h"

namespace {

void printUsage(FILE* out) {
  std::fprintf(out,
               "usage: velmira-showgen OUTDIR [FAMILY...]\n"
               "Writes the generated data of the show below OUTDIR.\n"
               "Families:");
  for (const auto& family : showgen::assetFamilies()) std::fprintf(out, " %s", family.name);
  std::fprintf(out, " (default: all)\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    printUsage(stdout);
    return 0;
  }
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  const std::string outDir = argv[1];
  std::vector<std::string> wanted(argv + 2, argv + argc);
  for (const std::string& name : wanted) {
    const auto& families = showgen::assetFamilies();
    if (std::none_of(families.begin(), families.end(), [&](const auto& f) { return name == f.name; })) {
      std::fprintf(stderr, "velmira-showgen: unknown family \"%s\"\n", name.c_str());
      printUsage(stderr);
      return 2;
    }
  }
  try {
    // The families are independent: make them all at once, then write them
    // in a fixed order.
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::pair<const char*, std::future<showgen::GeneratedFiles>>> jobs;
    for (const auto& family : showgen::assetFamilies()) {
      if (wanted.empty() || std::find(wanted.begin(), wanted.end(), family.name) != wanted.end()) {
        jobs.emplace_back(family.name, std::async(std::launch::async, family.generate));
      }
    }
    size_t totalBytes = 0;
    for (auto& [name, job] : jobs) {
      const showgen::GeneratedFiles files = job.get();
      size_t bytes = 0;
      for (const auto& file : files) {
        showgen::writeGeneratedFile(outDir, file);
        bytes += file.bytes.size();
      }
      totalBytes += bytes;
      std::fprintf(stderr, "velmira-showgen: %-8s %4zu files %10zu bytes\n", name, files.size(), bytes);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "velmira-showgen: %zu bytes in %.2f s\n", totalBytes, seconds);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "velmira-showgen: %s\n", error.what());
    return 1;
  }
  return 0;
}
