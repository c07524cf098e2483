# Writes SALIDA, a C++ source whose function FUNCION() returns the bytes of
# ENTRADA as a std::string_view: a data file built into the program.
#   cmake -DENTRADA=... -DSALIDA=... -DFUNCION=... -P incrustar.cmake
file(READ "${ENTRADA}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       bytes "${bytes}")
get_filename_component(nombre "${ENTRADA}" NAME)
file(WRITE "${SALIDA}.tmp"
     "// Built from ${nombre} by cmake/incrustar.cmake.\n#include <string_view>\n\n"
     "namespace {\nconst unsigned char kBytes[] = {\n${bytes}};\n}  // namespace\n\n"
     "std::string_view ${FUNCION}() { return {reinterpret_cast<const char*>(kBytes), sizeof kBytes}; }\n")
file(COPY_FILE "${SALIDA}.tmp" "${SALIDA}" ONLY_IF_DIFFERENT)
file(REMOVE "${SALIDA}.tmp")
