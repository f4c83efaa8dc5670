// velmira-tool cat: prints data files as the engine finds them.
#include <cstdio>
#include <cstring>

#include "pack/pack.h"
#include "tools/tool_commands.h"

int runToolCat(int argc, char** argv) {
  if (argc < 2 || !strcmp(argv[1], "--help")) {
    printf(
        "usage: velmira-tool cat [--info] NAME...\n\n"
        "Looks each NAME up as the engine does (the disk first, then datapack.dat in the\n"
        "current directory) and writes its bytes to stdout. With --info, prints one line\n"
        "per name instead: <result> <length> <name>, result 2 disk, 1 pack, 0 missing.\n");
    return argc < 2 ? 2 : 0;
  }
  const bool info = !strcmp(argv[1], "--info");
  int status = 0;
  std::vector<uint8_t> data;
  for (int i = info ? 2 : 1; i < argc; ++i) {
    const int result = loadFile(argv[i], data);
    if (result == kLoadMissing) status = 1;
    if (info)
      printf("%d %zu %s\n", result, data.size(), argv[i]);
    else
      fwrite(data.data(), 1, data.size(), stdout);
  }
  return status;
}
