// The statements that fill curve, string, mesh, material and texture
// variables. They run at compile time: they load files, create textures and
// append to the variable's list, and leave no code behind.
#pragma once

#include "script/expression.h"
#include "script/script.h"

struct ResourceStatement {
  ParseContext& context;
  Variable& target;
  const CompileEnvironment& environment;
};

// curve, string, mesh, material: a list of string literals. Each literal
// loads and appends one entry; for a string the last literal wins.
void compileListStatement(ResourceStatement& statement);

// texture: items separated by commas, each textureLoad(path[, name[, bump[,
// saturation]]]), textureMake(name[, width[, height]]) or a literal naming a
// pool texture or one of the inputs "in0".."in5".
void compileTextureStatement(ResourceStatement& statement);
