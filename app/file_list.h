// "datapack.txt": every file the run asked for, one name a line in request
// order, so that a pack holding exactly the show can be built from it
// (velmira-tool pack -o datapack.dat --list datapack.txt).
#pragma once

// Writes the list into the working directory; an unwritable file writes nothing.
void writeFileList();
