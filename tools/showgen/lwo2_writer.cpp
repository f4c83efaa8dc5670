#include "tools/showgen/lwo2_writer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <string>

namespace showgen {
namespace {

struct ByteWriter {
  std::vector<uint8_t> bytes;

  void u1(uint8_t v) { bytes.push_back(v); }
  void u2(uint16_t v) {
    u1(static_cast<uint8_t>(v >> 8));
    u1(static_cast<uint8_t>(v));
  }
  void u4(uint32_t v) {
    u2(static_cast<uint16_t>(v >> 16));
    u2(static_cast<uint16_t>(v));
  }
  void f4(float v) { u4(std::bit_cast<uint32_t>(v)); }
  void vec(Vec3 v) {
    f4(v.x);
    f4(v.y);
    f4(v.z);
  }
  void id(const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }
  // Null-terminated string padded to an even length.
  void s0(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    u1(0);
    if (text.size() % 2 == 0) u1(0);
  }
  // Variable-length index: two bytes below 0xFF00, else four with 0xFF first.
  void vx(uint32_t index) {
    if (index < 0xFF00) {
      u2(static_cast<uint16_t>(index));
    } else {
      u4(index | 0xFF000000u);
    }
  }
};

void appendChunk(ByteWriter& form, const char* tag, const ByteWriter& body) {
  form.id(tag);
  form.u4(static_cast<uint32_t>(body.bytes.size()));
  form.bytes.insert(form.bytes.end(), body.bytes.begin(), body.bytes.end());
  if (body.bytes.size() % 2) form.u1(0);
}

void appendSubchunk(ByteWriter& surface, const char* tag, const ByteWriter& body) {
  surface.id(tag);
  surface.u2(static_cast<uint16_t>(body.bytes.size()));
  surface.bytes.insert(surface.bytes.end(), body.bytes.begin(), body.bytes.end());
}

void boundingBox(const std::vector<Vec3>& points, Vec3& low, Vec3& high) {
  if (points.empty()) return;
  low = high = points.front();
  for (const Vec3& p : points) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
}

ByteWriter surfaceChunk() {
  ByteWriter surface;
  surface.s0("Default");
  surface.s0("");
  ByteWriter colour;
  colour.vec({0.8f, 0.8f, 0.8f});
  colour.vx(0);
  appendSubchunk(surface, "COLR", colour);
  ByteWriter diffuse;
  diffuse.f4(1.0f);
  diffuse.vx(0);
  appendSubchunk(surface, "DIFF", diffuse);
  return surface;
}

}  // namespace

std::vector<uint8_t> writeLwo2(const PolyMesh& mesh) {
  if (mesh.points.size() > kMaxLwoPoints) {
    throw std::length_error("LWO2 mesh has " + std::to_string(mesh.points.size()) +
                            " points, more than two-byte indices address");
  }
  ByteWriter form;
  form.id("LWO2");

  ByteWriter tags;
  tags.s0("Default");
  appendChunk(form, "TAGS", tags);

  ByteWriter layer;
  layer.u2(0);
  layer.u2(0);
  layer.vec({0, 0, 0});
  layer.s0("");
  appendChunk(form, "LAYR", layer);

  ByteWriter points;
  for (const Vec3& p : mesh.points) points.vec(p);
  appendChunk(form, "PNTS", points);

  Vec3 low, high;
  boundingBox(mesh.points, low, high);
  ByteWriter box;
  box.vec(low);
  box.vec(high);
  appendChunk(form, "BBOX", box);

  if (!mesh.polygons.empty()) {
    ByteWriter polygons;
    polygons.id("FACE");
    for (const Polygon& polygon : mesh.polygons) {
      polygons.u2(polygon.cornerCount);
      for (int corner = 0; corner < polygon.cornerCount; ++corner) {
        polygons.vx(polygon.corners[corner]);
      }
    }
    appendChunk(form, "POLS", polygons);

    ByteWriter polygonTags;
    polygonTags.id("SURF");
    for (size_t index = 0; index < mesh.polygons.size(); ++index) {
      polygonTags.vx(static_cast<uint32_t>(index));
      polygonTags.u2(0);
    }
    appendChunk(form, "PTAG", polygonTags);
  }

  appendChunk(form, "SURF", surfaceChunk());

  ByteWriter file;
  file.id("FORM");
  file.u4(static_cast<uint32_t>(form.bytes.size()));
  file.bytes.insert(file.bytes.end(), form.bytes.begin(), form.bytes.end());
  return file.bytes;
}

}  // namespace showgen
