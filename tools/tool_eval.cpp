// velmira-tool eval: compiles an effect definition as the effect loader does,
// runs it once and then once per given frame time, and prints every variable
// of its scope. The language's black-box test surface.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/show_loading.h"
#include "pack/pack.h"
#include "script/recording_loaders.h"
#include "script/script.h"
#include "script/variable_text.h"
#include "tools/tool_commands.h"
#include "tools/tool_options.h"
#include "tools/tool_show.h"

namespace {

const char kUsage[] =
    "usage: velmira-tool eval DEFINITION [--show DIR] [--start S] [--end E]\n"
    "                         [--params a,b,...] [--in n,...] [--out n,...]\n"
    "                         [--times t1,t2,...]\n"
    "\n"
    "Reads DEFINITION from that path when a file is there, else as the show's file\n"
    "layer finds it (the show folder, then its datapack.dat); skips its first line,\n"
    "declares frame, time, timeStep, start, length, end, paramIn0.. and\n"
    "textureOut, compiles the rest, runs it once, then runs the frame prologue for\n"
    "each time in order. Prints every variable, one per line, in name order:\n"
    "  <name> int|float <count> <values>       count: the elements of the variable\n"
    "  <name> vec2|vec3|vec4 <count> <values>  (1, or the length of an array), then\n"
    "  <name> curve <count>                    every component of every element\n"
    "  <name> mesh|material <entries>\n"
    "  <name> string \"<text>\"   <name> texture \"<entry>\" ...\n"
    "Numbers are read strictly; a bad one is wrong usage (status 2). A DEFINITION\n"
    "found nowhere ends with status 1. Compile errors are printed to stderr, also as\n"
    "FILE:LINE:COL: message, and end with status 255. DIR defaults to the current\n"
    "folder when it holds a show, else the installed or built show.\n";

const ToolOption kOptions[] = {
    kShowOption,
    {"--start", OptionValue::Number},
    {"--end", OptionValue::Number},
    {"--params", OptionValue::Text},
    {"--in", OptionValue::Text},
    {"--out", OptionValue::Text},
    {"--times", OptionValue::Text},
};

struct EvalOptions {
  std::string definition;
  float start = 0, end = 0;
  std::vector<float> params, times;
  std::vector<std::string> inputs, outputs;
};

std::vector<std::string> splitAtCommas(const std::string& text) {
  std::vector<std::string> items;
  std::string item;
  std::istringstream stream(text);
  while (std::getline(stream, item, ',')) items.push_back(item);
  return items;
}

// Empty when the arguments describe an evaluation, else why not.
std::string readOptions(const ToolArguments& arguments, EvalOptions& options) {
  if (arguments.operands.size() != 1) return "give exactly one DEFINITION";
  options.definition = arguments.operands.front();
  options.start = float(arguments.number("--start", 0));
  options.end = float(arguments.number("--end", 0));
  options.inputs = splitAtCommas(arguments.text("--in"));
  options.outputs = splitAtCommas(arguments.text("--out"));
  std::string problem;
  if (!parseNumberList(arguments.text("--params"), options.params, problem))
    return "--params: " + problem;
  if (!parseNumberList(arguments.text("--times"), options.times, problem))
    return "--times: " + problem;
  return "";
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
  const ToolArguments arguments = parseToolArguments(argc, argv, kOptions);
  if (arguments.help) return printUsage(kUsage);
  EvalOptions options;
  const std::string problem = arguments.error.empty() ? readOptions(arguments, options) : arguments.error;
  if (!problem.empty()) return usageError("eval", problem, kUsage);
  const std::string path = commandLineFile(options.definition);
  if (!enterShowDirectory("eval", arguments)) return 1;
  if (!fileIsAvailable(path)) {
    fprintf(stderr, "velmira-tool eval: %s: no such file, here or in the show\n",
            options.definition.c_str());
    return 1;
  }
  std::vector<uint8_t> bytes;
  loadFile(path, bytes);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const size_t headerEnd = text.find('\n');
  const std::string_view body = headerEnd == std::string_view::npos ? "" : text.substr(headerEnd + 1);

  Script script;
  script.definitionName = options.definition;
  try {
    evaluateDefinition(script, options, body);
  } catch (const ScriptError& error) {
    fatalScriptError(error);
  }
  const std::string listing = describeVariables(script.variables);
  fwrite(listing.data(), 1, listing.size(), stdout);
  return 0;
}
