#include "app/default_show.h"

#include <filesystem>

#include "platform/program_location.h"

std::string defaultShowDirectory() {
  const std::string programs = executableFolder();
  if (!programs.empty()) {
    std::error_code error;
    const std::filesystem::path installed =
        std::filesystem::path(programs) / VELMIRA_INSTALLED_SHOW_FROM_PROGRAMS;
    if (std::filesystem::exists(installed / "demo.adt", error))
      return std::filesystem::weakly_canonical(installed, error).string();
  }
  return VELMIRA_BUILT_SHOW;
}
