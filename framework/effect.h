// The effect base: every effect instance on the timeline owns the script of
// one compiled definition, knows its time window, and reads its parameters
// from the script's variables by name with the typed fetchers. A parameter the
// definition does not declare is a fatal data error naming the variable and
// the definition.
//
// The effect kinds derive from Effect and override render (every frame inside
// the window) and initialise (once after loading).
#pragma once

#include <string>
#include <string_view>

#include "script/script.h"

class Effect {
 public:
  Effect() = default;
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;
  virtual ~Effect() = default;

  virtual void render(float time, float timeStep);
  virtual void initialise();

  // Sets time and timeStep, counts the frame and runs the definition once.
  void framePrologue(float time, float timeStep);

  // A wrong kind leaves the destination as it was; a missing name is fatal.
  void getInt(std::string_view name, int& out) const;
  void getIntAt(std::string_view name, int& out, int index) const;
  // Writes the variable's 1 to 4 components; `out` holds 4 floats.
  void getFloat(std::string_view name, float* out) const;
  void getFloatAt(std::string_view name, float* out, int index) const;
  // A string gives its text (index ignored); a texture list its entry `index`.
  void getTexture(std::string_view name, std::string& out, int index = 0) const;
  void getCurve(std::string_view name, const Curve*& out, int index = 0) const;
  void getMaterial(std::string_view name, const Material*& out, int index = 0) const;
  void getMesh(std::string_view name, Mesh*& out, int index = 0) const;

  // The fetch and copy of "textureOut" that ends every effect's frame.
  void copyToTextureOut() const;

  Script script;
  std::string kind;  // the kind name its definition gave
  float start = -1000.0f;
  float length = 0.0f;

  const std::string& definitionName() const { return script.definitionName; }

 private:
  const Variable& require(std::string_view name, const char* typeWord) const;
};
