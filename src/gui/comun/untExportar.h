// The save dialog of an "Exportar...": one filter per format, and the
// format of the file chosen.
#pragma once

#include <optional>
#include <span>

#include <QString>

class QWidget;

struct TFormatoExportar {
    const char* filtro;     // "Imagen PNG (*.png)"
    const char* extension;  // "png"
};

struct TArchivoExportar {
    QString ruta;
    QString extension;  // one of the formats' extensions
};

// Asks for the file (objectName "dlgExportar", the first format at first,
// `sugerido` as the name when given).  The format is the name's extension
// when it is one of the formats, the chosen filter's otherwise.  Nothing
// when the user cancels.
std::optional<TArchivoExportar> ElegirArchivoExportar(QWidget* padre, const QString& titulo,
                                                      std::span<const TFormatoExportar> formatos,
                                                      const QString& sugerido = {});
