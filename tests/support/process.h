// Running the built programs from a test: a shell command with message boxes
// turned off (a box would wait for a click that never comes), and the files
// they write read back whole.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

// The command's exit status, or -1 when it did not exit normally.
inline int run(const std::string& command) {
  const int status = std::system(("VELMIRA_NO_DIALOGS=1 " + command).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Tests that start a drawing program need a display; without one they fail
// rather than pass unseen (run them under xvfb-run).
#define ASSERT_DISPLAY() \
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs a display (run under xvfb-run)"

inline std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
