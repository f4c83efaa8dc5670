// velmira-tool eval: compiles an effect definition as the effect loader does,
// runs it once and then once per given frame time, and prints every variable
// of its scope. The language's black-box test surface.
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "pack/pack.h"
#include "platform/message.h"
#include "script/recording_loaders.h"
#include "script/script.h"
#include "script/variable_text.h"
#include "tools/tool_commands.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool eval DEFINITION [--start S] [--end E] [--params a,b,...]\n"
    "                         [--in n,...] [--out n,...] [--times t1,t2,...]\n"
    "\n"
    "Reads DEFINITION through the file layer (the disk, then datapack.dat), skips its\n"
    "first line, declares frame, time, timeStep, start, length, end, paramIn0.. and\n"
    "textureOut, compiles the rest, runs it once, then runs the frame prologue for\n"
    "each time in order. Prints every variable, one per line, in name order.\n"
    "Compile errors are printed to stderr and end with status 255.\n";

struct EvalOptions {
  std::string definition;
  float start = 0, end = 0;
  std::vector<float> params, times;
  std::vector<std::string> inputs, outputs;
};

bool readFloat(const std::string& text, float& value) {
  std::istringstream stream(text);
  stream.imbue(std::locale::classic());
  return bool(stream >> value);
}

std::vector<std::string> splitAtCommas(const std::string& text) {
  std::vector<std::string> items;
  std::string item;
  std::istringstream stream(text);
  while (std::getline(stream, item, ',')) items.push_back(item);
  return items;
}

// Items that do not read as floats are skipped, as the timeline's are.
std::vector<float> floatList(const std::string& text) {
  std::vector<float> values;
  float value;
  for (const std::string& item : splitAtCommas(text))
    if (readFloat(item, value)) values.push_back(value);
  return values;
}

bool parseOptions(int argc, char** argv, EvalOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--", 0) != 0) {
      if (!options.definition.empty()) return false;
      options.definition = arg;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (arg == "--start") {
      if (!readFloat(value, options.start)) options.start = 0;
    } else if (arg == "--end") {
      if (!readFloat(value, options.end)) options.end = 0;
    } else if (arg == "--params") {
      options.params = floatList(value);
    } else if (arg == "--in") {
      options.inputs = splitAtCommas(value);
    } else if (arg == "--out") {
      options.outputs = splitAtCommas(value);
    } else if (arg == "--times") {
      options.times = floatList(value);
    } else {
      return false;
    }
  }
  return !options.definition.empty();
}

void evaluateDefinition(Script& script, const EvalOptions& options, std::string_view body) {
  RecordingLoaders recording;
  CompileEnvironment environment{&recording.loaders, options.inputs};
  declareEffectVariables(script, options.start, options.end, options.params,
                         options.outputs.empty() ? "screen" : options.outputs.front());
  compileScriptBody(script, body, environment);
  runScript(script);
  float previous = 0;
  for (const float time : options.times) {
    runFramePrologue(script, time, time - previous);
    previous = time;
  }
}

}  // namespace

int runToolEval(int argc, char** argv) {
  if (argc >= 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
    fputs(kUsage, stdout);
    return 0;
  }
  EvalOptions options;
  if (!parseOptions(argc, argv, options)) {
    fputs(kUsage, stderr);
    return 2;
  }
  std::vector<uint8_t> bytes;
  if (!loadFile(options.definition, bytes)) return 1;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const size_t headerEnd = text.find('\n');
  const std::string_view body = headerEnd == std::string_view::npos ? "" : text.substr(headerEnd + 1);

  Script script;
  script.definitionName = options.definition;
  try {
    evaluateDefinition(script, options, body);
  } catch (const ScriptError& error) {
    fatalMessage(error.caption, error.text);
  }
  const std::string listing = describeVariables(script.variables);
  fwrite(listing.data(), 1, listing.size(), stdout);
  return 0;
}
