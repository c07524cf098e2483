#!/usr/bin/env bash
# Configures and builds in ./build (Release).  Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build build -j"$(nproc)"
