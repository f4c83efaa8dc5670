// Facts about the standard streams that decide how tools report progress.
#pragma once

// True when stderr is an interactive terminal (a progress bar makes sense).
bool stderrIsTerminal();
