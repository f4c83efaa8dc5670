#include "platform/piped_program.h"

// The GL header's stand-ins for three words of windows.h (see
// cmake/dependencies-windows.cmake) give way to the real ones here.
#undef APIENTRY
#undef CALLBACK
#undef WINGDIAPI
#include <windows.h>

#include <cstring>

// A C program on Windows finds descriptors beyond 0, 1 and 2 in a table its
// runtime reads at start-up from the process's start-up information: a
// count, one flag byte per descriptor, then one handle per descriptor. That
// table hands the further inputs over as descriptors 3 and up.
struct PipedProgram {
  HANDLE process = nullptr;
  std::vector<HANDLE> inputs;  // write ends, null once closed
  int status = -1;
  bool finished = true;  // until a child runs
};

namespace {

constexpr unsigned char kDescriptorOpen = 0x01, kDescriptorPipe = 0x08, kDescriptorDevice = 0x40;

std::string systemMessage(DWORD code) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      code, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(code) : message;
}

// One argument as the C runtime splits the command line again: quoted when
// it holds blanks or quotes, backslashes doubled where a quote follows them.
std::string quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string out = "\"";
  size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, '\\');
  return out + "\"";
}

unsigned char descriptorKind(HANDLE handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return 0;
  switch (GetFileType(handle)) {
    case FILE_TYPE_CHAR: return kDescriptorOpen | kDescriptorDevice;
    case FILE_TYPE_PIPE: return kDescriptorOpen | kDescriptorPipe;
    default: return kDescriptorOpen;
  }
}

// The table for descriptors 0 .. handles.size() - 1.
std::vector<unsigned char> descriptorTable(const std::vector<HANDLE>& handles) {
  const int count = int(handles.size());
  std::vector<unsigned char> table(sizeof count + handles.size() * (1 + sizeof(HANDLE)));
  std::memcpy(table.data(), &count, sizeof count);
  for (size_t i = 0; i < handles.size(); ++i) {
    table[sizeof count + i] = descriptorKind(handles[i]);
    const HANDLE handle = table[sizeof count + i] ? handles[i] : INVALID_HANDLE_VALUE;
    std::memcpy(table.data() + sizeof count + handles.size() + i * sizeof(HANDLE), &handle, sizeof handle);
  }
  return table;
}

void closeAll(std::vector<HANDLE>& handles) {
  for (HANDLE& handle : handles) {
    if (handle) CloseHandle(handle);
    handle = nullptr;
  }
}

}  // namespace

PipedProgramHandle startPipedProgram(const std::vector<std::string>& arguments, int inputCount,
                                     ProgramStart& outcome, std::string& error) {
  outcome = ProgramStart::Failed;
  PipedProgramHandle program(new PipedProgram);
  std::vector<HANDLE> readEnds;
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  for (int input = 0; input < inputCount; ++input) {
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) {
      error = "cannot make a pipe: " + systemMessage(GetLastError());
      closeAll(readEnds);
      return nullptr;
    }
    // Only the child's ends are inherited: an inherited write end would keep
    // the input open after this process closes it.
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
    readEnds.push_back(readEnd);
    program->inputs.push_back(writeEnd);
  }
  std::vector<HANDLE> descriptors = {readEnds[0], GetStdHandle(STD_OUTPUT_HANDLE),
                                     GetStdHandle(STD_ERROR_HANDLE)};
  descriptors.insert(descriptors.end(), readEnds.begin() + 1, readEnds.end());
  std::vector<unsigned char> table = descriptorTable(descriptors);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = descriptors[0];
  startup.hStdOutput = descriptors[1];
  startup.hStdError = descriptors[2];
  startup.cbReserved2 = WORD(table.size());
  startup.lpReserved2 = table.data();
  std::string commandLine;
  for (const std::string& argument : arguments) commandLine += (commandLine.empty() ? "" : " ") + quoted(argument);
  PROCESS_INFORMATION started{};
  const BOOL ok = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &startup, &started);
  const DWORD startError = ok ? 0 : GetLastError();
  closeAll(readEnds);
  if (!ok) {
    outcome = startError == ERROR_FILE_NOT_FOUND || startError == ERROR_PATH_NOT_FOUND ? ProgramStart::NotFound
                                                                                       : ProgramStart::Failed;
    error = arguments[0] + ": " + systemMessage(startError);
    closeAll(program->inputs);
    return nullptr;
  }
  CloseHandle(started.hThread);
  program->process = started.hProcess;
  program->finished = false;
  outcome = ProgramStart::Started;
  return program;
}

bool writeToProgram(PipedProgram& program, int input, const void* data, size_t size) {
  const HANDLE handle = program.inputs[input];
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = DWORD(size < (1u << 30) ? size : (1u << 30));
    if (!handle || !WriteFile(handle, bytes, chunk, &written, nullptr) || written == 0) return false;
    bytes += written;
    size -= written;
  }
  return true;
}

void closeProgramInput(PipedProgram& program, int input) {
  if (program.inputs[input]) CloseHandle(program.inputs[input]);
  program.inputs[input] = nullptr;
}

int finishProgram(PipedProgram& program) {
  closeAll(program.inputs);
  if (program.finished) return program.status;
  WaitForSingleObject(program.process, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(program.process, &code);
  CloseHandle(program.process);
  program.finished = true;
  // A program ended by an exception (Windows' counterpart of a signal) exits
  // with the exception's code, which starts with hexadecimal C.
  program.status = code >= 0xC0000000u ? -1 : int(code);
  return program.status;
}

void PipedProgramClose::operator()(PipedProgram* program) const {
  finishProgram(*program);
  delete program;
}
