// The bump encoding of a picture: red and green carry the horizontal and
// vertical slope of the brightness around 127, blue the inverted brightness
// (the parallax height), alpha 0.
#pragma once

#include <cstdint>

// Reads width x height pixels of bytesPerPixel (3 or 4) bytes and writes the
// encoding at the same byte offsets into `output`, which holds
// width x height x 4 bytes. With 3 bytes per pixel the result is packed RGB.
void convertToBump(const uint8_t* pixels, uint8_t* output, int width, int height,
                   int bytesPerPixel);
