#!/usr/bin/env bash
# Converts the same 1,000,000 generated points with gkconv and, when installed, with PROJ's
# proj/invproj, and prints whole-process wall seconds side by side (best of three runs): the
# default series, and Krüger's series beside PROJ's exact tmerc on the very same ellipsoid.
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
# The rule puts 108.x° in zone 18; held in zone 19, every point has proj's central meridian.
"$gkconv" forward -w 6 --zone 19 --angles deg "$work/deg.txt" >"$work/xy.txt"
# The easting without its prefix, to the 0.1 mm gkconv wrote (print of a computed number would
# round it to awk's six significant digits, whole metres).
awk '{ printf "%.4f %s\n", $2 - 19000000, $1 }' "$work/xy.txt" >"$work/invproj-in.txt"

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
# gkconv's wgs84 carries alfa to ten decimals; Krüger's series is compared on exactly it.
tmk="+proj=tmerc +lat_0=0 +lon_0=111 +k=1 +x_0=500000 +y_0=0 +a=6378137 +rf=298.2572235635"
gf=$(best "$gkconv" forward -w 6 --angles deg "$work/deg.txt")
gi=$(best "$gkconv" inverse -w 6 --angles deg "$work/xy.txt")
gkf=$(best "$gkconv" forward -w 6 --zone 19 --method krueger --angles deg "$work/deg.txt")
gki=$(best "$gkconv" inverse -w 6 --method krueger --angles deg "$work/xy.txt")
echo "points: $count"
if command -v proj >/dev/null && command -v invproj >/dev/null; then
  pf=$(best proj -f %.4f $tm "$work/proj-in.txt")
  pi=$(best invproj -f %.10f $tm "$work/invproj-in.txt")
  pkf=$(best proj -f %.4f $tmk "$work/proj-in.txt")
  pki=$(best invproj -f %.10f $tmk "$work/invproj-in.txt")
  ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print a / b }'; }
  printf '%-16s  %8s  %8s  %s\n' operation gkconv proj ratio
  printf '%-16s  %8s  %8s  %.1fx\n' forward "$gf" "$pf" "$(ratio "$pf" "$gf")"
  printf '%-16s  %8s  %8s  %.1fx\n' inverse "$gi" "$pi" "$(ratio "$pi" "$gi")"
  printf '%-16s  %8s  %8s  %.1fx\n' "forward krueger" "$gkf" "$pkf" "$(ratio "$pkf" "$gkf")"
  printf '%-16s  %8s  %8s  %.1fx\n' "inverse krueger" "$gki" "$pki" "$(ratio "$pki" "$gki")"
  # Both compute the same projection: the largest difference in metres over the points.
  "$gkconv" forward -w 6 --zone 19 --method krueger --angles deg "$work/deg.txt" >"$work/k.txt"
  proj -f %.4f $tmk "$work/proj-in.txt" >"$work/p.txt"
  paste "$work/k.txt" "$work/p.txt" | awk '{
    dx = $1 - $4; dy = ($2 - 19000000) - $3; d = sqrt(dx * dx + dy * dy); if (d > m) m = d
  } END { printf "krueger vs proj: largest difference %.4f m (both written to 0.1 mm)\n", m }'
  # And back: the largest difference on the ground of the inverses, in metres.
  "$gkconv" inverse -w 6 --method krueger --angles deg "$work/xy.txt" >"$work/kb.txt"
  invproj -f %.10f $tmk "$work/invproj-in.txt" >"$work/pb.txt"
  paste "$work/kb.txt" "$work/pb.txt" | awk '{
    dlat = $1 - $4; dlon = ($2 - $3) * cos($1 * 3.14159265358979 / 180)
    d = 111320 * sqrt(dlat * dlat + dlon * dlon); if (d > m) m = d
  } END { printf "krueger vs invproj: largest difference %.5f m (both written to 1e-10 deg)\n", m }'
else
  echo "proj/invproj not installed: gkconv forward ${gf}s, inverse ${gi}s," \
    "krueger forward ${gkf}s, inverse ${gki}s"
fi
