#!/usr/bin/env bash
# Installs what is missing, builds normally and with AddressSanitizer and
# UBSan, runs every test in both builds, and gives the fuzz targets a short run.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
(cd tests/browser && npm ci --no-audit --no-fund)
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIMRA_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The fuzz targets build with clang and pass their seeds.
tools/fuzz-smoke.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIMRA_WERROR=ON \
  -DVIMRA_SANITIZE=ON -DVIMRA_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
