#include "tools/tool_options.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const ToolOption* findOption(std::span<const ToolOption> options, std::string_view name) {
  for (const ToolOption& option : options)
    if (name == option.name) return &option;
  return nullptr;
}

bool looksLikeOption(std::string_view arg) { return arg.size() > 1 && arg[0] == '-'; }

}  // namespace

std::string ToolArguments::text(std::string_view name, const std::string& fallback) const {
  const auto found = values.find(name);
  return found == values.end() ? fallback : found->second;
}

double ToolArguments::number(std::string_view name, double fallback) const {
  double value = fallback;
  const auto found = values.find(name);
  if (found != values.end()) parseStrictNumber(found->second, value);
  return value;
}

bool parseStrictNumber(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(parsed))
    return false;
  value = parsed;
  return true;
}

bool parseNumberList(std::string_view text, std::vector<float>& values, std::string& error) {
  values.clear();
  if (text.empty()) return true;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    const std::string_view item = text.substr(start, comma - start);
    double value = 0;
    if (!parseStrictNumber(item, value)) {
      error = "'" + std::string(item) + "' is not a number";
      return false;
    }
    values.push_back(float(value));
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}

ToolArguments parseToolArguments(int argc, char** argv, std::span<const ToolOption> options) {
  ToolArguments arguments;
  for (int i = 1; i < argc && arguments.error.empty(); ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      arguments.help = true;
      continue;
    }
    if (!looksLikeOption(arg)) {
      arguments.operands.emplace_back(arg);
      continue;
    }
    const ToolOption* option = findOption(options, arg);
    if (!option) {
      arguments.error = "unknown option " + std::string(arg);
    } else if (option->value == OptionValue::None) {
      arguments.values[std::string(arg)] = "";
    } else if (i + 1 == argc) {
      arguments.error = std::string(arg) + " needs a value";
    } else {
      const std::string value = argv[++i];
      double number = 0;
      if (option->value == OptionValue::Number && !parseStrictNumber(value, number))
        arguments.error = std::string(arg) + " wants a number, not '" + value + "'";
      arguments.values[std::string(arg)] = value;
    }
  }
  return arguments;
}

int usageError(const char* command, const std::string& problem, const char* usage) {
  fprintf(stderr, "velmira-tool %s: %s\n\n%s", command, problem.c_str(), usage);
  return 2;
}

int printUsage(const char* usage) {
  fputs(usage, stdout);
  return 0;
}
