// The file layer: every data file of the show is read through loadFile.
//
// A name is looked up on the disk first (relative to the working directory),
// then in the pack "datapack.dat", where the first entry in pack order whose
// name contains the requested name wins. Every distinct requested name is
// remembered in request order, so that a developer run can list the files a
// pack must hold.
//
// The pack is indexed once and the index is reused while the pack file is
// the same file (device and inode) with the same size and nanosecond
// modification and change times; the answers are the same as a fresh scan of
// the file from its first byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum LoadResult : int {
  kLoadMissing = 0,   // not on the disk and no pack, or a file that cannot be read
                      // (a FIFO or device, too large): a message was shown
  kLoadFromPack = 1,  // the pack was searched; no match reads as an empty file
  kLoadFromDisk = 2,
};

// Replaces `data` with the named file's bytes. Callers treat any non-zero
// result as success and use data.size() as the length.
int loadFile(std::string_view name, std::vector<uint8_t>& data);

// Whether loadFile would find real data for `name`: a file on the disk or a
// matching pack entry. Asking records nothing and shows no message.
bool fileIsAvailable(std::string_view name);

// Every distinct name asked of loadFile, in the order of its first request.
const std::vector<std::string>& requestedFiles();

// Forgets the requested names and the cached pack index (tests, tools).
void resetFileLayer();

inline constexpr const char* kPackFileName = "datapack.dat";
