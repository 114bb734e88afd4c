#!/usr/bin/env bash
# Process-level timings of quillset-batch (warm page cache, median of 5 runs):
#  1. `keywords` of a generated 1,000,000-line file against `grep -c '^\['`
#     on the same file, and their ratio;
#  2. `count` over 50 copies of the bundled sample, and over 100 to 800 so
#     that the growth shows past the start-up time: the time per copy beyond
#     a single file's must stay flat for the growth to be linear.
# Usage: bench/batch_bench.sh [BUILD_DIR]   (default build/; builds quillset-batch)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" --target quillset-batch >/dev/null
batch="$(cd "$build" && pwd)/quillset-batch"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Median wall time in milliseconds of 5 runs of the command given.
median_ms() {
  local times=()
  for _ in 1 2 3 4 5; do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p | awk '{ printf "%.1f", $1 / 1000 }'
}

# 100,000 blocks of 10 lines over the five categories, each with its own name.
big="$work/big.ini"
awk 'BEGIN {
  split("Feature Style|Named Symbology|Feature Filter|Preferences|WYSIWYG", kind, "|")
  for (b = 0; b < 100000; b++) {
    printf "[ %s - Block %06d ]\r\n", kind[b % 5 + 1], b
    for (k = 0; k < 9; k++) printf "%03dSetting=%d\r\n", k, b * k
  }
}' > "$big"
cat "$big" >/dev/null
lines=$(wc -l < "$big")
t_batch=$(median_ms "$batch" keywords "$big")
t_grep=$(median_ms grep -c '^\[' "$big")
echo "keywords of $lines lines: quillset-batch ${t_batch} ms, grep -c ${t_grep} ms," \
     "ratio $(awk -v a="$t_batch" -v b="$t_grep" 'BEGIN { printf "%.1f", a / b }')"

t1=""
for n in 1 50 100 200 400 800; do
  files=()
  for i in $(seq 1 "$n"); do
    cp samples/office_standard.ini "$work/copy$i.ini"
    files+=("$work/copy$i.ini")
  done
  cat "${files[@]}" >/dev/null
  bytes=$(cat "${files[@]}" | wc -c)
  t=$(median_ms "$batch" count "${files[@]}")
  if [ -z "$t1" ]; then
    t1=$t
    echo "count of 1 copy ($bytes bytes): ${t} ms"
  else
    echo "count of $n copies ($bytes bytes): ${t} ms," \
         "$(awk -v t="$t" -v a="$t1" -v n="$n" 'BEGIN { printf "%.3f", (t - a) / (n - 1) }') ms per further copy"
  fi
done
