#include "comun/untExportar.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QSvgGenerator>
#include <qcustomplot.h>

#include "comun/untTexto.h"
#include "turmado.h"

std::optional<TArchivoExportar> ElegirArchivoExportar(QWidget* padre, const QString& titulo,
                                                      std::span<const TFormatoExportar> todos,
                                                      const QString& sugerido) {
    std::vector<TFormatoExportar> ofrecidos;
    for (const TFormatoExportar& f : todos)
        if (LibroDisponible() || std::string_view(f.extension) != kFormatoLibro.extension) ofrecidos.push_back(f);
    const std::span<const TFormatoExportar> formatos = ofrecidos;
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

QString NombreSugeridoGrafico(const QString& titulo) {
    const std::string fecha = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
    return QTexto(NombreArchivoGrafico(titulo.toStdString(), fecha));
}

bool ExportarGrafico(QCustomPlot& grafico, const QString& ruta, const QString& extension, const QString& titulo,
                     const std::function<std::string()>& csv, TPng png, const TProcedencia& procedencia,
                     const std::function<std::vector<THojaLibro>()>& hojas) {
    if (extension == "png") {
        if (png.ancho <= 0) return grafico.savePng(ruta);
        const double escala = double(png.ancho) / std::max(1, grafico.width());
        return grafico.savePng(ruta, grafico.width(), grafico.height(), escala, -1, png.puntosPorPulgada,
                               QCP::ruDotsPerInch);
    }
    if (extension == "pdf") return grafico.savePdf(ruta, 0, 0, QCP::epAllowCosmetic, "turmado", titulo);
    if (extension == "svg") {
        QSvgGenerator svg;
        svg.setFileName(ruta);
        svg.setSize(grafico.size());
        svg.setResolution(grafico.logicalDpiX());  // the same size as on screen
        svg.setViewBox(QRect(QPoint(0, 0), grafico.size()));
        svg.setTitle(titulo);
        QCPPainter pintor;
        if (!pintor.begin(&svg)) return false;
        grafico.toPainter(&pintor, grafico.width(), grafico.height());
        return pintor.end();
    }
    if (extension == kFormatoLibro.extension) {
        try {
            TProcedencia otras{{"Orden", "Exportar... (" + titulo.toStdString() + ")"}};
            otras.insert(otras.end(), procedencia.begin(), procedencia.end());
            EscribirLibro(QFile::encodeName(ruta).toStdString(), csv(), Procedencia("turmado", std::move(otras)),
                          hojas ? hojas() : std::vector<THojaLibro>{});
            return true;
        } catch (const ErrorEscritura&) {
            return false;
        }
    }
    if (extension == "csv") {
        QSaveFile archivo(ruta);
        if (!archivo.open(QIODevice::WriteOnly)) return false;
        const std::string texto = csv();
        archivo.write(texto.data(), qint64(texto.size()));
        return archivo.commit();
    }
    return false;
}
