// The subcommands of velmira-tool, one file each (tool_<name>.cpp).
#pragma once

int runToolCat(int argc, char** argv);
int runToolConfig(int argc, char** argv);
int runToolPack(int argc, char** argv);
int runToolEval(int argc, char** argv);
int runToolSpectrum(int argc, char** argv);
int runToolPrograms(int argc, char** argv);
int runToolRender(int argc, char** argv);
int runToolJoin(int argc, char** argv);
int runToolLint(int argc, char** argv);
int runToolMesh(int argc, char** argv);
int runToolImage(int argc, char** argv);
int runToolMaterial(int argc, char** argv);
int runToolSkeleton(int argc, char** argv);
