// velmira-tool pack: builds a data pack from files, or lists one.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "pack/pack_format.h"
#include "platform/file_replace.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool pack -o OUT [--list FILE] [NAME...]\n"
    "       velmira-tool pack --ls PACK\n\n"
    "Builds the pack OUT from the named files in order, each entry under its name as\n"
    "given (--list reads one name per line, as datapack.txt is written). --ls prints\n"
    "'<name> <length>' for every entry of PACK; a file that is not a whole pack (an\n"
    "entry cut short, a name without its end) is refused with status 1.\n";

const ToolOption kOptions[] = {
    {"-o", OptionValue::Text},
    {"--list", OptionValue::Text},
    {"--ls", OptionValue::Text},
};

// Empty when `path` is a regular file (or nothing), else what it is instead;
// reading a FIFO or a device could wait forever.
std::string notAFile(const std::string& path) {
  std::error_code code;
  const std::filesystem::file_status status = std::filesystem::status(path, code);
  if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) return "";
  return std::filesystem::is_directory(status) ? "a folder" : "not a regular file";
}

bool readNameList(const char* path, std::vector<std::string>& names) {
  if (const std::string what = notAFile(path); !what.empty()) {
    fprintf(stderr, "velmira-tool pack: the list %s is %s\n", path, what.c_str());
    return false;
  }
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

// Writes beside OUT first (beside its target when OUT is a symbolic link), so
// a failure leaves any earlier pack untouched; OUT may not be a folder, a
// device or another special file.
int buildPack(const std::string& out, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const std::string problem = packNameProblem(name);
    if (!problem.empty()) {
      fprintf(stderr, "velmira-tool pack: cannot store '%.60s...': %s\n", name.c_str(),
              problem.c_str());
      return 1;
    }
  }
  FileReplacement plan;
  std::string error;
  if (!planFileReplacement(out, plan, error)) {
    fprintf(stderr, "velmira-tool pack: %s\n", error.c_str());
    return 1;
  }
  FILE* pack = fopen(plan.temporary.c_str(), "wb");
  if (!pack) {
    fprintf(stderr, "velmira-tool pack: cannot write %s: %s\n", plan.temporary.c_str(),
            strerror(errno));
    return 1;
  }
  std::vector<uint8_t> data;
  bool ok = true;
  for (const std::string& name : names) {
    ok = readEntryFile(name, data) && writePackEntry(pack, name, data);
    if (!ok) break;
  }
  ok = fclose(pack) == 0 && ok;
  if (!ok) abandonFileReplacement(plan);
  if (!ok || !commitFileReplacement(plan, error)) {
    fprintf(stderr, "velmira-tool pack: %s was not written%s%s\n", out.c_str(),
            error.empty() ? "" : ": ", error.c_str());
    return 1;
  }
  return 0;
}

// A whole pack ends exactly after the data of its last entry: the scan's
// final entry is then the empty, unterminated one.
std::string packProblem(const std::vector<PackEntry>& entries) {
  for (size_t i = 0; i < entries.size(); ++i) {
    const PackEntry& entry = entries[i];
    const bool last = i + 1 == entries.size();
    if (last && (entry.terminated || !entry.name.empty()))
      return "the last entry name runs into the end of the file";
    if (!last && entry.available < entry.length)
      return "entry '" + entry.name + "' claims " + std::to_string(entry.length) +
             " bytes but the file holds " + std::to_string(entry.available);
  }
  return "";
}

int listPack(const std::string& path) {
  if (const std::string what = notAFile(path); !what.empty()) {
    fprintf(stderr, "velmira-tool pack: %s is %s, not a pack\n", path.c_str(), what.c_str());
    return 1;
  }
  FILE* pack = fopen(path.c_str(), "rb");
  if (!pack) {
    fprintf(stderr, "velmira-tool pack: cannot open %s: %s\n", path.c_str(), strerror(errno));
    return 1;
  }
  const std::vector<PackEntry> entries = scanPack(pack);
  fclose(pack);
  const std::string problem = packProblem(entries);
  if (!problem.empty()) {
    fprintf(stderr, "velmira-tool pack: %s is not a pack: %s\n", path.c_str(), problem.c_str());
    return 1;
  }
  for (size_t i = 0; i + 1 < entries.size(); ++i)
    printf("%s %u\n", entries[i].name.c_str(), entries[i].length);
  return 0;
}

}  // namespace

int runToolPack(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  if (arguments.help) return printUsage(kUsage);
  if (!arguments.error.empty()) return usageError("pack", arguments.error, kUsage);
  if (arguments.has("--ls")) {
    if (arguments.values.size() > 1 || !arguments.operands.empty())
      return usageError("pack", "--ls takes nothing else", kUsage);
    return listPack(arguments.text("--ls"));
  }
  const std::string out = arguments.text("-o");
  if (out.empty()) return usageError("pack", "-o OUT is required", kUsage);
  std::vector<std::string> names;
  if (arguments.has("--list") && !readNameList(arguments.text("--list").c_str(), names)) return 1;
  names.insert(names.end(), arguments.operands.begin(), arguments.operands.end());
  return buildPack(out, names);
}
