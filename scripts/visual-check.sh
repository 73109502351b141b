#!/usr/bin/env bash
# Runs the frame renderer over the visual regression movies of ../shared/visual, each at
# the quality its image was taken at (`quality` in the pool: low draws shapes without
# anti-aliasing). Extra arguments go to render_check.py (--only, --keep, --json, --set).
# ORVANE_CLI names the orvane-cli to use (default: the Release build's).
set -euo pipefail
cd "$(dirname "$0")/.."
visual=${VISUAL_DIR:-../shared/visual}
cli=${ORVANE_CLI:-build/release/cli/orvane-cli}
pool=${VISUAL_POOL:-$visual/pool.json}
# The quality of each test by the name render_check.py hands over ({name}).
qualities=$(mktemp)
trap 'rm -f "$qualities"' EXIT
/usr/bin/python3 - "$pool" >"$qualities" <<'PY'
import json, sys
for test in json.load(open(sys.argv[1]))["tests"]:
    print(test["name"].replace("/", "_").replace("#", "_"), test.get("quality", "high"))
PY
renderer="q=\$(sed -n 's/^{name} //p' $qualities); [ -n \"\$q\" ] || q=high; $cli render {movie} --frame {frame} {out} --quality \$q"
"$visual/render_check.py" --pool "$pool" --renderer "$renderer" "$@"
