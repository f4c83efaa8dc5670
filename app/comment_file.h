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
  bool operator==(const Comment&) const = default;
};

// A comment holds at most this many characters.
inline constexpr size_t kCommentTextLimit = 1023;
inline constexpr const char* kCommentFileName = "comments.txt";

// Reads the file's bytes. A time that does not read as a number takes the
// time of the comment before (0 for the first); a last line without a line
// feed adds nothing; a byte 0xFF ends the text.
std::vector<Comment> parseComments(std::string_view bytes);
std::string formatComments(const std::vector<Comment>& comments, int buildRevision);

// The comments file as the session found it.
struct CommentFile {
  std::string path;
  std::string bytes;               // as read; empty when there was no file
  std::vector<Comment> comments;   // what the reader understood of them
  std::string unreadable;          // why an existing file could not be read
};

// No file reads as no comments. A file that exists but cannot be read (a
// folder, no permission) reads as no comments and says why in `unreadable`.
CommentFile loadComments(const std::string& path = kCommentFileName);

struct CommentSave {
  bool ok = true;
  std::string message;  // for stderr; empty when there is nothing to say
};

// Saves the session's comments when they differ from the ones read: through
// a temporary file beside the file (a symbolic link is written through),
// flushed and renamed over it, so the file is always either the old or the
// new one. Before a file that held more than the reader understood (skipped
// lines, bytes after a 0xFF, a last line without a line feed, a time written
// another way) or that changed on the disk meanwhile is replaced, it is kept
// as comments.txt.bak (or .bak2, .bak3, ... when that exists). A file that
// could not be read is never overwritten. On failure the message holds the
// unsaved comments in the file's format, so they are not lost.
CommentSave saveComments(const CommentFile& file, const std::vector<Comment>& comments,
                         int buildRevision);
