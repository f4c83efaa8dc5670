// The message path: the one way the engine tells a person something.
//
// The caption and text always go to stderr, byte for byte. When a window is
// open (a display exists), VELMIRA_NO_DIALOGS is not set and the process has
// not turned boxes off (command-line tools do), a message box shows them as
// well. The debug channel stands in for a debugger's output
// window: it writes to stderr only when VELMIRA_DEBUG is set or
// setDebugChannel(true) was called.
#pragma once

#include <string_view>

enum class MessageIcon { Error, Exclamation, Information };

void showMessage(std::string_view caption, std::string_view text,
                 MessageIcon icon = MessageIcon::Error);

// Shows the message and ends the process with status 255 (the exit code -1).
[[noreturn]] void fatalMessage(std::string_view caption, std::string_view text);

// While a show is being authored a data error must not end the process: a
// diversion receives fatal messages instead and leaves by throwing. Null
// restores the ordinary ending.
using FatalDiversion = void (*)(std::string_view caption, std::string_view text);
void divertFatalMessages(FatalDiversion diversion);

// A Yes/No question, asked in a box wherever a display exists (also before
// any window of ours is open); answers No when no person can be asked (no
// display, or VELMIRA_NO_DIALOGS set).
bool askYesNo(std::string_view caption, std::string_view text);

// From now on no message box opens in this process; messages go to stderr
// only and questions are answered No.
void disableMessageBoxes();

// A note for the person at the terminal: one line on stderr, never a box.
// Notes are counted, so a checking tool can tell whether any was given.
void noteMessage(std::string_view text);
int notesGiven();

void setDebugChannel(bool enabled);
bool debugChannelEnabled();
void debugPrint(std::string_view text);

// The process exit status for the specified exit code -1.
inline constexpr int kExitFailure = 255;
