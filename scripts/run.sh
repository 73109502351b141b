#!/usr/bin/env bash
# Installs what is missing, builds Orvane and opens the desktop program on the movie given
# (the demo movie without one). Without a display it prints `orvane-cli scan` instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_TESTS=OFF -DORVANE_BENCH=OFF >/dev/null
cmake --build build/release

movie="${1:-build/release/examples/orvane-demo.swf}"
# The preview's browser engine cannot sandbox itself as root and refuses to start there.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/release/shell/orvane ]; then
  exec build/release/shell/orvane "$movie"
fi
echo "No display: printing orvane-cli scan of $movie instead of opening the desktop program." >&2
exec build/release/cli/orvane-cli scan "$movie"
