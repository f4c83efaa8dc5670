// The player's command line: "--show DIR", "--no-dialog", "--help",
// "--version"; every
// other argument joins the text that is searched for "-window" and "-fps".
#pragma once

#include <string>

struct PlayerOptions {
  std::string showDirectory;
  std::string switches;  // the arguments searched for "-window" and "-fps"
  bool skipDialog = false;  // leave out the setup dialog
  bool help = false;
  bool version = false;
  std::string error;
};

PlayerOptions parsePlayerOptions(int argc, char** argv, const std::string& defaultShow);
