// Variables as one line of text, the form `velmira-tool eval` prints:
//   <name> int|float <count> <element values>        (floats as %.9g)
//   <name> vec2|vec3|vec4 <count> <every component of every element>
//   <name> curve <list count>
//   <name> mesh|material <entries>
//   <name> string "<text>"
//   <name> texture "<entry>" "<entry>" ...
#pragma once

#include <string>

#include "script/variables.h"

std::string describeVariable(const Variable& variable);

// Every variable of the table in table order, one line each.
std::string describeVariables(const VariableTable& table);
