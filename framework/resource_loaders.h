// The engine's loaders behind the script's texture, mesh and material
// statements.
#pragma once

#include "script/script.h"

const ResourceLoaders& engineResourceLoaders();
