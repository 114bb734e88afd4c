#!/usr/bin/env bash
# Peak resident memory of "Process Source Ini" (all categories) on a generated
# 100 MB file, and of comparing two generated 50 MB files (with the updated
# file built), each in a fresh process. Usage: bench/peak_memory.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
run="$build/bench/quillset_peak_memory"
dir="${TMPDIR:-/tmp}"
[ -f "$dir/quillset_peak_100mb.ini" ] || "$run" generate 100 "$dir/quillset_peak_100mb.ini"
[ -f "$dir/quillset_peak_50mb_a.ini" ] || "$run" generate 50 "$dir/quillset_peak_50mb_a.ini"
[ -f "$dir/quillset_peak_50mb_b.ini" ] || "$run" generate 50 "$dir/quillset_peak_50mb_b.ini" 1
"$run" analyse "$dir/quillset_peak_100mb.ini"
"$run" compare "$dir/quillset_peak_50mb_a.ini" "$dir/quillset_peak_50mb_b.ini"
