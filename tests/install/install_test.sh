#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses the installed programs
# from a folder that holds no show: the player must name the installed show
# as its default and start playing it, and the tool must read it (the
# configuration from the pack) and render the same frame as the built show.
# Usage: install_test.sh BUILD_DIR. Fails without a display.
set -euo pipefail
build=$(cd "$1" && pwd)
[ -n "${DISPLAY:-}" ] || { echo "needs a display (run under xvfb-run)" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
export VELMIRA_NO_DIALOGS=1

fail() { echo "FAIL: $*" >&2; exit 1; }
for file in bin/velmira bin/velmira-tool share/velmira/datapack.dat share/velmira/demo.adt; do
  [ -f "$prefix/$file" ] || fail "$file was not installed"
done

"$prefix/bin/velmira" --help | grep -qF "(default: $prefix/share/velmira)" ||
  fail "the installed player does not default to the installed show"
[ "$("$prefix/bin/velmira-tool" cat --info config.txt demo.adt)" = \
  "1 $(stat -c %s "$build/velmira-show/config.txt") config.txt
2 $(stat -c %s "$build/velmira-show/demo.adt") demo.adt" ] ||
  fail "the installed tool does not read the installed show (demo.adt on the disk, the rest packed)"

"$prefix/bin/velmira-tool" lint > lint.txt || { cat lint.txt; fail "lint of the installed show"; }
"$prefix/bin/velmira-tool" render --size 320x180 --time 30 -o installed.png
"$build/tools/velmira-tool" render --show "$build/velmira-show" --size 320x180 --time 30 -o built.png
cmp -s installed.png built.png || fail "the installed show renders another frame than the built show"

# The player keeps playing until the timeout ends it.
status=0
timeout 5 "$prefix/bin/velmira" -window > player.txt 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat player.txt; fail "the installed player ended with status $status"; }
echo "install test passed: $prefix"
