#include "platform/piped_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

struct PipedProgram {
  pid_t pid = -1;
  std::vector<int> inputs;  // write ends, -1 once closed
  int status = -1;
  bool finished = true;  // until a child runs
};

namespace {

// Pipe ends are moved above the descriptors the child is given, so that
// placing one cannot overwrite another.
constexpr int kFirstFreeDescriptor = 16;

int moveAbove(int descriptor) {
  const int moved = fcntl(descriptor, F_DUPFD_CLOEXEC, kFirstFreeDescriptor);
  close(descriptor);
  return moved;
}

void closeAll(std::vector<int>& descriptors) {
  for (int& descriptor : descriptors) {
    if (descriptor >= 0) close(descriptor);
    descriptor = -1;
  }
}

}  // namespace

PipedProgramHandle startPipedProgram(const std::vector<std::string>& arguments, int inputCount,
                                     ProgramStart& outcome, std::string& error) {
  outcome = ProgramStart::Failed;
  // A program that ends early must turn our writes into errors, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  PipedProgramHandle program(new PipedProgram);
  std::vector<int> readEnds;
  for (int input = 0; input < inputCount; ++input) {
    int ends[2];
    if (pipe(ends) != 0) {
      error = std::string("cannot make a pipe: ") + strerror(errno);
      closeAll(readEnds);
      return nullptr;
    }
    readEnds.push_back(moveAbove(ends[0]));
    program->inputs.push_back(moveAbove(ends[1]));
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int input = 0; input < inputCount; ++input)
    posix_spawn_file_actions_adddup2(&actions, readEnds[input], input == 0 ? 0 : 2 + input);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const int result = posix_spawnp(&program->pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  closeAll(readEnds);
  if (result != 0) {
    outcome = result == ENOENT ? ProgramStart::NotFound : ProgramStart::Failed;
    error = arguments[0] + ": " + strerror(result);
    closeAll(program->inputs);
    return nullptr;
  }
  program->finished = false;
  outcome = ProgramStart::Started;
  return program;
}

bool writeToProgram(PipedProgram& program, int input, const void* data, size_t size) {
  const int descriptor = program.inputs[input];
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = write(descriptor, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= size_t(written);
  }
  return true;
}

void closeProgramInput(PipedProgram& program, int input) {
  if (program.inputs[input] >= 0) close(program.inputs[input]);
  program.inputs[input] = -1;
}

int finishProgram(PipedProgram& program) {
  closeAll(program.inputs);
  if (program.finished) return program.status;
  int status = 0;
  while (waitpid(program.pid, &status, 0) < 0 && errno == EINTR) {
  }
  program.finished = true;
  program.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return program.status;
}

void PipedProgramClose::operator()(PipedProgram* program) const {
  finishProgram(*program);
  delete program;
}
