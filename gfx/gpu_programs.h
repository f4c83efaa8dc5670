// The GPU program library: eleven pairs of ARB assembly programs (vertex and
// fragment) and the one GLSL pair, compiled once right after the GL context
// exists and only selected by handle afterwards.
//
// Compilation writes a trace to the debug channel (START, the GL error text
// after each of the three GL steps with the error position and the next 20
// characters of the text when there is one, END) and never stops start-up:
// a program that fails simply draws undefined output. The reports keep the
// outcome of every program for tools.
#pragma once

#include <string>
#include <vector>

#include "gfx/gl.h"

struct GpuProgramPair {
  GLuint vertex = 0;
  GLuint fragment = 0;
};

struct GpuProgramLibrary {
  GpuProgramPair phong;
  GpuProgramPair phongSpecularMap;
  GpuProgramPair blendMultiply;
  GpuProgramPair blendScreen;
  GpuProgramPair blendAdd;
  GpuProgramPair blendSub;
  GpuProgramPair bumpHeight;
  GpuProgramPair motionVector;
  GpuProgramPair motionBlur;
  GpuProgramPair limit;
  GpuProgramPair exponentialSum;
  // The cast effect's ray marcher.
  GLhandleARB glslProgram = 0;
  GLhandleARB glslVertexShader = 0;
  GLhandleARB glslFragmentShader = 0;
};

extern GpuProgramLibrary gpuPrograms;

// The outcome of one compilation. errorPosition is -1 when the driver named
// no position; errorText is the driver's message (empty when ok).
struct GpuProgramReport {
  std::string name;
  bool ok = true;
  int errorPosition = -1;
  std::string errorText;
};

// Loads the GL entry points, compiles the 22 ARB programs in table order
// (vertex program first in each pair) and builds the GLSL pair.
void initGpuPrograms();

// Compiles one ARB program (target GL_VERTEX_PROGRAM_ARB or
// GL_FRAGMENT_PROGRAM_ARB) into a new handle, tracing every step.
GpuProgramReport compileGpuProgram(const char* name, GLenum target, const char* text,
                                   GLuint* outHandle);

// Every program of the last initGpuPrograms in compilation order: the 22 ARB
// programs by name, then "cast vertex shader", "cast fragment shader" and
// "cast program" (the link).
const std::vector<GpuProgramReport>& gpuProgramReports();

// Enables both ARB program targets and binds the vertex, then the fragment
// handle.
void bindGpuPrograms(GLuint vertexHandle, GLuint fragmentHandle);
void bindGpuPrograms(const GpuProgramPair& pair);
// Disables the vertex, then the fragment program target.
void unbindGpuPrograms();

// Environment parameter `index` of a program target (vertex and fragment
// programs have separate sets).
void setProgramEnv(GLenum target, GLuint index, float x, float y, float z, float w);

// Selects a GLSL program; 0 returns to fixed function.
void useGlslProgram(GLhandleARB handle);
