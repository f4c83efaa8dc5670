# Turns the GPU program texts into one C++ header of string constants.
# Called at build time: cmake -DOUTPUT=<header> -DINPUTS=<file|file|...> -P embed_programs.cmake
# Each file becomes `inline constexpr char kProgram_<stem>_<ext>[]`.
set(content "// Generated from gfx/programs by embed_programs.cmake; do not edit.\n#pragma once\n\n")
string(REPLACE "|" ";" INPUTS "${INPUTS}")
foreach(input IN LISTS INPUTS)
  get_filename_component(stem ${input} NAME_WE)
  get_filename_component(extension ${input} LAST_EXT)
  string(SUBSTRING "${extension}" 1 -1 extension)
  file(READ ${input} text)
  string(FIND "${text}" ")program\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${input} contains the raw-string delimiter")
  endif()
  string(APPEND content "inline constexpr char kProgram_${stem}_${extension}[] = R\"program(${text})program\";\n\n")
endforeach()
file(WRITE ${OUTPUT} "${content}")
