#include "tools/showgen/pictures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>
#include <utility>

#include "tools/showgen/fonts.h"
#include "tools/showgen/image_writers.h"
#include "tools/showgen/noise.h"
#include "tools/showgen/random.h"
#include "tools/showgen/text_raster.h"

namespace showgen {
namespace {

constexpr int kTextureSize = 512;
constexpr int kJpegQuality = 90;
const std::string kFolder = "quarno/pictures/";

struct Colour {
  float r, g, b;
};

Colour operator*(Colour c, float s) { return {c.r * s, c.g * s, c.b * s}; }
Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour mixColour(Colour a, Colour b, float t) { return a * (1 - t) + b * t; }

// Piecewise linear colour ramp over positions in [0, 1].
Colour ramp(std::initializer_list<std::pair<float, Colour>> stops, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  auto previous = stops.begin();
  for (auto stop = stops.begin(); stop != stops.end(); ++stop) {
    if (t <= stop->first) {
      if (stop == previous) return stop->second;
      return mixColour(previous->second, stop->second, (t - previous->first) / (stop->first - previous->first));
    }
    previous = stop;
  }
  return previous->second;
}

float smoothstepUnitPicture(float x) {
  const float t = std::clamp(x, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

uint8_t toByte(float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

using ColourShader = std::function<Colour(float u, float v)>;
using GreyShader = std::function<float(float u, float v)>;
struct RgbaSample {
  Colour colour;
  float alpha;
};
using RgbaShader = std::function<RgbaSample(float u, float v)>;

// Shaders see pixel centres as u, v in [0, 1), v downwards.
Image shadeRgb(int width, int height, const ColourShader& shader) {
  Image image(width, height, 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Colour c = shader((x + 0.5f) / width, (y + 0.5f) / height);
      uint8_t* p = image.at(x, y);
      p[0] = toByte(c.r);
      p[1] = toByte(c.g);
      p[2] = toByte(c.b);
    }
  }
  return image;
}

Image shadeGrey(int width, int height, const GreyShader& shader) {
  Image image(width, height, 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.at(x, y)[0] = toByte(shader((x + 0.5f) / width, (y + 0.5f) / height));
  }
  return image;
}

Image shadeRgba(int width, int height, const RgbaShader& shader) {
  Image image(width, height, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const RgbaSample s = shader((x + 0.5f) / width, (y + 0.5f) / height);
      uint8_t* p = image.at(x, y);
      p[0] = toByte(s.colour.r);
      p[1] = toByte(s.colour.g);
      p[2] = toByte(s.colour.b);
      p[3] = toByte(s.alpha);
    }
  }
  return image;
}

GeneratedFile jpeg(const std::string& name, const Image& image) {
  return {kFolder + name, encodeJpeg(image, kJpegQuality)};
}
GeneratedFile png(const std::string& name, const Image& image) { return {kFolder + name, encodePng(image)}; }

// Colour textures; all tile.

Image marble(const Noise& noise) {
  return shadeRgb(kTextureSize, kTextureSize, [&](float u, float v) {
    const float turbulence = noise.fbm2(u * 4, v * 4, 4, 4, 5);
    const float vein = 0.5f + 0.5f * std::sin(2 * kPi * (2 * u + v + 0.9f * turbulence));
    const float t = std::pow(vein, 0.6f) + 0.08f * noise.fbm2(u * 32, v * 32, 32, 32, 2);
    return ramp({{0.0f, {0.12f, 0.14f, 0.2f}}, {0.35f, {0.45f, 0.5f, 0.58f}}, {0.8f, {0.86f, 0.87f, 0.9f}},
                 {1.0f, {0.97f, 0.96f, 0.93f}}}, t);
  });
}

Image lava(const Noise& noise) {
  return shadeRgb(kTextureSize, kTextureSize, [&](float u, float v) {
    const float ridge = 1.0f - std::fabs(noise.fbm2(u * 6, v * 6, 6, 6, 5));
    const float heat = std::pow(ridge, 6.0f);
    const float rock = 0.5f + 0.5f * noise.fbm2(u * 16, v * 16, 16, 16, 3);
    const Colour basalt = ramp({{0.0f, {0.05f, 0.04f, 0.04f}}, {1.0f, {0.25f, 0.2f, 0.18f}}}, rock);
    const Colour glow = ramp({{0.0f, {0.5f, 0.05f, 0.0f}}, {0.6f, {1.0f, 0.45f, 0.05f}}, {1.0f, {1.0f, 0.95f, 0.6f}}}, heat);
    return mixColour(basalt, glow, std::clamp(heat * 1.6f, 0.0f, 1.0f));
  });
}

Image brushedMetal(const Noise& noise) {
  return shadeRgb(kTextureSize, kTextureSize, [&](float u, float v) {
    const float streaks = noise.fbm2(u * 2, v * 256, 2, 256, 1) * 0.5f + noise.fbm2(u * 4, v * 128, 4, 128, 2) * 0.5f;
    const float cloud = noise.fbm2(u * 4, v * 4, 4, 4, 3);
    const float t = 0.6f + 0.12f * streaks + 0.08f * cloud;
    return Colour{t * 0.96f, t * 0.98f, t * 1.02f};
  });
}

Image organicSkin(const Noise& noise) {
  return shadeRgb(kTextureSize, kTextureSize, [&](float u, float v) {
    const float wobble = 0.03f * noise.fbm2(u * 8, v * 8, 8, 8, 3);
    const CellDistances cells = cellular2(std::fmod(u + wobble + 1.0f, 1.0f), std::fmod(v + wobble + 1.0f, 1.0f), 10, 91);
    const float wall = 1.0f - std::clamp((cells.second - cells.nearest) * 3.0f, 0.0f, 1.0f);
    const float inside = 0.5f + 0.5f * noise.fbm2(u * 24, v * 24, 24, 24, 3);
    const Colour flesh = ramp({{0.0f, {0.55f, 0.18f, 0.28f}}, {1.0f, {0.95f, 0.55f, 0.6f}}}, inside);
    return mixColour(flesh, Colour{0.25f, 0.03f, 0.1f}, std::pow(wall, 3.0f));
  });
}

// Bump sources (height, white is high) and specular maps.

Image bumpCells() {
  return shadeGrey(kTextureSize, kTextureSize, [](float u, float v) {
    const CellDistances cells = cellular2(u, v, 8, 17);
    return std::sqrt(std::clamp((cells.second - cells.nearest) * 2.5f, 0.0f, 1.0f));
  });
}

Image bumpNoise(const Noise& noise) {
  return shadeGrey(kTextureSize, kTextureSize,
                   [&](float u, float v) { return 0.5f + 0.45f * noise.fbm2(u * 8, v * 8, 8, 8, 6); });
}

// Distance to the nearest edge of an 8 x 8 tile grid, in tile widths.
float tileEdgeDistance(float u, float v) {
  const float fu = u * 8 - std::floor(u * 8), fv = v * 8 - std::floor(v * 8);
  return std::min({fu, 1 - fu, fv, 1 - fv});
}

Image bumpTiles(const Noise& noise) {
  return shadeGrey(kTextureSize, kTextureSize, [&](float u, float v) {
    return 0.15f + 0.75f * smoothstepUnitPicture(tileEdgeDistance(u, v) / 0.1f) +
           0.05f * noise.fbm2(u * 32, v * 32, 32, 32, 2);
  });
}

Image specularNoise(const Noise& noise) {
  return shadeGrey(kTextureSize, kTextureSize, [&](float u, float v) {
    const float n = std::clamp(0.5f + 0.5f * noise.fbm2(u * 8, v * 8, 8, 8, 5), 0.0f, 1.0f);
    return std::pow(n, 2.5f) * 1.3f;
  });
}

Image specularTiles(const Noise& noise) {
  return shadeGrey(kTextureSize, kTextureSize, [&](float u, float v) {
    const float glaze = smoothstepUnitPicture(tileEdgeDistance(u, v) / 0.06f);
    const float scratches = std::fabs(noise.fbm2(u * 2, v * 64, 2, 64, 2));
    return glaze * (0.75f - 0.4f * std::pow(1 - scratches, 30.0f)) + 0.05f;
  });
}

// Sphere environment maps: each pixel is the colour seen in the direction
// that a mirror sphere reflects there.
Image sphereMap(const std::function<Colour(float x, float y, float z)>& sky) {
  return shadeRgb(kTextureSize, kTextureSize, [&](float u, float v) {
    const float sx = 2 * u - 1, sy = 1 - 2 * v;
    const float r2 = std::min(sx * sx + sy * sy, 1.0f);
    const float nz = std::sqrt(1 - r2);
    return sky(2 * nz * sx, 2 * nz * sy, 2 * nz * nz - 1);
  });
}

Colour outdoorSky(float x, float y, float z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  x /= length, y /= length, z /= length;
  const float sun = std::max(0.0f, x * 0.45f + y * 0.35f + z * 0.82f);
  const Colour light = Colour{1.0f, 0.9f, 0.7f} * (std::pow(sun, 800.0f) * 3 + std::pow(sun, 12.0f) * 0.35f);
  const Colour base = y > 0 ? ramp({{0.0f, {0.95f, 0.75f, 0.55f}}, {0.25f, {0.45f, 0.6f, 0.85f}}, {1.0f, {0.08f, 0.18f, 0.45f}}}, y)
                            : ramp({{0.0f, {0.4f, 0.32f, 0.25f}}, {1.0f, {0.08f, 0.07f, 0.06f}}}, -y * 3);
  return base + light;
}

Colour studio(float x, float y, float z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  x /= length, y /= length, z /= length;
  auto softbox = [](float a, float b, float halfA, float halfB) {
    return smoothstepUnitPicture((halfA - std::fabs(a)) * 20) * smoothstepUnitPicture((halfB - std::fabs(b)) * 20);
  };
  float light = 0;
  if (y > 0.2f) light += softbox(x - 0.1f, z - 0.3f, 0.35f, 0.2f) * 1.2f;  // overhead
  if (x > 0.3f) light += softbox(y - 0.1f, z + 0.2f, 0.25f, 0.35f);        // side
  const Colour room = y > 0 ? Colour{0.12f, 0.12f, 0.14f} * (1 - 0.5f * y) : Colour{0.2f, 0.19f, 0.18f} * (1 + y);
  return room + Colour{1.0f, 0.98f, 0.95f} * light;
}

// Sprites: white light with alpha, for additive or blended particles.

Image particleSprite() {
  return shadeRgba(128, 128, [](float u, float v) {
    const float r2 = ((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 4;
    const float a = std::exp(-r2 * 5.0f) * smoothstepUnitPicture((1 - r2) * 4);
    return RgbaSample{{1.0f, 0.97f, 0.92f}, a};
  });
}

Image flareSprite() {
  return shadeRgba(256, 256, [](float u, float v) {
    const float x = 2 * u - 1, y = 2 * v - 1;
    const float r = std::sqrt(x * x + y * y);
    const float angle = std::atan2(y, x);
    const float core = std::exp(-r * r * 60.0f);
    const float halo = std::exp(-r * 5.0f) * 0.45f;
    const float rays = std::pow(std::fabs(std::cos(angle * 3.0f)), 60.0f) * std::exp(-r * 3.0f) * 0.6f;
    const float ring = std::exp(-std::pow((r - 0.72f) * 28.0f, 2.0f)) * 0.15f;
    const float edge = smoothstepUnitPicture((1 - r) * 8);
    const float a = std::clamp((core + halo + rays + ring) * edge, 0.0f, 1.0f);
    const Colour tint = mixColour(Colour{0.55f, 0.75f, 1.0f}, Colour{1, 1, 1}, std::clamp(core * 2, 0.0f, 1.0f));
    return RgbaSample{tint, a};
  });
}

Image sparkSprite() {
  return shadeRgba(64, 64, [](float u, float v) {
    const float x = std::fabs(2 * u - 1), y = std::fabs(2 * v - 1);
    const float star = std::exp(-x * 14) * std::exp(-y * 2.5f) + std::exp(-y * 14) * std::exp(-x * 2.5f);
    const float dot = std::exp(-(x * x + y * y) * 40);
    const float edge = smoothstepUnitPicture((0.94f - std::max(x, y)) * 12);
    return RgbaSample{{1.0f, 0.95f, 0.85f}, std::clamp((star * 0.8f + dot) * edge, 0.0f, 1.0f)};
  });
}

// Projector slides.

Colour hueColour(float hue) {
  return {0.5f + 0.5f * std::cos(2 * kPi * hue), 0.5f + 0.5f * std::cos(2 * kPi * (hue - 0.333f)),
          0.5f + 0.5f * std::cos(2 * kPi * (hue - 0.667f))};
}

Image stainedGlass() {
  return shadeRgb(kTextureSize, kTextureSize, [](float u, float v) {
    const CellDistances cells = cellular2(u, v, 7, 303);
    const float lead = smoothstepUnitPicture((cells.second - cells.nearest - 0.04f) * 25);
    const Colour glass = hueColour((cells.nearestId & 1023) / 1024.0f) * (0.75f + 0.25f * (1 - cells.nearest));
    return glass * lead;
  });
}

Image gridSlide() {
  return shadeRgb(kTextureSize, kTextureSize, [](float u, float v) {
    auto line = [](float t, float cells, float width) {
      const float f = t * cells - std::floor(t * cells);
      return smoothstepUnitPicture((width - std::min(f, 1 - f)) * 100);
    };
    const float r = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f));
    const float circle = smoothstepUnitPicture((0.006f - std::fabs(r - 0.35f)) * 300);
    const float grid = std::max(line(u, 8, 0.02f), line(v, 8, 0.02f));
    return Colour{0.9f, 0.95f, 1.0f} * std::max(grid, circle) + Colour{0.02f, 0.03f, 0.06f};
  });
}

Image ringsSlide() {
  return shadeRgb(kTextureSize, kTextureSize, [](float u, float v) {
    const float r = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f));
    const float bands = 0.5f + 0.5f * std::cos(r * 60);
    return hueColour(r * 1.6f) * std::pow(bands, 2.0f) * smoothstepUnitPicture((0.5f - r) * 20);
  });
}

Image titleSlide() {
  CoverageMap text(kTextureSize, kTextureSize);
  drawText(text, kSansBoldFont, "VELMIRA", 92, kTextureSize / 2, 290, 6);
  const CoverageMap glow = blurred(text, 8);
  return shadeRgb(kTextureSize, kTextureSize, [&](float u, float v) {
    const int x = std::min(static_cast<int>(u * kTextureSize), kTextureSize - 1);
    const int y = std::min(static_cast<int>(v * kTextureSize), kTextureSize - 1);
    const Colour back = ramp({{0.0f, {0.02f, 0.02f, 0.1f}}, {1.0f, {0.15f, 0.05f, 0.25f}}}, v);
    return back + Colour{0.4f, 0.7f, 1.0f} * (glow.at(x, y) * 1.5f) + Colour{1, 1, 1} * text.at(x, y);
  });
}

// Layer pictures.

// White letters with a cyan-to-white fill and a warm glow, on transparency.
Image glowingText(int width, int height, const std::vector<std::pair<std::string, int>>& lines,
                  const std::vector<int>& baselines, int tracking) {
  CoverageMap text(width, height);
  for (size_t i = 0; i < lines.size(); ++i) {
    drawText(text, kSansBoldFont, lines[i].first, lines[i].second, width / 2, baselines[i], tracking);
  }
  const CoverageMap glow = blurred(text, 10);
  Image image(width, height, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float fill = text.at(x, y);
      const float halo = std::min(1.0f, glow.at(x, y) * 2.2f);
      const float alpha = std::max(fill, halo * 0.85f);
      const Colour letter = mixColour(Colour{0.55f, 0.9f, 1.0f}, Colour{1, 1, 1}, static_cast<float>(y) / height);
      const Colour colour = alpha > 0 ? (letter * fill + Colour{1.0f, 0.45f, 0.2f} * (halo * 0.85f * (1 - fill))) *
                                            (1.0f / alpha)
                                      : Colour{0, 0, 0};
      uint8_t* p = image.at(x, y);
      p[0] = toByte(colour.r);
      p[1] = toByte(colour.g);
      p[2] = toByte(colour.b);
      p[3] = toByte(alpha);
    }
  }
  return image;
}

