#!/usr/bin/env bash
# Builds what playing needs (the player, and the show with the generator that
# makes its meshes, pictures and soundtrack), not the tests, and plays the show
# (pass -window, -fps, --show DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/configure.sh
cmake --build --preset default -j"$(nproc)" --target velmira show_data
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: playing under xvfb-run (nothing will be visible)," >&2
  echo "without the setup dialog (--no-dialog), as no one could answer it." >&2
  exec xvfb-run -a -s "-screen 0 1920x1080x24" build/app/velmira --no-dialog "$@"
fi
exec build/app/velmira "$@"
