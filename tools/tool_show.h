// Which show a velmira-tool command works on: --show DIR when given, else the
// current folder when it holds a show (demo.adt on the disk or in its pack),
// else the show the build assembles.
#pragma once

#include <string>

#include "tools/tool_options.h"

inline constexpr ToolOption kShowOption{"--show", OptionValue::Text};

// `given` is the --show value, empty when there was none.
std::string chooseShowDirectory(const std::string& given);

// Makes the chosen show the working directory; false, with a message naming
// the command, when it cannot be entered.
bool enterShowDirectory(const char* command, const std::string& given);
bool enterShowDirectory(const char* command, const ToolArguments& arguments);
