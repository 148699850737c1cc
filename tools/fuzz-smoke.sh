#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each briefly over its seed
# corpus, so they keep compiling and the seeds keep passing. Longer runs:
#   build-fuzz/fuzz/<target> <scratch-dir> fuzz/corpus/<target-without-_fuzz> -max_total_time=600
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-15}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVIMRA_FUZZ=ON -DVIMRA_BENCH=OFF >/dev/null
cmake --build build-fuzz --target catalogue_reader_fuzz image_probe_fuzz editor_round_trip_fuzz -j "$(nproc)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in catalogue_reader image_probe editor_round_trip; do
  mkdir -p "$scratch/$target"
  TMPDIR=/dev/shm build-fuzz/fuzz/${target}_fuzz "$scratch/$target" "fuzz/corpus/$target" \
    -max_total_time="$seconds" -max_len=12000 -print_final_stats=1 2>&1 | tail -n 3
done
