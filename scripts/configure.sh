#!/usr/bin/env bash
# Configures build/ with the default preset (CMakePresets.json), the one way
# play.sh and test.sh share, so that switching between them rebuilds nothing.
# Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default "$@"
