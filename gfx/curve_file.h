// The curve file: plain text, one control point per line.
//
// Lines end at a line feed (carriage returns are dropped) and are cut at
// commas; up to six pieces per line that read as floats are kept. A line with
// at least four values is a point: value 2 is the time key, value 3 the
// tension, values 4 to 6 the position (value 1 is unused). A line with exactly
// one value sets the mode: 1 makes the curve closed, 2 makes x follow the
// keys. Other lines are ignored.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "gfx/curve.h"

// A file with fewer than four points gives a curve without points (a spline
// segment needs four), which samples as nothing.
Curve parseCurve(std::span<const uint8_t> bytes);

// Reads the named file through the file layer; a missing file gives an empty
// curve all the same.
Curve loadCurve(std::string_view name);
