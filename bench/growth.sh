#!/usr/bin/env bash
# How "Process Source Ini" grows from 10 MB to 100 MB: the median CPU time
# of each size and the exponent between neighbouring sizes (1.0 is linear; n log n
# gives about 1.05 to 1.1 over this range).
# Usage: bench/growth.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build-release}
runs=${2:-5}
run="$build/bench/quillset_analysis_run"
prev_mb="" prev_ms=""
for mb in 10 20 50 100; do
    file="${TMPDIR:-/tmp}/quillset_bench_${mb}mb.ini"
    [ -f "$file" ] || "$run" generate-mb "$mb" "$file"
    cat "$file" >/dev/null
    ms=$("$run" time "$file" "$runs")
    if [ -n "$prev_ms" ]; then
        exp=$(echo "l($ms / $prev_ms) / l($mb / $prev_mb)" | bc -l)
        printf '%4s MB %8s ms CPU  exponent %.2f\n' "$mb" "$ms" "$exp"
    else
        printf '%4s MB %8s ms CPU\n' "$mb" "$ms"
    fi
    prev_mb=$mb prev_ms=$ms
done
