#!/usr/bin/env bash
# gkconv datum against PROJ's cct running the same pipeline (cart -> helmert -> inv cart) on
# the same 1,000,000 points, whole-process CPU seconds (user + system, which a machine shared
# with other work disturbs far less than wall time), best of three runs; then gkconv fit over
# 10,000 common points.
#   bench/compare-datum.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
gkconv=$build/cli/gkconv
count=${GK_BENCH_POINTS:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Points over China, 18° to 54° N, 73° to 135° E, heights -50 to 3000 m: B,L,H for gkconv and
# longitude latitude height for cct.
awk -v n="$count" 'BEGIN {
  srand(42)
  for (i = 0; i < n; i++) {
    printf "%.10f,%.10f,%.4f\n", 18 + 36 * rand(), 73 + 62 * rand(), -50 + 3050 * rand()
  }
}' >"$work/blh.txt"
awk -F, '{ printf "%s %s %s\n", $2, $1, $3 }' "$work/blh.txt" >"$work/cct-in.txt"

best() { # best CPU seconds (user + system) of three runs of the command
  local best=""
  for _ in 1 2 3; do
    local t
    t=$( { TIMEFORMAT='%U %S'; time "$@" >/dev/null; } 2>&1 | awk '{ print $1 + $2 }')
    if [[ -z $best ]] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  printf '%.3f' "$best"
}

helmert=(--helmert 15.8,-154.4,-82.3,-0.5,1.2,-0.8,2.5 --convention position_vector
  --from-ellipsoid wgs84 --to-ellipsoid beijing54)
pipeline="+proj=pipeline +step +proj=cart +a=6378137 +rf=298.2572235635
  +step +proj=helmert +x=15.8 +y=-154.4 +z=-82.3 +rx=-0.5 +ry=1.2 +rz=-0.8 +s=2.5
  +convention=position_vector +step +inv +proj=cart +a=6378245 +rf=298.3"
g=$(best "$gkconv" datum "${helmert[@]}" --angles deg --columns B,L,H "$work/blh.txt")
echo "points: $count"
if command -v cct >/dev/null; then
  # shellcheck disable=SC2086 # the pipeline is PROJ's words, one argument each
  c=$(best cct -d 10 $pipeline "$work/cct-in.txt")
  printf '%-8s  %8s  %8s  %s\n' operation gkconv cct ratio
  printf '%-8s  %8s  %8s  %.1fx\n' datum "$g" "$c" "$(awk -v a="$c" -v b="$g" 'BEGIN { print a / b }')"
  "$gkconv" datum "${helmert[@]}" --angles deg --columns B,L,H "$work/blh.txt" >"$work/g.txt"
  # shellcheck disable=SC2086
  cct -d 10 $pipeline "$work/cct-in.txt" >"$work/c.txt"
  paste -d, "$work/g.txt" <(awk '{ printf "%s,%s,%s\n", $1, $2, $3 }' "$work/c.txt") | awk -F, '{
    dlat = ($1 - $5) * 111000; dlon = ($2 - $4) * 111000 * cos($1 * 3.14159265 / 180)
    d = sqrt(dlat * dlat + dlon * dlon); if (d > m) m = d; dh = $3 - $6; if (dh < 0) dh = -dh
    if (dh > mh) mh = dh
  } END { printf "gkconv vs cct: largest difference %.5f m across, %.5f m in height\n", m, mh }'
else
  echo "cct not installed: gkconv datum ${g}s"
fi

# A fit over 10,000 common points: the source points and the same points changed.
head -n 10000 "$work/blh.txt" | awk -F, '{ printf "P%d,%s\n", NR, $0 }' >"$work/fit-source.txt"
"$gkconv" datum "${helmert[@]}" --angles deg --columns name,B,L,H "$work/fit-source.txt" \
  >"$work/fit-target.txt"
f=$(best "$gkconv" fit helmert7 --source "$work/fit-source.txt" --target "$work/fit-target.txt" \
  --from-ellipsoid wgs84 --to-ellipsoid beijing54 --convention position_vector --angles deg \
  --columns name,B,L,H)
echo "gkconv fit helmert7 over 10000 common points (reading both files, report): ${f}s"
