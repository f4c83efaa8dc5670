// The player's command line: "--show DIR", "--no-dialog", "--help",
// "--version", and the switches, which are searched for "-window" and "-fps"
// as substrings. An argument that is none of these is refused, so a typing
// error is reported instead of silently playing full screen.
#pragma once

#include <string>

struct PlayerOptions {
  std::string showDirectory;
  std::string switches;  // the arguments searched for "-window" and "-fps"
  bool skipDialog = false;  // leave out the setup dialog
  bool help = false;
  bool version = false;
  std::string error;  // wrong usage, in words
};

PlayerOptions parsePlayerOptions(int argc, char** argv, const std::string& defaultShow);