Image vignette() {
  return shadeRgba(kTextureSize, kTextureSize, [](float u, float v) {
    const float r = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2;
    return RgbaSample{{0, 0, 0}, smoothstepUnitPicture((r - 0.55f) / 0.6f) * 0.9f};
  });
}

Image backdrop(const Noise& noise) {
  return shadeRgb(1024, 512, [&](float u, float v) {
    const float nebula = std::clamp(0.5f + 0.5f * noise.fbm2(u * 6, v * 3, 6, 3, 6), 0.0f, 1.0f);
    const Colour sky = ramp({{0.0f, {0.03f, 0.01f, 0.08f}}, {0.6f, {0.12f, 0.03f, 0.2f}}, {1.0f, {0.02f, 0.2f, 0.25f}}}, v);
    const Colour gas = ramp({{0.0f, {0, 0, 0}}, {0.6f, {0.3f, 0.1f, 0.4f}}, {1.0f, {0.9f, 0.5f, 0.6f}}}, std::pow(nebula, 2.2f));
    return sky + gas * 0.7f;
  });
}

// A backdrop made for one scene: a vertical gradient from `top` to `bottom`,
// a soft pool of `light` behind the middle of the frame where the scene's
// object stands, and slow clouds of the light's colour drifting across.
struct StageColours {
  Colour top, bottom, light;
};

