#include "comun/untExportar.h"

#include <algorithm>

#include <QFileDialog>
#include <QFileInfo>

std::optional<TArchivoExportar> ElegirArchivoExportar(QWidget* padre, const QString& titulo,
                                                      std::span<const TFormatoExportar> formatos,
                                                      const QString& sugerido) {
    QFileDialog dialogo(padre, titulo);
    dialogo.setObjectName("dlgExportar");
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filtros;
    for (const TFormatoExportar& f : formatos) filtros << f.filtro;
    dialogo.setNameFilters(filtros);
    dialogo.setDefaultSuffix(formatos.front().extension);
    if (!sugerido.isEmpty()) dialogo.selectFile(sugerido);
    auto extensionDe = [&](const QString& filtro) {
        for (const TFormatoExportar& f : formatos)
            if (filtro == f.filtro) return QString(f.extension);
        return QString(formatos.front().extension);
    };
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo,
                     [&](const QString& filtro) { dialogo.setDefaultSuffix(extensionDe(filtro)); });
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    const QString ruta = dialogo.selectedFiles().constFirst();
    QString extension = QFileInfo(ruta).suffix().toLower();
    if (std::none_of(formatos.begin(), formatos.end(),
                     [&](const TFormatoExportar& f) { return extension == f.extension; }))
        extension = extensionDe(dialogo.selectedNameFilter());
    return TArchivoExportar{ruta, extension};
}
