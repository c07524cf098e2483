// The core's texts (UTF-8) as Qt strings.
#pragma once

#include <string_view>

#include <QString>

inline QString QTexto(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// The state line of a study window whose calculation window was computed
// again (or changed) after the study shown: `estado` with the note that the
// study is of the earlier problem when `anterior`, without it otherwise (a
// note already there is replaced, never repeated).
inline constexpr const char* kNotaAnterior =
    "Se muestra el estudio del problema anterior: pulse «Calcular» para estudiar el problema actual.";
inline QString ConNotaAnterior(QString estado, bool anterior) {
    estado = estado.section(kNotaAnterior, 0, 0).trimmed();
    if (!anterior) return estado;
    return estado.isEmpty() ? QString(kNotaAnterior) : estado + " " + kNotaAnterior;
}
