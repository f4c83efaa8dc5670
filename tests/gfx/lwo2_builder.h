// Builds LWO2 files byte by byte: a FORM header and chunks with big-endian
// sizes, so tests can also write sizes that lie.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

struct Lwo2Builder {
  std::vector<uint8_t> bytes;

  // The FORM header, or with withHeader false an empty chunk body.
  explicit Lwo2Builder(bool withHeader = true) {
    if (!withHeader) return;
    tag("FORM");
    u32(0);
    tag("LWO2");
  }

  void tag(const char* text) {
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(text[i]));
  }
  void u16(uint32_t v) {
    bytes.push_back(uint8_t(v >> 8));
    bytes.push_back(uint8_t(v));
  }
  void u32(uint32_t v) {
    u16(v >> 16);
    u16(v & 0xFFFF);
  }
  void f32(float v) { u32(std::bit_cast<uint32_t>(v)); }

  // A chunk with its true size and the pad byte an odd size needs.
  void chunk(const char* id, const std::vector<uint8_t>& body) {
    tag(id);
    u32(uint32_t(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (body.size() & 1) bytes.push_back(0);
  }

  static std::vector<uint8_t> points(std::initializer_list<float> coordinates) {
    Lwo2Builder body(false);
    for (const float c : coordinates) body.f32(c);
    return body.bytes;
  }

  // Polygons given as corner lists, after the 4-byte type.
  static std::vector<uint8_t> polygons(const char* type,
                                       std::initializer_list<std::vector<int>> list) {
    Lwo2Builder body(false);
    body.tag(type);
    for (const std::vector<int>& polygon : list) {
      body.u16(uint32_t(polygon.size()));
      for (const int corner : polygon) body.u16(uint32_t(corner));
    }
    return body.bytes;
  }

  // The FORM size covers everything after it.
  std::vector<uint8_t> finish() {
    const uint32_t size = uint32_t(bytes.size() - 8);
    for (int i = 0; i < 4; ++i) bytes[4 + i] = uint8_t(size >> (24 - 8 * i));
    return bytes;
  }
};
