// One effect's script: its variable table, its compiled code and the state of
// the compiler while its definition is being compiled. This is the surface
// the effect framework uses:
//
//   Script script;                       // empty table, empty root block
//   script.definitionName = "fx.txt";    // named by runtime errors
//   declareEffectVariables(script, start, end, params, "screen");
//   compileScriptBody(script, body, environment);   // throws ScriptError
//   runScript(script);                   // throws ScriptError (loop guard)
//   runFramePrologue(script, time, timeStep);       // every frame
//   findVariable(script.variables, "name")          // -> Variable*, ->kind
//
// A Script holds pointers into itself and is neither copied nor moved.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/code.h"
#include "script/error.h"
#include "script/variables.h"

// The loaders the resource statements call. The graphics core provides the
// real ones; any left empty is simply not called (the names are appended to
// the variable's list all the same).
struct ResourceLoaders {
  std::function<std::shared_ptr<Mesh>(const std::string& file)> loadMesh;
  std::function<std::shared_ptr<Material>(const std::string& file)> loadMaterial;
  std::function<void(int bump, const std::string& name, const std::string& path, float saturation)>
      loadPngTexture;
  std::function<void(int bump, const std::string& name, const std::string& path)> loadJpegTexture;
  // width 0 means the render size.
  std::function<void(const std::string& name, int width, int height)> makeTexture;
};

struct CompileEnvironment {
  const ResourceLoaders* loaders = nullptr;
  // The effect's input texture names, which the literals "in0".."in5" of a
  // texture statement stand for.
  std::vector<std::string> inputTextureNames;
  // Receives the warnings when given (the checking tool); the engine leaves
  // it null.
  std::vector<CompileWarning>* warnings = nullptr;
};

struct CompileState {
  int32_t line = 1;  // grows by the line feeds of every statement compiled
  int32_t column = 0;
  bool assignmentPending = false;
  CodeNode* currentBlock = nullptr;
};

struct Script {
  VariableTable variables;
  CodeNode rootBlock;
  CompileState state;
  std::string definitionName;

  Script() { state.currentBlock = &rootBlock; }
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;
};

// Statement texts keep at most this many bytes; the body compiler hands a
// longer run over in pieces of this size.
inline constexpr size_t kMaxStatementLength = 2047;
// Blocks nest at most this deep.
inline constexpr int kMaxBlockDepth = 256;

// Compiles one statement text (ending with its ';', '{' or '}'); bytes past
// kMaxStatementLength are not read.
void compileStatement(Script& script, std::string_view statement,
                      const CompileEnvironment& environment);

// The offset inside `piece` of the byte at `column` of the statement
// compileStatement makes of it (comments removed); a column past the end
// gives the last byte kept.
size_t statementColumnOrigin(std::string_view piece, int32_t column);

// The editor line of a definition body's first byte: the body follows the
// one header line (code = KIND).
inline constexpr int32_t kBodyFirstLine = 2;

// Cuts a definition body into statements (each up to and including ';', '{'
// or '}'; a byte 0xFF ends a statement without being kept) and compiles them
// in order. Text after the last statement is not compiled. A compile error
// leaves with its place in the definition (file, editor line and column).
void compileScriptBody(Script& script, std::string_view body, const CompileEnvironment& environment);

// Declares what every effect has before its definition is compiled: frame
// (int), time, timeStep, start, length = end - start, end, paramIn0.. (float)
// and textureOut (texture) holding `textureOut`.
void declareEffectVariables(Script& script, float start, float end, const std::vector<float>& params,
                            std::string_view textureOut);

// Runs the compiled definition once from its root block.
void runScript(Script& script);

// Sets time and timeStep, adds 1 to frame and runs the definition.
void runFramePrologue(Script& script, float time, float timeStep);
