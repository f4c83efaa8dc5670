// The setup dialog's window: a small window of its own, shown before the show
// window opens, drawn with Dear ImGui through its SDL2 and OpenGL2 backends.
//
// The window only draws the view and reports which control the person
// changed; what a change means for the settings is the caller's business.
// Escape and Enter do not close it; only Begin, End and closing the window do.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct DialogPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // rows top first, 4 bytes a pixel
};

struct SetupDialogView {
  std::string caption;
  DialogPicture picture;
  std::vector<std::string> sizes;
  int selectedSize = -1;  // -1: nothing selected
  std::vector<std::string> shapes;
  int selectedShape = -1;
  bool fullscreen = false;
  bool audio = false;
};

enum class DialogControl { SizeList, ShapeList, Fullscreen, Audio };
enum class DialogResult { Running, Begin, End, Failed };
enum class DialogButton { Begin, End };

// The dialog's size in pixels (262 x 281 dialog units of an 8 point font).
inline constexpr int kDialogWidth = 393;
inline constexpr int kDialogHeight = 457;

using DialogChange = std::function<void(DialogControl)>;

// Shows the dialog until Begin, End or the window's close; Failed when no
// window can be opened or VELMIRA_NO_DIALOGS is set. `onChange` runs after
// the view has taken each change.
DialogResult runSetupDialogWindow(SetupDialogView& view, const DialogChange& onChange);

// The same in steps, for tests that drive the dialog with injected events.
bool openSetupDialogWindow(const SetupDialogView& view);
DialogResult drawSetupDialogFrame(SetupDialogView& view, const DialogChange& onChange);
void closeSetupDialogWindow();

// Where a button's centre lies in the dialog window, in pixels.
void dialogButtonCentre(DialogButton button, int& x, int& y);
// A point inside the closed size or shape list (SizeList or ShapeList).
void dialogListCentre(DialogControl list, int& x, int& y);
// Queues a left click (press and release) at a point of the dialog window.
void injectDialogClick(int x, int y);
// Queues the window manager's request to close the dialog window.
void injectDialogClose();
// Queues a press and release of Escape or Enter (virtual-key codes).
void injectDialogKey(int virtualKey);
