#include "tools/tool_show.h"

#include <cstdio>
#include <filesystem>

#include "app/default_show.h"
#include "pack/pack.h"

std::string chooseShowDirectory(const std::string& given) {
  if (!given.empty()) return given;
  std::error_code ignored;
  const bool showHere = fileIsAvailable("demo.adt") || std::filesystem::exists(kPackFileName, ignored);
  return showHere ? "." : defaultShowDirectory();
}

bool enterShowDirectory(const char* command, const ToolArguments& arguments) {
  return enterShowDirectory(command, arguments.text(kShowOption.name));
}

bool enterShowDirectory(const char* command, const std::string& given) {
  const std::string directory = chooseShowDirectory(given);
  std::error_code error;
  std::filesystem::current_path(directory, error);
  // The pack index of the folder the tool started in must not answer here.
  resetFileLayer();
  if (!error) return true;
  fprintf(stderr, "velmira-tool %s: cannot enter the show directory %s: %s\n", command,
          directory.c_str(), error.message().c_str());
  return false;
}

std::string commandLineFile(const std::string& operand) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(operand, error)) return operand;
  const std::filesystem::path absolute = std::filesystem::absolute(operand, error);
  return error ? operand : absolute.string();
}
