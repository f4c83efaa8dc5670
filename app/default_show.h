// The show the programs use when none is named: the show installed beside
// them (the pack and demo.adt in the data folder of their install prefix),
// else the show the build assembles. The installed show is found from the
// executable's own place, so it plays from any working directory.
#pragma once

#include <string>

std::string defaultShowDirectory();
