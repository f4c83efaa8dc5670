// Image and material loading into the pool, drawn with a hidden GL context.
#include <gtest/gtest.h>

#include "gfx/image_encode.h"
#include "gfx/image_texture.h"
#include "gfx/material.h"
#include "gfx/material_pass.h"
#include "gfx/gl_entry_points.h"
#include "platform/window.h"
#include "support/gl_context.h"
#include "pack/pack.h"
#include "support/temp_dir.h"

namespace {

class TextureUpload : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetFileLayer();
  }

  TempDir dir;
};

std::string asText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

std::vector<uint8_t> readBack(const Texture* texture, int width, int height) {
  std::vector<uint8_t> pixels(size_t(width) * height * 4);
  glBindTexture(GL_TEXTURE_2D, texture->id);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

const uint8_t kRgba[] = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 9, 99, 199, 10};

}  // namespace

TEST_F(TextureUpload, PngTextureHoldsTheDecodedPixelsAndIsLoadedOncePerName) {
  writeFile("tex/four.png", asText(encodePng(kRgba, 2, 2, 4)));
  const Texture* texture = loadPngTexture(false, std::nullopt, "four", "tex/four.png", 1.0f, std::nullopt);
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(readBack(texture, 2, 2), std::vector<uint8_t>(std::begin(kRgba), std::end(kRgba)));
  std::filesystem::remove("tex/four.png");
  EXPECT_EQ(loadPngTexture(false, std::nullopt, "four", "tex/four.png", 1.0f, std::nullopt), texture);
  EXPECT_EQ(loadJpegTexture(true, "four", "tex/none.jpg"), texture);
}

TEST_F(TextureUpload, CorruptOrMissingImagesAddNothingToThePool) {
  std::vector<uint8_t> png = encodePng(kRgba, 2, 2, 4);
  png.resize(png.size() / 2);
  writeFile("cut.png", asText(png));
  writeFile("bad.jpg", std::string(64, 'x'));
  writeFile("empty.jpg", "");
  const size_t before = textureCount();
  EXPECT_EQ(loadPngTexture(false, std::nullopt, "cut.png", "cut.png", 1.0f, std::nullopt), nullptr);
  EXPECT_EQ(loadJpegTexture(false, "bad.jpg", "bad.jpg"), nullptr);
  EXPECT_EQ(loadJpegTexture(false, "empty.jpg", "empty.jpg"), nullptr);
  EXPECT_EQ(textureCount(), before);
  EXPECT_EQ(findTexture("bad.jpg"), nullptr);
}

TEST_F(TextureUpload, BumpedJpegIsUploadedAsPackedRgb) {
  std::vector<uint8_t> rgb(8 * 8 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 3);
  writeFile("ramp.jpg", asText(encodeJpeg(rgb.data(), 8, 8, 100)));
  const Texture* texture = loadJpegTexture(true, "rampBump", "ramp.jpg");
  ASSERT_NE(texture, nullptr);
  std::vector<uint8_t> bytes;
  loadFile("ramp.jpg", bytes);
  DecodedImage image;
  ASSERT_EQ(decodeJpeg(bytes, image), kJpegOk);
  const std::vector<uint8_t> expected = texturePixels(image, true);
  const std::vector<uint8_t> pixels = readBack(texture, 8, 8);
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(pixels[i * 4], expected[i * 3]) << i;
    EXPECT_EQ(pixels[i * 4 + 1], expected[i * 3 + 1]) << i;
    EXPECT_EQ(pixels[i * 4 + 2], expected[i * 3 + 2]) << i;
    EXPECT_EQ(pixels[i * 4 + 3], 255) << i;
  }
}

TEST_F(TextureUpload, MaterialLoadsOneImageAsColourAndAsBumpMap) {
  writeFile("stone.png", asText(encodePng(kRgba, 2, 2, 4)));
  writeFile("stone.mat", "texture = stone.png\ntextureBump = stone.png\ntextureRepeatMode = 0\n");
  const Material* material = loadMaterial("stone.mat");
  ASSERT_NE(material, nullptr);
  const Texture* colour = findTexture("stone.png");
  const Texture* bump = findTexture("stone.pngBump");
  ASSERT_NE(colour, nullptr);
  ASSERT_NE(bump, nullptr);
  EXPECT_NE(colour->id, bump->id);
  const std::vector<uint8_t> bumpPixels = readBack(bump, 2, 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bumpPixels[i * 4 + 3], 0);
  EXPECT_EQ(readBack(colour, 2, 2)[3], 255);

  applyMaterialPass(*material, Vec3{1, 1, 1}, Vec3{1, 2, 3});
  GLint active = 0, boundOnUnit1 = 0, wrap = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  EXPECT_EQ(active, GL_TEXTURE0);
  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundOnUnit1);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(GLuint(boundOnUnit1), colour->id);
  EXPECT_EQ(wrap, GL_CLAMP);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);
  auto getEnv = reinterpret_cast<PFNGLGETPROGRAMENVPARAMETERFVARBPROC>(
      glProcAddress("glGetProgramEnvParameterfvARB"));
  ASSERT_NE(getEnv, nullptr);
  float light[4];
  getEnv(GL_VERTEX_PROGRAM_ARB, 0, light);
  EXPECT_EQ(std::vector<float>(light, light + 4), (std::vector<float>{1, 2, 3, 0}));
  float scaleOffset[4];
  getEnv(GL_FRAGMENT_PROGRAM_ARB, 6, scaleOffset);
  EXPECT_EQ(std::vector<float>(scaleOffset, scaleOffset + 4), (std::vector<float>{1, 1, 0, 0}));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureUpload, MissingMaterialFileGivesDefaults) {
  writeFile("datapack.dat", "");
  const Material* material = loadMaterial("nothing.mat");
  ASSERT_NE(material, nullptr);
  EXPECT_EQ(material->textureName, "");
  EXPECT_EQ(material->textureRepeatMode, GL_REPEAT);
}
