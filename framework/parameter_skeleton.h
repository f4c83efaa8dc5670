// The definition text that declares a recorded list of parameters (see
// Effect::recordParameters), all zero, in their order: what
// `velmira-tool skeleton` prints for a kind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/effect.h"

std::string skeletonDefinition(std::string_view kind, const std::vector<ParameterRecord>& records);
