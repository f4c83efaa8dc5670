#include "script/script.h"

#include <string>

#include "script/evaluator.h"

void compileScriptBody(Script& script, std::string_view body, const CompileEnvironment& environment) {
  std::string piece;
  for (const char c : body) {
    if (static_cast<unsigned char>(c) == 0xFF) {
      compileStatement(script, piece, environment);
      piece.clear();
      continue;
    }
    piece.push_back(c);
    // An overlong run is handed over in pieces so that no statement text
    // exceeds the limit.
    if (c == ';' || c == '{' || c == '}' || piece.size() == kMaxStatementLength) {
      compileStatement(script, piece, environment);
      piece.clear();
    }
  }
}

namespace {

void declareFloat(VariableTable& table, const std::string& name, float value) {
  if (Variable* variable = addFloat(table, name)) variable->data[0].f = value;
}

}  // namespace

void declareEffectVariables(Script& script, float start, float end, const std::vector<float>& params,
                            std::string_view textureOut) {
  VariableTable& table = script.variables;
  addInt(table, "frame");
  addFloat(table, "time");
  addFloat(table, "timeStep");
  declareFloat(table, "start", start);
  declareFloat(table, "length", end - start);
  declareFloat(table, "end", end);
  for (size_t i = 0; i < params.size(); ++i) declareFloat(table, "paramIn" + std::to_string(i), params[i]);
  if (Variable* out = addTexture(table, "textureOut")) {
    out->list->textureNames.emplace_back(textureOut);
    ++out->list->count;
  }
}

void runScript(Script& script) { runBlock(script.rootBlock); }

void runFramePrologue(Script& script, float time, float timeStep) {
  const VariableTable& table = script.variables;
  if (Variable* v = findVariable(table, "time"); v && v->kind == ValueKind::Float) v->data[0].f = time;
  if (Variable* v = findVariable(table, "timeStep"); v && v->kind == ValueKind::Float)
    v->data[0].f = timeStep;
  if (Variable* v = findVariable(table, "frame"); v && v->kind == ValueKind::Int) v->data[0].i = int32_t(uint32_t(v->data[0].i) + 1);
  runScript(script);
}
