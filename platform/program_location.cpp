#include "platform/program_location.h"

#include <SDL.h>

std::string executableFolder() {
  char* folder = SDL_GetBasePath();
  if (!folder) return "";
  std::string result(folder);
  SDL_free(folder);
  return result;
}
