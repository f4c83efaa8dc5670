// Helpers for the script tests: compile a definition body into a fresh
// Script and read its variables back.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "script/evaluator.h"
#include "script/recording_loaders.h"
#include "script/script.h"

struct CompiledScript {
  Script script;
  RecordingLoaders recording;
  CompileEnvironment environment;

  CompiledScript() { environment.loaders = &recording.loaders; }

  void compile(std::string_view body) { compileScriptBody(script, body, environment); }
  void run() { runScript(script); }

  Variable& variable(std::string_view name) {
    Variable* found = findVariable(script.variables, name);
    if (!found) throw std::runtime_error("no variable " + std::string(name));
    return *found;
  }
  float f(std::string_view name, uint32_t element = 0, uint32_t component = 0) {
    return elementWords(variable(name), element)[component].f;
  }
  int32_t i(std::string_view name, uint32_t element = 0) {
    return elementWords(variable(name), element)->i;
  }
};

// Compiles and runs `body` once.
inline std::unique_ptr<CompiledScript> runBody(std::string_view body) {
  auto compiled = std::make_unique<CompiledScript>();
  compiled->compile(body);
  compiled->run();
  return compiled;
}

// The full error text of compiling `body`, or "" when it compiles.
inline std::string compileError(std::string_view body) {
  CompiledScript compiled;
  try {
    compiled.compile(body);
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.caption, "ERROR");
    return error.text;
  }
  return "";
}
