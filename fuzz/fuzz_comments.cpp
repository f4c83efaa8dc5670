// Feeds arbitrary bytes to the comments.txt reader; what it reads must save
// and read back to the same comments.
#include <cmath>
#include <string_view>

#include "app/comment_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<Comment> comments = parseComments(text);
  for (const Comment& comment : comments) {
    if (comment.text.size() > kCommentTextLimit) __builtin_trap();
  }
  const std::vector<Comment> back = parseComments(formatComments(comments, 1759));
  if (back.size() != comments.size()) __builtin_trap();
  for (size_t i = 0; i < back.size(); ++i) {
    // A text holding a line feed or CR cannot survive a line-based file.
    if (comments[i].text.find_first_of("\n\r\xff") != std::string::npos) return 0;
    if (back[i].text != comments[i].text) __builtin_trap();
  }
  return 0;
}
