#!/usr/bin/env bash
# Installs what is missing, builds, and generates the shipped example catalogue.
# With --serve it then serves the catalogue for a browser until Ctrl-C.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIMRA_BENCH=OFF >/dev/null
cmake --build build
build/vimra/vimra-cli create
if [ "${1:-}" = "--serve" ]; then
  exec build/vimra/vimra-cli serve
fi
