# Cross-building for 64-bit Windows with Debian's MinGW-w64 compiler (the
# posix threads flavour, which std::thread and std::mutex need).  Everything
# is linked statically, so the programs need no DLL besides the system ones.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows-mingw64.cmake \
#         -DCMAKE_FIND_ROOT_PATH=<prefix holding GoogleTest and nlohmann_json> -DTURMADO_GUI=OFF
#
# The tests run under wine (tools/windows.sh does all of it).  They name
# programs and files by their absolute Linux paths, which wine reads on its
# drive Z:, the Unix root, when the current folder is there.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and packages only from the MinGW tree and the prefixes given on
# the command line, never the Linux ones of the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian keeps the wine64 runner in wine's own folder, off the PATH.
find_program(TURMADO_WINE wine64 PATHS /usr/lib/wine)
if(TURMADO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TURMADO_WINE})
endif()
