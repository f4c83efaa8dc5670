#include "script/variable_text.h"

#include <cstdio>

namespace {

void appendFloat(std::string& out, float value) {
  char text[32];
  snprintf(text, sizeof text, " %.9g", double(value));
  out += text;
}

void appendQuoted(std::string& out, const std::string& text) { out += " \"" + text + "\""; }

}  // namespace

std::string describeVariable(const Variable& v) {
  std::string out = v.name + " " + kindKeyword(v.kind);
  switch (v.kind) {
    case ValueKind::Int:
      out += " " + std::to_string(v.count);
      for (uint32_t i = 0; i < v.count; ++i) out += " " + std::to_string(elementWords(v, i)->i);
      break;
    case ValueKind::Float:
      out += " " + std::to_string(v.count);
      for (uint32_t i = 0; i < v.count; ++i) appendFloat(out, elementWords(v, i)->f);
      break;
    case ValueKind::Vec2:
    case ValueKind::Vec3:
    case ValueKind::Vec4:
      out += " " + std::to_string(v.count);
      for (uint32_t i = 0; i < v.count * v.stride; ++i) appendFloat(out, v.data[i].f);
      break;
    case ValueKind::Curve: out += " " + std::to_string(v.list->count); break;
    case ValueKind::Mesh:
    case ValueKind::Material: out += " " + std::to_string(listEntryCount(v)); break;
    case ValueKind::String: appendQuoted(out, v.text->text); break;
    case ValueKind::Texture:
      for (const std::string& name : v.list->textureNames) appendQuoted(out, name);
      break;
  }
  return out;
}

std::string describeVariables(const VariableTable& table) {
  std::string out;
  for (const auto& [name, variable] : table.byName) out += describeVariable(*variable) + "\n";
  return out;
}
