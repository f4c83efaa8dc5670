// The OpenGL headers as the engine uses them: GL 1.x, GLU and the extension
// tokens. Extension functions are called through GlEntryPoints, never through
// prototypes, so the same code runs on any driver that offers them.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
