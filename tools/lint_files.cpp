#include "tools/lint_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "gfx/image_texture.h"
#include "gfx/mesh_lwo2.h"
#include "music/music.h"
#include "pack/pack.h"
#include "pack/pack_format.h"

namespace {

struct TextFile {
  std::string name;
  std::string text;
};

// The files the show read that are text, which are the ones that name other
// files.
std::vector<TextFile> textFiles(const std::vector<std::string>& names) {
  std::vector<TextFile> texts;
  std::vector<uint8_t> bytes;
  for (const std::string& name : names) {
    if (!fileIsAvailable(name)) continue;
    loadFile(name, bytes);
    if (std::find(bytes.begin(), bytes.end(), 0) == bytes.end())
      texts.push_back({name, std::string(bytes.begin(), bytes.end())});
  }
  return texts;
}

// The first text file the show read that names `name`; the engine itself
// asks for some files (the glyph meshes, the music).
std::string whoAsked(const std::string& name, const std::vector<TextFile>& texts) {
  if (name == "demo.adt") return "the player";
  for (const TextFile& file : texts)
    if (file.name != name && file.text.find(name) != std::string::npos) return file.name;
  return "the engine";
}

bool endsWith(std::string name, std::string_view ending) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(tolower(c)); });
  return name.ends_with(ending);
}

// What the decoder the engine reads `name` with says against it, when the
// loader itself stays silent about it (it names pictures that are cut short
// or not PNG, and meshes that are cut short, as they load).
std::string decoderProblem(const std::string& name, const std::vector<uint8_t>& bytes) {
  const bool png = isPngPath(name), jpeg = endsWith(name, ".jpg") || endsWith(name, ".jpeg");
  const bool mesh = endsWith(name, ".lwo");
  if (!png && !jpeg && !mesh) return "";
  const std::string what = (mesh ? "mesh " : "picture ") + name;
  if (bytes.empty()) return what + ": the file is empty";
  if (mesh) return lwo2Shape(bytes) == Lwo2Shape::NotLwo2 ? what + ": not an LWO2 mesh" : "";
  DecodedImage image;
  if (png) {
    const PngStatus status = decodePng(bytes, PngColouring{}, image);
    if (status == kPngOk || status == kPngBadSignature || !image.problem.empty()) return "";
    return what + ": does not decode as PNG (status " + std::to_string(int(status)) + ")";
  }
  const JpegStatus status = decodeJpeg(bytes, image);
  if (status == kJpegOk || !image.problem.empty()) return "";
  return what + ": does not decode as JPEG (status " + std::to_string(int(status)) + ")";
}

}  // namespace

void checkRequestedFiles(LintReport& report) {
  const std::vector<std::string> names(requestedFiles());
  const std::vector<TextFile> texts = textFiles(names);
  std::vector<uint8_t> bytes;
  for (const std::string& name : names) {
    const std::string asker = whoAsked(name, texts);
    if (!fileIsAvailable(name)) {
      report.add("missing file " + name + " (asked for by " + asker + ")");
      continue;
    }
    // The engine's own files (the letter meshes) are its business; the
    // music has its own check.
    if (asker == "the engine") continue;
    loadFile(name, bytes);
    const std::string problem = decoderProblem(name, bytes);
    if (!problem.empty()) report.add(problem + " (asked for by " + asker + ")");
  }
}

void checkPack(LintReport& report) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(kPackFileName, error)) return;
  FILE* pack = fopen(kPackFileName, "rb");
  if (!pack) {
    report.add(std::string(kPackFileName) + ": cannot be read");
    return;
  }
  const std::vector<PackEntry> entries = scanPack(pack);
  fclose(pack);
  for (size_t i = 0; i < entries.size(); ++i) {
    const PackEntry& entry = entries[i];
    const bool cutName = !entry.terminated && !entry.name.empty();
    if (!cutName && entry.available == entry.length) continue;
    report.add(std::string(kPackFileName) + ": damaged: entry " + std::to_string(i + 1) +
               (cutName ? " has a name that runs into the end of the file"
                        : " says it holds " + std::to_string(entry.length) + " bytes, but the file ends after " +
                              std::to_string(entry.available)) +
               "; only the entries before it are whole");
    return;
  }
}

void checkMusic(const EngineState& engine, LintReport& report) {
  if (!engine.musicEnabled) return;
  if (!startMusic(MusicOutput::Offline)) {
    report.add(std::string(kMusicFileName) + ": holds no playable MP3 stream");
    return;
  }
  if (!fileIsAvailable(kMusicFileName)) return;  // reported with the missing files
  const double length = musicLengthSeconds();
  if (length >= engine.endTime) return;
  char text[160];
  snprintf(text, sizeof text, "%s: the music lasts %.1f s, less than the show's %g s", kMusicFileName,
           length, double(engine.endTime));
  report.add(text);
}
