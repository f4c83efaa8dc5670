#include "app/comment_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/file_replace.h"

namespace {

enum class LineState { Start, Text, Skipped };

// The characters collected before the first blank, read as a float.
bool readTime(const std::string& field, float& time) {
  char* end = nullptr;
  const float value = strtof(field.c_str(), &end);
  if (end == field.c_str()) return false;
  time = value;
  return true;
}

void collect(std::string& buffer, char c) {
  if (buffer.size() < kCommentTextLimit) buffer.push_back(c);
}

}  // namespace

std::vector<Comment> parseComments(std::string_view bytes) {
  std::vector<Comment> comments;
  LineState state = LineState::Start;
  std::string field, text;
  float time = 0.0f;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (static_cast<unsigned char>(c) == 0xFF) break;
    // The file is text: a line end written as CR LF reads as LF.
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    switch (state) {
      case LineState::Start:
        if (c == '#') {
          state = LineState::Skipped;
        } else if (c == ' ') {
          readTime(field, time);
          field.clear();
          state = LineState::Text;
        } else {
          collect(field, c);
        }
        break;
      case LineState::Text:
        if (c == '\n') {
          comments.push_back({text, time});
          text.clear();
          state = LineState::Start;
        } else {
          collect(text, c);
        }
        break;
      case LineState::Skipped:
        if (c == '\n') {
          field.clear();
          state = LineState::Start;
        }
        break;
    }
  }
  return comments;
}

std::string formatComments(const std::vector<Comment>& comments, int buildRevision) {
  char line[64];
  snprintf(line, sizeof line, "# comments saved with build-revision %d\n", buildRevision);
  std::string out = line;
  for (const Comment& comment : comments) {
    snprintf(line, sizeof line, "%3.3f ", comment.time);
    out += line;
    out += comment.text;
    out += '\n';
  }
  return out;
}

namespace {

constexpr std::string_view kHeaderStart = "# comments saved with build-revision ";

// Reads the whole file; false with `why` when it exists but cannot be read.
bool readFileBytes(const std::string& path, std::string& bytes, bool& exists, std::string& why) {
  namespace fs = std::filesystem;
  std::error_code code;
  const fs::file_status status = fs::status(path, code);
  exists = fs::exists(status);
  if (!exists) return true;
  if (fs::is_directory(status)) {
    why = "it is a folder";
    return false;
  }
  if (!fs::is_regular_file(status)) {
    why = "it is not a regular file";
    return false;
  }
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) {
    why = strerror(errno);
    return false;
  }
  char buffer[65536];
  size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = ferror(file) != 0;
  fclose(file);
  if (failed) why = "a read error";
  return !failed;
}

std::string_view withoutHeader(std::string_view bytes) {
  if (!bytes.starts_with(kHeaderStart)) return bytes;
  const size_t end = bytes.find('\n');
  return end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
}

// Whether saving what the reader understood gives the same lines back.
bool readsBackAsWritten(std::string_view bytes) {
  return withoutHeader(formatComments(parseComments(bytes), 0)) == withoutHeader(bytes);
}

std::string freeBackupName(const std::string& target) {
  std::string name = target + ".bak";
  std::error_code code;
  for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(name, code)); ++n)
    name = target + ".bak" + std::to_string(n);
  return name;
}

CommentSave failedSave(const std::string& why, const std::vector<Comment>& comments,
                       int buildRevision) {
  return {false, "velmira: the comments were not saved: " + why +
                     "\nvelmira: the comments of this session follow:\n" +
                     formatComments(comments, buildRevision)};
}

}  // namespace

CommentFile loadComments(const std::string& path) {
  CommentFile file;
  file.path = path;
  bool exists = false;
  std::string why;
  if (!readFileBytes(path, file.bytes, exists, why)) {
    file.bytes.clear();
    file.unreadable = path + " cannot be read (" + why + ")";
    return file;
  }
  file.comments = parseComments(file.bytes);
  return file;
}

CommentSave saveComments(const CommentFile& file, const std::vector<Comment>& comments,
                         int buildRevision) {
  if (comments == file.comments) return {};
  if (!file.unreadable.empty())
    return failedSave(file.unreadable + ", so it is not overwritten", comments, buildRevision);
  FileReplacement plan;
  std::string error;
  if (!planFileReplacement(file.path, plan, error)) return failedSave(error, comments, buildRevision);
  std::string current, why;
  bool exists = false;
  if (!readFileBytes(plan.target, current, exists, why))
    return failedSave(file.path + " cannot be read (" + why + "), so it is not overwritten",
                      comments, buildRevision);
  CommentSave save;
  if (exists && (current != file.bytes || !readsBackAsWritten(current))) {
    const std::string backup = freeBackupName(plan.target);
    if (!writeFileDurably(backup, current))
      return failedSave("the old file could not be kept as " + backup, comments, buildRevision);
    save.message = "velmira: " + file.path +
                   " held lines the player does not write back as they were, or changed "
                   "meanwhile; the file as it was is kept as " + backup + "\n";
  }
  if (!replaceFileAtomically(file.path, formatComments(comments, buildRevision), error))
    return failedSave(error, comments, buildRevision);
  return save;
}
