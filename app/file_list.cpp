#include "app/file_list.h"

#include <cstdio>

#include "pack/pack.h"

void writeFileList() {
  FILE* list = fopen("datapack.txt", "w");
  if (!list) return;
  for (const std::string& name : requestedFiles()) fprintf(list, "%s\n", name.c_str());
  fclose(list);
}
