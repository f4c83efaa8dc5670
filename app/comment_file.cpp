#include "app/comment_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

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

std::vector<Comment> loadComments(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return parseComments(bytes);
}

bool saveComments(const std::vector<Comment>& comments, int buildRevision,
                  const std::string& path) {
  return replaceFileAtomically(path, formatComments(comments, buildRevision));
}
