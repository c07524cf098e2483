#include "results/untReunirReporte.h"

#include <algorithm>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "comun/untVentanaProblema.h"
#include "turmado.h"
#include "results/untHojaReporte.h"
#include "results/untObservaciones.h"
#include "results/untPaginaGrafico.h"
#include "results/untVentanaIncertidumbre.h"

namespace {

// The text a control shows, found by its name: a label's or an option
// button's caption, an edit's text.  Empty when the window has no such
// control.
std::string Texto(const QWidget& ventana, const std::string& nombre) {
    const QWidget* w = ventana.findChild<QWidget*>(QString::fromStdString(nombre));
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text().toStdString();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text().toStdString();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text().toStdString();
    return {};
}

std::string Pestana(const QWidget& ventana, const std::string& pagina) {
    const auto* pestanas = ventana.findChild<QTabWidget*>("pgReplanteo");
    if (!pestanas) return {};
    for (int i = 0; i < pestanas->count(); ++i)
        if (pestanas->widget(i)->objectName() == QString::fromStdString(pagina))
            return pestanas->tabText(i).toStdString();
    return {};
}

// The rows the results page shows, top to bottom: the value edits that the
// page's show event left visible.
TSeccionControles ControlesResultados(const QWidget& pagina) {
    QList<QLineEdit*> valores;
    for (QLineEdit* e : pagina.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        if (!e->isHidden() && e->objectName().startsWith("edt")) valores.append(e);
    std::stable_sort(valores.begin(), valores.end(),
                     [](const QLineEdit* a, const QLineEdit* b) { return a->y() < b->y(); });
    TSeccionControles s{pagina.objectName().toStdString(), {}};
    for (const QLineEdit* e : valores) s.filas.push_back(ControlesDeTallo(e->objectName().mid(3).toStdString()));
    return s;
}

TSeccionReporte Seccion(const QWidget& ventana, const TSeccionControles& controles) {
    TSeccionReporte s{Pestana(ventana, controles.pagina), {}};
    for (const TControlesFila& f : controles.filas)
        s.filas.push_back({Texto(ventana, f.etiqueta), Texto(ventana, f.valor), Texto(ventana, f.unidad)});
    return s;
}

}  // namespace

namespace {

// The open uncertainty window of this calculation window whose study is
// the latest of its current problem; none when there is no such study.
const TfrmIncertidumbre* UltimoEstudio(IVentanaProblema& ventana) {
    const TfrmIncertidumbre* ultimo = nullptr;
    const TProblema problema = ventana.ProblemaActual();
    for (const TfrmIncertidumbre* v : ventana.Ventana().findChildren<TfrmIncertidumbre*>())
        if (v->Estudio() && v->Problema() == problema && (!ultimo || v->Orden() > ultimo->Orden())) ultimo = v;
    return ultimo;
}

}  // namespace

std::optional<TReporteIncertidumbre> EstudioIncertidumbre(IVentanaProblema& ventana, std::string fecha) {
    const TfrmIncertidumbre* ultimo = UltimoEstudio(ventana);
    if (!ultimo) return std::nullopt;
    return ultimo->Reporte(std::move(fecha));
}

TTextosReporte TextosReporte(IVentanaProblema& ventana, std::optional<QString> observaciones, bool detalle,
                             bool incertidumbre) {
    const TDatosProblema& d = ventana.Datos();
    const QWidget& w = ventana.Ventana();
    TTextosReporte textos;
    textos.titulo = Texto(w, "lblProbTipo");
    for (const TSeccionControles& s :
         ControlesEntradas(CalcularCodigo(IVentanaProblema::kEstructura, d), d.CodiProb, ventana.OpcionManning()))
        textos.secciones.push_back(Seccion(w, s));
    if (const auto* resultados = w.findChild<QWidget*>("tbshProblema"))
        textos.secciones.push_back(Seccion(w, ControlesResultados(*resultados)));
    if (observaciones) textos.observaciones = observaciones->toStdString();
    const std::string fecha = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
    textos.avisos = PaginaAvisos(d, ventana.Panel(), ventana.Textos(), ventana.ModeloGrafico(), fecha);
    // The chart printed as the user left the chart page.
    const auto* grafico = w.findChild<const TPaginaGrafico*>("tbshGrafico");
    if (textos.avisos && grafico) {
        textos.avisos->tiempoLog = grafico->chkTiempoLog->isChecked();
        for (int k = 0; k < 4; ++k) textos.avisos->ocultas[k] = grafico->SerieOculta(k);
    }
    if (detalle) textos.detalle = TDetalleReporte{DetalleCalculo(d, ventana.Panel(), ventana.OpcionManning()), fecha};
    if (incertidumbre)
        if (auto estudio = EstudioIncertidumbre(ventana, fecha))
            textos.incertidumbre = std::make_shared<const TReporteIncertidumbre>(std::move(*estudio));
    return textos;
}

void MostrarReporte(IVentanaProblema& ventana) {
    std::optional<QString> observaciones;
    bool detalle = false, incertidumbre = false;
    {
        TfrmObservaciones dialogo(&ventana.Ventana());
        dialogo.OfrecerIncertidumbre(UltimoEstudio(ventana) != nullptr);
        dialogo.exec();
        observaciones = dialogo.Observaciones();
        detalle = dialogo.IncluirDetalle();
        incertidumbre = dialogo.IncluirIncertidumbre();
    }
    TfrmReporte vista(TextosReporte(ventana, std::move(observaciones), detalle, incertidumbre), &ventana.Ventana());
    vista.exec();
}
