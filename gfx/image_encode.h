// Encoding pixels as PNG or JPEG files in memory, for the tools that write
// pictures and for building test images. The engine itself only decodes.
#pragma once

#include <cstdint>
#include <vector>

// How hard zlib works: Small is its default level; Fast, for frames written
// by the dozen, compresses several times faster into somewhat larger files.
// The pixels are the same either way.
enum class PngEffort { Small, Fast };

// channels 3 (RGB) or 4 (RGBA), 8 bits each, rows first to last. Returns an
// empty vector when the library fails.
std::vector<uint8_t> encodePng(const uint8_t* pixels, int width, int height, int channels,
                               PngEffort effort = PngEffort::Small);
// RGB pixels, baseline JPEG of the given quality (0..100).
std::vector<uint8_t> encodeJpeg(const uint8_t* pixels, int width, int height, int quality);
