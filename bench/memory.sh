#!/usr/bin/env bash
# Peak resident memory of "Process Source Ini" on a generated 100 MB file,
# then after Add All, Remove and Swap: one fresh process per figure.
# Usage: bench/memory.sh [BUILD_DIR] [MB]
set -euo pipefail
build=${1:-build-release}
mb=${2:-100}
run="$build/bench/quillset_analysis_run"
file="${TMPDIR:-/tmp}/quillset_bench_${mb}mb.ini"
[ -f "$file" ] || "$run" generate-mb "$mb" "$file"
for mode in baseline process addall remove swap; do "$run" rss "$mode" "$file"; done
