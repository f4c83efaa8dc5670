// Which show a velmira-tool command works on: --show DIR when given, else the
// current folder when it holds a show (demo.adt on the disk or in its pack, or
// a datapack.dat), else the show the build assembles.
//
// A file the user names on the command line is the file at that path when one
// exists there; only a name that exists nowhere but in the show goes through
// the show's file layer.
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

// Call before entering the show: the absolute path of `operand` when a
// regular file is there, else `operand` unchanged (a name for the show).
std::string commandLineFile(const std::string& operand);
