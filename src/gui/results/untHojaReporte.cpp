#include "results/untHojaReporte.h"

#include <algorithm>

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QTextLayout>
#include <QToolBar>

#include <qcustomplot.h>

#include "comun/untMensajes.h"
#include "results/untPaginaGrafico.h"
#include "results/untVentanaIncertidumbre.h"

namespace {

constexpr qreal kUnidadesPorPulgada = 96;

QFont Fuente(const QString& familia, qreal puntos, QFont::Weight peso) {
    QFont f(familia);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(puntos);
    f.setWeight(peso);
    return f;
}

// Word-wrapped text inside the box, whole lines only; returns the text from
// the first line that did not fit on (empty when all of it did).
QString PintarCaja(QPainter& p, const QFont& fuente, const QRectF& caja, QString texto) {
    texto.replace("\r\n", "\n").replace('\r', '\n').replace('\n', QChar::LineSeparator);
    QTextLayout capa(texto, fuente, p.device());
    QTextOption opcion;
    opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    capa.setTextOption(opcion);
    std::vector<QTextLine> lineas;
    qsizetype corte = texto.size();
    qreal y = 0;
    capa.beginLayout();
    for (QTextLine linea = capa.createLine(); linea.isValid(); linea = capa.createLine()) {
        linea.setLineWidth(caja.width());
        if (y + linea.height() > caja.height()) {  // cut at the box's height
            corte = linea.textStart();
            break;
        }
        linea.setPosition(QPointF(0, y));
        y += linea.height();
        lineas.push_back(linea);
    }
    capa.endLayout();
    for (const QTextLine& linea : lineas) linea.draw(&p, caja.topLeft());
    QString resto = texto.mid(corte).replace(QChar::LineSeparator, '\n');
    // Blank lines where the page breaks are not worth a page of their own.
    return resto.trimmed().isEmpty() ? QString() : resto;
}

// A chart font in the report's face, its size and weight kept, sized in
// layout units (1/96 inch) instead of points, so that the painter's scale
// from layout units to the device sizes it like the lines.
QFont EnUnidades(const QFont& grafico) {
    QFont f = FuenteReporte(TFuenteReporte::Normal);
    f.setWeight(grafico.weight());
    const qreal puntos = grafico.pointSizeF() > 0 ? grafico.pointSizeF() : 9;
    f.setPixelSize(qRound(puntos * kUnidadesPorPulgada / 72));
    return f;
}

// Paints a chart as vectors into the rectangle (layout units), its texts
// in the report's face.
void PintarQCustomPlot(QCPPainter& p, QCustomPlot& grafico, const TRectReporte& r) {
    for (int i = 0; i < grafico.plotLayout()->elementCount(); ++i)
        if (auto* texto = qobject_cast<QCPTextElement*>(grafico.plotLayout()->elementAt(i)))
            texto->setFont(EnUnidades(texto->font()));
    for (QCPAxis* eje : grafico.axisRect()->axes()) {
        eje->setLabelFont(EnUnidades(eje->labelFont()));
        eje->setTickLabelFont(EnUnidades(eje->tickLabelFont()));
    }
    grafico.legend->setFont(EnUnidades(grafico.legend->font()));
    for (int i = 0; i < grafico.legend->itemCount(); ++i)
        grafico.legend->item(i)->setFont(EnUnidades(grafico.legend->item(i)->font()));
    for (int i = 0; i < grafico.itemCount(); ++i)
        if (auto* texto = qobject_cast<QCPItemText*>(grafico.item(i))) texto->setFont(EnUnidades(texto->font()));

    const QPaintDevice* d = p.device();
    const qreal kx = d->logicalDpiX() / kUnidadesPorPulgada;
    const qreal ky = d->logicalDpiY() / kUnidadesPorPulgada;
    const QCPPainter::PainterModes modos = p.modes();
    p.save();
    p.translate(r.x * kx, r.y * ky);
    p.scale(kx, ky);
    // Hairlines become lines of one layout unit: a cosmetic pen would be one
    // device dot, invisible on paper.
    p.setModes(QCPPainter::pmVectorized | QCPPainter::pmNoCaching | QCPPainter::pmNonCosmetic);
    grafico.toPainter(&p, r.ancho, r.alto);
    p.restore();
    p.setModes(modos);
}

// The evolution chart of the model, as the chart page draws it (its time
// scale and hidden curves as the user left them).
void PintarGrafico(QCPPainter& p, const TPaginaAvisos& avisos, const TRectReporte& r) {
    TPaginaGrafico pagina(avisos.grafico);
    pagina.EscalaLogaritmica(avisos.tiempoLog);
    for (int k = 0; k < 4; ++k)
        if (avisos.ocultas[k]) pagina.AlternarSerie(k);
    PintarQCustomPlot(p, *pagina.chrtGrafico, r);
}

// The exceedance curves of the uncertainty study, as its window draws them.
void PintarExcedencia(QCPPainter& p, const TReporteIncertidumbre& estudio, const TRectReporte& r) {
    QCustomPlot grafico;
    PrepararGraficoExcedencia(grafico);
    DibujarExcedencia(grafico, estudio.curvas, estudio.fundacion, estudio.logaritmica);
    PintarQCustomPlot(p, grafico, r);
}

}  // namespace

