// What velmira-tool lint found: each finding is one line on stderr, and the
// count decides the exit status.
#pragma once

#include <cstdio>
#include <string>

struct LintReport {
  int problems = 0;
  void add(const std::string& text) {
    fprintf(stderr, "%s\n", text.c_str());
    ++problems;
  }
};
