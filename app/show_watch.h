// Noticing changed show files: every file the show read, with its identity
// when it was last looked at. Checking costs one stat a file and no reading.
#pragma once

#include <string>
#include <vector>

#include "platform/file_identity.h"

struct WatchedFile {
  std::string path;
  bool present = false;
  FileIdentity identity;
};

struct ShowWatch {
  std::vector<WatchedFile> files;
};

// Watches the named files (on the disk, where the file layer looks first)
// and the pack, which holds the ones not on the disk.
ShowWatch watchShowFiles(const std::vector<std::string>& names);
// Adds names not watched yet (a reload may read new files).
void watchMoreFiles(ShowWatch& watch, const std::vector<std::string>& names);

// The files that appeared, changed or went since the last look, in watch
// order; the watch then remembers them as they are now.
std::vector<std::string> changedShowFiles(ShowWatch& watch);
