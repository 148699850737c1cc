#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each briefly over its seed
# corpus, so they keep compiling and the seeds keep passing. The short run is
# fixed (a fixed seed and number of inputs), so the test suite gives the same
# answer on every machine; searching for new faults is a long run's job:
#   build-fuzz/fuzz/<target> <scratch-dir> fuzz/corpus/<target-without-_fuzz> -max_total_time=600
# FUZZ_SECONDS=N turns the short run into a timed, randomly seeded search.
set -euo pipefail
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVIMRA_FUZZ=ON -DVIMRA_BENCH=OFF >/dev/null
cmake --build build-fuzz --target catalogue_reader_fuzz image_probe_fuzz editor_round_trip_fuzz settings_archive_fuzz -j "$(nproc)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# target and its number of inputs in the fixed run (about 15 s each)
for entry in catalogue_reader:80000 image_probe:150000 editor_round_trip:6000 settings_archive:20000; do
  target=${entry%%:*}
  if [ -n "${FUZZ_SECONDS:-}" ]; then
    limit=(-max_total_time="$FUZZ_SECONDS")
  else
    limit=(-seed=1 -runs="${entry##*:}")
  fi
  mkdir -p "$scratch/$target"
  echo "fuzz: $target ${limit[*]}"
  TMPDIR=/dev/shm build-fuzz/fuzz/${target}_fuzz "$scratch/$target" "fuzz/corpus/$target" \
    "${limit[@]}" -max_len=12000 -print_final_stats=1 2>&1 | tail -n 8
done
