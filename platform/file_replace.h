// Replacing a file so that a crash or a power loss at any moment leaves
// either the old file or the new one, never a part of either.
#pragma once

#include <string>

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk
// and renames it over `path`. False, with `path` untouched, on any failure.
bool replaceFileAtomically(const std::string& path, const std::string& bytes);
