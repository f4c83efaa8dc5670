// The setup dialog's logic, without a window: the output-size list made from
// the display modes, the display-shape list, the entries selected at the
// start, and what each control does to the engine's settings. Begin starts
// the show; End or closing the dialog ends the process with status 0.
#pragma once

#include <string_view>
#include <vector>

#include "app/engine_state.h"
#include "platform/setup_dialog_window.h"
#include "platform/window.h"

inline constexpr const char* kSetupDialogCaption =
    "                        Ormek   Velmira 2008";
// The picture the show generator makes for the top of the dialog.
inline constexpr const char* kSetupPictureFileName = "quarno/pictures/setup.png";

struct DisplayShape {
  const char* text;
  float aspect;
};
inline constexpr DisplayShape kDisplayShapes[] = {
    {"output 5:4", 1.25f},      {"output 4:3", 1.3333334f},   {"output 16:10", 1.6f},
    {"output 16:9", 1.7777778f}, {"output 10:16", 0.625f},
};

// The lists and selections of a fresh dialog for the engine's settings.
// Sizes come from the modes of 4 bytes per pixel, each size once, in the
// platform's order; the configured size, when no mode has it, comes last.
// The configured size is always the one selected.
SetupDialogView prepareSetupDialog(const EngineState& engine,
                                   const std::vector<DisplayMode>& modes);

// What a change of `control` in `view` does to the settings.
void applyDialogControl(EngineState& engine, const SetupDialogView& view, DialogControl control);

// The size list's command: "WIDTHxHEIGHT"; a first number of 0 (or none)
// changes nothing.
void chooseOutputSize(EngineState& engine, std::string_view text);
// The shape list's command: the first shape text contained in `text`, tested
// from the widest; no match changes nothing.
void chooseDisplayShape(EngineState& engine, std::string_view text);

// Loads the dialog picture through the file layer; empty when it is missing
// or not a PNG.
DialogPicture loadSetupPicture();

// Runs the dialog on the engine's settings; false when the person ended it.
// A dialog that cannot be shown counts as Begin.
bool runSetupDialog(EngineState& engine);
