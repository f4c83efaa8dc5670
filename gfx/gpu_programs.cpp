#include "gfx/gpu_programs.h"

#include <cstdio>
#include <cstring>

#include "gfx/gl_entry_points.h"
#include "gfx/programs/program_texts.h"
#include "platform/message.h"
#include "platform/window.h"

GpuProgramLibrary gpuPrograms;

namespace {

std::vector<GpuProgramReport> reports;

struct ArbProgram {
  const char* name;
  GLenum target;
  const char* text;
  GLuint* handle;
};

// The library in compilation order, vertex program first in each pair.
std::vector<ArbProgram> arbProgramTable() {
  GpuProgramLibrary& p = gpuPrograms;
  const GLenum vp = GL_VERTEX_PROGRAM_ARB;
  const GLenum fp = GL_FRAGMENT_PROGRAM_ARB;
  return {
      {"phong vertex program", vp, kProgram_phong_vp, &p.phong.vertex},
      {"phong fragment program", fp, kProgram_phong_fp, &p.phong.fragment},
      {"phong with specular map vertex program", vp, kProgram_phong_specular_map_vp,
       &p.phongSpecularMap.vertex},
      {"phong with specular map fragment program", fp, kProgram_phong_specular_map_fp,
       &p.phongSpecularMap.fragment},
      {"blend multiply vertex program", vp, kProgram_blend_multiply_vp, &p.blendMultiply.vertex},
      {"blend multiply fragment program", fp, kProgram_blend_multiply_fp,
       &p.blendMultiply.fragment},
      {"blend screen vertex program", vp, kProgram_blend_flat_vp, &p.blendScreen.vertex},
      {"blend screen fragment program", fp, kProgram_blend_screen_fp, &p.blendScreen.fragment},
      {"blend add vertex program", vp, kProgram_blend_flat_vp, &p.blendAdd.vertex},
      {"blend add fragment program", fp, kProgram_blend_add_fp, &p.blendAdd.fragment},
      {"blend sub vertex program", vp, kProgram_blend_flat_vp, &p.blendSub.vertex},
      {"blend sub fragment program", fp, kProgram_blend_sub_fp, &p.blendSub.fragment},
      {"bump height vertex program", vp, kProgram_bump_height_vp, &p.bumpHeight.vertex},
      {"bump height fragment program", fp, kProgram_bump_height_fp, &p.bumpHeight.fragment},
      {"motion vector vertex program", vp, kProgram_motion_vector_vp, &p.motionVector.vertex},
      {"motion vector fragment program", fp, kProgram_motion_vector_fp,
       &p.motionVector.fragment},
      {"motion blur vertex program", vp, kProgram_image_vp, &p.motionBlur.vertex},
      {"motion blur fragment program", fp, kProgram_motion_blur_fp, &p.motionBlur.fragment},
      {"limit vertex program", vp, kProgram_image_vp, &p.limit.vertex},
      {"limit fragment program", fp, kProgram_limit_fp, &p.limit.fragment},
      {"exponential sum vertex program", vp, kProgram_image_vp, &p.exponentialSum.vertex},
      {"exponential sum fragment program", fp, kProgram_exponential_sum_fp,
       &p.exponentialSum.fragment},
  };
}

struct GlStepResult {
  GLenum error = GL_NO_ERROR;
  GLint position = -1;
};

// Reports the GL state after one compilation step: the error text, and when
// the driver names an error position, that position with at most the next
// 20 characters of the text (never reading past its end).
GlStepResult traceGlStep(const char* text, const char* positionFormat) {
  GlStepResult step;
  step.error = glGetError();
  const GLubyte* errorText = gluErrorString(step.error);
  std::string line = errorText ? reinterpret_cast<const char*>(errorText) : "unknown error";
  glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &step.position);
  if (step.position != -1) {
    char position[48];
    snprintf(position, sizeof position, positionFormat, step.position);
    line += position;
    const size_t length = strlen(text);
    if (step.position >= 0 && static_cast<size_t>(step.position) < length)
      line.append(text + step.position, std::min<size_t>(20, length - step.position));
  }
  line += "\n";
  debugPrint(line);
  return step;
}

template <typename Function>
Function glslEntry(const char* name) {
  return reinterpret_cast<Function>(glProcAddress(name));
}

