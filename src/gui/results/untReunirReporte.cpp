#include "results/untReunirReporte.h"

#include <QDate>
#include <QWidget>

#include "comun/untVentanaProblema.h"
#include "turmado.h"
#include "results/untHojaReporte.h"
#include "results/untObservaciones.h"
#include "results/untVentanaIncertidumbre.h"

std::optional<TReporteIncertidumbre> EstudioIncertidumbre(IVentanaProblema& ventana, std::string fecha) {
    const TfrmIncertidumbre* ultimo = UltimoEstudio(ventana.Ventana(), ventana.ProblemaActual());
    if (!ultimo) return std::nullopt;
    return ultimo->Reporte(std::move(fecha));
}

TTextosReporte TextosReporte(IVentanaProblema& ventana, std::optional<QString> observaciones, bool detalle,
                             bool incertidumbre) {
    // What the window holds at this moment: the texts as typed (a value
    // typed and not yet left included), the option, the view.
    const TTextosCampos textos = ventana.Textos();
    const TVistaVentana vista = ventana.Vista();
    const std::string fecha = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
    TTextosReporte reporte = ReporteDelProblema({.datos = ventana.Datos(),
                                                 .panel = ventana.Panel(),
                                                 .textos = textos,
                                                 .manning = ventana.OpcionManning(),
                                                 .resultados = vista.resultados,
                                                 .grafico = ventana.ModeloGrafico(),
                                                 .tiempoLog = vista.tiempoLog,
                                                 .ocultas = vista.ocultas,
                                                 .observaciones = observaciones
                                                                      ? std::optional(observaciones->toStdString())
                                                                      : std::nullopt,
                                                 .detalle = detalle,
                                                 .fecha = fecha});
    if (incertidumbre)
        if (auto estudio = EstudioIncertidumbre(ventana, fecha))
            reporte.incertidumbre = std::make_shared<const TReporteIncertidumbre>(std::move(*estudio));
    return reporte;
}

void MostrarReporte(IVentanaProblema& ventana, std::optional<QString>& guardadas) {
    std::optional<QString> observaciones;
    bool detalle = false, incertidumbre = false;
    {
        TfrmObservaciones dialogo(&ventana.Ventana());
        if (guardadas) dialogo.FijarObservaciones(*guardadas);
        dialogo.OfrecerIncertidumbre(UltimoEstudio(ventana.Ventana(), ventana.ProblemaActual()) != nullptr);
        if (dialogo.exec() != QDialog::Accepted) return;
        observaciones = dialogo.Observaciones();
        const std::optional<QString> nuevas =
            observaciones && !observaciones->isEmpty() ? observaciones : std::nullopt;
        if (nuevas != guardadas) {
            guardadas = nuevas;
            ventana.Ventana().setWindowModified(true);
        }
        detalle = dialogo.IncluirDetalle();
        incertidumbre = dialogo.IncluirIncertidumbre();
    }
    TfrmReporte vista(TextosReporte(ventana, std::move(observaciones), detalle, incertidumbre), &ventana.Ventana());
    vista.exec();
}
