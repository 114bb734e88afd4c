#!/usr/bin/env bash
# Peak resident memory, one fresh process per figure, each as a ratio to the
# input's size:
#  - "Process Source Ini" (all categories) on a generated file of realistic
#    blocks, then after Add All, Remove and Swap;
#  - the same analysis on a 100 MB file of short blocks (more lines per byte);
#  - comparing two generated 50 MB files (Process, Add All, the comparison),
#    then also building the updated file.
# Usage: bench/memory.sh [BUILD_DIR] [MB]   (default build-release, 100)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
mb=${2:-100}
cmake --build "$build" --target quillset_analysis_run quillset_peak_memory >/dev/null
run="$build/bench/quillset_analysis_run"
peak="$build/bench/quillset_peak_memory"
dir="${TMPDIR:-/tmp}"
file="$dir/quillset_bench_${mb}mb.ini"
[ -f "$file" ] || "$run" generate-mb "$mb" "$file"
for mode in baseline process addall remove swap; do "$run" rss "$mode" "$file"; done
[ -f "$dir/quillset_peak_100mb.ini" ] || "$peak" generate 100 "$dir/quillset_peak_100mb.ini"
[ -f "$dir/quillset_peak_50mb_a.ini" ] || "$peak" generate 50 "$dir/quillset_peak_50mb_a.ini"
[ -f "$dir/quillset_peak_50mb_b.ini" ] || "$peak" generate 50 "$dir/quillset_peak_50mb_b.ini" 1
"$peak" analyse "$dir/quillset_peak_100mb.ini"
"$peak" compare "$dir/quillset_peak_50mb_a.ini" "$dir/quillset_peak_50mb_b.ini"
"$peak" update "$dir/quillset_peak_50mb_a.ini" "$dir/quillset_peak_50mb_b.ini"
