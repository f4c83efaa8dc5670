#include "tools/replaced_output.h"

#include <cstdio>

#include "platform/file_replace.h"
#include "platform/tool_process.h"

int writeReplacing(const char* command, const std::string& path,
                   const std::function<int(const std::string& temporary)>& write) {
  FileReplacement plan;
  std::string error;
  if (!planFileReplacement(path, plan, error)) {
    fprintf(stderr, "velmira-tool %s: %s\n", command, error.c_str());
    return 1;
  }
  removeWhenStopped(plan.temporary);
  const int status = write(plan.temporary);
  removeWhenStopped("");
  if (status != 0) {
    abandonFileReplacement(plan);
    return status;
  }
  if (!commitFileReplacement(plan, error)) {
    fprintf(stderr, "velmira-tool %s: %s\n", command, error.c_str());
    return 1;
  }
  return 0;
}
