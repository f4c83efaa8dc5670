// Starts another program (found on the PATH) whose standard input, and any
// further inputs, are pipes this process writes into: the offline renderer
// feeds its frames and its sound to the video encoder this way, without files
// in between. Input 0 is the program's stdin; input k > 0 is its file
// descriptor 2 + k, which the program reads as "pipe:3" and up.
//
// Writing into a program that has already ended fails instead of killing
// this process.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct PipedProgram;

struct PipedProgramClose {
  // Closes every input still open and waits for the program to end.
  void operator()(PipedProgram* program) const;
};
using PipedProgramHandle = std::unique_ptr<PipedProgram, PipedProgramClose>;

enum class ProgramStart { Started, NotFound, Failed };

// arguments[0] is the program's name. `inputCount` >= 1. On NotFound or
// Failed the handle is null and `error` says why.
PipedProgramHandle startPipedProgram(const std::vector<std::string>& arguments, int inputCount,
                                     ProgramStart& outcome, std::string& error);

// Writes all of `size` bytes; false once the program stopped reading.
// Inputs may be written from different threads, each input from one.
bool writeToProgram(PipedProgram& program, int input, const void* data, size_t size);
// Tells the program that input's data ended.
void closeProgramInput(PipedProgram& program, int input);
// Closes every input and waits for the program: its exit status, or -1 when
// a signal ended it.
int finishProgram(PipedProgram& program);