std::string infoLog(GLhandleARB object) {
  auto getParameter = glslEntry<PFNGLGETOBJECTPARAMETERIVARBPROC>("glGetObjectParameterivARB");
  auto getLog = glslEntry<PFNGLGETINFOLOGARBPROC>("glGetInfoLogARB");
  GLint length = 0;
  getParameter(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
  std::string log(length > 0 ? length : 0, '\0');
  if (length > 0) getLog(object, length, nullptr, log.data());
  while (!log.empty() && (log.back() == '\0' || log.back() == '\n')) log.pop_back();
  return log;
}

GpuProgramReport glslReport(const char* name, GLhandleARB object, GLenum statusName) {
  auto getParameter = glslEntry<PFNGLGETOBJECTPARAMETERIVARBPROC>("glGetObjectParameterivARB");
  GLint status = 0;
  getParameter(object, statusName, &status);
  GpuProgramReport report;
  report.name = name;
  report.ok = status != 0;
  if (!report.ok) report.errorText = infoLog(object);
  return report;
}

// The cast effect's pair. Building it reads no status; the reports are
// gathered afterwards for tools.
void buildGlslPair() {
  auto createShader = glslEntry<PFNGLCREATESHADEROBJECTARBPROC>("glCreateShaderObjectARB");
  auto createProgram = glslEntry<PFNGLCREATEPROGRAMOBJECTARBPROC>("glCreateProgramObjectARB");
  auto shaderSource = glslEntry<PFNGLSHADERSOURCEARBPROC>("glShaderSourceARB");
  auto compileShader = glslEntry<PFNGLCOMPILESHADERARBPROC>("glCompileShaderARB");
  auto attach = glslEntry<PFNGLATTACHOBJECTARBPROC>("glAttachObjectARB");
  auto link = glslEntry<PFNGLLINKPROGRAMARBPROC>("glLinkProgramARB");

  GpuProgramLibrary& p = gpuPrograms;
  p.glslVertexShader = createShader(GL_VERTEX_SHADER_ARB);
  p.glslFragmentShader = createShader(GL_FRAGMENT_SHADER_ARB);
  p.glslProgram = createProgram();
  const GLcharARB* vertexSource = kProgram_cast_vert;
  const GLcharARB* fragmentSource = kProgram_cast_frag;
  shaderSource(p.glslVertexShader, 1, &vertexSource, nullptr);
  compileShader(p.glslVertexShader);
  shaderSource(p.glslFragmentShader, 1, &fragmentSource, nullptr);
  compileShader(p.glslFragmentShader);
  attach(p.glslProgram, p.glslVertexShader);
  attach(p.glslProgram, p.glslFragmentShader);
  link(p.glslProgram);

  reports.push_back(glslReport("cast vertex shader", p.glslVertexShader,
                               GL_OBJECT_COMPILE_STATUS_ARB));
  reports.push_back(glslReport("cast fragment shader", p.glslFragmentShader,
                               GL_OBJECT_COMPILE_STATUS_ARB));
  reports.push_back(glslReport("cast program", p.glslProgram, GL_OBJECT_LINK_STATUS_ARB));
}

}  // namespace

GpuProgramReport compileGpuProgram(const char* name, GLenum target, const char* text,
                                   GLuint* outHandle) {
  debugPrint(std::string("START compiling ") + name + "\n");
  gl.glGenProgramsARB(1, outHandle);
  traceGlStep(text, ", pos %d");
  gl.glBindProgramARB(target, *outHandle);
  traceGlStep(text, ", pos %d");
  gl.glProgramStringARB(target, GL_PROGRAM_FORMAT_ASCII_ARB, static_cast<GLsizei>(strlen(text)),
                        text);
  const GlStepResult loaded = traceGlStep(text, ", pos %d: ");
  debugPrint(std::string("END compiling ") + name + "\n");

  GpuProgramReport report;
  report.name = name;
  report.ok = loaded.error == GL_NO_ERROR && loaded.position == -1;
  report.errorPosition = loaded.position;
  if (!report.ok) {
    const GLubyte* message = glGetString(GL_PROGRAM_ERROR_STRING_ARB);
    report.errorText = message ? reinterpret_cast<const char*>(message) : "";
  }
  return report;
}

void initGpuPrograms() {
  loadGlEntryPoints();
  reports.clear();
  for (const ArbProgram& program : arbProgramTable())
    reports.push_back(compileGpuProgram(program.name, program.target, program.text,
                                        program.handle));
  buildGlslPair();
}

const std::vector<GpuProgramReport>& gpuProgramReports() { return reports; }

void bindGpuPrograms(GLuint vertexHandle, GLuint fragmentHandle) {
  glEnable(GL_VERTEX_PROGRAM_ARB);
  glEnable(GL_FRAGMENT_PROGRAM_ARB);
  gl.glBindProgramARB(GL_VERTEX_PROGRAM_ARB, vertexHandle);
  gl.glBindProgramARB(GL_FRAGMENT_PROGRAM_ARB, fragmentHandle);
}

void bindGpuPrograms(const GpuProgramPair& pair) { bindGpuPrograms(pair.vertex, pair.fragment); }

void unbindGpuPrograms() {
  glDisable(GL_VERTEX_PROGRAM_ARB);
  glDisable(GL_FRAGMENT_PROGRAM_ARB);
}

void setProgramEnv(GLenum target, GLuint index, float x, float y, float z, float w) {
  const GLfloat values[4] = {x, y, z, w};
  gl.glProgramEnvParameter4fvARB(target, index, values);
}

void useGlslProgram(GLhandleARB handle) {
  auto useProgram = glslEntry<PFNGLUSEPROGRAMOBJECTARBPROC>("glUseProgramObjectARB");
  useProgram(handle);
}
