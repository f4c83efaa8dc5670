#!/usr/bin/env bash
# Configures build/ the one way play.sh and test.sh share, so that switching
# between them rebuilds nothing. Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMIRA_WERROR=ON "$@"
