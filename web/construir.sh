#!/usr/bin/env bash
# Builds the page into build-web/sitio: the core to WebAssembly with Debian's
# emscripten, the chart library bundled from the npm packages of the
# lockfile, the static files and the pictures, and the list of files the
# service worker keeps.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten runs its optimizer on the system's Node, whose modules
# are there.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
lanzador=()
command -v ccache >/dev/null && lanzador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
emcmake cmake -S web -B build-web -DCMAKE_BUILD_TYPE=Release "${lanzador[@]}" >/dev/null 2>&1 ||
  emcmake cmake -S web -B build-web -DCMAKE_BUILD_TYPE=Release "${lanzador[@]}"  # again, to show why
cmake --build build-web -j"$(nproc)"

# npm packages exactly as the lockfile pins them, installed again only when
# it changed.
if [ ! -f web/node_modules/.package-lock.json ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
  (cd web && npm ci --no-audit --no-fund)
fi

sitio=build-web/sitio
rm -rf "$sitio"
mkdir -p "$sitio/imagenes"
cp web/pagina/* "$sitio/"
cp build-web/turmado.js build-web/turmado.wasm "$sitio/"
cp resources/*.svg "$sitio/imagenes/"
web/node_modules/.bin/esbuild web/grafico-entrada.js --bundle --minify --format=iife --log-level=warning \
  --outfile="$sitio/grafico.js"

# What the service worker keeps, and a version that changes with any file.
(
  cd "$sitio"
  version=$(find . -type f ! -name lista.js -print0 | sort -z | xargs -0 sha256sum | sha256sum | cut -c1-16)
  {
    printf 'self.VERSION = "%s";\nself.ARCHIVOS = [\n  "./",\n' "$version"
    find . -type f ! -name sw.js | sort | sed 's|^\./\(.*\)|  "\1",|'
    printf '];\n'
  } > lista.js
)
echo "Página construida en $sitio"
