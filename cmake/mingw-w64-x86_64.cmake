# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, which
# std::thread and std::mutex need). VELMIRA_WINDOWS_PREFIX, given on the
# command line or in the environment, is the folder scripts/windows.sh builds
# the Windows libraries into; pkg-config and find_* look only there and in the
# compiler's own Windows folder, never at the Linux libraries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

if(NOT VELMIRA_WINDOWS_PREFIX AND DEFINED ENV{VELMIRA_WINDOWS_PREFIX})
  set(VELMIRA_WINDOWS_PREFIX $ENV{VELMIRA_WINDOWS_PREFIX})
endif()
# try_compile projects re-read this file; they need the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMIRA_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${VELMIRA_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(VELMIRA_WINDOWS_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} ${VELMIRA_WINDOWS_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
