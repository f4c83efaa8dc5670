// The generated pictures decode with the engine's decoders.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "gfx/image.h"
#include "tools/showgen/pictures.h"

namespace {

bool isPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

DecodedImage decode(const showgen::GeneratedFile& file) {
  DecodedImage image;
  if (file.path.find(".png") != std::string::npos) {
    EXPECT_EQ(decodePng(file.bytes, PngColouring{}, image), kPngOk) << file.path;
  } else {
    EXPECT_EQ(decodeJpeg(file.bytes, image), kJpegOk) << file.path;
  }
  return image;
}

// Each picture decodes; textures have power-of-two sides, the setup picture
// is 390 x 330, and sprites fade to fully transparent at their borders.
TEST(GeneratedPictures, DecodeAtTheirSizesWithCleanSpriteEdges) {
  const showgen::GeneratedFiles files = showgen::generatePictures();
  ASSERT_GE(files.size(), 20u);
  std::map<std::string, DecodedImage> images;
  for (const auto& file : files) {
    EXPECT_EQ(file.path.rfind("quarno/pictures/", 0), 0u) << file.path;
    const DecodedImage image = decode(file);
    if (file.path != "quarno/pictures/setup.png") {
      EXPECT_TRUE(isPowerOfTwo(image.width) && isPowerOfTwo(image.height)) << file.path;
    }
    images[file.path] = image;
  }
  const DecodedImage& setup = images.at("quarno/pictures/setup.png");
  EXPECT_EQ(setup.width, 390);
  EXPECT_EQ(setup.height, 330);
  for (const char* sprite : {"quarno/pictures/particle.png", "quarno/pictures/flare.png", "quarno/pictures/spark.png"}) {
    const DecodedImage& image = images.at(sprite);
    ASSERT_EQ(image.bytesPerPixel, 4);
    auto alpha = [&](int x, int y) { return image.pixels[(size_t(y) * image.width + x) * 4 + 3]; };
    for (int i = 0; i < image.width; ++i) {
      ASSERT_EQ(alpha(i, 0), 0) << sprite;
      ASSERT_EQ(alpha(0, i), 0) << sprite;
      ASSERT_EQ(alpha(i, image.height - 1), 0) << sprite;
      ASSERT_EQ(alpha(image.width - 1, i), 0) << sprite;
    }
    EXPECT_GT(alpha(image.width / 2, image.height / 2), 200) << sprite;
  }
}

TEST(GeneratedPictures, TwoRunsGiveTheSameBytes) {
  const showgen::GeneratedFiles first = showgen::generatePictures();
  const showgen::GeneratedFiles second = showgen::generatePictures();
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].path;
}

}  // namespace