Image stage(const Noise& noise, const StageColours& colours) {
  return shadeRgb(1024, 512, [&](float u, float v) {
    const float dx = (u - 0.5f) * 2, dy = v - 0.5f;
    const float pool = std::exp(-(dx * dx + dy * dy) * 3.5f);
    const float cloud = std::clamp(0.5f + 0.6f * noise.fbm2(u * 5, v * 3, 5, 3, 5), 0.0f, 1.0f);
    return mixColour(colours.top, colours.bottom, v) + colours.light * (0.75f * pool + 0.3f * cloud * cloud);
  });
}

// One flat colour: a layer of it fades the frame to that colour or flashes it.
Image flat(Colour colour) {
  return shadeRgb(16, 16, [&](float, float) { return colour; });
}

Image grain() {
  Lcg random(31337);
  Image image(256, 256, 1);
  for (uint8_t& value : image.pixels) {
    value = static_cast<uint8_t>(128 + (random.next() % 97) - 48);
  }
  return image;
}

Image setupPicture(const Noise& noise) {
  constexpr int kWidth = 390, kHeight = 330;
  CoverageMap text(kWidth, kHeight);
  drawText(text, kSansBoldFont, "VELMIRA", 62, kWidth / 2, 200, 4);
  drawText(text, kSerifBoldItalicFont, "a real-time show", 22, kWidth / 2, 240);
  const CoverageMap glow = blurred(text, 6);
  return shadeRgb(kWidth, kHeight, [&](float u, float v) {
    const int x = std::min(static_cast<int>(u * kWidth), kWidth - 1);
    const int y = std::min(static_cast<int>(v * kHeight), kHeight - 1);
    const float dx = (u - 0.5f) * kWidth / kHeight, dy = v - 0.42f;
    const float r = std::sqrt(dx * dx + dy * dy);
    const float rings = std::pow(0.5f + 0.5f * std::cos(r * 70 - 4 * noise.fbm2(u * 4, v * 4, 4, 4, 3)), 8.0f) *
                        std::exp(-r * 2.5f);
    const Colour back = ramp({{0.0f, {0.02f, 0.02f, 0.08f}}, {1.0f, {0.1f, 0.02f, 0.16f}}}, v);
    return back + Colour{0.2f, 0.45f, 0.8f} * rings + Colour{1.0f, 0.5f, 0.25f} * (glow.at(x, y) * 1.2f) +
           Colour{1, 1, 1} * text.at(x, y);
  });
}

}  // namespace

