#!/usr/bin/env bash
# Builds velmira.exe and velmira-tool.exe for 64-bit Windows with Debian's
# mingw-w64 (the "windows" preset of CMakePresets.json) and packs them with the
# show into build-windows/velmira-windows.zip (CPack). The show is the one the
# Linux build in build/ makes and packs (cmake/pack_show.cmake). The Windows
# libraries are cross-built once from Debian's source packages into
# build-windows/deps/prefix; a later run builds again only a library whose
# recipe below changed. scripts/windows-check.sh compares the programs under
# Wine with the Linux build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-windows
deps=$build/deps
prefix=$deps/prefix
host=x86_64-w64-mingw32
jobs=$(nproc)
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")} CCACHE_NOHASHDIR=1

quietly() { nice -n 19 "$@"; }

# apt-get source needs a deb-src line; Debian 12 images often have none.
ensure_source_entries() {
  apt-get source --print-uris zlib >/dev/null 2>&1 && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "apt has no deb-src entry; add one for Debian's main archive" >&2
    exit 1
  fi
  echo "Adding the deb-src entry /etc/apt/sources.list.d/velmira-deb-src.sources"
  local suite
  # shellcheck source=/dev/null
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  cat >/etc/apt/sources.list.d/velmira-deb-src.sources <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get update -qq
}

# A failing step shows the end of its log.
current_log=
show_failed_log() {
  local status=$?
  [ "$status" -ne 0 ] && [ -n "$current_log" ] && tail -n 40 "$current_log" >&2
  return "$status"
}
trap show_failed_log EXIT

# --- the Windows libraries ---------------------------------------------------

toolchain=$root/cmake/mingw-w64-x86_64.cmake

