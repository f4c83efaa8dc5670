#!/usr/bin/env bash
# Builds velmira.exe and velmira-tool.exe for 64-bit Windows with Debian's
# mingw-w64 into build-windows/ and packs build-windows/velmira-windows.zip.
# The Windows libraries are built once from Debian's source packages into
# build-windows/deps/prefix; a later run reuses them.
#
#   scripts/windows.sh           build and pack
#   scripts/windows.sh --check   compare the Windows programs under wine64 with
#                                the Linux build (needs the build and wine64)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
deps=$out/deps
prefix=$deps/prefix
host=x86_64-w64-mingw32
jobs=2
stage=$out/velmira-windows
zip_file=$out/velmira-windows.zip
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")} CCACHE_NOHASHDIR=1

quietly() { nice -n 19 "$@"; }

# --- the build machine --------------------------------------------------------

host_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               mingw-w64-x86-64-dev dpkg-dev cmake ninja-build pkg-config make)

install_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# apt-get source needs a deb-src line; Debian 12 images often have none.
ensure_source_entries() {
  apt-get source --print-uris zlib >/dev/null 2>&1 && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "apt has no deb-src entry; add one for Debian's main archive" >&2
    exit 1
  fi
  echo "Adding the deb-src entry /etc/apt/sources.list.d/velmira-deb-src.sources"
  local suite
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
trap 'status=$?; [ $status -ne 0 ] && [ -n "$current_log" ] && tail -n 40 "$current_log" >&2' EXIT

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
    rm -f "$out/CMakeCache.txt"
    "build_$library" >"$current_log" 2>&1
    current_log=
    echo "$recipe" >"$deps/$library.done"
  done
}

# --- the programs and the zip -------------------------------------------------

# The show's data is made by the Linux build's generator and packed by its tool.
build_linux_show() {
  scripts/deps.sh
  [ -f build/CMakeCache.txt ] || scripts/configure.sh
  quietly cmake --build build -j"$jobs" --target velmira velmira-tool show_data
}

build_programs() {
  local launcher=()
  command -v ccache >/dev/null &&
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # The programs look for the show in the folder they are started in.
  quietly cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELMIRA_WINDOWS_PREFIX="$prefix" \
    -DVELMIRA_WERROR=ON -DVELMIRA_TESTS=OFF -DVELMIRA_BENCH=OFF -DVELMIRA_SHOW_DIR=. \
    "${launcher[@]}" >/dev/null
  quietly cmake --build "$out" -j"$jobs" --target velmira velmira-tool
}

write_readme() {
  sed 's/$/\r/' >"$stage/README.txt" <<'README'
velmira for 64-bit Windows
==========================

velmira.exe       plays the show (double-click it, or run "velmira.exe -window"
                  in a command prompt in this folder for a window instead of
                  the full screen; "-fps" shows the frame rate). Escape quits.
velmira-tool.exe  the authoring tool for the command prompt: "velmira-tool.exe
                  help" lists its commands (lint, render, eval, cat, pack ...).
demo.adt          the start file: names the configuration and the timeline.
datapack.dat      the show: configuration, timeline, effects, meshes, pictures
                  and music in one pack.

Both programs play and inspect the show in the folder they are started in. A
file placed beside datapack.dat under an entry's name (for example
config.txt, listed by "velmira-tool.exe pack --ls datapack.dat") is read
instead of the pack's copy.
README
}

run_with_display() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; fi
}

# The names lint finds missing in the pack in folder $1, one a line.
missing_in_pack() {
  (cd "$1" && run_with_display "$root/build/tools/velmira-tool" lint 2>&1 >/dev/null || true) |
    sed -n 's/^missing file \(.*\) (asked for by .*/\1/p' | LC_ALL=C sort -u
}

# The pack holds each file under the name the engine asks for it by, which is
# not always its plain path (the effects ask for "./quarno/..."). Lint loads
# and draws the show as the player does and names what it misses: a first pack
# under plain paths shows which files go under another name, a second pack
# shows whether a file is asked for under both.
pack_show() {
  local show=$root/build/velmira-show list=$out/datapack.txt name
  (cd "$show" && find . -type f ! -name '.*' ! -name demo.adt ! -name 'datapack.*' |
     sed 's|^\./||' | LC_ALL=C sort) >"$list"
  cp "$show/demo.adt" "$stage/"
  local pass
  for pass in 1 2 3; do
    (cd "$show" && "$root/build/tools/velmira-tool" pack -o "$stage/datapack.dat" --list "$list")
    [ "$pass" -eq 3 ] && break
    local missing
    missing=$(missing_in_pack "$stage")
    [ -z "$missing" ] && break
    while read -r name; do
      [ -f "$show/$name" ] || continue
      if [ "$pass" -eq 1 ]; then
        sed -i "s|^${name#./}\$|$name|" "$list"
      else
        echo "${name#./}" >>"$list"
      fi
    done <<<"$missing"
  done
}

