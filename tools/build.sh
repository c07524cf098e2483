#!/usr/bin/env bash
# Configures and builds in ./build (Release).  Extra arguments go to cmake.
# Uses ccache when the machine has it, so that rebuilds in other checkouts
# of the same sources are quick.
set -euo pipefail
cd "$(dirname "$0")/.."
lanzador=()
command -v ccache >/dev/null && lanzador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "${lanzador[@]}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
