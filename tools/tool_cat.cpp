// velmira-tool cat: prints data files as the engine finds them.
#include <cstdio>

#include "pack/pack.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool cat [--show DIR] [--info] NAME...\n\n"
    "Looks each NAME up as the engine does in the show folder (the disk first, then\n"
    "its datapack.dat) and writes its bytes to stdout. With --info, prints one line\n"
    "per name instead: <result> <length> <name>, result 2 disk, 1 pack, 0 missing.\n"
    "DIR defaults to the current folder when it holds a show, else the installed or built show.\n";

const ToolOption kOptions[] = {kShowOption, {"--info", OptionValue::None}};

}  // namespace

int runToolCat(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  if (arguments.help) return printUsage(kUsage);
  if (!arguments.error.empty()) return usageError("cat", arguments.error, kUsage);
  if (arguments.operands.empty()) return usageError("cat", "give at least one NAME", kUsage);
  if (!enterShowDirectory("cat", arguments)) return 1;
  const bool info = arguments.has("--info");
  int status = 0;
  std::vector<uint8_t> data;
  for (const std::string& name : arguments.operands) {
    const int result = loadFile(name, data);
    if (result == kLoadMissing) status = 1;
    if (info)
      printf("%d %zu %s\n", result, data.size(), name.c_str());
    else
      fwrite(data.data(), 1, data.size(), stdout);
  }
  return status;
}
