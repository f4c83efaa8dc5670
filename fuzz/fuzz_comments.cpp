// Feeds arbitrary bytes to the comments.txt reader and writer: what it reads
// must save and read back to the same comments, and a session that adds a
// comment to a file of these bytes must lose none of them: the new file
// holds the old comments and the new one, and any byte the reader did not
// understand is still on the disk in the kept copy.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "app/comment_file.h"

namespace {

std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const std::string& folder() {
  static const std::string path = [] {
    char name[] = "/tmp/fuzz_comments_XXXXXX";
    if (!mkdtemp(name)) abort();
    return std::string(name);
  }();
  return path;
}

std::string withoutHeader(const std::string& text) {
  if (text.rfind("# comments saved with build-revision ", 0) != 0) return text;
  const size_t end = text.find('\n');
  return end == std::string::npos ? "" : text.substr(end + 1);
}

void checkRoundTrip(const std::vector<Comment>& comments) {
  const std::vector<Comment> back = parseComments(formatComments(comments, 1759));
  if (back.size() != comments.size()) __builtin_trap();
  for (size_t i = 0; i < back.size(); ++i) {
    if (comments[i].text.size() > kCommentTextLimit) __builtin_trap();
    // A text holding a line feed or CR cannot survive a line-based file.
    if (comments[i].text.find_first_of("\n\r\xff") != std::string::npos) return;
    if (back[i].text != comments[i].text) __builtin_trap();
  }
}

void checkSessionKeepsEverything(std::string_view bytes) {
  const std::string path = folder() + "/comments.txt";
  std::filesystem::remove(path + ".bak");
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
  const CommentFile file = loadComments(path);
  // Untouched without edits.
  if (!saveComments(file, file.comments, 1759).ok || fileText(path) != bytes) __builtin_trap();
  std::vector<Comment> edited = file.comments;
  edited.push_back({"added", 140});
  if (!saveComments(file, edited, 1759).ok) __builtin_trap();
  const std::vector<Comment> saved = loadComments(path).comments;
  if (saved.size() != edited.size()) {
    // Only texts holding line ends may split; the old bytes must be kept.
    if (fileText(path + ".bak") != bytes) __builtin_trap();
    return;
  }
  if (saved.back().text != "added") __builtin_trap();
  const bool kept = std::filesystem::exists(path + ".bak");
  if (kept && fileText(path + ".bak") != bytes) __builtin_trap();
  // Without a kept copy the new file holds every old line as it was.
  if (!kept && withoutHeader(fileText(path)).find(withoutHeader(std::string(bytes))) != 0)
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  checkRoundTrip(parseComments(text));
  checkSessionKeepsEverything(text);
  return 0;
}
