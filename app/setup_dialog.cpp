#include "app/setup_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gfx/image.h"
#include "pack/pack.h"

namespace {

std::string sizeText(int width, int height) {
  char text[32];
  snprintf(text, sizeof text, "%dx%d", width, height);
  return text;
}

// The shape the desktop's aspect suggests.
int shapeForAspect(float aspect) {
  if (aspect > 1.7f) return 3;
  if (aspect > 1.5f) return 2;
  if (aspect > 1.3f) return 1;
  if (aspect > 1.0f) return 0;
  return 4;
}

// A list entry's text as the combo box hands it over: at most 29 characters.
std::string_view comboText(const std::vector<std::string>& entries, int index) {
  if (index < 0 || index >= int(entries.size())) return {};
  return std::string_view(entries[index]).substr(0, 29);
}

}  // namespace

SetupDialogView prepareSetupDialog(const EngineState& engine,
                                   const std::vector<DisplayMode>& modes) {
  SetupDialogView view;
  view.caption = kSetupDialogCaption;
  view.fullscreen = engine.fullscreen;
  view.audio = engine.musicEnabled;
  for (const DisplayMode& mode : modes) {
    if (mode.bytesPerPixel != 4) continue;
    const std::string text = sizeText(mode.width, mode.height);
    if (std::find(view.sizes.begin(), view.sizes.end(), text) == view.sizes.end())
      view.sizes.push_back(text);
  }
  // The configured size is offered even where the display does not list it,
  // so the list always shows the size Begin will use.
  const std::string configured = sizeText(engine.width, engine.height);
  auto entry = std::find(view.sizes.begin(), view.sizes.end(), configured);
  if (entry == view.sizes.end()) entry = view.sizes.insert(view.sizes.end(), configured);
  view.selectedSize = int(entry - view.sizes.begin());
  for (const DisplayShape& shape : kDisplayShapes) view.shapes.push_back(shape.text);
  view.selectedShape = shapeForAspect(engine.displayAspect);
  return view;
}

void chooseOutputSize(EngineState& engine, std::string_view text) {
  const std::string copy(text);
  const size_t cross = copy.find('x');
  const int width = atoi(copy.substr(0, cross).c_str());
  const int height = cross == std::string::npos ? 0 : atoi(copy.substr(cross + 1).c_str());
  if (width == 0) return;
  engine.width = width;
  engine.height = height;
}

void chooseDisplayShape(EngineState& engine, std::string_view text) {
  // "output 16:9" is tested before "output 16:10", which does not contain it.
  static constexpr int kTestOrder[] = {3, 2, 1, 0, 4};
  for (int index : kTestOrder) {
    if (text.find(kDisplayShapes[index].text) == std::string_view::npos) continue;
    engine.displayAspect = kDisplayShapes[index].aspect;
    return;
  }
}

void applyDialogControl(EngineState& engine, const SetupDialogView& view, DialogControl control) {
  switch (control) {
    case DialogControl::SizeList:
      chooseOutputSize(engine, comboText(view.sizes, view.selectedSize));
      break;
    case DialogControl::ShapeList:
      chooseDisplayShape(engine, comboText(view.shapes, view.selectedShape));
      break;
    case DialogControl::Fullscreen:
      engine.fullscreen = !engine.fullscreen;
      break;
    case DialogControl::Audio:
      engine.musicEnabled = !engine.musicEnabled;
      break;
  }
}

DialogPicture loadSetupPicture() {
  DialogPicture picture;
  std::vector<uint8_t> bytes;
  if (loadFile(kSetupPictureFileName, bytes) == kLoadMissing || bytes.empty()) return picture;
  DecodedImage image;
  if (decodePng(bytes, PngColouring{}, image) != kPngOk || image.bytesPerPixel != 4) return picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.rgba = std::move(image.pixels);
  return picture;
}

bool runSetupDialog(EngineState& engine) {
  SetupDialogView view = prepareSetupDialog(engine, displayModes());
  view.picture = loadSetupPicture();
  const DialogResult result = runSetupDialogWindow(view, [&](DialogControl control) {
    applyDialogControl(engine, view, control);
  });
  return result != DialogResult::End;
}
