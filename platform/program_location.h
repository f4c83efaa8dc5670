// Where the running program's file lies, so that an installed program can
// find the data installed beside it whatever the working directory.
#pragma once

#include <string>

// The folder holding the running executable, ending in a separator; empty
// when the system cannot say.
std::string executableFolder();
