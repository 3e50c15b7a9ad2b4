#!/usr/bin/env bash
# Configures and builds the program, its tests and its fuzz targets with Clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-hardening/ (the benchmarks are left out: sanitizers distort them).
set -euo pipefail
cd "$(dirname "$0")/.."
CC=clang-14 CXX=clang++-14 cmake -S . -B build-hardening -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DEXP_NRV_XML_SANITIZE=ON -DEXP_NRV_XML_FUZZ=ON -DEXP_NRV_XML_BENCH=OFF >/dev/null
cmake --build build-hardening -j "$(nproc)"
