// The command line every velmira-tool command shares. A command declares its
// options in a table; the parser refuses anything else, reads numbers
// strictly and reports wrong usage one way: the problem and the usage on
// stderr, status 2. --help prints the usage on stdout, status 0.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class OptionValue { None, Text, Number };

struct ToolOption {
  const char* name;  // as typed: "--time", "-o"
  OptionValue value;
};

struct ToolArguments {
  std::map<std::string, std::string, std::less<>> values;  // "" for a switch
  std::vector<std::string> operands;
  bool help = false;
  std::string error;  // wrong usage, in words; empty when the line is good

  bool has(std::string_view name) const { return values.find(name) != values.end(); }
  std::string text(std::string_view name, const std::string& fallback = "") const;
  // Number options were checked by the parser, so this never fails.
  double number(std::string_view name, double fallback) const;
};

ToolArguments parseToolArguments(int argc, char** argv, std::span<const ToolOption> options);

// The whole text as one finite number in the C locale; nothing else counts.
bool parseStrictNumber(std::string_view text, double& value);
// Comma-separated strict numbers; false (and `error` says which item) when
// any item is not one.
bool parseNumberList(std::string_view text, std::vector<float>& values, std::string& error);

// The shared endings of a command: wrong usage (status 2) and --help (0).
int usageError(const char* command, const std::string& problem, const char* usage);
int printUsage(const char* usage);