# Unpacks Debian's source package $1 (its patches applied) afresh under
# deps/src/$1, fetching it the first time, and sets src to the unpacked folder.
# A library built again starts from a clean tree.
debian_source() {
  local dir=$deps/src/$1
  mkdir -p "$dir"
  if [ -z "$(find "$dir" -maxdepth 1 -name '*.dsc')" ]; then
    # apt checks every file it fetches against the signed index. Some mirrors
    # lack the upstream signatures (.asc) a few packages list, so the fetch
    # may report those missing, and the unpacking does not ask for them.
    (cd "$dir" && apt-get source -qq --download-only "$1") || true
  fi
  find "$dir" -mindepth 1 -maxdepth 1 -type d -exec rm -rf {} +
  (cd "$dir" && dpkg-source --no-check -x ./*.dsc) ||
    { echo "apt-get source $1 failed" >&2; exit 1; }
  src=$(find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1)
}

cmake_library() { # source folder, then the library's options
  local src=$1
  shift
  rm -rf "$src/build-windows"
  quietly cmake -S "$src" -B "$src/build-windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELMIRA_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_INCLUDEDIR=include \
    -DBUILD_SHARED_LIBS=OFF "$@"
  quietly cmake --build "$src/build-windows" -j"$jobs"
  quietly cmake --install "$src/build-windows"
}

autotools_library() { # source folder, then configure's options
  local src=$1
  shift
  (cd "$src" &&
     quietly ./configure --host=$host --prefix="$prefix" --disable-shared --enable-static \
       CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" \
       PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" "$@" &&
     quietly make -j"$jobs" && quietly make install)
}

build_zlib() {
  debian_source zlib
  (cd "$src" && CHOST=$host quietly ./configure --static --prefix="$prefix" &&
     quietly make -j"$jobs" libz.a && quietly make install)
}

build_libpng() {
  debian_source libpng1.6
  autotools_library "$src"
}

build_libjpeg() {
  # The SIMD code would need nasm: the C decoder serves (the parity check
  # compares pictures decoded on both systems). libjpeg-turbo reads relative
  # install folders as relative to the working folder.
  debian_source libjpeg-turbo
  cmake_library "$src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF -DCMAKE_INSTALL_LIBDIR="$prefix/lib" -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include"
}

build_mpg123() {
  debian_source mpg123
  autotools_library "$src" --disable-components --enable-libmpg123
}

build_freetype() {
  debian_source freetype
  # FreeType's own copy of zlib would clash with the zlib linked beside it.
  autotools_library "$src" --without-harfbuzz --without-brotli \
    --without-bzip2 --without-png --with-zlib=yes
}

build_lame() {
  debian_source lame
  autotools_library "$src" --disable-frontend --disable-decoder
  # Upstream installs no pkg-config file for lame; the Linux build finds one.
  [ -f "$prefix/lib/pkgconfig/lame.pc" ] || cat >"$prefix/lib/pkgconfig/lame.pc" <<PC
Name: lame
Description: MP3 encoder, built by scripts/windows.sh
Version: $(cd "$src" && dpkg-parsechangelog -S Version)
Cflags: -I$prefix/include
Libs: -L$prefix/lib -lmp3lame
PC
}

build_kissfft() {
  debian_source kissfft
  cmake_library "$src" -DKISSFFT_DATATYPE=float -DKISSFFT_STATIC=ON \
    -DKISSFFT_TEST=OFF -DKISSFFT_TOOLS=OFF -DKISSFFT_OPENMP=OFF -DKISSFFT_PKGCONFIG=ON
}

build_sdl2() {
  debian_source libsdl2
  cmake_library "$src" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
}

# Debian's own build links its ImGui against the system's stb package, which
# has no Windows build here; ImGui's bundled copies of the same two stb parts
# serve instead. The library holds what the Linux one gives the programs: the
# core and the SDL2 and OpenGL2 backends.
build_imgui() {
  debian_source imgui
  local objects=$src/build-windows file
  rm -rf "$objects" && mkdir -p "$objects" "$prefix/include/imgui/backends"
  local cflags
  cflags=$(PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" pkg-config --cflags sdl2)
  for file in imgui imgui_draw imgui_tables imgui_widgets imgui_demo \
              backends/imgui_impl_sdl backends/imgui_impl_opengl2; do
    # shellcheck disable=SC2086
    quietly $host-g++-posix -O2 -I"$src" $cflags -c "$src/$file.cpp" \
      -o "$objects/$(basename "$file").o"
  done
  rm -f "$prefix/lib/libimgui.a"
  $host-ar rcs "$prefix/lib/libimgui.a" "$objects"/*.o
  install -m 0644 "$src"/*.h "$prefix/include/imgui/"
  install -m 0644 "$src"/backends/imgui_impl_sdl.h "$src"/backends/imgui_impl_opengl2.h \
    "$prefix/include/imgui/backends/"
  cat >"$prefix/lib/pkgconfig/imgui.pc" <<PC
Name: imgui
Description: Dear ImGui with its SDL2 and OpenGL2 backends, built by scripts/windows.sh
Version: $(cd "$src" && dpkg-parsechangelog -S Version)
Cflags: -I$prefix/include/imgui
Requires.private: sdl2
Libs: -L$prefix/lib -limgui
Libs.private: -lopengl32
PC
}

build_libraries() {
  mkdir -p "$prefix/include" "$prefix/lib/pkgconfig" "$deps/src"
  local library recipe
  for library in zlib libpng libjpeg mpg123 freetype lame kissfft sdl2 imgui; do
    # A library is built again when its recipe changed since it was built.
    recipe=$(declare -f "build_$library" | sha256sum | cut -d ' ' -f 1)
    [ "$(cat "$deps/$library.done" 2>/dev/null)" = "$recipe" ] && continue
    echo "-- $library (Debian source, cross-built; log: ${deps#"$root"/}/$library.log)"
    current_log=$deps/$library.log
    # The programs' configuration remembers what pkg-config said.
    rm -f "$build/CMakeCache.txt"
    "build_$library" >"$current_log" 2>&1
    current_log=
    echo "$recipe" >"$deps/$library.done"
  done
}

# --- the programs and the zip -------------------------------------------------

scripts/deps.sh --windows
ensure_source_entries
build_libraries
echo "-- the Linux build: the show, packed"
scripts/configure.sh >/dev/null
quietly cmake --build --preset default -j"$jobs" --target show_pack
echo "-- velmira.exe, velmira-tool.exe, velmira-windows.zip"
command -v ccache >/dev/null &&
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
quietly cmake --preset windows >/dev/null
quietly cmake --build --preset windows -j"$jobs"
(cd "$build" && quietly cpack -B "$build" >/dev/null)
echo "$build/velmira-windows.zip: $(du -k "$build/velmira-windows.zip" | cut -f1) KiB"
