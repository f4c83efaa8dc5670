#include "gfx/mesh_lwo2.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <vector>

#include "pack/pack.h"
#include "platform/message.h"

namespace {

// A read-only window on the bytes with big-endian readers; every reader
// checks the window first.
struct ByteReader {
  const uint8_t* data;
  size_t size;

  bool has(size_t at, size_t count) const { return at <= size && size - at >= count; }
  uint16_t u16(size_t at) const { return uint16_t(data[at] << 8 | data[at + 1]); }
  uint32_t u32(size_t at) const {
    return uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 | uint32_t(data[at + 2]) << 8 |
           data[at + 3];
  }
  float f32(size_t at) const { return std::bit_cast<float>(u32(at)); }
  Vec3 vec3(size_t at) const { return {f32(at), f32(at + 4), f32(at + 8)}; }
  bool tagIs(size_t at, const char* tag) const { return memcmp(data + at, tag, 4) == 0; }
};

struct Polygon {
  int corners[4];
  int count;
};

struct Lwo2Contents {
  std::vector<Vec3> points;
  std::vector<Polygon> polygons;
  bool hasBox = false;
  Vec3 boxMin;
  Vec3 boxMax;
};

void readPoints(const ByteReader& chunk, Lwo2Contents& contents) {
  for (size_t at = 0; chunk.has(at, 12); at += 12) contents.points.push_back(chunk.vec3(at));
}

void readPolygons(const ByteReader& chunk, Lwo2Contents& contents) {
  if (!chunk.has(0, 4) || !(chunk.tagIs(0, "FACE") || chunk.tagIs(0, "PTCH"))) return;
  for (size_t at = 4; chunk.has(at, 2);) {
    const int count = chunk.u16(at) & 0x3FF;
    if (!chunk.has(at + 2, size_t(count) * 2)) return;
    if (count == 3 || count == 4) {
      Polygon polygon{{0, 0, 0, 0}, count};
      for (int i = 0; i < count; ++i) polygon.corners[i] = chunk.u16(at + 2 + 2 * i);
      contents.polygons.push_back(polygon);
    }
    at += 2 + size_t(count) * 2;
  }
}

void readBox(const ByteReader& chunk, Lwo2Contents& contents) {
  if (!chunk.has(0, 24)) return;
  contents.boxMin = chunk.vec3(0);
  contents.boxMax = chunk.vec3(12);
  contents.hasBox = true;
}

void readChunk(const ByteReader& file, size_t id, const ByteReader& chunk, Lwo2Contents& contents) {
  if (file.tagIs(id, "PNTS"))
    readPoints(chunk, contents);
  else if (file.tagIs(id, "POLS"))
    readPolygons(chunk, contents);
  else if (file.tagIs(id, "BBOX"))
    readBox(chunk, contents);
}

bool isLwo2Form(const ByteReader& file) {
  return file.has(0, 12) && file.tagIs(0, "FORM") && file.tagIs(8, "LWO2");
}

// Calls visit(id, chunk) for each chunk of the form. Chunks run to the end of
// the file; a chunk whose size passes the end is visited as far as it goes
// and ends the file. True when the file ended inside a chunk or its header,
// or before the size its FORM header gives.
template <typename Visit>
bool forEachChunk(const ByteReader& file, Visit visit) {
  bool cutShort = uint64_t(file.u32(4)) + 8 > file.size;
  size_t at = 12;
  for (; file.has(at, 8);) {
    const size_t id = at;
    const uint64_t size = file.u32(at + 4);
    at += 8;
    const size_t available = std::min<uint64_t>(size, file.size - at);
    visit(id, ByteReader{file.data + at, available});
    if (available < size) return true;
    at += size + (size & 1);
  }
  return cutShort || at < file.size;
}

Lwo2Contents readContents(const ByteReader& file) {
  Lwo2Contents contents;
  if (!isLwo2Form(file)) return contents;
  forEachChunk(file, [&](size_t id, const ByteReader& chunk) { readChunk(file, id, chunk, contents); });
  return contents;
}

void computeBoxFromPoints(Lwo2Contents& contents) {
  if (contents.points.empty()) return;
  contents.boxMin = contents.boxMax = contents.points.front();
  for (const Vec3& p : contents.points) {
    contents.boxMin = {std::min(contents.boxMin.x, p.x), std::min(contents.boxMin.y, p.y),
                       std::min(contents.boxMin.z, p.z)};
    contents.boxMax = {std::max(contents.boxMax.x, p.x), std::max(contents.boxMax.y, p.y),
                       std::max(contents.boxMax.z, p.z)};
  }
}

bool cornersExist(const Polygon& polygon, size_t pointCount) {
  return std::all_of(polygon.corners, polygon.corners + polygon.count,
                     [&](int corner) { return size_t(corner) < pointCount; });
}

// Sizes every vertex's triangle list before filling, so that the lists are
// allocated once.
void reserveTriangleLists(Mesh& mesh, const std::vector<Polygon>& polygons) {
  std::vector<int> uses(mesh.vertices.size(), 0);
  for (const Polygon& polygon : polygons)
    for (int i = 0; i < polygon.count; ++i) {
      const bool sharedByBothHalves = polygon.count == 4 && (i == 0 || i == 2);
      uses[polygon.corners[i]] += sharedByBothHalves ? 2 : 1;
    }
  for (size_t v = 0; v < uses.size(); ++v) mesh.vertices[v].triangleList.reserve(uses[v]);
}

Mesh buildMesh(const Lwo2Contents& contents, const MeshProjection& projection) {
  Mesh mesh;
  mesh.vertices.resize(contents.points.size());
  for (size_t v = 0; v < contents.points.size(); ++v) {
    MeshVertex& vertex = mesh.vertices[v];
    vertex.position = contents.points[v];
    vertex.uv[0] = projectTextureCoordinate(vertex.position, contents.boxMin, contents.boxMax, projection);
  }
  std::vector<Polygon> polygons;
  polygons.reserve(contents.polygons.size());
  for (const Polygon& polygon : contents.polygons)
    if (cornersExist(polygon, contents.points.size())) polygons.push_back(polygon);
  reserveTriangleLists(mesh, polygons);
  mesh.triangles.reserve(polygons.size() * 2);
  for (const Polygon& p : polygons) {
    addTriangle(mesh, p.corners[0], p.corners[1], p.corners[2]);
    if (p.count == 4) addTriangle(mesh, p.corners[0], p.corners[2], p.corners[3]);
  }
  return mesh;
}

float scaledComponent(float offset, float size, float depth) {
  const double divisor = double(size) + 0.5 * depth;
  return divisor == 0.0 ? offset : float(offset / divisor);
}

}  // namespace

