// Parameter readers that return values, so an effect kind reads its
// parameters as one list in the order it fetches them:
//
//   const Vec3 position = readVec3(effect, "meshPos");
//   const float size = readFloat(effect, "lightSize");
//
// Each is the effect's typed fetcher underneath: a missing name throws the
// "Missing variable" error, a variable of another kind leaves the preset, and
// components the declared type lacks keep the preset's.
#pragma once

#include <string>
#include <string_view>

#include "framework/effect.h"
#include "gfx/math.h"

int readInt(const Effect& effect, std::string_view name, int preset = 0, int index = 0);
// A count that sizes a loop or an allocation: above `limit` it is held to
// `limit` with a note on stderr naming the definition, the parameter and the
// value, so an absurd value can neither hang nor exhaust the engine. The
// limits sit far above any real show; below them the value is used as given.
int readHeldCount(const Effect& effect, std::string_view name, int limit, int preset = 0,
                  int index = 0);
// The same hold for a count read some other way.
int holdCount(const Effect& effect, std::string_view name, int value, int limit);
float readFloat(const Effect& effect, std::string_view name, float preset = 0.0f, int index = 0);
Vec3 readVec3(const Effect& effect, std::string_view name, Vec3 preset = {}, int index = 0);
Vec4 readVec4(const Effect& effect, std::string_view name, Vec4 preset = {}, int index = 0);
std::string readTexture(const Effect& effect, std::string_view name, int index = 0);
// Null when the variable is of another kind or its list is empty.
const Curve* readCurve(const Effect& effect, std::string_view name, int index = 0);
const Material* readMaterial(const Effect& effect, std::string_view name, int index = 0);
Mesh* readMesh(const Effect& effect, std::string_view name, int index = 0);

// Wraps the read of a parameter that every definition of a kind must declare
// though the kind draws nothing from it: the read still fails on a missing
// name, and the value is dropped on purpose.
template <typename Value>
void requiredButUnused(const Value&) {}
