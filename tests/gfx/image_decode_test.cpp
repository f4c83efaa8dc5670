#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <cstdlib>

#include "gfx/image.h"
#include "gfx/image_encode.h"
#include "gfx/image_texture.h"
#include "tests/gfx/image_fixtures.h"

namespace {

std::vector<uint8_t> pixelAt(const DecodedImage& image, int x, int y) {
  const uint8_t* p = image.pixels.data() + (size_t(y) * image.width + x) * image.bytesPerPixel;
  return {p, p + image.bytesPerPixel};
}

DecodedImage decodePngOk(const std::vector<uint8_t>& bytes, const PngColouring& colouring = {}) {
  DecodedImage image;
  EXPECT_EQ(decodePng(bytes, colouring, image), kPngOk);
  return image;
}

std::vector<uint8_t> onePixelPng(uint8_t r, uint8_t g, uint8_t b) {
  const uint8_t rgb[] = {r, g, b};
  return encodePng(rgb, 1, 1, 3);
}

}  // namespace

TEST(PngDecode, PaletteImagesOfEveryBitDepthPickTheirColoursWithOpaqueAlpha) {
  for (const int depth : {1, 2, 4, 8}) {
    SCOPED_TRACE(depth);
    const int colours = depth == 8 ? 200 : 1 << depth;
    std::vector<PaletteColour> palette;
    for (int i = 0; i < colours; ++i)
      palette.push_back({uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3 + 1)});
    // Odd width: the last byte of each row is only partly used.
    const int width = 11, height = 3;
    std::vector<uint8_t> indices;
    for (int i = 0; i < width * height; ++i) indices.push_back(uint8_t((i * 5 + 3) % colours));
    const DecodedImage image = decodePngOk(paletteImagePng(palette, indices, width, height, depth));
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    ASSERT_EQ(image.bytesPerPixel, 4);
    for (int i = 0; i < width * height; ++i) {
      const PaletteColour c = palette[indices[i]];
      EXPECT_EQ(pixelAt(image, i % width, i / width), (std::vector<uint8_t>{c.r, c.g, c.b, 255}))
          << "pixel " << i;
    }
  }
}

TEST(PngDecode, TrueColourImagesKeepTheirPixelsAndOnlyRgbaKeepsAlpha) {
  const uint8_t rgb[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  const DecodedImage fromRgb = decodePngOk(encodePng(rgb, 2, 2, 3));
  EXPECT_EQ(pixelAt(fromRgb, 1, 0), (std::vector<uint8_t>{40, 50, 60, 255}));
  EXPECT_EQ(pixelAt(fromRgb, 0, 1), (std::vector<uint8_t>{70, 80, 90, 255}));

  const uint8_t rgba[] = {1, 2, 3, 4, 5, 6, 7, 8};
  const DecodedImage fromRgba = decodePngOk(encodePng(rgba, 2, 1, 4));
  EXPECT_EQ(pixelAt(fromRgba, 0, 0), (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(pixelAt(fromRgba, 1, 0), (std::vector<uint8_t>{5, 6, 7, 8}));
}

TEST(PngDecode, GreyImagesAreExpandedToRgb) {
  const DecodedImage image = decodePngOk(greyImagePng({0, 77, 255}, 3, 1));
  EXPECT_EQ(pixelAt(image, 1, 0), (std::vector<uint8_t>{77, 77, 77, 255}));
}

TEST(PngDecode, SaturationZeroGivesTheLuminanceAndAboveOnePushesAwayFromGreyAndClamps) {
  // lum = 0.299 * 200 + 0.587 * 100 + 0.114 * 50 = 124.2
  PngColouring grey;
  grey.saturation = 0.0f;
  EXPECT_EQ(pixelAt(decodePngOk(onePixelPng(200, 100, 50), grey), 0, 0),
            (std::vector<uint8_t>{124, 124, 124, 255}));
  PngColouring vivid;
  vivid.saturation = 2.0f;
  EXPECT_EQ(pixelAt(decodePngOk(onePixelPng(200, 100, 50), vivid), 0, 0),
            (std::vector<uint8_t>{255, 76, 0, 255}));
  // A saturation that is not a number (a script may pass one) gives black.
  uint8_t out[3] = {9, 9, 9};
  saturatePixel(200, 100, 50, std::nanf(""), out);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 3), (std::vector<uint8_t>{0, 0, 0}));
  // Ties round to even, as the FPU does.
  saturatePixel(0.5f, 1.5f, 2.5f, 1.0f, out);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 3), (std::vector<uint8_t>{0, 2, 2}));
}

TEST(PngDecode, TintAndBrightnessApplyToTrueColourButNotToPalettes) {
  PngColouring colouring;
  colouring.tint = {0.5f, 1.0f, 2.0f};
  colouring.brightness = 0.2f;
  EXPECT_EQ(pixelAt(decodePngOk(onePixelPng(200, 100, 50), colouring), 0, 0),
            (std::vector<uint8_t>{151, 151, 151, 255}));
  const DecodedImage palette =
      decodePngOk(paletteImagePng({{200, 100, 50}}, {0}, 1, 1, 8), colouring);
  EXPECT_EQ(pixelAt(palette, 0, 0), (std::vector<uint8_t>{200, 100, 50, 255}));
}

