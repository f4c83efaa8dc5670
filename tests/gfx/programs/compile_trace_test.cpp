// The compilation trace, the reports and program binding.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "gfx/gl_entry_points.h"
#include "gfx/gpu_programs.h"
#include "gl_test_support.h"
#include "platform/message.h"
#include "platform/window.h"

namespace {

const char kCleanProgram[] = "!!ARBfp1.0\nMOV result.color, fragment.color;\nEND\n";
// The misspelt attribute sits within the last 20 characters.
const char kBrokenAtEnd[] = "!!ARBfp1.0\nMOV result.color, fragment.colr;\nEND\n";

struct TracedCompile {
  std::string trace;
  GpuProgramReport report;
  GLuint handle = 0;
};

TracedCompile compileTraced(const char* name, GLenum target, const char* text) {
  TracedCompile result;
  setDebugChannel(true);
  testing::internal::CaptureStderr();
  result.report = compileGpuProgram(name, target, text, &result.handle);
  result.trace = testing::internal::GetCapturedStderr();
  setDebugChannel(false);
  return result;
}

GLint boundProgram(GLenum target) {
  auto getProgramiv =
      reinterpret_cast<PFNGLGETPROGRAMIVARBPROC>(glProcAddress("glGetProgramivARB"));
  GLint binding = 0;
  getProgramiv(target, GL_PROGRAM_BINDING_ARB, &binding);
  return binding;
}

}  // namespace

TEST(CompileTrace, CleanProgramTracesThreeNoErrorLines) {
  GLuint warmUp = 0;
  compileGpuProgram("warm-up", GL_FRAGMENT_PROGRAM_ARB, kCleanProgram, &warmUp);
  const TracedCompile clean = compileTraced("clean", GL_FRAGMENT_PROGRAM_ARB, kCleanProgram);
  EXPECT_EQ(clean.trace,
            "START compiling clean\nno error\nno error\nno error\nEND compiling clean\n");
  EXPECT_TRUE(clean.report.ok);
  EXPECT_EQ(clean.report.errorPosition, -1);
  EXPECT_NE(clean.handle, 0u);
}

TEST(CompileTrace, ErrorNearTheEndShowsOnlyTheRemainingCharacters) {
  const TracedCompile broken = compileTraced("broken", GL_FRAGMENT_PROGRAM_ARB, kBrokenAtEnd);
  ASSERT_FALSE(broken.report.ok);
  const int position = broken.report.errorPosition;
  const int length = static_cast<int>(strlen(kBrokenAtEnd));
  ASSERT_GE(position, 0);
  ASSERT_GT(position, length - 20) << "the error must lie in the last 20 characters";
  EXPECT_FALSE(broken.report.errorText.empty());
  const std::string expected = "START compiling broken\nno error\nno error\ninvalid operation, pos " +
                               std::to_string(position) + ": " +
                               std::string(kBrokenAtEnd + position) + "\nEND compiling broken\n";
  EXPECT_EQ(broken.trace, expected);
}

TEST(CompileTrace, ErrorInTheMiddleShowsTwentyCharacters) {
  const std::string text = std::string("!!ARBfp1.0\nMOV result.color, fragment.colr;\n") +
                           "MOV result.color, fragment.color;\nEND\n";
  const TracedCompile broken = compileTraced("middle", GL_FRAGMENT_PROGRAM_ARB, text.c_str());
  ASSERT_FALSE(broken.report.ok);
  const int position = broken.report.errorPosition;
  ASSERT_GE(position, 0);
  ASSERT_LT(position + 20, static_cast<int>(text.size()));
  const std::string line =
      "invalid operation, pos " + std::to_string(position) + ": " + text.substr(position, 20) + "\n";
  EXPECT_NE(broken.trace.find(line), std::string::npos) << broken.trace;
}

TEST(CompileTrace, StalePositionAfterAFailureIsTracedWithoutOverreading) {
  // The driver keeps the last failure's position until the next program
  // string; the first two steps of the next compile report it against the
  // new, shorter text.
  GLuint handle = 0;
  compileGpuProgram("broken", GL_FRAGMENT_PROGRAM_ARB, kBrokenAtEnd, &handle);
  const char kShort[] = "!!ARBfp1.0\nEND\n";
  const TracedCompile next = compileTraced("short", GL_FRAGMENT_PROGRAM_ARB, kShort);
  EXPECT_TRUE(next.report.ok);
  EXPECT_EQ(next.trace.substr(0, next.trace.find('\n') + 1), "START compiling short\n");
  EXPECT_NE(next.trace.find("no error, pos "), std::string::npos) << next.trace;
  const std::string ending = "\nno error\nEND compiling short\n";
  ASSERT_GE(next.trace.size(), ending.size());
  EXPECT_EQ(next.trace.substr(next.trace.size() - ending.size()), ending);
}

TEST(CompileTrace, LibraryReportsEveryProgramInOrder) {
  const std::vector<GpuProgramReport>& reports = gpuProgramReports();
  ASSERT_EQ(reports.size(), 25u);
  EXPECT_EQ(reports[0].name, "phong vertex program");
  EXPECT_EQ(reports[3].name, "phong with specular map fragment program");
  EXPECT_EQ(reports[21].name, "exponential sum fragment program");
  EXPECT_EQ(reports[24].name, "cast program");
  for (const GpuProgramReport& report : reports) EXPECT_TRUE(report.ok) << report.name;
}

TEST(ProgramBinding, BindEnablesBothTargetsAndUnbindDisablesThem) {
  bindGpuPrograms(gpuPrograms.phong);
  EXPECT_TRUE(glIsEnabled(GL_VERTEX_PROGRAM_ARB));
  EXPECT_TRUE(glIsEnabled(GL_FRAGMENT_PROGRAM_ARB));
  EXPECT_EQ(boundProgram(GL_VERTEX_PROGRAM_ARB), static_cast<GLint>(gpuPrograms.phong.vertex));
  EXPECT_EQ(boundProgram(GL_FRAGMENT_PROGRAM_ARB), static_cast<GLint>(gpuPrograms.phong.fragment));
  unbindGpuPrograms();
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_PROGRAM_ARB));
  EXPECT_FALSE(glIsEnabled(GL_FRAGMENT_PROGRAM_ARB));
}

TEST(ProgramBinding, EveryPairHasItsOwnHandles) {
  const GpuProgramPair pairs[] = {gpuPrograms.phong,         gpuPrograms.phongSpecularMap,
                                  gpuPrograms.blendMultiply, gpuPrograms.blendScreen,
                                  gpuPrograms.blendAdd,      gpuPrograms.blendSub,
                                  gpuPrograms.bumpHeight,    gpuPrograms.motionVector,
                                  gpuPrograms.motionBlur,    gpuPrograms.limit,
                                  gpuPrograms.exponentialSum};
  std::vector<GLuint> handles;
  for (const GpuProgramPair& pair : pairs) {
    handles.push_back(pair.vertex);
    handles.push_back(pair.fragment);
  }
  std::sort(handles.begin(), handles.end());
  EXPECT_EQ(std::adjacent_find(handles.begin(), handles.end()), handles.end());
  EXPECT_NE(handles.front(), 0u);
  EXPECT_NE(gpuPrograms.glslProgram, 0u);
}
