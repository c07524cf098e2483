#!/usr/bin/env bash
# Builds the page and runs its tests in Debian's Chromium against the
# turmado-calc given (build/turmado-calc by default).
set -euo pipefail
calc=$(realpath "${1:-build/turmado-calc}")
cd "$(dirname "$0")/.."
web/construir.sh >/dev/null
TURMADO_CALC=$calc exec node --test --test-concurrency=1 web/pruebas/navegador.test.mjs
