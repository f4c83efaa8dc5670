// The accumulation ring of the temporal-blur kinds: each frame such a kind
// draws several passes at slightly later script times, copies every pass into
// the next texture of a ring of screen-sized pool textures ("meshiAccum0",
// "meshiAccum1", ...), and then shows the average of the whole ring. The ring
// textures are shared by every kind that uses them; each kind keeps its own
// program-wide cursor, shared by its instances and kept across frames, so
// with fewer passes than textures the average also holds earlier frames.
//
// Needs a GL context, the texture pool and the render targets.
#pragma once

#include <string>

// Ring sizes and pass counts come from effect parameters; they are held to
// these bounds so that a wrong value can neither divide by zero nor make an
// unbounded number of textures or passes.
inline constexpr int kMaxRingSize = 128;
inline constexpr int kMaxPassesPerFrame = 1024;

// accumNum held to 1..kMaxRingSize.
int clampRingSize(int requested);
// accumTimes held to 0..kMaxPassesPerFrame.
int clampPassCount(int requested);

// "meshiAccum%d".
std::string ringTextureName(int index);
// Gets or creates the textures 0..size-1 (screen size, GL_RGBA) in index order.
void makeRingTextures(int size);

// The ring position of one kind; -1 before its first pass.
struct RingCursor {
  int index = -1;
};

// Moves to the next texture, wrapping to 0 at `size` (also when another
// instance with a larger ring left the cursor beyond this one's end), and
// returns the new index.
int advanceRing(RingCursor& cursor, int size);

// The script time of pass `pass` of `passCount`: the passes of one frame
// span 0.05 time units from `time`, whatever the frame's time step.
float passTime(float time, int pass, int passCount);
inline constexpr float kPassTimeStep = 0.05f;

// Copies the frame buffer into ring texture `index`.
void copyFrameToRing(int index);

// How the average meets the frame: added over what the frame holds, or over
// a cleared frame.
enum class RingBase { kOverFrame, kCleared };

// Adds ring textures 0..size-1 at weight 1/size (blending GL_SRC_ALPHA,
// GL_ONE, colour (1, 1, 1, 1/size)) with identity matrices, texturing on and
// the depth test off. With inFloatTarget the sum is formed in the float target,
// which is cleared first so that no earlier sum stays in it, and then replaces
// the cleared frame; otherwise it is drawn straight onto the frame.
// Ends with blending as the sum left it and the frame target bound.
void drawRingAverage(int size, bool inFloatTarget, RingBase base);
