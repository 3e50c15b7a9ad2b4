#!/usr/bin/env bash
# Runs each fuzz target for a set time: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET ...]
# (targets: command_line ini sheet sql date xml_attribute; default all, 10 seconds each).
# Needs build-hardening/ (scripts/build-hardening.sh). Each target starts from its checked-in corpus
# in fuzz/corpus/ plus what earlier runs found (build-hardening/fuzz-corpus/); an input that breaks
# a property is written to build-hardening/fuzz-findings/TARGET/, and once fixed belongs in
# fuzz/corpus/TARGET/ so that every later run and ctest try it again.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(command_line ini sheet sql date xml_attribute)

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for target in "${targets[@]}"; do
    binary="build-hardening/fuzz/fuzz_${target}"
    [ -x "$binary" ] || { echo "No $binary: run scripts/build-hardening.sh first." >&2; exit 2; }
    corpus="build-hardening/fuzz-corpus/${target}"
    findings="build-hardening/fuzz-findings/${target}"
    mkdir -p "$corpus" "$findings"
    log="build-hardening/fuzz-findings/${target}.log"
    if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/${target}" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
        printf '%-14s %10s runs in %ss (%s/s), no property broken\n' "$target" "$runs" "$seconds" "$rate"
    else
        printf '%-14s FAILED: see %s and %s\n' "$target" "$log" "$findings"
        grep -A4 -E '^Property broken|ERROR:' "$log" | head -n 12 || true
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]}" >&2
    exit 1
fi
