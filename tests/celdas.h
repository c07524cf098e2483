// The cells of a line of the program's CSV output, for the tests that read
// it back: cells split at `sep` outside quotes, quoted cells unquoted ("" is
// a quote).
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> CeldasCsv(const std::string& linea, char sep = ',') {
    std::vector<std::string> r(1);
    bool citada = false;
    for (std::size_t i = 0; i < linea.size(); ++i) {
        const char c = linea[i];
        if (citada && c == '"' && i + 1 < linea.size() && linea[i + 1] == '"') {
            r.back() += '"';
            ++i;
        } else if (c == '"') {
            citada = !citada;
        } else if (c == sep && !citada) {
            r.emplace_back();
        } else {
            r.back() += c;
        }
    }
    return r;
}
