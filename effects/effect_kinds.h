// The effect kinds by the names definitions give in their first line
// (code = KIND). Names are compared whole and case-sensitively.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "framework/effect.h"

// A new effect of the named kind, or null for a name that is no kind.
std::unique_ptr<Effect> createEffect(std::string_view kind);

// Every registered kind name, in the table's order.
std::vector<std::string_view> effectKindNames();
