# Warnings and sanitizers apply to every target of the project.
add_compile_options(-Wall -Wextra)
# Described structs are filled with designated initialisers that name only the
# fields they change; older compilers warn about the others.
add_compile_options(-Wno-missing-field-initializers)
if(VELMIRA_WERROR)
  add_compile_options(-Werror)
endif()
if(VELMIRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VELMIRA_FUZZ)
  # Coverage for libFuzzer in every library; the harnesses link the fuzzer.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
