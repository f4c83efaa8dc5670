#include "framework/parameter_skeleton.h"

namespace {

bool isListType(const std::string& type) {
  return type == "texture" || type == "curve" || type == "mesh" || type == "material";
}

}  // namespace

std::string skeletonDefinition(std::string_view kind, const std::vector<ParameterRecord>& records) {
  std::string text = "code = " + std::string(kind) + "\n";
  for (const ParameterRecord& record : records) {
    text += record.type + " " + record.name;
    if (record.count > 1) text += "[" + std::to_string(record.count) + "]";
    text += isListType(record.type) ? ";\n" : " = 0;\n";
  }
  return text;
}
