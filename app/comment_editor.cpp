#include "app/comment_editor.h"

#include <cstdio>

#include "platform/keys.h"

namespace {

bool pressedOnce(bool down, bool& latch) {
  const bool pressed = down && !latch;
  latch = down;
  return pressed;
}

std::string lineText(int index, const std::string& text, bool cursor) {
  char prefix[16];
  snprintf(prefix, sizeof prefix, "%d: ", index);
  return prefix + text + (cursor ? "|" : "");
}

bool ignoredWhileTyping(int key) {
  return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_SHIFT ||
         key == VK_LSHIFT || key == VK_RSHIFT;
}

// Tab and Shift + Tab: the next comment, or a new empty one at the end.
void selectionKeys(CommentEditor& editor, std::vector<Comment>& comments, const CommentFrame& frame,
                   int walked) {
  if (!pressedOnce(frame.keys[VK_TAB], editor.tabLatch)) return;
  if (frame.keys[VK_LSHIFT]) {
    comments.push_back({"", frame.currentTime});
    editor.selected = walked;
    ++walked;
  } else {
    ++editor.selected;
  }
  if (editor.selected >= walked) editor.selected = 0;
}

void typeKeys(CommentEditor& editor, std::string& text, const CommentFrame& frame) {
  const KeyboardState& keys = frame.keys;
  const bool shift = keys[VK_SHIFT] || keys[VK_LSHIFT] || keys[VK_RSHIFT];
  if (editor.heldKey >= 0 && !keys[editor.heldKey]) editor.heldKey = -1;
  for (int key = 0; key < 255 && editor.heldKey < 0; ++key) {
    if (ignoredWhileTyping(key) || !keys[key]) continue;
    editor.heldKey = key;
    editor.heldCharacter = characterOfKey(key, shift);
    editor.repeatReference = frame.elapsedMs;
    editor.repeatDelay = 400;
    editor.typed = false;
  }
  if (editor.heldKey < 0) return;
  if (!editor.typed) {
    if (editor.heldKey == VK_BACK) {
      if (!text.empty()) text.pop_back();
    } else if (text.size() < kCommentTextLimit) {
      text.push_back(static_cast<char>(editor.heldCharacter));
    }
  }
  if (frame.elapsedMs > editor.repeatReference + editor.repeatDelay) {
    editor.repeatDelay = 50;
    editor.repeatReference = frame.elapsedMs;
    editor.typed = false;
  } else {
    editor.typed = true;
  }
}

}  // namespace

bool commentVisible(const Comment& comment, float currentTime) {
  return comment.time <= currentTime &&
         currentTime < comment.time + 0.05f * float(comment.text.size()) + 2.0f;
}

std::vector<OverlayLine> updateCommentOverlay(CommentEditor& editor,
                                              std::vector<Comment>& comments,
                                              const CommentFrame& frame) {
  const bool deletePressed = pressedOnce(frame.keys[VK_DELETE], editor.deleteLatch);
  bool deletionPending = frame.paused && deletePressed;
  const bool cursorOn = editor.editing && frame.elapsedMs % 1000 < 500;
  std::vector<OverlayLine> lines;
  int editTarget = -1;
  int j = 0;
  for (size_t i = 0; i < comments.size();) {
    if (!commentVisible(comments[i], frame.currentTime)) {
      ++i;
      continue;
    }
    if (deletionPending && j == editor.selected) {
      comments.erase(comments.begin() + static_cast<std::ptrdiff_t>(i));
      deletionPending = false;
      continue;
    }
    const bool selected = j == editor.selected;
    if (selected) editTarget = static_cast<int>(i);
    const bool highlighted = selected || !frame.paused;
    lines.push_back({lineText(j, comments[i].text, selected && cursorOn), highlighted});
    ++j;
    ++i;
  }
  const bool enterPressed = pressedOnce(frame.keys[VK_RETURN], editor.enterLatch);
  if (!frame.paused) return lines;
  selectionKeys(editor, comments, frame, j);
  if (enterPressed) editor.editing = !editor.editing;
  if (editor.editing && editTarget >= 0) typeKeys(editor, comments[editTarget].text, frame);
  return lines;
}

unsigned char characterOfKey(int key, bool shift) {
  if (key >= 'A' && key <= 'Z') return static_cast<unsigned char>(shift ? key : key + 32);
  if (!shift) {
    switch (key) {
      case 187: return '+';
      case 188: return ',';
      case 189: return '-';
      case 190: return '.';
      case 191: return '\'';
      case 192: return 246;
      case 222: return 228;
      default: return static_cast<unsigned char>(key);
    }
  }
  switch (key) {
    case '0': return '=';
    case '4': return 164;
    case '7': return '/';
    case 187: return '?';
    case 188: return ';';
    case 189: return '_';
    case 190: return ':';
    case 192: return 214;
    case 222: return 196;
    default: break;
  }
  if (key >= '1' && key <= '9') return static_cast<unsigned char>(key - 16);
  return static_cast<unsigned char>(key);
}
