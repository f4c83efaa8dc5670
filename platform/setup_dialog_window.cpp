// The setup dialog's window on SDL2, drawn by Dear ImGui's SDL2 and OpenGL2
// backends. Its controls sit where the dialog template puts them, in dialog
// units of 1.5 x 1.625 pixels.
#include "platform/setup_dialog_window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <cstdlib>

#include "platform/keys.h"
#include "platform/window.h"

namespace {

struct DialogWindow {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  GLuint picture = 0;
  // The mouse as the events tell it, so that injected events act like real
  // ones whatever the pointer of the display does.
  ImVec2 mouse{-1, -1};
  bool buttonHeld = false;
  bool buttonPressedThisFrame = false;
};

DialogWindow dialog;

ImVec2 units(float x, float y) { return {x * 1.5f, y * 1.625f}; }

// Only a display a person sees can show the dialog: on the drivers that draw
// nowhere it would wait for a click that never comes.
bool startVideo() {
  DisplaySize desktop;
  std::string error;
  return queryDesktop(desktop, error) && hasRealDisplay();
}

GLuint uploadPicture(const DialogPicture& picture) {
  if (picture.rgba.empty()) return 0;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, picture.width, picture.height, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, picture.rgba.data());
  return texture;
}

bool isCloseRequest(const SDL_Event& event) {
  return event.type == SDL_QUIT ||
         (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

// Feeds the events to ImGui; true when the window was asked to close.
bool takeEvents() {
  dialog.buttonPressedThisFrame = false;
  bool close = false;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (isCloseRequest(event)) close = true;
    if (event.type == SDL_MOUSEMOTION) dialog.mouse = ImVec2(float(event.motion.x), float(event.motion.y));
    if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
      dialog.mouse = ImVec2(float(event.button.x), float(event.button.y));
      dialog.buttonHeld = dialog.buttonPressedThisFrame = true;
    }
    if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT)
      dialog.buttonHeld = false;
    ImGui_ImplSDL2_ProcessEvent(&event);
  }
  return close;
}

// Where a list sits, in dialog units, and how wide it is.
struct ListPlace {
  float x, y, width;
};
constexpr ListPlace kSizeListPlace{5, 212, 111};
constexpr ListPlace kShapeListPlace{5, 230, 111};

// True when the list tells its owner something: a change to another entry,
// or with `everyNotification` also the list opening and any entry picked,
// the one already selected included.
bool comboList(const char* id, ListPlace place, const std::vector<std::string>& entries,
               int& selected, bool everyNotification) {
  ImGui::SetCursorPos(units(place.x, place.y));
  ImGui::SetNextItemWidth(place.width * 1.5f);
  bool notified = false;
  const char* preview = selected >= 0 && selected < int(entries.size()) ? entries[selected].c_str() : "";
  if (ImGui::BeginCombo(id, preview)) {
    if (everyNotification && ImGui::IsWindowAppearing()) notified = true;
    for (int i = 0; i < int(entries.size()); ++i) {
      if (!ImGui::Selectable(entries[i].c_str(), i == selected)) continue;
      if (i != selected || everyNotification) notified = true;
      selected = i;
    }
    ImGui::EndCombo();
  }
  return notified;
}

bool checkBox(const char* label, float x, float y, bool& value) {
  ImGui::SetCursorPos(units(x, y));
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(2, 1));
  const bool changed = ImGui::Checkbox(label, &value);
  ImGui::PopStyleVar();
  return changed;
}

bool button(const char* label, float x, float y) {
  ImGui::SetCursorPos(units(x, y));
  return ImGui::Button(label, units(110, 13));
}

DialogResult drawControls(SetupDialogView& view, const DialogChange& onChange) {
  ImGui::SetNextWindowPos(ImVec2(0, 0));
  ImGui::SetNextWindowSize(ImVec2(kDialogWidth, kDialogHeight));
  ImGui::Begin("setup", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus);
  if (dialog.picture) {
    ImGui::SetCursorPos(ImVec2(0, 0));
    ImGui::Image(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(dialog.picture)),
                 ImVec2(float(view.picture.width), float(view.picture.height)));
  }
  // The size list speaks only when its selection changes, the shape list on
  // any notification.
  if (comboList("##size", kSizeListPlace, view.sizes, view.selectedSize, false))
    onChange(DialogControl::SizeList);
  if (comboList("##shape", kShapeListPlace, view.shapes, view.selectedShape, true))
    onChange(DialogControl::ShapeList);
  const ImVec2 frameCorner = units(5, 248);
  const ImVec2 windowCorner = ImGui::GetWindowPos();
  ImGui::GetWindowDrawList()->AddRect(
      ImVec2(windowCorner.x + frameCorner.x, windowCorner.y + frameCorner.y),
      ImVec2(windowCorner.x + frameCorner.x + 108 * 1.5f, windowCorner.y + frameCorner.y + 21 * 1.625f),
      ImGui::GetColorU32(ImGuiCol_Border));
  if (checkBox("Fullscreen", 13, 254, view.fullscreen)) onChange(DialogControl::Fullscreen);
  // Audio sits a little right of the template's place: this font is wider.
  if (checkBox("Audio", 75, 254, view.audio)) onChange(DialogControl::Audio);
  DialogResult result = DialogResult::Running;
  if (button("Begin", 141, 235)) result = DialogResult::Begin;
  if (button("End", 141, 254)) result = DialogResult::End;
  ImGui::End();
  return result;
}

}  // namespace

