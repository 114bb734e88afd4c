#!/usr/bin/env bash
# Peak resident memory and CPU time of quillset-batch, one fresh process per
# figure, each memory figure also as a ratio to the size of the inputs:
#  - `count`, `keywords` and `export ini --all` of a generated file of
#    realistic blocks (900,000 lines), of one of 900,000 lines with 200,000
#    distinct keywords (each block its own), of one of short lines (8 million
#    lines of 5 bytes) and of 10 million "[" lines;
#  - `update --reset all --append all` of two generated 50 MB files.
# With a second build, each figure is shown for both, the first one first.
# Usage: bench/batch_memory.sh [BUILD_DIR] [OTHER_BUILD_DIR]   (default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
builds=("${1:-build-release}")
[ $# -ge 2 ] && builds+=("$2")
for b in "${builds[@]}"; do cmake --build "$b" --target quillset-batch >/dev/null; done
cmake --build "${builds[0]}" --target quillset_analysis_run quillset_peak_memory >/dev/null
gen="${builds[0]}/bench"
dir="${TMPDIR:-/tmp}/quillset_batch_memory"
mkdir -p "$dir"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

realistic="$dir/realistic.ini"
distinct="$dir/distinct.ini"
short="$dir/short.ini"
brackets="$dir/brackets.ini"
[ -f "$realistic" ] || "$gen/quillset_analysis_run" generate 900000 "$realistic"
[ -f "$distinct" ] || awk 'BEGIN { for (i = 0; i < 200000; ++i) {
    printf "[ Feature Style - K%06d ]\r\n000SymbologyName=K%06d\r\n001Description=block %d\r\n002DisplayAsLine=1\r\n", i, i, i
    if (i % 2) printf "003DisplayAsPoint=0\r\n" } }' >"$distinct"
[ -f "$short" ] || awk 'BEGIN { for (i = 0; i < 8000000; ++i) {
    if (i % 20 == 0) printf "[ P%d ]\r\n", i / 20; else printf "a=%d\r\n", i % 10 } }' >"$short"
[ -f "$brackets" ] || awk 'BEGIN { for (i = 0; i < 10000000; ++i) printf "[\n" }' >"$brackets"
[ -f "$dir/a50.ini" ] || "$gen/quillset_peak_memory" generate 50 "$dir/a50.ini"
[ -f "$dir/b50.ini" ] || "$gen/quillset_peak_memory" generate 50 "$dir/b50.ini" 1

size() { stat -c %s "$1"; }
# One row: label, input bytes, then "MB ratio cpu_s" for each build.
measure() {
  local label="$1" bytes="$2"
  shift 2
  local row
  row=$(printf '%-34s %7.1f MB' "$label" "$(awk -v b="$bytes" 'BEGIN { print b / 1048576 }')")
  for b in "${builds[@]}"; do
    rm -f "$out/o"
    local t
    /usr/bin/time -o "$out/t" -f '%M %U %S' "$b/quillset-batch" "$@" -o "$out/o" >/dev/null 2>&1 || true
    t=$(tail -1 "$out/t")
    row+=$(awk -v t="$t" -v bytes="$bytes" 'BEGIN { split(t, f, " "); kb = f[1]
      printf "  | %8.1f MB %5.2fx %6.2f s", kb / 1024, kb * 1024 / bytes, f[2] + f[3] }')
  done
  echo "$row"
}
for f in "$realistic" "$distinct" "$short" "$brackets"; do
  name=$(basename "$f" .ini)
  measure "count $name" "$(size "$f")" count "$f"
  measure "keywords $name" "$(size "$f")" keywords "$f"
  measure "export ini --all $name" "$(size "$f")" export ini "$f" --all
done
measure "update --reset all --append all" $(( $(size "$dir/a50.ini") + $(size "$dir/b50.ini") )) \
  update "$dir/a50.ini" "$dir/b50.ini" --all --reset all --append all