Vec3 projectTextureCoordinate(const Vec3& position, const Vec3& boxMin, const Vec3& boxMax,
                              const MeshProjection& projection) {
  Vec3 size = boxMax;
  size -= boxMin;
  Vec3 p = position;
  p -= boxMin;
  p.x = scaledComponent(p.x, size.x, size.z);
  p.y = scaledComponent(p.y, size.y, size.z);
  return {dot(projection.uAxis, p) + projection.uvOffset.x,
          dot(projection.vAxis, p) + projection.uvOffset.y, 0.0f};
}

Mesh parseLwo2(std::span<const uint8_t> bytes, const MeshProjection& projection, bool flipNormals) {
  Lwo2Contents contents = readContents(ByteReader{bytes.data(), bytes.size()});
  if (!contents.hasBox) computeBoxFromPoints(contents);
  Mesh mesh = buildMesh(contents, projection);
  computeLoadNormals(mesh, flipNormals);
  return mesh;
}

Lwo2Shape lwo2Shape(std::span<const uint8_t> bytes) {
  const ByteReader file{bytes.data(), bytes.size()};
  if (!isLwo2Form(file)) return Lwo2Shape::NotLwo2;
  return forEachChunk(file, [](size_t, const ByteReader&) {}) ? Lwo2Shape::CutShort
                                                               : Lwo2Shape::Whole;
}

Mesh loadMesh(std::string_view path, const MeshProjection& projection, bool flipNormals) {
  std::vector<uint8_t> bytes;
  loadFile(path, bytes);
  if (lwo2Shape(bytes) == Lwo2Shape::CutShort)
    noteMessage("mesh " + std::filesystem::path(path).lexically_normal().string() +
                " is cut short; using the part that was read");
  return parseLwo2(bytes, projection, flipNormals);
}
