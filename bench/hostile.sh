#!/usr/bin/env bash
# Crafted inputs at two sizes four times apart, the CPU time of one
# quillset-batch run each and the growth exponent between them (1.0 is
# linear, 2.0 quadratic), with the peak resident memory:
#  - one-block: N test copies of one control header whose block is N lines
#    (compare --all);
#  - case-collisions: N headers that differ only in bit 0x20 of non-letters
#    (compare --all, which pairs headers ignoring case);
#  - fixed-hash: N 8-byte keywords that would share one slot under an
#    unseeded hash (keywords);
#  - long-header: one header line of N bytes, its keyword selected (resize).
# Usage: bench/hostile.sh [BUILD_DIR] [BATCH]   (BATCH: another quillset-batch
# to time on the same files, such as an earlier build's)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
batch=${2:-$build/quillset-batch}
run="$build/bench/quillset_analysis_run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints "CPU-ms peak-MB" of one run of "$@".
measure() {
    /usr/bin/time -f '%U %S %M' -o "$work/time" "$@" >"$work/out" 2>/dev/null || true
    awk '{ printf "%.0f %.1f", ($1 + $2) * 1000, $3 / 1024 }' "$work/time"
}

shape() {  # shape NAME SMALL COMMAND-ARGS... (control.ini and test.ini stand for the files)
    local name=$1 small=$2 prev_n="" prev_ms=""
    shift 2
    for n in "$small" $((small * 4)); do
        "$run" hostile "$name" "$n" "$work"
        local args=("${@//control.ini/$work/control.ini}")
        args=("${args[@]//test.ini/$work/test.ini}")
        read -r ms mb <<<"$(measure "$batch" "${args[@]}")"
        if [ -n "$prev_ms" ]; then
            exp=$(awk -v a="$ms" -v b="$prev_ms" 'BEGIN { printf "%.2f", log((a + 1) / (b + 1)) / log(4) }')
            printf '%-16s N=%-9s %8s ms CPU %8s MB peak  exponent %s\n' "$name" "$n" "$ms" "$mb" "$exp"
        else
            printf '%-16s N=%-9s %8s ms CPU %8s MB peak\n' "$name" "$n" "$ms" "$mb"
        fi
        prev_n=$n prev_ms=$ms
    done
}

shape one-block 40000 compare control.ini test.ini --all
shape case-collisions 8000 compare control.ini test.ini --all
shape fixed-hash 64000 keywords control.ini
shape long-header 4000000 resize control.ini --all --height 2
