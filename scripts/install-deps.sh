#!/usr/bin/env bash
# Installs the Debian 12 packages Orvane needs to build and test, skipping those present, and
# the pinned web player of the preview panel. Says in one line what it installs; the
# installers' own output goes to a log file, whose end is shown only when they fail. With
# --tests also the programs that only the tests use (ffprobe, to check the FLV files that
# extraction writes; man, zsh and fish, to check the manual pages and completion scripts;
# fontTools' ttx, to read back the fonts it writes).
set -euo pipefail

log=$(mktemp "${TMPDIR:-/tmp}/orvane-install-XXXXXX.log")
# Runs a command with its output appended to the log; on failure shows the log's end and
# stops, keeping the log.
quietly() {
  if ! "$@" >>"$log" 2>&1; then
    echo "Installation failed: $*" >&2
    echo "The last lines of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}

packages=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev liblzma-dev libdeflate-dev libturbojpeg0-dev libpng-dev
  libmagick++-dev libmagickcore-6.q16-6-extra
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-multimedia-dev gstreamer1.0-plugins-good
  qt6-webengine-dev libx11-dev
  libfreetype-dev librsvg2-dev libcairo2-dev
  xdg-utils xvfb xauth
)

test_packages=(ffmpeg man-db zsh fish fonttools)
[ "${1:-}" = "--tests" ] && packages+=("${test_packages[@]}")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
# Node and npm may come from elsewhere than Debian (and then must not be replaced).
command -v npm >/dev/null || missing+=(nodejs npm)
if [ ${#missing[@]} -ne 0 ]; then
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
  quietly "${sudo[@]}" apt-get update -q
  quietly "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The movie preview panel's web player, at the version pinned in shell/player.
player="$(cd "$(dirname "$0")/../shell/player" && pwd)"
pinned=$(node -p "require('$player/package-lock.json').packages['node_modules/@ruffle-rs/ruffle'].version")
installed=$(node -p "try { require('$player/node_modules/@ruffle-rs/ruffle/package.json').version } catch { '' }")
if [ "$pinned" != "$installed" ]; then
  echo "Installing the web player @ruffle-rs/ruffle $pinned"
  (cd "$player" && quietly npm ci --no-audit --no-fund --loglevel=error)
fi
rm -f "$log"
