// The text of a data error drawn over the picture while a show is being
// authored, one line of the text per printed line, at the bottom left.
#pragma once

#include <string_view>

#include "app/overlay_font.h"

void drawErrorOverlay(const OverlayFont& font, std::string_view text);
