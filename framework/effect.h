// The effect base: every effect instance on the timeline owns the script of
// one compiled definition, knows its time window, and reads its parameters
// from the script's variables by name with the typed fetchers. A parameter the
// definition does not declare is a data error: the fetcher throws a
// ScriptError (caption "RUNTIME EFFECT ERROR") naming the variable and the
// definition, which the application edge shows.
//
// The effect kinds derive from Effect and override render (every frame inside
// the window) and initialise (once after loading). They read their parameters
// through effects/parameters.h; the script itself stays behind this header.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct Curve;
struct Material;
struct Mesh;
struct Script;
struct Variable;

// A parameter an effect fetched that its definition did not declare, noted
// while recording (see Effect::recordParameters).
struct ParameterRecord {
  std::string name;
  std::string type;  // a script type keyword: int, float, vec2..vec4, texture, ...
  int count = 1;     // the highest element index fetched, plus one
};

// From now on every effect notes the names it fetches in parametersRead (the
// checking tool; the engine does not pay for it).
void noteParameterReads(bool enabled);

class Effect {
 public:
  Effect();
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;
  virtual ~Effect();

  virtual void render(float time, float timeStep);
  virtual void initialise();

  // Sets time and timeStep, counts the frame and runs the definition once.
  void framePrologue(float time, float timeStep);

  // A wrong kind leaves the destination as it was; a missing name throws.
  void getInt(std::string_view name, int& out) const;
  void getIntAt(std::string_view name, int& out, int index) const;
  // Writes the variable's 1 to 4 components; `out` holds 4 floats.
  // `components` is how many the caller uses, the type a recording notes.
  void getFloat(std::string_view name, float* out, int components = 4) const;
  void getFloatAt(std::string_view name, float* out, int index, int components = 4) const;
  // A string gives its text (index ignored); a texture list its entry `index`.
  void getTexture(std::string_view name, std::string& out, int index = 0) const;
  void getCurve(std::string_view name, const Curve*& out, int index = 0) const;
  void getMaterial(std::string_view name, const Material*& out, int index = 0) const;
  void getMesh(std::string_view name, Mesh*& out, int index = 0) const;

  // The fetch and copy of "textureOut" that ends every effect's frame.
  void copyToTextureOut() const;

  // From now on a fetch of a missing name declares it (zero, or an empty
  // list) and notes it in `records`, in fetch order, instead of throwing.
  void recordParameters(std::vector<ParameterRecord>* records) { recording = records; }

  std::unique_ptr<Script> script;
  std::string kind;  // the kind name its definition gave
  // Every parameter name fetched, found or not, while reads are noted.
  mutable std::set<std::string, std::less<>> parametersRead;
  float start = -1000.0f;
  float length = 0.0f;

  const std::string& definitionName() const;

 private:
  // The variable `name`; `typeWord` names the fetcher in the message,
  // `declaredType` is what a recording declares.
  const Variable& require(std::string_view name, const char* typeWord, const char* declaredType,
                          int index) const;

  std::vector<ParameterRecord>* recording = nullptr;
};
