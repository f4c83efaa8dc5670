// Small PNG files the image tests build with libpng: palette images of any
// bit depth and grey images, beside the RGB/RGBA writer of the engine.
#pragma once

#include <cstdint>
#include <vector>

struct PaletteColour {
  uint8_t r, g, b;
};

// One palette index per pixel (row-major); packed at bitDepth 1, 2, 4 or 8.
std::vector<uint8_t> paletteImagePng(const std::vector<PaletteColour>& palette,
                                     const std::vector<uint8_t>& indices, int width, int height,
                                     int bitDepth);
// 8-bit grey, one byte per pixel.
std::vector<uint8_t> greyImagePng(const std::vector<uint8_t>& values, int width, int height);
