#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when missing;
# given package names, those instead.
set -euo pipefail

paquetes=(g++ cmake make python3 googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev libboost-dev libfmt-dev
          libxlsxwriter-dev
          qt6-base-dev libqt6opengl6-dev libqt6printsupport6 qt6-svg-dev
          qt6-image-formats-plugins libqt6svg6 libqcustomplot-dev libqcustomplot2.1-qt6
          fonts-liberation fonts-dejavu-core poppler-utils xvfb xauth openbox qt6-translations-l10n
          desktop-file-utils appstream libxml2-utils shared-mime-info dpkg-dev xdotool
          pybind11-dev python3-dev python3-pandas python3-dask python3-distributed python3-pytest
          python3-matplotlib
          emscripten chromium)
# Node and npm for the page's build and browser tests, from Debian unless some
# other Node is already installed (Debian's npm conflicts with such one).
command -v npm >/dev/null || paquetes+=(nodejs npm)
[ $# -gt 0 ] && paquetes=("$@")

faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0

echo "Instalando: ${faltan[*]}"
sudo_=""
[ "$(id -u)" -ne 0 ] && sudo_="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo_ apt-get update -qq
$sudo_ apt-get install -y -qq --no-install-recommends "${faltan[@]}"
