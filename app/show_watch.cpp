#include "app/show_watch.h"

#include <algorithm>

#include "pack/pack.h"

namespace {

WatchedFile lookAt(const std::string& path) {
  WatchedFile file;
  file.path = path;
  file.present = identifyFile(path, file.identity);
  return file;
}

}  // namespace

ShowWatch watchShowFiles(const std::vector<std::string>& names) {
  ShowWatch watch;
  watchMoreFiles(watch, names);
  watchMoreFiles(watch, {kPackFileName});
  return watch;
}

void watchMoreFiles(ShowWatch& watch, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const bool known = std::any_of(watch.files.begin(), watch.files.end(),
                                   [&](const WatchedFile& file) { return file.path == name; });
    if (!known) watch.files.push_back(lookAt(name));
  }
}

std::vector<std::string> changedShowFiles(ShowWatch& watch) {
  std::vector<std::string> changed;
  for (WatchedFile& file : watch.files) {
    const WatchedFile now = lookAt(file.path);
    if (now.present == file.present && (!now.present || now.identity == file.identity)) continue;
    file = now;
    changed.push_back(file.path);
  }
  return changed;
}
