// velmira-tool programs: compiles the GPU program library in a hidden GL
// context and reports each program.
#include <cstdio>
#include <string>

#include "gfx/gpu_programs.h"
#include "platform/window.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"

namespace {

// Driver messages may span lines; the report keeps one line per program.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

const char kUsage[] =
    "usage: velmira-tool programs\n\n"
    "Creates a hidden GL context, compiles the whole GPU program library and prints\n"
    "one line per program: '<name> ok' or '<name> error <position> <text>'\n"
    "(position -1 when the driver names none). Exits non-zero when any fails.\n"
    "Set VELMIRA_DEBUG=1 to see the compilation trace on stderr.\n";

}  // namespace

int runToolPrograms(int argc, char** argv) {
  const ToolArguments arguments = parseToolArguments(argc, argv, {});
  if (arguments.help) return printUsage(kUsage);
  if (!arguments.error.empty()) return usageError("programs", arguments.error, kUsage);
  if (!arguments.operands.empty())
    return usageError("programs", "unexpected argument " + arguments.operands.front(), kUsage);
  WindowRequest request;
  request.hidden = true;
  request.width = 256;
  request.height = 256;
  std::string error;
  if (!openWindow(request, error)) {
    fprintf(stderr, "velmira-tool programs: no GL context: %s\n", error.c_str());
    return 1;
  }
  initGpuPrograms();
  int failures = 0;
  for (const GpuProgramReport& report : gpuProgramReports()) {
    if (report.ok) {
      printf("%s ok\n", report.name.c_str());
    } else {
      ++failures;
      printf("%s error %d %s\n", report.name.c_str(), report.errorPosition,
             oneLine(report.errorText).c_str());
    }
  }
  closeWindow();
  return failures ? 1 : 0;
}
