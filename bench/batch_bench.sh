#!/usr/bin/env bash
# Process-level timings of quillset-batch, warm page cache, medians of RUNS
# runs of CPU time (user + system: the fair figure on a shared machine):
#  1. `keywords` of a generated 900,000-line file against `grep -c '^\['` and
#     against `grep '^\[' | LC_ALL=C sort -u` (the same job: the distinct
#     names, sorted);
#  2. `count` over 50 to 800 copies of the bundled sample: the time per
#     further copy stays flat when the growth is linear;
#  3. `compare --all` of two generated files of 200,000 blocks each (one
#     block in ten differs) against GNU `diff` of the same two files.
# Output goes to a file, not /dev/null: grep stops at its first match when
# writing to /dev/null.
# Usage: bench/batch_bench.sh [BUILD_DIR] [RUNS]   (default build-release, 11)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-release}"
runs="${2:-11}"
cmake --build "$build" --target quillset-batch quillset_analysis_run >/dev/null
batch="$(cd "$build" && pwd)/quillset-batch"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
out="$work/out"

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# Median CPU milliseconds of running "$@" (a command or a shell function).
cpu_ms() {
  local cpus=() t u s
  TIMEFORMAT='%3U %3S'
  for _ in $(seq "$runs"); do
    t=$({ time "$@" >"$out" 2>/dev/null || true; } 2>&1)
    read -r u s <<<"$t"
    cpus+=("$(awk -v u="$u" -v s="$s" 'BEGIN { print (u + s) * 1000 }')")
  done
  printf '%s\n' "${cpus[@]}" | median
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

big="$work/900k.ini"
"$build/bench/quillset_analysis_run" generate 900000 "$big"
cat "$big" >/dev/null
grep_count() { grep -c '^\[' "$big"; }
grep_sort() { grep '^\[' "$big" | LC_ALL=C sort -u; }
t_batch=$(cpu_ms "$batch" keywords "$big")
t_count=$(cpu_ms grep_count)
t_sort=$(cpu_ms grep_sort)
echo "keywords of $(wc -l <"$big") lines ($(stat -c %s "$big") bytes): quillset-batch ${t_batch} ms;" \
     "grep -c ${t_count} ms (ratio $(ratio "$t_batch" "$t_count"));" \
     "grep | sort -u ${t_sort} ms (ratio $(ratio "$t_batch" "$t_sort"))"

t1=""
for n in 1 50 100 200 400 800; do
  files=()
  for i in $(seq 1 "$n"); do
    cp samples/office_standard.ini "$work/copy$i.ini"
    files+=("$work/copy$i.ini")
  done
  cat "${files[@]}" >/dev/null
  t=$(cpu_ms "$batch" count "${files[@]}")
  if [ -z "$t1" ]; then
    t1=$t
    echo "count of 1 copy: ${t} ms"
  else
    echo "count of $n copies: ${t} ms," \
         "$(awk -v t="$t" -v a="$t1" -v n="$n" 'BEGIN { printf "%.3f", (t - a) / (n - 1) }') ms per further copy"
  fi
done

# 100,000 names, each with a Feature Style and a Named Symbology block of
# five settings; in the test file one block in ten has a changed setting.
blocks() {
  awk -v changed="$1" 'BEGIN {
    for (b = 0; b < 200000; b++) {
      name = "Name" int(b / 2)
      kind = b % 2 ? "Named Symbology" : "Feature Style"
      printf "[ %s - %s ]\r\n", kind, name
      for (k = 0; k < 5; k++)
        printf "%03dSetting%d=%d\r\n", k, k, (changed && b % 10 == 3 && k == 2) ? b + 1 : b
      printf "\r\n"
    }
  }'
}
blocks 0 >"$work/control.ini"
blocks 1 >"$work/test.ini"
cat "$work/control.ini" "$work/test.ini" >/dev/null
gnu_diff() { diff "$work/control.ini" "$work/test.ini"; }
t_compare=$(cpu_ms "$batch" compare "$work/control.ini" "$work/test.ini" --all)
t_diff=$(cpu_ms gnu_diff)
echo "compare of two files of 200,000 blocks: quillset-batch ${t_compare} ms;" \
     "diff ${t_diff} ms (ratio $(ratio "$t_compare" "$t_diff"))"
