// The GL state a frame starts from, restored after a frame that a data error
// abandoned midway (while authoring, and in tests that provoke the error).
#pragma once

// Pops what the interrupted effect pushed (matrices, attributes), unbinds its
// programs and binds the frame target again, so the next frame starts as any
// other.
void resetDrawingState();
