#!/usr/bin/env bash
# Times `orvane-cli index` over an archive of COUNT movies made from the sample corpus,
# beside the shell loop that runs `scan --json` and `actions --all --mode source` per movie.
#
#   bench/archive_bench.sh [COUNT] [STEP]
#
# COUNT movies (default 5000) are copies of the corpus; copy N of a movie has N appended as
# four bytes past its end, which the scan does not read, so every copy is a valid movie with
# a digest of its own. The index runs from scratch with --jobs 2, then again unchanged. The
# loop is timed over a fixed random tenth (one in STEP, default 10) and scaled to COUNT. Both run on the
# processors 0 and 1. Environment: ORVANE_CLI (default build/release/cli/orvane-cli),
# ORVANE_SAMPLES (default ../shared/samples), BENCH_DIR (default a fresh temporary folder).
set -euo pipefail

count=${1:-5000}
step=${2:-10}
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${ORVANE_CLI:-$here/build/release/cli/orvane-cli}
samples=${ORVANE_SAMPLES:-$here/../shared/samples}
work=${BENCH_DIR:-$(mktemp -d "${TMPDIR:-/tmp}/orvane-archive-bench.XXXXXX")}
cpus="taskset -c 0,1"

[[ -x $cli ]] || { echo "no orvane-cli at $cli (build the Release tree first)" >&2; exit 1; }
[[ -d $samples ]] || { echo "no sample corpus at $samples" >&2; exit 1; }

mapfile -t originals < <(find "$samples" -type f \( -name '*.swf' -o -name '*.spl' \) | sort)
movies=$work/movies
rm -rf "$movies" "$work/archive.sqlite"*
mkdir -p "$movies"
python3 - "$movies" "$count" "${originals[@]}" <<'EOF'
import os, struct, sys
out, count, originals = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
bodies = [open(path, "rb").read() for path in originals]
for n in range(count):
    folder = os.path.join(out, "copy%03d" % (n // len(bodies)))
    os.makedirs(folder, exist_ok=True)
    name = "%05d-%s" % (n, os.path.basename(originals[n % len(bodies)]))
    with open(os.path.join(folder, name), "wb") as movie:
        movie.write(bodies[n % len(bodies)] + struct.pack("<I", n))
EOF
echo "archive: $count movies from ${#originals[@]} originals in $movies ($(du -sh "$movies" | cut -f1))"
echo "load before: $(uptime)"

cpu() { awk '/User time|System time/ { s += $NF } END { print s }' "$1"; }
seconds() { awk '/Elapsed \(wall clock\)/ { n = split($NF, t, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + t[i]; print s }' "$1"; }
peak() { awk '/Maximum resident set size/ { printf "%.1f", $NF / 1024 }' "$1"; }

/usr/bin/time -v -o "$work/first.time" $cpus "$cli" index "$movies" --db "$work/archive.sqlite" --jobs 2 >"$work/first.out"
first=$(seconds "$work/first.time")
firstCpu=$(cpu "$work/first.time")
echo "index from scratch: ${first} s (${firstCpu} s of processor time), peak RSS of its largest process $(peak "$work/first.time") MB; $(cat "$work/first.out")"
# /usr/bin/time reports the largest single process of the run: the writer or one worker.
/usr/bin/time -v -o "$work/second.time" $cpus "$cli" index "$movies" --db "$work/archive.sqlite" --jobs 2 >"$work/second.out"
second=$(seconds "$work/second.time")
echo "second, unchanged run: ${second} s; $(cat "$work/second.out")"

mapfile -t all < <(find "$movies" -type f | sort)
# A fixed random sample: a plain stride would meet the same originals in every copy.
mapfile -t sample < <(printf '%s\n' "${all[@]}" | shuf -n $(( (${#all[@]} + step - 1) / step )) --random-source=<(yes))
sampled=${#sample[@]}
start=$(date +%s.%N)
TIMEFORMAT='%U %S'
{ time for movie in "${sample[@]}"; do
    $cpus "$cli" scan "$movie" --json >/dev/null 2>&1 || true
    $cpus "$cli" actions "$movie" --all --mode source >/dev/null 2>&1 || true
  done; } 2>"$work/loop.cpu"
end=$(date +%s.%N)
loopCpu=$(awk -v n="$sampled" -v c="${#all[@]}" '{ printf "%.1f", ($1 + $2) * c / n }' "$work/loop.cpu")
loop=$(awk -v s="$start" -v e="$end" -v n="$sampled" -v c="${#all[@]}" 'BEGIN { printf "%.1f", (e - s) * c / n }')
echo "shell loop: $sampled of ${#all[@]} movies in $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", e - s }') s, scaled: ${loop} s (${loopCpu} s of processor time)"
echo "load after: $(uptime)"
# On a machine that other work shares, processor time is the fairer measure: the loop runs
# on one processor, the index on two.
awk -v f="$first" -v s="$second" -v l="$loop" -v fc="$firstCpu" -v lc="$loopCpu" 'BEGIN {
  printf "index vs loop: %.1fx faster (target 4x on 2 cores)\n", l / f
  printf "by processor time: %.1fx less per processor, %.1fx faster on 2 free processors\n", lc / fc, 2 * lc / fc
  printf "second run: %.2f %% of the first (target < 5 %%)\n", 100 * s / f }'
echo "files kept in $work"
