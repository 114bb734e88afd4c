#!/usr/bin/env bash
# quillset-batch survey of one standard against 50 variants, one fresh
# process per figure: wall and CPU time and peak resident memory, for the
# bundled sample and 50 edited copies of it, and for a generated 1 MB
# standard and 50 edited 1 MB variants (each variant changes a value, drops a
# block and adds one of its own).
# Usage: bench/survey.sh [BUILD_DIR]   (default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-release}"
cmake --build "$build" --target quillset-batch quillset_analysis_run >/dev/null
dir="${TMPDIR:-/tmp}/quillset_survey"
rm -rf "$dir"
mkdir -p "$dir/sample" "$dir/mb"

# Variant k of `standard`: the k-th "=1" line set to "=2", the block after
# the k-th header dropped, one block of its own appended.
variants() {
  local standard="$1" into="$2"
  for k in $(seq 1 50); do
    awk -v k="$k" '
      /=1\r?$/ && ++ones == k { sub(/=1/, "=2") }
      /^\[/ { ++headers; skip = (headers == k + 1) }
      !skip { print }
      END { printf "[ Feature Style - Variant %d only ]\r\n000SymbologyName=V%d\r\n", k, k }' "$standard" >"$into/v$k.ini"
  done
}
cp samples/office_standard.ini "$dir/sample/standard.ini"
variants "$dir/sample/standard.ini" "$dir/sample"
"$build/bench/quillset_analysis_run" generate-mb 1 "$dir/mb/standard.ini"
variants "$dir/mb/standard.ini" "$dir/mb"

for set in sample mb; do
  std="$dir/$set/standard.ini"
  bytes=$(stat -c %s "$std")
  /usr/bin/time -f "%e %U %S %M" -o "$dir/time" \
    "$build/quillset-batch" survey "$std" "$dir/$set"/v*.ini --all -o "$dir/$set.txt" 2>/dev/null
  read -r wall user sys rss <"$dir/time"
  printf '%-8s standard %8d bytes, 50 variants: %5.2f s wall, %5.2f s CPU, peak %6.1f MB (%.1f times one file)\n' \
    "$set" "$bytes" "$wall" "$(echo "$user + $sys" | bc)" "$(echo "$rss / 1024" | bc -l)" \
    "$(echo "$rss * 1024 / $bytes" | bc -l)"
done
