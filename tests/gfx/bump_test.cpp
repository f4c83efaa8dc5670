#include <gtest/gtest.h>

#include "gfx/bump.h"
#include "gfx/image.h"
#include "gfx/image_texture.h"

namespace {

// Grey pixels of the given values, bytesPerPixel bytes each.
std::vector<uint8_t> greyPixels(const std::vector<int>& values, int bytesPerPixel) {
  std::vector<uint8_t> pixels;
  for (const int v : values)
    for (int i = 0; i < bytesPerPixel; ++i) pixels.push_back(uint8_t(i < 3 ? v : 77));
  return pixels;
}

std::vector<uint8_t> bump(const std::vector<uint8_t>& pixels, int width, int height, int bpp) {
  std::vector<uint8_t> out(size_t(width) * height * 4, 0xEE);
  convertToBump(pixels.data(), out.data(), width, height, bpp);
  return out;
}

}  // namespace

TEST(Bump, OnePixelWideImageHasNoHorizontalSlope) {
  // Column of 0, 100, 200: the middle pixel sees (200/2 - 0/2) >> 1 = 50.
  const std::vector<uint8_t> out = bump(greyPixels({0, 100, 200}, 4), 1, 3, 4);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 4), (std::vector<uint8_t>{127, 127, 255, 0}));
  EXPECT_EQ(std::vector<uint8_t>(out.begin() + 4, out.begin() + 8),
            (std::vector<uint8_t>{127, 177, 155, 0}));
  EXPECT_EQ(std::vector<uint8_t>(out.begin() + 8, out.end()), (std::vector<uint8_t>{127, 127, 55, 0}));
}

TEST(Bump, OnePixelHighImageHasNoVerticalSlopeAndNegativeSlopesShiftArithmetically) {
  // Row of 0, 100, 255: the middle pixel sees (0/2 - 255/2) >> 1 = -127 >> 1 = -64.
  const std::vector<uint8_t> out = bump(greyPixels({0, 100, 255}, 4), 3, 1, 4);
  EXPECT_EQ(std::vector<uint8_t>(out.begin() + 4, out.begin() + 8), (std::vector<uint8_t>{63, 127, 155, 0}));
  EXPECT_EQ(out[0], 127);
  EXPECT_EQ(out[8], 127);
}

TEST(Bump, ThreeBytePixelsGivePackedRgbWithOneSpareByte) {
  const std::vector<uint8_t> out = bump(greyPixels({10, 20, 30, 40}, 3), 2, 2, 3);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 12),
            (std::vector<uint8_t>{127, 127, 245, 127, 127, 235, 127, 127, 225, 127, 127, 215}));
  EXPECT_EQ(out[12], 0);  // the last word's fourth byte
  EXPECT_EQ(out[13], 0xEE);
}

TEST(Bump, GreyPixelsHaveTheirOwnValueAsBrightness) {
  for (int v = 0; v < 256; ++v) {
    const std::vector<uint8_t> out = bump(greyPixels({v}, 4), 1, 1, 4);
    ASSERT_EQ(out[2], 255 - v) << "grey " << v;
  }
}

TEST(Bump, TextureBytesOfABumpedJpegArePackedRgb) {
  DecodedImage image{greyPixels({0, 100, 200}, 3), 3, 1, 3};
  const std::vector<uint8_t> bytes = texturePixels(image, true);
  ASSERT_EQ(bytes.size(), 12u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 9),
            (std::vector<uint8_t>{127, 127, 255, 77, 127, 155, 127, 127, 55}));
  EXPECT_EQ(texturePixels(image, false), image.pixels);
}
