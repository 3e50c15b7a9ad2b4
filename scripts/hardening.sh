#!/usr/bin/env bash
# The hardening run: builds the program and its tests with Clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-hardening/, runs every test there (the fuzz targets' corpora
# included), then fuzzes each target briefly. FUZZ_SECONDS sets the time per target (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --hardening
scripts/build-hardening.sh
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir build-hardening --output-on-failure -j "$(nproc)"
scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
