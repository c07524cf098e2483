// Every number of a problem record by field name, bit for bit: two records
// compare equal only when each double is the same to the last bit.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "problem/untDatos.h"

inline std::map<std::string, std::uint64_t> Registro(const TDatosProblema& d) {
    std::map<std::string, std::uint64_t> r;
    TDatosProblema::Recorrer(d, [&](const char* nombre, const double& v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        r[nombre] = bits;
    });
    return r;
}
