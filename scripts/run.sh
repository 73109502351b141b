#!/usr/bin/env bash
# Installs what is missing, builds Orvane and runs it on the movie given (the demo movie
# without one).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_TESTS=OFF -DORVANE_BENCH=OFF >/dev/null
cmake --build build/release

movie="${1:-build/release/examples/orvane-demo.swf}"
exec build/release/cli/orvane-cli scan "$movie"
