#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
tools/build.sh -DTURMADO_WERROR=ON
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)"
# The Debian package, once: built with CPack and inspected (slow, so not
# part of the plain ctest run).
ctest --output-on-failure -C Paquete -R '^paquete_deb$'