QFont FuenteReporte(TFuenteReporte rol) {
    switch (rol) {
        case TFuenteReporte::Titulo: {
            static const bool arialBlack = QFontDatabase::families().contains("Arial Black");
            return arialBlack ? Fuente("Arial Black", 16, QFont::Normal) : Fuente("Arial", 16, QFont::Black);
        }
        case TFuenteReporte::Encabezado: return Fuente("Arial", 10, QFont::Bold);
        case TFuenteReporte::Normal:
        case TFuenteReporte::Caja: break;
    }
    return Fuente("Arial", 10, QFont::Normal);
}

void PrepararPagina(QPagedPaintDevice& dispositivo) {
    dispositivo.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                          QPageLayout::Millimeter));
}

QString PintarReporte(QPainter& p, const std::vector<TItemReporte>& items) {
    QString resto;
    const QPaintDevice* d = p.device();
    const qreal kx = d->logicalDpiX() / kUnidadesPorPulgada;
    const qreal ky = d->logicalDpiY() / kUnidadesPorPulgada;
    p.save();
    p.setPen(Qt::black);
    for (const TItemReporte& item : items) {
        const QFont fuente = FuenteReporte(item.fuente);
        const QString texto = QString::fromStdString(item.texto);
        if (item.fuente == TFuenteReporte::Caja) {
            resto += PintarCaja(p, fuente, QRectF(item.x * kx, item.y * ky, item.ancho * kx, item.alto * ky), texto);
            continue;
        }
        if (texto.isEmpty()) continue;
        p.setFont(fuente);
        const QFontMetricsF medida(p.font(), d);
        qreal x = item.x * kx;
        if (item.alineacion == TAlineacion::Derecha) x -= medida.horizontalAdvance(texto);
        p.drawText(QPointF(x, item.y * ky + medida.ascent()), texto);
    }
    p.restore();
    return resto;
}

void PintarPaginas(QCPPainter& p, QPagedPaintDevice& dispositivo, const TTextosReporte& textos) {
    QString resto = PintarReporte(p, DisponerReporte(textos));
    while (!resto.isEmpty()) {
        dispositivo.newPage();
        const QString antes = resto;
        resto = PintarReporte(p, DisponerContinuacionObservaciones(resto.toStdString(), textos.titulo));
        // A page holds many lines; a text that did not get shorter would
        // never end (it cannot happen, but paper is no place to find out).
        if (resto.size() >= antes.size()) break;
    }
    if (textos.avisos) {
        dispositivo.newPage();
        const TDisposicionAvisos segunda = DisponerPaginaAvisos(*textos.avisos, textos.titulo);
        PintarReporte(p, segunda.items);
        if (segunda.grafico) PintarGrafico(p, *textos.avisos, *segunda.grafico);
    }
    if (textos.incertidumbre) {
        dispositivo.newPage();
        const TDisposicionAvisos pagina = DisponerPaginaIncertidumbre(*textos.incertidumbre, textos.titulo);
        PintarReporte(p, pagina.items);
        if (pagina.grafico) PintarExcedencia(p, *textos.incertidumbre, *pagina.grafico);
    }
    if (textos.detalle) {
        for (const std::vector<TItemReporte>& pagina : DisponerPaginasDetalle(*textos.detalle, textos.titulo)) {
            dispositivo.newPage();
            PintarReporte(p, pagina);
        }
    }
}

bool EscribirPdfReporte(const QString& ruta, const TTextosReporte& textos) {
    QPdfWriter pdf(ruta);
    PrepararPagina(pdf);
    pdf.setTitle(QString::fromStdString(textos.titulo));
    pdf.setCreator("TURMADO");
    QCPPainter p;
    if (!p.begin(&pdf)) return false;
    PintarPaginas(p, pdf, textos);
    return p.end();
}

TfrmReporte::TfrmReporte(TTextosReporte textos, QWidget* owner)
    : QPrintPreviewDialog(owner), textos_(std::move(textos)) {
    setObjectName("frmReporte");
    setWindowTitle("Reporte");
    // Tall enough to read the whole page at once.
    if (QScreen* pantalla = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect libre = pantalla->availableGeometry();
        resize(std::min(900, libre.width() * 9 / 10), libre.height() * 9 / 10);
    }
    printer()->setDocName(QString::fromStdString(textos_.titulo));
    PrepararPagina(*printer());
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* impresora) {
        QCPPainter p(impresora);
        PintarPaginas(p, *impresora, textos_);
    });

    actGuardarPdf = new QAction(QIcon::fromTheme("document-save"), "Guardar PDF...", this);
    actGuardarPdf->setObjectName("actGuardarPdf");
    connect(actGuardarPdf, &QAction::triggered, this, &TfrmReporte::actGuardarPdfClick);
    if (auto* barra = findChild<QToolBar*>()) {
        barra->addSeparator();
        barra->addAction(actGuardarPdf);
    }
}

QString TfrmReporte::NombreSugerido() const {
    const QString fecha = QDate::currentDate().toString("yyyy-MM-dd");
    return QString::fromStdString(NombreArchivoReporte(textos_.titulo, fecha.toStdString()));
}

void TfrmReporte::actGuardarPdfClick() {
    QFileDialog dialogo(this, "Guardar PDF");
    dialogo.setObjectName("dlgGuardarPdf");
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilter("Documentos PDF (*.pdf)");
    dialogo.setDefaultSuffix("pdf");
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (carpeta.isEmpty() || !QDir(carpeta).exists()) carpeta = QDir::homePath();
    dialogo.setDirectory(carpeta);
    dialogo.selectFile(NombreSugerido());
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return;
    const QString ruta = dialogo.selectedFiles().constFirst();
    if (!EscribirPdfReporte(ruta, textos_)) MostrarMensaje(this, "No se pudo escribir el archivo " + ruta + ".");
}
