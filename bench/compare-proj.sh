#!/usr/bin/env bash
# Converts the same 1,000,000 generated points with gkconv and, when installed, with PROJ's
# proj/invproj, and prints whole-process wall seconds side by side (best of three runs).
#   bench/compare-proj.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
gkconv=$build/cli/gkconv
count=${GK_BENCH_POINTS:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Points in 6° zone 19 (central meridian 111°), 18° to 54° N: packed B L for gkconv, and
# longitude latitude in decimal degrees for proj.
awk -v n="$count" 'BEGIN {
  srand(42)
  for (i = 0; i < n; i++) {
    lat = 18 + 36 * rand(); lon = 108.01 + 5.98 * rand()
    printf "%.10f %.10f\n", lat, lon > "/dev/stderr"
  }
}' 2>"$work/deg.txt"
awk '{ printf "%.12f %.12f\n", $2, $1 }' "$work/deg.txt" >"$work/proj-in.txt"
"$gkconv" forward -w 6 --angles deg "$work/deg.txt" >"$work/xy.txt"
awk '{ printf "%s %s\n", $2 - 19000000, $1 }' "$work/xy.txt" >"$work/invproj-in.txt"

best() { # best wall seconds of three runs of the command
  local best=""
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    if [[ -z $best ]] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  printf '%.3f' "$best"
}

tm="+proj=tmerc +lat_0=0 +lon_0=111 +k=1 +x_0=500000 +y_0=0 +ellps=WGS84"
gf=$(best "$gkconv" forward -w 6 --angles deg "$work/deg.txt")
gi=$(best "$gkconv" inverse -w 6 --angles deg "$work/xy.txt")
echo "points: $count"
if command -v proj >/dev/null && command -v invproj >/dev/null; then
  pf=$(best proj -f %.4f $tm "$work/proj-in.txt")
  pi=$(best invproj -f %.10f $tm "$work/invproj-in.txt")
  printf '%-8s  %8s  %8s  %s\n' operation gkconv proj ratio
  printf '%-8s  %8s  %8s  %.1fx\n' forward "$gf" "$pf" "$(awk -v a="$pf" -v b="$gf" 'BEGIN { print a / b }')"
  printf '%-8s  %8s  %8s  %.1fx\n' inverse "$gi" "$pi" "$(awk -v a="$pi" -v b="$gi" 'BEGIN { print a / b }')"
else
  echo "proj/invproj not installed: gkconv forward ${gf}s, inverse ${gi}s"
fi
