#!/usr/bin/env bash
# Builds turmado-calc.exe for 64-bit Windows on this Debian machine, runs the
# core and command-line tests under wine, and compares the Windows program's
# results with those of the Linux build.  Installs what is missing with apt-get.
#
#   build-windows/turmado-calc.exe   the program (only system DLLs needed)
#   build-windows/prefijo            GoogleTest built for Windows, nlohmann_json, Boost
#   build-windows/linux              the Linux build that the comparison runs
#   build-windows/wine               wine's prefix (its C: drive)
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD
salida=$raiz/build-windows
prefijo=$salida/prefijo

tools/deps.sh g++-mingw-w64-x86-64-posix wine64 googletest g++ cmake make libgtest-dev nlohmann-json3-dev libboost-dev libfmt-dev

lanzador=()
command -v ccache >/dev/null && lanzador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cadena=(-DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/windows-mingw64.cmake" -DCMAKE_BUILD_TYPE=Release "${lanzador[@]}")
nucleos=$(nproc)

# GoogleTest from the sources Debian installs, built with the same compiler;
# nlohmann_json, Boost and {fmt} are headers only: their headers (and nlohmann_json's
# CMake files) beside it, away from /usr/include, which holds Linux headers.
cmake -S /usr/src/googletest -B "$salida/googletest" "${cadena[@]}" -DCMAKE_INSTALL_PREFIX="$prefijo" \
      -DBUILD_GMOCK=OFF >/dev/null
cmake --build "$salida/googletest" -j"$nucleos" >/dev/null
cmake --install "$salida/googletest" >/dev/null
mkdir -p "$prefijo/include" "$prefijo/share/cmake/nlohmann_json"
ln -sfn /usr/include/nlohmann "$prefijo/include/nlohmann"
ln -sfn /usr/include/boost "$prefijo/include/boost"
ln -sfn /usr/include/fmt "$prefijo/include/fmt"
cp /usr/share/cmake/nlohmann_json/*.cmake "$prefijo/share/cmake/nlohmann_json/"

cmake -S . -B "$salida" "${cadena[@]}" -DCMAKE_FIND_ROOT_PATH="$prefijo" -DTURMADO_GUI=OFF -DTURMADO_WERROR=ON \
      >/dev/null
cmake --build "$salida" -j"$nucleos"

# The Linux build that the comparison runs beside the Windows program.
cmake -S . -B "$salida/linux" -DCMAKE_BUILD_TYPE=Release "${lanzador[@]}" -DTURMADO_GUI=OFF -DTURMADO_WERROR=ON \
      -DTURMADO_CALC_WINDOWS="$salida/turmado-calc.exe" >/dev/null
cmake --build "$salida/linux" --target test_windows -j"$nucleos"

# One wine server for every program run, kept between them (starting it
# anew for each costs seconds), ended on the way out.  The first start
# makes the prefix.
export WINEPREFIX=$salida/wine WINEDEBUG=-all DISPLAY=
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
/usr/lib/wine/wine64 wineboot --init >"$salida/wineboot.log" 2>&1

# The program needs no DLL that Windows lacks (libstdc++, winpthread ...):
# each one it imports is one that wine ships as a system DLL.
dlls=$(x86_64-w64-mingw32-objdump -p "$salida/turmado-calc.exe" | awk '/DLL Name:/ {print $3}')
for dll in $dlls; do
  if [ ! -e "$WINEPREFIX/drive_c/windows/system32/${dll,,}" ]; then
    echo "turmado-calc.exe necesita $dll, que no es una DLL del sistema" >&2
    exit 1
  fi
done
echo "turmado-calc.exe usa solo DLL del sistema:" $dlls

(cd "$salida" && ctest --output-on-failure -j"$nucleos")

# A Windows console shows the Spanish text whole, both what the program
# writes as it goes and what leaves its buffers at the end (--help): script
# opens a UTF-8 terminal, on which wine gives the program a console (code
# page 437 until the program changes it); its control sequences removed.
for prueba in ":Crítica" "--help:diámetros"; do
  consola=$(LC_ALL=C.UTF-8 script -qec "/usr/lib/wine/wine64 '$salida/turmado-calc.exe' ${prueba%%:*}" /dev/null \
              </dev/null | sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g')
  if ! grep -q "${prueba#*:}" <<<"$consola"; then
    echo "La consola de Windows no muestra bien el texto de turmado-calc.exe ${prueba%%:*}:" >&2
    echo "$consola" >&2
    exit 1
  fi
done
echo "La consola de Windows muestra bien el texto de turmado-calc.exe."

# The same runs on Linux and on Windows.
(cd "$salida/linux" && ctest --output-on-failure -R '^WindowsLinux\.')
