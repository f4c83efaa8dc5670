// velmira-tool pack: builds a data pack from files, or lists one.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "pack/pack_format.h"
#include "tools/tool_commands.h"

namespace {

void printHelp() {
  printf(
      "usage: velmira-tool pack -o OUT [--list FILE | NAME...]\n"
      "       velmira-tool pack --ls PACK\n\n"
      "Builds the pack OUT from the named files in order, each entry under its name as\n"
      "given (--list reads one name per line, as datapack.txt is written). --ls prints\n"
      "'<name> <length>' for every entry of PACK.\n");
}

bool readNameList(const char* path, std::vector<std::string>& names) {
  std::ifstream list(path, std::ios::binary);
  if (!list) {
    fprintf(stderr, "velmira-tool pack: cannot read the list %s\n", path);
    return false;
  }
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names.push_back(line);
  }
  return true;
}

bool readEntryFile(const std::string& name, std::vector<uint8_t>& data) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(name, error);
  if (error) {
    fprintf(stderr, "velmira-tool pack: cannot read %s: %s\n", name.c_str(),
            error.message().c_str());
    return false;
  }
  if (size > std::numeric_limits<uint32_t>::max()) {
    fprintf(stderr, "velmira-tool pack: %s is larger than 4 GiB, which a pack entry cannot hold\n",
            name.c_str());
    return false;
  }
  data.resize(size);
  std::ifstream file(name, std::ios::binary);
  if (!file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size))) {
    fprintf(stderr, "velmira-tool pack: cannot read %s\n", name.c_str());
    return false;
  }
  return true;
}

// Writes beside OUT first, so a failure leaves any earlier pack untouched.
int buildPack(const std::string& out, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const std::string problem = packNameProblem(name);
    if (!problem.empty()) {
      fprintf(stderr, "velmira-tool pack: cannot store '%.60s...': %s\n", name.c_str(),
              problem.c_str());
      return 1;
    }
  }
  const std::string temporary = out + ".part";
  FILE* pack = fopen(temporary.c_str(), "wb");
  if (!pack) {
    fprintf(stderr, "velmira-tool pack: cannot write %s\n", temporary.c_str());
    return 1;
  }
  std::vector<uint8_t> data;
  bool ok = true;
  for (const std::string& name : names) {
    ok = readEntryFile(name, data) && writePackEntry(pack, name, data);
    if (!ok) break;
  }
  ok = fclose(pack) == 0 && ok;
  std::error_code error;
  if (ok) std::filesystem::rename(temporary, out, error);
  if (!ok || error) {
    std::filesystem::remove(temporary, error);
    fprintf(stderr, "velmira-tool pack: %s was not written\n", out.c_str());
    return 1;
  }
  return 0;
}

int listPack(const char* path) {
  FILE* pack = fopen(path, "rb");
  if (!pack) {
    fprintf(stderr, "velmira-tool pack: cannot open %s\n", path);
    return 1;
  }
  for (const PackEntry& entry : scanPack(pack))
    if (entry.terminated || !entry.name.empty())
      printf("%s %u\n", entry.name.c_str(), entry.length);
  fclose(pack);
  return 0;
}

}  // namespace

int runToolPack(int argc, char** argv) {
  if (argc < 2 || !strcmp(argv[1], "--help")) {
    printHelp();
    return argc < 2 ? 2 : 0;
  }
  if (!strcmp(argv[1], "--ls")) {
    if (argc != 3) {
      printHelp();
      return 2;
    }
    return listPack(argv[2]);
  }
  std::string out;
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "-o") && i + 1 < argc) {
      out = argv[++i];
    } else if (!strcmp(argv[i], "--list") && i + 1 < argc) {
      if (!readNameList(argv[++i], names)) return 1;
    } else {
      names.push_back(argv[i]);
    }
  }
  if (out.empty()) {
    fprintf(stderr, "velmira-tool pack: -o OUT is required\n");
    return 2;
  }
  return buildPack(out, names);
}