pack_zip() {
  rm -rf "$stage" "$zip_file"
  mkdir -p "$stage"
  pack_show
  $host-strip -o "$stage/velmira.exe" "$out/app/velmira.exe"
  $host-strip -o "$stage/velmira-tool.exe" "$out/tools/velmira-tool.exe"
  write_readme
  (cd "$out" && cmake -E tar cf "$zip_file" --format=zip velmira-windows)
  echo "$zip_file: $(du -k "$zip_file" | cut -f1) KiB"
}

# --- the parity check under Wine ----------------------------------------------

linux_tool=$root/build/tools/velmira-tool
# Debian's wine64 package puts its loader here; the wine package adds a
# wine64 command on the PATH only in some releases.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
checks=$out/check
failures=0

check_prerequisites() {
  local missing=()
  [ -x "$wine" ] || missing+=("wine64 (Debian package wine64)")
  command -v xvfb-run >/dev/null || missing+=("xvfb-run (Debian package xvfb)")
  command -v python3 >/dev/null || missing+=("python3")
  [ -f "$stage/velmira.exe" ] || missing+=("the Windows build (run scripts/windows.sh)")
  [ -x "$linux_tool" ] || missing+=("the Linux build (run scripts/windows.sh)")
  if [ ${#missing[@]} -ne 0 ]; then
    printf 'The Windows check needs: %s\n' "${missing[@]}" >&2
    exit 1
  fi
}

pass() { echo "ok   $*"; }
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# Runs the Windows program $1 (a path in the show folder) with the rest as its
# arguments, in the show folder. Wine's own console output goes to its log.
run_windows() {
  (cd "$checks/show" && timeout 300 "$wine" "$@")
}

run_linux_tool() { (cd "$checks/show" && timeout 300 "$linux_tool" "$@"); }

# Windows writes text with CR LF line ends; the content must match otherwise.
same_text() { cmp -s <(tr -d '\r' <"$1") <(tr -d '\r' <"$2"); }

compare_tool_output() { # name, then the tool's arguments
  local name=$1 linux_status=0 windows_status=0
  shift
  run_linux_tool "$@" >"$checks/$name.linux.out" 2>"$checks/$name.linux.err" || linux_status=$?
  run_windows ./velmira-tool.exe "$@" >"$checks/$name.windows.out" \
    2>"$checks/$name.windows.err" || windows_status=$?
  if [ "$linux_status" != "$windows_status" ]; then
    fail "$name: status $windows_status on Windows, $linux_status on Linux (see ${checks#"$root"/}/$name.*)"
  elif ! same_text "$checks/$name.linux.out" "$checks/$name.windows.out"; then
    fail "$name: the output differs (diff ${checks#"$root"/}/$name.linux.out $name.windows.out)"
  elif ! same_text "$checks/$name.linux.err" "$checks/$name.windows.err"; then
    fail "$name: the messages differ (diff ${checks#"$root"/}/$name.linux.err $name.windows.err)"
  else
    pass "$name: same output and status ($linux_status), $(wc -l <"$checks/$name.linux.out") lines"
  fi
}

# Compares two folders of PNG frames pixel by pixel: identical, within 1/255
# per channel, or different, with the largest difference and where it is.
compare_frames() {
  python3 - "$1" "$2" <<'PYTHON'
import os, struct, sys, zlib

def pixels(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path + ": not a PNG"
    pos, chunks, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR": header = struct.unpack(">IIBBBBB", body)
        if kind == b"IDAT": chunks.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert depth == 8 and colour in (2, 6) and interlace == 0, path + ": unexpected PNG kind"
    bpp = 3 if colour == 2 else 4
    raw, stride, rows, previous = zlib.decompress(b"".join(chunks)), width * bpp, [], bytearray(width * bpp)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = previous[i], previous[i - bpp] if i >= bpp else 0
            if kind == 1: line[i] = (line[i] + a) & 255
            elif kind == 2: line[i] = (line[i] + b) & 255
            elif kind == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        previous = line
    return width, height, bpp, rows

linux_dir, windows_dir = sys.argv[1:3]
names = sorted(os.listdir(linux_dir))
worst, problems = 0, []
if names != sorted(os.listdir(windows_dir)) or not names:
    print("FAIL frames: the two runs wrote different files:", names, sorted(os.listdir(windows_dir)))
    sys.exit(1)
for name in names:
    lw, lh, lb, linux_rows = pixels(os.path.join(linux_dir, name))
    ww, wh, wb, windows_rows = pixels(os.path.join(windows_dir, name))
    if (lw, lh, lb) != (ww, wh, wb):
        problems.append(f"{name}: {lw}x{lh}x{lb} on Linux, {ww}x{wh}x{wb} on Windows")
        continue
    differing, largest, where = 0, 0, None
    for y, (l, w) in enumerate(zip(linux_rows, windows_rows)):
        if l == w: continue
        for i, (a, b) in enumerate(zip(l, w)):
            if a != b:
                differing += 1
                if abs(a - b) > largest: largest, where = abs(a - b), (i // lb, y, "RGBA"[i % lb])
    worst = max(worst, largest)
    if largest > 1:
        problems.append(f"{name}: {differing} channel values differ, up to {largest}/255 at pixel {where}")
    elif differing:
        print(f"     {name}: {differing} channel values differ by 1/255")
if problems:
    print("FAIL frames: " + "; ".join(problems))
    sys.exit(1)
print(f"ok   frames: {len(names)} frames " + ("identical" if worst == 0 else "within 1/255 per channel"))
PYTHON
}

compare_render() {
  local status=0 time
  mkdir -p "$checks/frames.linux" "$checks/frames.windows"
  # One frame inside each mesh effect and two of the layered pictures, small
  # enough to keep Wine's software GL quick.
  for time in 8 20 28 74 92 116 130; do
    local arguments=(render --time "$time" --size 480x270)
    run_linux_tool "${arguments[@]}" -o "$checks/frames.linux/t$time.png" \
      2>>"$checks/render.linux.err" || status=$?
    run_windows ./velmira-tool.exe "${arguments[@]}" \
      -o 'Z:'"${checks//\//\\}"'\frames.windows\t'"$time.png" 2>>"$checks/render.windows.err" ||
      status=$?
  done
  if [ "$status" -ne 0 ]; then
    fail "render: status $status (see ${checks#"$root"/}/render.*.err)"
  elif ! compare_frames "$checks/frames.linux" "$checks/frames.windows"; then
    failures=$((failures + 1))
  fi
}

# The player starts near the end of the show and must end by itself. The
# setup dialog would wait for a person's click, so the check turns it off.
check_player() {
  local status=0 started
  mkdir -p "$checks/player"
  cp -r "$checks/show/." "$checks/player/"
  sed -e 's/^demoStartTime .*/demoStartTime 137.0/' -e 's/^dialog .*/dialog 0/' \
    "$root/build/velmira-show/config.txt" \
    >"$checks/player/config.txt"
  started=$(date +%s)
  (cd "$checks/player" && timeout 120 "$wine" ./velmira.exe -window) \
    >"$checks/player.out" 2>"$checks/player.err" || status=$?
  if [ "$status" -eq 0 ]; then
    pass "player: played from 137 s to the end and quit with status 0 ($(($(date +%s) - started)) s)"
  else
    fail "player: status $status (124: still running after 120 s; see ${checks#"$root"/}/player.err)"
  fi
}

parity_check() {
  rm -rf "$checks"
  mkdir -p "$checks"
  cp -r "$stage" "$checks/show"
  export WINEPREFIX=$out/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -d "$WINEPREFIX" ]; then
    echo "-- creating the Wine prefix ${WINEPREFIX#"$root"/}"
    "$wine" wineboot --init >/dev/null 2>&1
  fi
  echo "== Windows parity check ($("$wine" --version 2>/dev/null))"
  # Wine's helper processes start with the first program and outlive it; they
  # keep the standard streams they were started with, so they get their own.
  "$wine" cmd /c exit >"$checks/wine.log" 2>&1
  compare_tool_output lint lint
  [ -s "$checks/lint.linux.err" ] && fail "lint: the packed show is incomplete or broken (see ${checks#"$root"/}/lint.linux.err)"
  compare_tool_output eval eval fx/picture.txt --start 0 --end 32 \
    --params 0,6,2,0.01,0,0,1,1,1 --in quarno/pictures/backdrop.jpg --times 0,8,16.5,31
  compare_tool_output eval-curves eval fx/curvex.txt --start 68 --end 80 --times 70,75.5,79.9
  compare_render
  check_player
  "$(dirname "$(readlink -f "$wine")")/wineserver" -k 2>/dev/null || true
  if [ "$failures" -ne 0 ]; then
    echo "Windows parity check: $failures failed"
    exit 1
  fi
  echo "Windows parity check: all passed"
}

# --- main ----------------------------------------------------------------------

case "${1:-}" in
  "")
    install_packages "${host_packages[@]}"
    ensure_source_entries
    build_libraries
    echo "-- the Linux build (show data, pack tool)"
    build_linux_show
    echo "-- velmira.exe, velmira-tool.exe"
    build_programs
    pack_zip
    ;;
  --check)
    check_prerequisites
    # The Linux and the Windows runs share one virtual display.
    if [ -n "${DISPLAY:-}" ]; then
      "$0" --check-on-display
    else
      xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --check-on-display
    fi
    ;;
  --check-on-display)
    parity_check
    ;;
  *)
    echo "usage: scripts/windows.sh [--check]" >&2
    exit 2
    ;;
esac
