// The comment overlay's logic, without a window: which comments show at the
// current time, how each line reads and in which colour, and the editor that
// works while the show is paused: Tab selects the next comment (left Shift +
// Tab adds an empty one at the current time), Enter starts and stops editing,
// Delete removes the selected comment, and held keys type with a 400 ms delay
// and a 50 ms repeat. Fed with key states and the elapsed milliseconds.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "app/comment_file.h"

// Which virtual keys are down this frame.
using KeyboardState = std::bitset<256>;

struct CommentEditor {
  int selected = 0;
  bool editing = false;
  bool tabLatch = false;
  bool enterLatch = false;
  bool deleteLatch = false;
  int heldKey = -1;  // -1: none
  unsigned char heldCharacter = 0;
  uint32_t repeatReference = 0;
  uint32_t repeatDelay = 400;
  bool typed = false;
};

struct OverlayLine {
  std::string text;  // "INDEX: TEXT", with a "|" cursor while it blinks on
  bool highlighted = false;  // white; the others are grey while paused
};

struct CommentFrame {
  float currentTime = 0.0f;
  bool paused = false;
  uint32_t elapsedMs = 0;
  KeyboardState keys;
};

// A comment is shown from its time for 2 s plus 50 ms per character.
bool commentVisible(const Comment& comment, float currentTime);

// One frame of the overlay: the lines to print, in order. Deletes, adds,
// selects and types as the keys say; typing shows from the next frame.
std::vector<OverlayLine> updateCommentOverlay(CommentEditor& editor,
                                              std::vector<Comment>& comments,
                                              const CommentFrame& frame);

// The character a virtual key types, on the layout the key table follows.
unsigned char characterOfKey(int virtualKey, bool shift);
