// The core's texts (UTF-8) as Qt strings.
#pragma once

#include <string_view>

#include <QString>

inline QString QTexto(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
