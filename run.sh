#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs the calculator on the
# default data; with --web, builds the page and serves it.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
# --web: the page, built and served on this machine (Ctrl+C stops it).
if [ "${1:-}" = "--web" ]; then
  web/construir.sh
  exec python3 web/servir.py build-web/sitio "${TURMADO_PUERTO:-8000}"
fi
tools/build.sh
if [ -x build/turmado ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/turmado
  fi
  echo "No hay pantalla disponible: se muestra el ejemplo por defecto de turmado-calc."
fi
exec build/turmado-calc
