// Drawing the comment overlay over the presented picture: one line per
// visible comment from the top left, the selected one white and the others
// grey while paused, long texts wrapped onto further lines.
#pragma once

#include <vector>

#include "app/comment_editor.h"
#include "app/overlay_font.h"

void drawCommentLines(const OverlayFont& font, const std::vector<OverlayLine>& lines);
