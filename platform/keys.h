// Key state, queried by Windows virtual-key code so the engine's key tables
// read as written. The state is refreshed by pumpWindowEvents() every frame.
#pragma once

enum VirtualKey : int {
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_DELETE = 0x2E,
  VK_ADD = 0x6B,
  VK_SUBTRACT = 0x6D,
  VK_LSHIFT = 0xA0,
  VK_RSHIFT = 0xA1,
  // The punctuation keys, where a Nordic layout has them: + , - . ' ö ä.
  VK_OEM_PLUS = 0xBB,
  VK_OEM_COMMA = 0xBC,
  VK_OEM_MINUS = 0xBD,
  VK_OEM_PERIOD = 0xBE,
  VK_OEM_2 = 0xBF,
  VK_OEM_3 = 0xC0,
  VK_OEM_7 = 0xDE,
};

// True while the key is held (letters 'A'..'Z' and digits '0'..'9' are their
// own codes, as virtual keys are; VK_SHIFT is either Shift key).
bool isKeyDown(int virtualKey);
