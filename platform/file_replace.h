// Replacing a file so that a crash or a power loss at any moment leaves
// either the old file or the new one, never a part of either.
//
// The file replaced is the one the path names: a symbolic link is followed
// (the link stays, its target is replaced), and the temporary file lies
// beside that target, so the final rename never crosses file systems. Only a
// regular file or a new name is replaced; a folder, a device, a FIFO or any
// other special file is refused.
#pragma once

#include <string>

struct FileReplacement {
  std::string target;     // the file that will be replaced
  std::string temporary;  // beside it, with the same extension
};

// Finds the target and a temporary name for `path`; false with `error` when
// the path names something that must not be replaced.
bool planFileReplacement(const std::string& path, FileReplacement& plan, std::string& error);
// Renames the finished temporary over the target; false with `error` (and
// the temporary removed) when it cannot.
bool commitFileReplacement(const FileReplacement& plan, std::string& error);
// Removes the temporary, when there is one.
void abandonFileReplacement(const FileReplacement& plan);

// Plans, writes `bytes` to the temporary, flushes it to the disk and
// commits. False with `error`, and the file at `path` untouched, on any failure.
bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// The system's part: writes a new file and flushes it to the disk.
bool writeFileDurably(const std::string& path, const std::string& bytes);