GeneratedFiles generatePictures() {
  const Noise noise(5150);
  return {
      jpeg("marble.jpg", marble(noise)),
      jpeg("lava.jpg", lava(noise)),
      jpeg("metal.jpg", brushedMetal(noise)),
      jpeg("organic.jpg", organicSkin(noise)),
      png("bump_cells.png", bumpCells()),
      png("bump_noise.png", bumpNoise(noise)),
      png("bump_tiles.png", bumpTiles(noise)),
      png("spec_noise.png", specularNoise(noise)),
      png("spec_tiles.png", specularTiles(noise)),
      jpeg("env_sky.jpg", sphereMap(outdoorSky)),
      jpeg("env_studio.jpg", sphereMap(studio)),
      png("particle.png", particleSprite()),
      png("flare.png", flareSprite()),
      png("spark.png", sparkSprite()),
      jpeg("slide_stained.jpg", stainedGlass()),
      jpeg("slide_grid.jpg", gridSlide()),
      jpeg("slide_rings.jpg", ringsSlide()),
      jpeg("slide_title.jpg", titleSlide()),
      png("title.png", glowingText(1024, 256, {{"VELMIRA", 150}}, {190}, 18)),
      png("credits.png", glowingText(1024, 256, {{"made from code alone", 56}, {"140 seconds at 120 bpm", 40}},
                                     {110, 180}, 2)),
      png("vignette.png", vignette()),
      jpeg("backdrop.jpg", backdrop(noise)),
      png("grain.png", grain()),
      png("setup.png", setupPicture(noise)),
      jpeg("stage_teal.jpg", stage(noise, {{0.0f, 0.08f, 0.12f}, {0.02f, 0.16f, 0.2f}, {0.2f, 0.55f, 0.6f}})),
      jpeg("stage_dawn.jpg", stage(noise, {{0.22f, 0.05f, 0.2f}, {0.5f, 0.18f, 0.08f}, {0.75f, 0.45f, 0.3f}})),
      png("black.png", flat({0, 0, 0})),
      png("white.png", flat({1, 1, 1})),
  };
}

}  // namespace showgen
