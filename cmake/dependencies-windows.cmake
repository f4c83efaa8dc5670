# The Windows build's dependencies: the libraries scripts/windows.sh builds
# from Debian's sources into VELMIRA_WINDOWS_PREFIX (see the toolchain file),
# linked statically, and the GL and GLU that Windows itself provides. The
# targets carry the same names as the Linux lookup's, so the module folders
# link them without knowing which system they build for.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

# One self-contained program: the C and C++ runtimes and winpthread go into
# the .exe as well, so the programs need no DLL beside them.
add_link_options(-static)

# PkgConfig::NAME for modules found with pkg-config, with the flags for static
# linking (the libraries' own dependencies included). Flags listed after the
# modules are dropped.
function(velmira_static_package name)
  cmake_parse_arguments(ARG "" "" "MODULES;DROP" ${ARGN})
  pkg_check_modules(${name} REQUIRED ${ARG_MODULES})
  set(compile_flags ${${name}_STATIC_CFLAGS_OTHER})
  set(link_flags ${${name}_STATIC_LDFLAGS})
  if(ARG_DROP)
    list(REMOVE_ITEM compile_flags ${ARG_DROP})
    list(REMOVE_ITEM link_flags ${ARG_DROP})
  endif()
  add_library(PkgConfig::${name} INTERFACE IMPORTED)
  set_target_properties(PkgConfig::${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${${name}_STATIC_INCLUDE_DIRS}"
    INTERFACE_COMPILE_OPTIONS "${compile_flags}"
    INTERFACE_LINK_LIBRARIES "${link_flags}")
endfunction()

# SDL would rename main and start the program through its own WinMain as a
# program without a console; our mains are ordinary console mains.
velmira_static_package(SDL2 MODULES sdl2 DROP -Dmain=SDL_main -lSDL2main -mwindows)
target_compile_definitions(PkgConfig::SDL2 INTERFACE SDL_MAIN_HANDLED)
velmira_static_package(PNG MODULES libpng16 zlib)
velmira_static_package(JPEG MODULES libjpeg)
velmira_static_package(MPG123 MODULES libmpg123)
velmira_static_package(KISSFFT MODULES kissfft-float)
velmira_static_package(FREETYPE MODULES freetype2)
velmira_static_package(LAME MODULES lame)

# Windows' GL header includes all of windows.h (its macros clash with plain
# names such as the engine's VK_ key codes) unless the two words it needs from
# there (three, with GLU) are defined already.
add_library(PkgConfig::GL INTERFACE IMPORTED)
set_target_properties(PkgConfig::GL PROPERTIES
  INTERFACE_LINK_LIBRARIES "glu32;opengl32"
  INTERFACE_COMPILE_DEFINITIONS "APIENTRY=__stdcall;CALLBACK=__stdcall;WINGDIAPI=__declspec(dllimport)")

# ImGui's SDL2 and OpenGL2 backends call into both: its pkg-config file names
# them after it.
velmira_static_package(IMGUI MODULES imgui DROP -Dmain=SDL_main -lSDL2main -mwindows)

if(VELMIRA_TESTS OR VELMIRA_BENCH)
  message(FATAL_ERROR "The Windows build makes the programs only: "
                      "configure it with -DVELMIRA_TESTS=OFF -DVELMIRA_BENCH=OFF")
endif()
