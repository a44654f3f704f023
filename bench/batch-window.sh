#!/usr/bin/env bash
# Converts the same 1,000,000-line file through gkconv and through the batch window (the real
# dialog, offscreen, driven by gk_batch_window_driver), best wall seconds of three runs each,
# prints both with their ratio, checks the two outputs are the same bytes, and prints the
# longest gap between the window's repaints during its run.
#   bench/batch-window.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
count=${GK_BENCH_POINTS:-1000000}
cmake -S "$root" -B "$build" -G Ninja -DGK_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target gkconv gk_batch_window_driver >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Named points in 3° zones 36 to 39, 18° to 54° N, packed DDD.MMSSsssss, and every 1000th
# record broken, so that the failed-record path runs too.
awk -v n="$count" 'function packed(x,  d, m, s) {
    d = int(x); m = int((x - d) * 60); s = ((x - d) * 60 - m) * 60
    return sprintf("%d.%02d%02d%05d", d, m, int(s), int((s - int(s)) * 100000))
  }
  BEGIN {
    srand(42)
    for (i = 0; i < n; i++) {
      if (i % 1000 == 999) { printf "P%d 95.0000 114.0000\n", i; continue }
      printf "P%d %s %s\n", i, packed(18 + 36 * rand()), packed(106.6 + 11.8 * rand())
    }
  }' >"$work/in.txt"

best_gkconv=""
best_window=""
gap=""
for _ in 1 2 3; do
  start=$(date +%s.%N)
  "$build/cli/gkconv" forward -w 3 -o "$work/gkconv.txt" "$work/in.txt" 2>/dev/null || true
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc -l)
  if [ -z "$best_gkconv" ] || [ "$(echo "$t < $best_gkconv" | bc -l)" = 1 ]; then best_gkconv=$t; fi

  QT_QPA_PLATFORM=offscreen "$build/bench/gk_batch_window_driver" "$work/in.txt" \
    "$work/window.txt" >"$work/driver.txt" 2>/dev/null
  t=$(awk '/^window_seconds/ { print $2 }' "$work/driver.txt")
  if [ -z "$best_window" ] || [ "$(echo "$t < $best_window" | bc -l)" = 1 ]; then
    best_window=$t
    gap=$(awk '/^longest_gap_ms/ { print $2 }' "$work/driver.txt")
  fi
done

cmp -s "$work/gkconv.txt" "$work/window.txt" && same=yes || same=NO
printf 'lines                     %d (%s bytes)\n' "$count" "$(stat -c %s "$work/in.txt")"
printf 'gkconv -o                 %.3f s\n' "$best_gkconv"
printf 'batch window              %.3f s\n' "$best_window"
printf 'window / gkconv           %.2f (target at most 1.50)\n' \
  "$(echo "$best_window / $best_gkconv" | bc -l)"
printf 'longest repaint gap       %s ms (target at most 100)\n' "$gap"
printf 'same output bytes         %s\n' "$same"
grep '^summary' "$work/driver.txt" | sed 's/^summary /window summary            /'