bool openSetupDialogWindow(const SetupDialogView& view) {
  if (dialog.window || !startVideo()) return false;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  dialog.window = SDL_CreateWindow(view.caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   kDialogWidth, kDialogHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (!dialog.window) return false;
  dialog.context = SDL_GL_CreateContext(dialog.window);
  if (!dialog.context || SDL_GL_MakeCurrent(dialog.window, dialog.context) != 0) {
    closeSetupDialogWindow();
    return false;
  }
  SDL_GL_SetSwapInterval(1);
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGui::GetIO().IniFilename = nullptr;
  ImGui::StyleColorsClassic();
  ImGui_ImplSDL2_InitForOpenGL(dialog.window, dialog.context);
  ImGui_ImplOpenGL2_Init();
  dialog.picture = uploadPicture(view.picture);
  dialog.mouse = ImVec2(-1, -1);
  dialog.buttonHeld = dialog.buttonPressedThisFrame = false;
  return true;
}

DialogResult drawSetupDialogFrame(SetupDialogView& view, const DialogChange& onChange) {
  if (!dialog.window) return DialogResult::Failed;
  if (takeEvents()) return DialogResult::End;
  ImGui_ImplOpenGL2_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGuiIO& io = ImGui::GetIO();
  io.MousePos = dialog.mouse;
  io.MouseDown[0] = dialog.buttonHeld || dialog.buttonPressedThisFrame;
  ImGui::NewFrame();
  const DialogResult result = drawControls(view, onChange);
  ImGui::Render();
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(dialog.window, &width, &height);
  glViewport(0, 0, width, height);
  glClearColor(0.83f, 0.82f, 0.78f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
  SDL_GL_SwapWindow(dialog.window);
  return result;
}

void closeSetupDialogWindow() {
  if (ImGui::GetCurrentContext()) {
    if (dialog.picture) glDeleteTextures(1, &dialog.picture);
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
  }
  if (dialog.context) SDL_GL_DeleteContext(dialog.context);
  if (dialog.window) SDL_DestroyWindow(dialog.window);
  dialog = DialogWindow();
}

DialogResult runSetupDialogWindow(SetupDialogView& view, const DialogChange& onChange) {
  // Where no person can answer a message box, no one can answer the dialog.
  if (getenv("VELMIRA_NO_DIALOGS") || !openSetupDialogWindow(view)) return DialogResult::Failed;
  DialogResult result = DialogResult::Running;
  while (result == DialogResult::Running) result = drawSetupDialogFrame(view, onChange);
  closeSetupDialogWindow();
  return result;
}

void dialogListCentre(DialogControl list, int& x, int& y) {
  const ListPlace place = list == DialogControl::SizeList ? kSizeListPlace : kShapeListPlace;
  const ImVec2 corner = units(place.x, place.y);
  x = int(corner.x + place.width * 1.5f / 2);
  y = int(corner.y + 8);
}

void dialogButtonCentre(DialogButton button, int& x, int& y) {
  const ImVec2 corner = units(141, button == DialogButton::Begin ? 235 : 254);
  const ImVec2 size = units(110, 13);
  x = int(corner.x + size.x / 2);
  y = int(corner.y + size.y / 2);
}

void injectDialogClick(int x, int y) {
  if (!dialog.window) return;
  const Uint32 id = SDL_GetWindowID(dialog.window);
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.windowID = id;
  event.motion.x = x;
  event.motion.y = y;
  SDL_PushEvent(&event);
  event = SDL_Event{};
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.windowID = id;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.state = SDL_PRESSED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  SDL_PushEvent(&event);
  event.type = SDL_MOUSEBUTTONUP;
  event.button.state = SDL_RELEASED;
  SDL_PushEvent(&event);
}

void injectDialogClose() {
  if (!dialog.window) return;
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = SDL_GetWindowID(dialog.window);
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&event);
}

void injectDialogKey(int virtualKey) {
  if (!dialog.window) return;
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.windowID = SDL_GetWindowID(dialog.window);
  event.key.state = SDL_PRESSED;
  event.key.keysym.scancode = virtualKey == VK_ESCAPE ? SDL_SCANCODE_ESCAPE : SDL_SCANCODE_RETURN;
  event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
  SDL_PushEvent(&event);
  event.type = SDL_KEYUP;
  event.key.state = SDL_RELEASED;
  SDL_PushEvent(&event);
}
