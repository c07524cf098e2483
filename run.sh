#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs the calculator on the
# default data.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
tools/build.sh
if [ -x build/turmado ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/turmado
  fi
  echo "No hay pantalla disponible: se muestra el ejemplo por defecto de turmado-calc."
fi
exec build/turmado-calc
