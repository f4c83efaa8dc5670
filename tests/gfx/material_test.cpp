#include <gtest/gtest.h>

#include <string>

#include "gfx/material.h"
#include "gfx/material_pass.h"

namespace {

MaterialFile parse(const std::string& text) {
  return parseMaterial(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace

TEST(MaterialFile, NumbersAreReadUpToTheFieldSizeAndCommentsIgnored) {
  const Material m = parse(
                         "specular = 0.5,0.25,1 // specular = 9,9,9\r\n"
                         "diffuse=1,2\n"
                         "envPosMul = 3,4,5,6\n"
                         "texScaleOffset = 2,3,4,5\n")
                         .material;
  EXPECT_EQ(m.specular, (std::array<float, 3>{0.5f, 0.25f, 1}));
  EXPECT_EQ(m.diffuse, (std::array<float, 3>{1, 2, 0}));
  EXPECT_EQ(m.envPosMul, (std::array<float, 2>{3, 4}));
  EXPECT_EQ(m.texScaleOffset, (std::array<float, 4>{2, 3, 4, 5}));
  EXPECT_EQ(m.texBumpScaleOffset, (std::array<float, 4>{1, 1, 0, 0}));
}

TEST(MaterialFile, KeyIsFoundInsideAnotherWordOnlyWhereEqualsFollows) {
  const Material m = parse(
                         "specularPow = 20\n"    // "specular" is followed by "Pow": not specular
                         "mybump = 0.75\n"       // "bump" inside another word counts
                         "texAdd = 1 texAdd = 2\n"  // the first occurrence counts
                         "ambient : 1,1,1\n")
                         .material;
  EXPECT_EQ(m.specularPow, 20);
  EXPECT_EQ(m.specular, (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(m.bump, 0.75f);
  EXPECT_EQ(m.texAdd, 1);
  EXPECT_EQ(m.ambient, (std::array<float, 3>{0, 0, 0}));
}

TEST(MaterialFile, LastLineWithoutLineFeedIsIgnored) {
  EXPECT_EQ(parse("texMul = 2\ntexMul = 3").material.texMul, 2);
}

TEST(MaterialFile, RepeatModesMapZeroToTwoAndIgnoreOtherNumbers) {
  const Material m = parse(
                         "textureRepeatMode = 2\n"
                         "textureBumpRepeatMode = 0.9\n"
                         "textureSpecularRepeatMode = 7\n"
                         "textureEnvRepeatMode = 1\n")
                         .material;
  EXPECT_EQ(m.textureRepeatMode, GL_MIRRORED_REPEAT);
  EXPECT_EQ(m.textureBumpRepeatMode, GL_CLAMP);
  EXPECT_EQ(m.textureSpecularRepeatMode, GL_REPEAT);
  EXPECT_EQ(m.textureEnvRepeatMode, GL_REPEAT);
  const Material clamped = parse("textureEnvRepeatMode = 0\ntextureEnvRepeatMode = 7\n").material;
  EXPECT_EQ(clamped.textureEnvRepeatMode, GL_CLAMP);
  const Material huge = parse("textureRepeatMode = 1e12\ntextureBumpRepeatMode = nan\n").material;
  EXPECT_EQ(huge.textureRepeatMode, GL_REPEAT);
  EXPECT_EQ(huge.textureBumpRepeatMode, GL_REPEAT);
}

TEST(MaterialFile, TextureAndTextureBumpNamingOneImageGiveTwoPoolNames) {
  const MaterialFile file = parse(
      "texture = rock.jpg\n"
      "textureBump = rock.jpg\n"
      "textureSpecular = \"my gloss.png\"]ignored\n"
      "textureEnv = sky.png extra\n");
  EXPECT_EQ(file.material.textureName, "rock.jpg");
  EXPECT_EQ(file.material.bumpTextureName, "rock.jpgBump");
  EXPECT_EQ(file.material.specularTextureName, "mygloss.png");
  EXPECT_EQ(file.material.envTextureName, "sky.png");
  ASSERT_EQ(file.textures.size(), 4u);
  EXPECT_EQ(file.textures[0].name, "rock.jpg");
  EXPECT_FALSE(file.textures[0].convertToBump);
  EXPECT_EQ(file.textures[1].name, "rock.jpgBump");
  EXPECT_EQ(file.textures[1].path, "rock.jpg");
  EXPECT_TRUE(file.textures[1].convertToBump);
  EXPECT_EQ(file.textures[2].path, "mygloss.png");
}

TEST(MaterialFile, TextureKeyYieldsNothingOnALineThatSetsTextureBump) {
  const MaterialFile file = parse("textureBump = b.jpg texture = a.jpg\n");
  EXPECT_EQ(file.material.textureName, "");
  EXPECT_EQ(file.material.bumpTextureName, "b.jpgBump");
  EXPECT_EQ(file.textures.size(), 1u);
}

TEST(MaterialFile, LongLinesAndBumpPathsAreCut) {
  const MaterialFile file = parse("textureBump = " + std::string(300, 'b') + "\ntexture = " +
                                  std::string(2000, 't') + "\n");
  EXPECT_EQ(file.material.bumpTextureName, std::string(251, 'b') + "Bump");
  EXPECT_EQ(file.material.textureName.size(), kMaxMaterialValueLength);
}

TEST(MaterialFile, DescriptionListsEveryKeyInTableOrder) {
  const Material m = parse("specular = 1,0.5,0\ntextureRepeatMode = 2\ntextureBump = x.png\n").material;
  const std::vector<std::string> lines = describeMaterial(m);
  ASSERT_EQ(lines.size(), 25u);
  EXPECT_EQ(lines[0], "specular 1 0.5 0");
  EXPECT_EQ(lines[7], "envPosMul 0 0");
  EXPECT_EQ(lines[13], "texScaleOffset 1 1 0 0");
  EXPECT_EQ(lines[17], "textureRepeatMode GL_MIRRORED_REPEAT");
  EXPECT_EQ(lines[21], "texture ");
  EXPECT_EQ(lines[22], "textureBump x.pngBump");
  EXPECT_EQ(lines[24], "textureEnv ");
}

TEST(MaterialPass, FragmentEnvironmentScalesTheMaterialByTheLight) {
  Material m = parse(
                   "diffuse = 0.5,1,0.25\nspecular = 1,1,1\nambient = 0.1,0.2,0.4\n"
                   "specularPow = 16\nspecularAdd = 0.5\ntexAdd = 0.125\nbump = 2\ntexMul = 3\n"
                   "parallaxDepth = 0.04\nparallaxBias = -0.02\nenvAmount = 0.3\n"
                   "envTexAmount = 0.6\nenvPosMul = 7,8\ntexEnvScaleOffset = 1,2,3,4\n")
                   .material;
  const auto env = materialFragmentEnvironment(m, Vec3{2, 1, 0.5f});
  auto expectVec4 = [](const Vec4& v, float x, float y, float z, float w) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
    EXPECT_FLOAT_EQ(v.w, w);
  };
  expectVec4(env[0], 1, 1, 0.125f, 1);
  expectVec4(env[1], 2, 1, 0.5f, 1);
  expectVec4(env[2], 16, 1, 0.5f, 0.125f);
  expectVec4(env[3], 2, 3, 0.04f, -0.02f);
  expectVec4(env[4], 0.3f, 0.6f, 7, 8);
  expectVec4(env[5], 0.2f, 0.2f, 0.2f, 1);
  expectVec4(env[6], 1, 1, 0, 0);
  expectVec4(env[9], 1, 2, 3, 4);
}
