// A file a command makes (a video, a pack) is written under a temporary name
// beside its real target and renamed over it only when the writing succeeded,
// so a failed command, or one stopped by Ctrl-C or SIGTERM, leaves the file
// that was there as it was.
#pragma once

#include <functional>
#include <string>

// `write` makes the file at the temporary path it is given and returns the
// command's status (0 when done; otherwise it has said why). Returns the
// status, 1 when the path may not be replaced or the rename fails (both said
// on stderr, after "velmira-tool COMMAND: ").
int writeReplacing(const char* command, const std::string& path,
                   const std::function<int(const std::string& temporary)>& write);
