#!/usr/bin/env bash
# Installs what is missing, builds Orvane with every test and runs them: once in a plain
# build, once under AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz
# targets for a while on the sample movies.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
jobs=$(nproc)

echo "== Build and test"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_WERROR=ON >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== Build and test under the sanitizers"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_WERROR=ON -DORVANE_SANITIZE=ON \
  -DORVANE_BENCH=OFF >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== Fuzz"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ=ON \
  -DORVANE_SANITIZE=ON -DORVANE_TESTS=OFF -DORVANE_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$jobs"
seconds="${ORVANE_FUZZ_SECONDS:-60}"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
if [ -d ../shared/samples ]; then
  find ../shared/samples -name '*.swf' -size -1024k -exec cp {} "$corpus/" \;
fi
for fuzzer in build/fuzz/fuzz/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  mkdir -p "$corpus/$name" && cp "$corpus"/*.swf "$corpus/$name/" 2>/dev/null || true
  echo "-- $name for ${seconds}s"
  dict="fuzz/${name%_fuzzer}.dict"; dictionary=(); [ -f "$dict" ] && dictionary=(-dict="$dict")
  log="$corpus/$name.log"
  if ! "$fuzzer" "${dictionary[@]}" -max_total_time="$seconds" -max_len=262144 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$corpus/$name-" "$corpus/$name" >"$log" 2>&1; then
    # The finding in full, and its input, so that a failed run can be reproduced from its log.
    grep -v -e '^#[0-9]' -e '^INFO:' "$log" | tail -n 60
    for found in "$corpus/$name"-*; do
      echo "-- input $found"
      head -c 4096 "$found" | od -A d -t x1z
    done
    exit 1
  fi
  tail -n 12 "$log"
done