TEST(PngDecode, WrongSignatureTruncatedAndCorruptDataGiveNoImage) {
  std::vector<uint8_t> bytes = onePixelPng(1, 2, 3);
  DecodedImage image;
  std::vector<uint8_t> wrong = bytes;
  wrong[1] = 'Q';
  EXPECT_EQ(decodePng(wrong, {}, image), kPngBadSignature);
  EXPECT_EQ(decodePng({}, {}, image), kPngBadSignature);

  const uint8_t big[64 * 64 * 3] = {};
  const std::vector<uint8_t> whole = encodePng(big, 64, 64, 3);
  for (const size_t keep : {size_t(8), size_t(20), size_t(40), whole.size() / 2, whole.size() - 13}) {
    SCOPED_TRACE(keep);
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + keep);
    EXPECT_EQ(decodePng(cut, {}, image), kPngCorrupt);
    EXPECT_TRUE(image.pixels.empty());
  }
  std::vector<uint8_t> damaged = whole;
  damaged[whole.size() / 2] ^= 0x5A;  // inside the image data: the checksum fails
  EXPECT_EQ(decodePng(damaged, {}, image), kPngCorrupt);
}

TEST(PngDecode, ForgedHugeSizeIsRefusedBeforeAllocating) {
  // Signature and a valid IHDR for 16384 x 16384 RGBA.
  std::vector<uint8_t> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  const uint8_t header[] = {'I', 'H', 'D', 'R', 0, 0, 0x40, 0, 0, 0, 0x40, 0, 8, 6, 0, 0, 0};
  bytes.insert(bytes.end(), std::begin(header), std::end(header));
  const uLong crc = crc32(0, header, sizeof header);
  for (const int shift : {24, 16, 8, 0}) bytes.push_back(uint8_t(crc >> shift));
  // An empty IDAT chunk: the size is checked once the image data begins.
  const uint8_t data[] = {0, 0, 0, 0, 'I', 'D', 'A', 'T'};
  bytes.insert(bytes.end(), std::begin(data), std::end(data));
  const uLong dataCrc = crc32(0, data + 4, 4);
  for (const int shift : {24, 16, 8, 0}) bytes.push_back(uint8_t(dataCrc >> shift));
  DecodedImage image;
  EXPECT_EQ(decodePng(bytes, {}, image), kPngCorrupt);
  EXPECT_TRUE(image.pixels.empty());
}

TEST(JpegDecode, DecodesRgbRowsInFileOrder) {
  std::vector<uint8_t> rgb(16 * 8 * 3);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      uint8_t* p = &rgb[(y * 16 + x) * 3];
      p[0] = uint8_t(100 + x * 4);
      p[1] = 128;
      p[2] = uint8_t(60 + y * 10);
    }
  DecodedImage image;
  ASSERT_EQ(decodeJpeg(encodeJpeg(rgb.data(), 16, 8, 100), image), kJpegOk);
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.height, 8);
  EXPECT_EQ(image.bytesPerPixel, 3);
  ASSERT_EQ(image.pixels.size(), rgb.size());
  for (size_t i = 0; i < rgb.size(); ++i) EXPECT_NEAR(image.pixels[i], rgb[i], 8) << i;
}

TEST(JpegDecode, EmptyGarbageAndHeaderCutShortGiveNoImage) {
  DecodedImage image;
  EXPECT_EQ(decodeJpeg({}, image), kJpegEmpty);
  const std::vector<uint8_t> garbage(100, 0x42);
  EXPECT_EQ(decodeJpeg(garbage, image), kJpegAbandoned);
  const std::vector<uint8_t> rgb(32 * 32 * 3, 99);
  const std::vector<uint8_t> whole = encodeJpeg(rgb.data(), 32, 32, 90);
  const std::vector<uint8_t> headerOnly(whole.begin(), whole.begin() + 30);
  EXPECT_EQ(decodeJpeg(headerOnly, image), kJpegAbandoned);
  EXPECT_TRUE(image.pixels.empty());
}

TEST(JpegDecode, ImageDataCutShortDecodesWithWhatArrived) {
  std::vector<uint8_t> rgb(64 * 64 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 31 % 251);
  const std::vector<uint8_t> whole = encodeJpeg(rgb.data(), 64, 64, 95);
  const std::vector<uint8_t> cut(whole.begin(), whole.end() - whole.size() / 3);
  DecodedImage image;
  ASSERT_EQ(decodeJpeg(cut, image), kJpegOk);
  EXPECT_EQ(image.width, 64);
  EXPECT_EQ(image.height, 64);
  EXPECT_EQ(image.pixels.size(), rgb.size());
}

TEST(ImagePaths, AnyPathContainingPngIsAPng) {
  EXPECT_TRUE(isPngPath("maps.png.jpg"));
  EXPECT_TRUE(isPngPath("dir/a.png"));
  EXPECT_FALSE(isPngPath("wall.jpg"));
  EXPECT_FALSE(isPngPath("wall.PNG"));
}
