// "comments.txt": the time-stamped comments of the overlay, in the working
// directory (read and written directly, not through the data pack).
//
// The first line names the build revision; then one comment a line: the time
// in seconds with three decimals, a blank, the text. Lines starting with "#"
// are skipped when reading, so the header is never read back as a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct Comment {
  std::string text;
  float time = 0.0f;
};

// A comment holds at most this many characters.
inline constexpr size_t kCommentTextLimit = 1023;
inline constexpr const char* kCommentFileName = "comments.txt";

// Reads the file's bytes. A time that does not read as a number takes the
// time of the comment before (0 for the first); a last line without a line
// feed adds nothing; a byte 0xFF ends the text.
std::vector<Comment> parseComments(std::string_view bytes);
std::string formatComments(const std::vector<Comment>& comments, int buildRevision);

// No file reads as no comments.
std::vector<Comment> loadComments(const std::string& path = kCommentFileName);
// Writes a temporary file beside `path`, flushes it to the disk and renames
// it over `path`, so the file is always either the old or the new one. False
// (and the old file untouched) when it cannot be written.
bool saveComments(const std::vector<Comment>& comments, int buildRevision,
                  const std::string& path = kCommentFileName);
