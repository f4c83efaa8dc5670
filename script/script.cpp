#include "script/script.h"

#include <algorithm>
#include <string>

#include "script/evaluator.h"

namespace {

struct EditorPlace {
  int32_t line, column;
};

// Where the byte at `column` of the statement made of `piece` lies in the
// definition, counted as an editor counts.
EditorPlace editorPlace(std::string_view body, size_t pieceStart, std::string_view piece,
                        int32_t column) {
  const size_t offset = pieceStart + statementColumnOrigin(piece, column);
  const std::string_view before = body.substr(0, offset);
  const size_t lineStart = before.rfind('\n') + 1;  // 0 on the first line
  return {kBodyFirstLine + int32_t(std::count(before.begin(), before.end(), '\n')),
          int32_t(offset - lineStart) + 1};
}

void locateError(ScriptError& error, const Script& script, std::string_view body, size_t pieceStart,
                 std::string_view piece) {
  if (error.caption != kCompileErrorCaption || error.message.empty()) return;
  const EditorPlace place = editorPlace(body, pieceStart, piece, script.state.column);
  error.file = script.definitionName;
  error.line = place.line;
  error.column = place.column;
}

void placeWarnings(const CompileEnvironment& environment, size_t first, std::string_view body,
                   size_t pieceStart, std::string_view piece) {
  if (!environment.warnings) return;
  for (size_t i = first; i < environment.warnings->size(); ++i) {
    CompileWarning& warning = (*environment.warnings)[i];
    const EditorPlace place = editorPlace(body, pieceStart, piece, warning.column);
    warning.line = place.line;
    warning.column = place.column;
  }
}

}  // namespace

void compileScriptBody(Script& script, std::string_view body, const CompileEnvironment& environment) {
  std::string piece;
  size_t pieceStart = 0;
  const auto compilePiece = [&](size_t next) {
    const size_t warningsBefore = environment.warnings ? environment.warnings->size() : 0;
    try {
      compileStatement(script, piece, environment);
    } catch (ScriptError& error) {
      placeWarnings(environment, warningsBefore, body, pieceStart, piece);
      locateError(error, script, body, pieceStart, piece);
      throw;
    }
    placeWarnings(environment, warningsBefore, body, pieceStart, piece);
    piece.clear();
    pieceStart = next;
  };
  for (size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (static_cast<unsigned char>(c) == 0xFF) {
      compilePiece(i + 1);
      continue;
    }
    piece.push_back(c);
    // An overlong run is handed over in pieces so that no statement text
    // exceeds the limit.
    if (c == ';' || c == '{' || c == '}' || piece.size() == kMaxStatementLength) compilePiece(i + 1);
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
