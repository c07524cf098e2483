// The report: the observations dialog, the page written as PDF and read back
// with poppler's tools, the print preview with "Guardar PDF...", and the
// texts gathered from a calculated window by "Reporte".
#include <cmath>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "entorno.h"
#include "resultados.h"
#include "results/untHojaReporte.h"
#include "results/untObservaciones.h"
#include "results/untPaginaGrafico.h"
#include "results/untReunirReporte.h"

namespace {

// Layout units (1/96 inch from the margins' corner) to PDF points, with the
// 10 mm margin.
constexpr double kMargen = 10 / 25.4 * 72;
double Puntos(int unidades) { return kMargen + unidades * 72.0 / 96.0; }

struct TPalabra {
    QString texto;
    double x0, y0, x1, y1;
};

struct TPdf {
    QString info;        // pdfinfo
    QString disposicion; // pdftotext -layout, first page
    QString fuentes;     // pdffonts
    QList<TPalabra> palabras;  // of the first page
    QString segunda;     // pdftotext of the second page, blanks and line ends as single blanks
    QString imagenes;    // pdfimages -list
};

QString Ejecutar(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString Desescapar(QString s) {
    return s.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'")
        .replace("&amp;", "&");
}

// The words of one page with their boxes (pdftotext -bbox), in the order
// the page draws them.
QList<TPalabra> Palabras(const QString& ruta, int pagina) {
    static const QRegularExpression palabra(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    const QString n = QString::number(pagina);
    const QString bbox = Ejecutar("pdftotext", {"-bbox", "-f", n, "-l", n, ruta, "-"});
    QList<TPalabra> palabras;
    for (auto m = palabra.globalMatch(bbox); m.hasNext();) {
        const auto p = m.next();
        palabras.append({Desescapar(p.captured(5)), p.captured(1).toDouble(), p.captured(2).toDouble(),
                         p.captured(3).toDouble(), p.captured(4).toDouble()});
    }
    return palabras;
}

int Paginas(const QString& ruta) {
    static const QRegularExpression paginas(R"(Pages:\s+(\d+)\n)");
    return paginas.match(Ejecutar("pdfinfo", {ruta})).captured(1).toInt();
}

TPdf LeerPdf(const QString& ruta) {
    TPdf pdf;
    pdf.info = Ejecutar("pdfinfo", {ruta});
    pdf.disposicion = Ejecutar("pdftotext", {"-layout", "-f", "1", "-l", "1", ruta, "-"});
    pdf.fuentes = Ejecutar("pdffonts", {ruta});
    if (pdf.info.contains(QRegularExpression(R"(Pages:\s+2\n)")))
        pdf.segunda = Ejecutar("pdftotext", {"-f", "2", "-l", "2", ruta, "-"}).simplified();
    pdf.imagenes = Ejecutar("pdfimages", {"-list", ruta});
    pdf.palabras = Palabras(ruta, 1);
    return pdf;
}

// The text of a box of the layout as the page prints it: the words inside
// the box, in order, with no blank between them.
QString TextoDeCaja(const QList<TPalabra>& palabras, const TItemReporte& caja) {
    QString t;
    for (const TPalabra& p : palabras)
        if (p.y0 > Puntos(caja.y) - 2 && p.y1 < Puntos(caja.y + caja.alto) + 0.5 && p.x0 > Puntos(caja.x) - 0.5 &&
            p.x1 < Puntos(caja.x + caja.ancho) + 0.5)
            t += p.texto;
    return t;
}

// Faults of the PDF against the layout of the texts: one A4 page (one more
// with the page of warnings, and those of the calculation detail; `cuantas`
// when the observations go on), fonts of the Arial family, every item of the first
// page with its words on its line and its left edge (or, right-aligned, its
// right edge) where the layout puts it, the observation's words inside the
// box.
QStringList Verificar(const TPdf& pdf, const TTextosReporte& textos, int cuantas = 0) {
    QStringList fallas;
    const QString paginas = QString::number(
        cuantas > 0 ? cuantas
                    : 1 + (textos.avisos ? 1 : 0) +
                          (textos.detalle ? int(DisponerPaginasDetalle(*textos.detalle, textos.titulo).size()) : 0));
    if (!pdf.info.contains(QRegularExpression(R"(Pages:\s+)" + paginas + R"(\n)")))
        fallas << "no tiene " + paginas + " página(s)";
    if (!pdf.info.contains(QRegularExpression(R"(Page size:\s+595(\.\d+)? x 84[12](\.\d+)? pts \(A4\))")))
        fallas << "la página no es A4 vertical";
    for (const QString& linea : pdf.fuentes.split('\n').mid(2)) {
        if (linea.trimmed().isEmpty()) continue;
        // The validity signs ◐ and ⚠ of the results, which Liberation Sans
        // lacks, come from DejaVu Sans.
        if (!linea.contains(QRegularExpression("LiberationSans|Arial|DejaVuSans")) || linea.contains("Serif"))
            fallas << "fuente inesperada: " + linea;
    }
    for (const TItemReporte& item : DisponerReporte(textos)) {
        const QStringList palabras =
            QString::fromStdString(item.texto).split(QRegularExpression(R"(\s+)"), Qt::SkipEmptyParts);
        if (palabras.isEmpty()) continue;
        const double arriba = Puntos(item.y);
        if (item.fuente == TFuenteReporte::Caja) {
            const double izq = Puntos(item.x), der = Puntos(item.x + item.ancho), abajo = Puntos(item.y + item.alto);
            const double pie = Puntos(kReporteAltoUtil - 26);  // the date and the title at the foot
            for (const TPalabra& p : pdf.palabras)
                if (p.y0 > arriba - 2 && p.y0 < pie - 2 && (p.x0 < izq - 0.5 || p.x1 > der + 0.5 || p.y1 > abajo + 0.5))
                    fallas << "fuera de la caja: " + p.texto;
            continue;
        }
        // Words of the item on its line, in order.
        QList<TPalabra> enLinea;
        int siguiente = 0;
        for (const TPalabra& p : pdf.palabras) {
            if (siguiente < palabras.size() && std::abs(p.y0 - arriba) < 3 && p.texto == palabras[siguiente]) {
                if (!enLinea.isEmpty() && p.x0 < enLinea.last().x1) continue;
                enLinea.append(p);
                ++siguiente;
            }
        }
        const QString texto = QString::fromStdString(item.texto);
        if (enLinea.size() != palabras.size()) {
            fallas << QString("falta \"%1\" a %2 pt").arg(texto).arg(arriba);
            continue;
        }
        const bool derecha = item.alineacion == TAlineacion::Derecha;
        const double borde = derecha ? enLinea.last().x1 : enLinea.first().x0;
        if (std::abs(borde - Puntos(item.x)) > 0.5)
            fallas << QString("\"%1\": borde %2 pt en lugar de %3 pt").arg(texto).arg(borde).arg(Puntos(item.x));
    }
    return fallas;
}

// The pier report as a window shows it after a calculation.
TTextosReporte ReportePila(std::optional<std::string> observaciones) {
    return {"Problema de la Pila",
            {{"Datos Globales",
              {{"Densidad", "1000", "[kg/m^3]"},
               {"Temperatura ambiente", "20", "[°C]"},
               {"Densidad", "2650", "[kg/m^3]"},
               {"Diámetro Medio (d50)", "0.5", "[mm]"},
               {"Aceleración Gravedad", "9.81", "[m/s^2]"},
               {"Caudal", "250", "[m^3/s]"},
               {"Ancho", "50", "[m]"},
               {"Coeficiente de Manning", "0.03", "[s/m^(1/3)]"}}},
             {"Datos Locales", {{"Tirante aguas arriba", "1.2", "[m]"}}},
             {"Datos de Estructura", {{"Ancho de la Pila", "5", "[m]"}, {"Longitud de la pila", "5", "[m]"}}},
             {"Datos Complementarios",
              {{"Diámetro 84%", "200", "[mm]"},
               {"Angulo de reposo", "", "[º]"},
               {"Factor de forma", "1", "[-]"},
               {"Factor de grupo", "1", "[-]"},
               {"Angulo de ataque", "0", "[º]"}}},
             {"Resultados",
              {{"Movilidad (Shields) Crítica", "0.0321", ""},
               {"Movilidad (Shields)", "0.4567", ""},
               {"Condición de transporte", "Lecho vivo", ""},
               {"Velocidad crítica de erosión", "0.38", "[m/s]"},
               {"Erosión máxima de equilibrio (Breusers)", "7.50", "[m]"},
               {"Longitud de falla crítica (Breusers)", "12.99", "[m]"},
               {"Erosión máxima de equilibrio (CSU)", "inactivo", "[m]"},
               {"Longitud de falla crítica (CSU)", "inactivo", "[m]"},
               {"Erosión máxima de equilibrio (Johnson)", "6.12", "[m]"},
               {"Longitud de falla crítica (Johnson)", "10.60", "[m]"}}}},
            std::move(observaciones),
            std::nullopt};
}

}  // namespace

class PruebaReporte : public QObject {
    Q_OBJECT
    TEntorno entorno;
    QTemporaryDir carpeta{"/tmp/reporte-XXXXXX"};

    QString Ruta(const QString& nombre) { return carpeta.filePath(nombre); }

    // A calculated problem on "Resultados"; without Manning the roughness
    // height 150 mm is chosen first.
    std::unique_ptr<TfrmProbTipo> Calculada(int feno, int obst, bool manning, const QString& textos) {
        auto v = std::make_unique<TfrmProbTipo>();
        v->show();
        if (!manning) {
            v->tbshNivel0->rbAltuRugoCauc->click();
            v->Campo("AltuRugoCauc")->setText("150");
        }
        ClasificarYCalcular(*v, feno, obst, textos);
        return v;
    }

private slots:
    void init() { entorno.Iniciar(); }
    void cleanup() { QVERIFY2(entorno.Terminar(), "diálogo modal inesperado"); }

    void DialogoObservaciones() {
        TfrmObservaciones dlg;
        QCOMPARE(dlg.objectName(), QString("frmObservaciones"));
        QCOMPARE(dlg.windowTitle(), QString("Ingrese Observaciones"));
        const Qt::WindowFlags f = dlg.windowFlags();
        QVERIFY(f & Qt::WindowCloseButtonHint);
        QVERIFY(!(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint)));
        QCOMPARE(dlg.mmObservaciones->objectName(), QString("mmObservaciones"));
        QCOMPARE(dlg.bbtnOk->objectName(), QString("bbtnOk"));
        QCOMPARE(dlg.bbtnCanc->objectName(), QString("bbtnCanc"));
        QVERIFY(dlg.ObservacionesTexto().isEmpty());
    }

    // Which observations the report gets from the dialog.
    void ReglasObservaciones_data() {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<int>("borrados");
        QTest::addColumn<QString>("cierre");  // "ok", "cancel" or "cruz"
        QTest::addColumn<bool>("hay");
        QTest::addColumn<QString>("texto");
        QTest::newRow("OK sin tocar") << "" << 0 << "ok" << false << "";
        QTest::newRow("OK tras escribir") << "Suelo arenoso" << 0 << "ok" << true << "Suelo arenoso";
        QTest::newRow("OK con dos líneas") << "Pila 1\nLecho móvil" << 0 << "ok" << true << "Pila 1\nLecho móvil";
        QTest::newRow("OK tras escribir y borrar") << "abc" << 3 << "ok" << true << "";
        QTest::newRow("Cancel tras escribir") << "abc" << 0 << "cancel" << false << "";
        QTest::newRow("cierre tras escribir") << "abc" << 0 << "cruz" << false << "";
    }
    void ReglasObservaciones() {
        QFETCH(QString, tecleado);
        QFETCH(int, borrados);
        QFETCH(QString, cierre);
        QFETCH(bool, hay);
        QFETCH(QString, texto);
        TfrmObservaciones dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // Typed key by key; accented letters go as key events with their text.
        for (const QChar c : tecleado) {
            if (c == '\n') QTest::keyClick(dlg.mmObservaciones, Qt::Key_Return);
            else QTest::sendKeyEvent(QTest::Click, dlg.mmObservaciones, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        for (int i = 0; i < borrados; ++i) QTest::keyClick(dlg.mmObservaciones, Qt::Key_Backspace);
        if (cierre == "ok") dlg.bbtnOk->click();
        else if (cierre == "cancel") dlg.bbtnCanc->click();
        else dlg.close();
        QVERIFY(!dlg.isVisible());
        const std::optional<QString> obtenidas = dlg.Observaciones();
        QCOMPARE(obtenidas.has_value(), hay);
        if (hay) QCOMPARE(*obtenidas, texto);
    }

    // The pier page with a two-line observation, read back from the PDF.
    void PdfPila() {
        const TTextosReporte textos = ReportePila("Pila sobre lecho de arena media.\nVerificar socavación general.");
        const QString ruta = Ruta("pila.pdf");
        QVERIFY(EscribirPdfReporte(ruta, textos));
        const TPdf pdf = LeerPdf(ruta);
        QVERIFY2(!pdf.palabras.isEmpty(), "pdftotext no leyó el archivo");
        const QStringList fallas = Verificar(pdf, textos);
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join('\n')));
        // One row of the layout reads caption, value and unit on one line.
        QVERIFY(pdf.disposicion.contains(QRegularExpression(R"(Coeficiente de Manning +0\.03 +\[s/m\^\(1/3\)\])")));
        QVERIFY(pdf.disposicion.contains(
            QRegularExpression(R"(Erosión máxima de equilibrio \(CSU\) +inactivo +\[m\])")));
        QVERIFY(pdf.disposicion.contains("Verificar socavación general."));
    }

    // A long observation wraps inside the box, which keeps its place and
    // size on the first page, and goes on on the next.
    void ObservacionLarga() {
        QString larga;
        for (int i = 1; i <= 200; ++i) larga += QString("palabra%1 ").arg(i);
        larga += QString(300, 'x');  // one word wider than the box
        const TTextosReporte textos = ReportePila(larga.toStdString());
        const QString ruta = Ruta("larga.pdf");
        QVERIFY(EscribirPdfReporte(ruta, textos));
        const TPdf pdf = LeerPdf(ruta);
        const QStringList fallas = Verificar(pdf, textos, 2);
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join('\n')));
        bool primera = false, ultima = false;
        for (const TPalabra& p : pdf.palabras) {
            primera = primera || p.texto == "palabra1";
            ultima = ultima || p.texto == "palabra200";
        }
        QVERIFY(primera);
        QVERIFY(!ultima);
        bool siguiente = false;
        for (const TPalabra& p : Palabras(ruta, 2)) siguiente = siguiente || p.texto == "palabra200";
        QVERIFY(siguiente);
    }

    // Nothing typed is lost: what the box of the first page cannot hold goes
    // on, under "Observaciones (continuación)", on as many pages as it
    // needs, right after the first page and before "Avisos y gráfico".  The
    // words of the boxes, page after page, are every character typed.
    void ObservacionesQueNoCaben_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("avisos");
        QTest::addColumn<int>("continuaciones");  // at least so many pages "Observaciones (continuación)"
        QStringList seis, largas;
        for (int i = 1; i <= 6; ++i) seis << QString("Nota %1").arg(i);
        for (int i = 1; i <= 25; ++i)
            largas << QString("Línea %1: el lecho de arena media se socava alrededor de la pila durante la crecida "
                              "de proyecto; verificar la socavación general y la protección del estribo.").arg(i);
        QTest::newRow("seis líneas cortas") << seis.join('\n') << false << 1;
        QTest::newRow("seis líneas y avisos") << seis.join('\n') << true << 1;
        QTest::newRow("25 líneas largas") << largas.join('\n') << true << 1;
        QTest::newRow("sin espacios") << QString("abcdefghijklmnopqrstuvwxyz0123456789").repeated(120) << false << 1;
        QTest::newRow("varias páginas") << QString(largas.join('\n') + '\n').repeated(4) << false << 3;
    }
    void ObservacionesQueNoCaben() {
        QFETCH(QString, texto);
        QFETCH(bool, avisos);
        QFETCH(int, continuaciones);
        TTextosReporte t = ReportePila(texto.toStdString());
        if (avisos) t.avisos = TPaginaAvisos{{}, {"Un aviso sobre los datos."}, std::nullopt, {}, "2025-05-05"};
        const QString ruta = Ruta("observaciones.pdf");
        QVERIFY(EscribirPdfReporte(ruta, t));
        const int paginas = Paginas(ruta);
        const int siguen = paginas - 1 - (avisos ? 1 : 0);
        QVERIFY2(siguen >= continuaciones, qPrintable(QString::number(siguen)));
        const QStringList fallas = Verificar(LeerPdf(ruta), t, paginas);
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join('\n')));

        QString leido = TextoDeCaja(Palabras(ruta, 1), DisponerReporte(t).back());
        const TItemReporte caja = DisponerContinuacionObservaciones("", t.titulo)[1];
        for (int n = 2; n <= 1 + siguen; ++n) {
            const QString pagina = Ejecutar("pdftotext", {"-f", QString::number(n), "-l", QString::number(n), ruta, "-"});
            QVERIFY2(pagina.startsWith("Observaciones (continuación)"), qPrintable(pagina));
            QVERIFY(pagina.contains("Problema de la Pila"));
            leido += TextoDeCaja(Palabras(ruta, n), caja);
        }
        QCOMPARE(leido, QString(texto).remove(QRegularExpression("\\s")));
        if (avisos) {
            const QString n = QString::number(paginas);
            QVERIFY(Ejecutar("pdftotext", {"-f", n, "-l", n, ruta, "-"}).startsWith("Avisos y gráfico"));
        }
        // The preview lays out the same pages.
        TfrmReporte vista(t, nullptr);
        auto* previa = vista.findChild<QPrintPreviewWidget*>();
        QVERIFY(previa);
        previa->updatePreview();
        QCOMPARE(previa->pageCount(), paginas);
    }

    // The texts of the report are those the window shows: the captions,
    // the edit texts as typed (an empty one included) and the units of the
    // input pages, the chosen roughness option as row 8, the results rows as
    // the page shows them ("inactivo" included); the PDF carries them all
    // where the layout puts them.
    void ReporteDeLaVentana_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<int>("obst");
        QTest::addColumn<bool>("manning");
        QTest::addColumn<QString>("textos");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QList<int>>("filas");
        QTest::addColumn<QStringList>("complementarias");  // "caption|value|unit"
        QTest::newRow("pila") << 1 << 1 << true << "EstrAnchPila=2.5;EstrFactFormKs=1;EstrFactGrup=1"
                              << "Problema de la Pila" << QList<int>{8, 1, 2, 5, 10}
                              << QStringList{"Diámetro 84%|200|[mm]", "Angulo de reposo||[º]",
                                             "Factor de forma (Ks)|1|[-]", "Factor de grupo|1|[-]",
                                             "Angulo de ataque|0|[º]"};
        QTest::newRow("estribo 212") << 1 << 0 << false
                                     << "EstrLongPlat=0.1;EstrFactCurv=1;EstrFactFormKs=0.75;EstrFactAngu=1.1"
                                        ";EstrFactPoro=0.9;EstrFactFormKb=0.8;EstrFactFormKl=0.7"
                                     << "Problema Estribo/Espigón" << QList<int>{8, 1, 3, 6, 8}
                                     << QStringList{"Factor de curvatura|1|[-]", "Factor de forma (Ks)|0.75|[-]",
                                                    "Factor de ángulo|1.1|[-]", "Factor de porosidad|0.9|[-]",
                                                    "Factor de forma (Kb)|0.8|[-]", "Factor de forma (Kl)|0.7|[-]"};
    }
    void ReporteDeLaVentana() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(bool, manning);
        QFETCH(QString, textos);
        QFETCH(QString, titulo);
        QFETCH(QList<int>, filas);
        QFETCH(QStringList, complementarias);
        const auto v = Calculada(feno, obst, manning, textos);
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        const TTextosReporte t = TextosReporte(*v, QString("Primera línea\nSegunda línea"));

        QCOMPARE(QString::fromStdString(t.titulo), titulo);
        QStringList encabezados;
        QList<int> cuantas;
        for (const TSeccionReporte& s : t.secciones) {
            encabezados << QString::fromStdString(s.titulo);
            cuantas << int(s.filas.size());
        }
        QCOMPARE(encabezados, QStringList({"Datos Globales", "Datos Locales", "Datos de Estructura",
                                           "Datos Complementarios", "Resultados"}));
        QCOMPARE(cuantas, filas);
        const auto Fila = [&](int s, int i) {
            const TFilaReporte& f = t.secciones[s].filas[i];
            return QString::fromStdString(f.etiqueta + "|" + f.valor + "|" + f.unidad);
        };
        QCOMPARE(Fila(0, 0), QString("Densidad|1000|[kg/m^3]"));
        QCOMPARE(Fila(0, 7), manning ? QString("Coeficiente de Manning|0.032|[s/m^(1/3)]")
                                     : QString("Altura de rugosidad|150|[mm]"));
        QCOMPARE(Fila(1, 0), QString("Tirante aguas arriba|%1|[m]").arg(v->Campo("FlujTiraRest")->text()));
        QStringList complementariasObtenidas;
        for (int i = 0; i < filas[3]; ++i) complementariasObtenidas << Fila(3, i);
        QCOMPARE(complementariasObtenidas, complementarias);
        // The results rows are the page's rows, top to bottom.
        const std::vector<TFilaVista> vistas = FilasVistas(*v->tbshProblema);
        QCOMPARE(int(vistas.size()), filas[4]);
        for (int i = 0; i < filas[4]; ++i)
            QCOMPARE(Fila(4, i), vistas[i].etiqueta + "|" + vistas[i].valor + "|" + vistas[i].unidad);
        QCOMPARE(Fila(4, 2).section('|', 0, 0), QString("Condición de transporte"));

        const QString ruta = Ruta(titulo.replace('/', '-') + ".pdf");
        QVERIFY(EscribirPdfReporte(ruta, t));
        const TPdf pdf = LeerPdf(ruta);
        const QStringList fallas = Verificar(pdf, t);
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join('\n')));
        QVERIFY(pdf.disposicion.contains(QString::fromStdString(t.titulo)));
        QVERIFY(pdf.disposicion.contains("Segunda línea"));
    }

    // "Reporte": the observations first, then the preview with them; OK on
    // an untouched box gives a report without observations; "Cancelar"
    // gives no report at all.
    void BotonReporte_data() {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<bool>("aceptar");
        QTest::addColumn<bool>("hay");
        QTest::newRow("OK con texto") << "Nota" << true << true;
        QTest::newRow("OK sin tocar") << "" << true << false;
        QTest::newRow("Cancel") << "Nota" << false << false;
    }
    void BotonReporte() {
        QFETCH(QString, tecleado);
        QFETCH(bool, aceptar);
        QFETCH(bool, hay);
        const auto v = Calculada(1, 1, true, "");
        std::optional<std::string> observaciones = std::string("(sin vista previa)");
        std::string titulo;
        entorno.EsperarModal([&](QWidget* w) {
            auto* dlg = qobject_cast<TfrmObservaciones*>(w);
            if (!dlg) {
                w->close();
                return;
            }
            QTest::keyClicks(dlg->mmObservaciones, tecleado);
            if (aceptar)
                entorno.EsperarModal([&](QWidget* w2) {
                    if (auto* vista = qobject_cast<TfrmReporte*>(w2)) {
                        observaciones = vista->Textos().observaciones;
                        titulo = vista->Textos().titulo;
                    }
                    w2->close();
                });
            (aceptar ? dlg->bbtnOk : dlg->bbtnCanc)->click();
        });
        v->tbshProblema->bbtnReporte->click();
        QVERIFY(!entorno.ModalPendiente());  // after Cancel, no preview came up either
        QCOMPARE(titulo, aceptar ? std::string("Problema de la Pila") : std::string());
        if (!aceptar) {
            QCOMPARE(observaciones, std::optional(std::string("(sin vista previa)")));
            QVERIFY(!v->Observaciones());  // nothing kept either
            return;
        }
        QCOMPARE(observaciones.has_value(), hay);
        if (hay) QCOMPARE(*observaciones, tecleado.toStdString());
    }

    // The second page "Avisos y gráfico": the narrow culvert of d50 2 mm,
    // whose formulas lie outside their ranges, whose d90 keeps the example's
    // 250 mm and which has curves, prints two A4 pages, the first one as
    // ever and the second with the formulas' states, the parameters outside,
    // the data warning, the chart drawn as vectors (its texts are text, no
    // picture in the file) and the date at the foot.
    void SegundaPaginaConAvisosYGrafico() {
        const auto v = Calculada(2, 0, true, "SediDiamMedi=2");
        QCOMPARE(v->Datos().CodiProb, 31);
        const TTextosReporte t = TextosReporte(*v, std::nullopt);
        QVERIFY(t.avisos.has_value());
        QCOMPARE(t.avisos->validez.size(), std::size_t(4));
        QCOMPARE(t.avisos->datos.size(), std::size_t(1));
        QVERIFY(!t.avisos->proteccion);
        QCOMPARE(QString::fromStdString(t.avisos->fecha), QDate::currentDate().toString("yyyy-MM-dd"));

        const QString ruta = Ruta("avisos.pdf");
        QVERIFY(EscribirPdfReporte(ruta, t));
        const TPdf pdf = LeerPdf(ruta);
        const QStringList fallas = Verificar(pdf, t);
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join('\n')));
        QVERIFY(Ejecutar("pdfinfo", {"-f", "2", "-l", "2", ruta})
                    .contains(QRegularExpression(R"(Page +2 size:\s+595(\.\d+)? x 84[12](\.\d+)? pts \(A4\))")));
        QVERIFY2(!pdf.disposicion.contains("Avisos y gráfico"), "the first page stays as it is");
        for (const QString& texto :
             {QString("Avisos y gráfico"), QString("Validez de las fórmulas"),
              QString("Rajaratnam y Berry: Datos fuera de los rangos de calibración y validación:"),
              QString("Breusers: Datos fuera del rango de calibración (la fórmula no tiene rango de validación):"),
              QString("Tirante = 1.2 m, calibración 0.61, validación 0.16/0.61"),
              QString("Avisos sobre los datos"),
              QString("\"Diámetro 90%\" = 250 mm es el valor del ejemplo, pero \"Diámetro Medio (d50)\" = 2 mm ya "
                      "no lo es: d90 y d50 deben ser de la misma granulometría."),
              QString("Erosión instantánea en el tiempo"), QString("tiempo (hs)"), QString("erosión (m)"),
              QString("Fecha: ") + QDate::currentDate().toString("yyyy-MM-dd"), QString("Problema Alcantarilla Angosta")})
            QVERIFY2(pdf.segunda.contains(texto), qPrintable(texto + "\n---\n" + pdf.segunda));
        // pdfimages -list prints two header lines and one line per picture.
        QCOMPARE(pdf.imagenes.trimmed().split('\n').size(), 2);

        // The preview lays out the same two pages.
        TfrmReporte vista(t, nullptr);
        auto* previa = vista.findChild<QPrintPreviewWidget*>();
        QVERIFY(previa);
        previa->updatePreview();
        QCOMPARE(previa->pageCount(), 2);
    }

    // The chart of the second page is the chart page as the user left it:
    // the time axis made logarithmic, the deepest curve hidden with a click
    // on its legend entry, or both (through the window), reach the report,
    // and each of them shows on the page: the page drawn with that change
    // undone differs.
    void GraficoComoLoDejoElUsuario_data() {
        QTest::addColumn<bool>("log");
        QTest::addColumn<bool>("ocultar");
        QTest::newRow("tiempo logarítmico") << true << false;
        QTest::newRow("curva oculta") << false << true;
        QTest::newRow("ambos") << true << true;
    }
    void GraficoComoLoDejoElUsuario() {
        QFETCH(bool, log);
        QFETCH(bool, ocultar);
        const auto v = Calculada(2, 0, true, "SediDiamMedi=2");
        QVERIFY(QTest::qWaitForWindowExposed(v.get()));
        QVERIFY(v->pgReplanteo->isTabVisible(TfrmProbTipo::kGrafico));
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGrafico);
        TPaginaGrafico& g = *v->tbshGrafico;
        auto Clic = [&](QWidget* w, QPoint p) {
            QTest::mouseClick(v->windowHandle(), Qt::LeftButton, {}, w->mapTo(v.get(), p));
        };
        if (log) Clic(g.chkTiempoLog, g.chkTiempoLog->rect().center());
        QCOMPARE(g.chkTiempoLog->isChecked(), log);
        int honda = 0;
        for (int k = 1; k < 4; ++k)
            if (v->Grafico().series[k].equilibrios.at(0) > v->Grafico().series[honda].equilibrios.at(0)) honda = k;
        if (ocultar) {
            g.chrtGrafico->replot();
            const QCPPlottableLegendItem* entrada = g.chrtGrafico->legend->itemWithPlottable(g.series[honda]);
            QVERIFY(entrada);
            Clic(g.chrtGrafico, entrada->rect().center());
        }
        QCOMPARE(g.SerieOculta(honda), ocultar);

        const TTextosReporte t = TextosReporte(*v, std::nullopt);
        QVERIFY(t.avisos);
        QCOMPARE(t.avisos->tiempoLog, log);
        for (int k = 0; k < 4; ++k) QCOMPARE(t.avisos->ocultas[k], ocultar && k == honda);
        auto Segunda = [&](const TTextosReporte& textos, const QString& nombre) {
            const QString ruta = Ruta(nombre);
            return EscribirPdfReporte(ruta, textos) ? LeerPdf(ruta).segunda : QString();
        };
        const QString segunda = Segunda(t, "vista.pdf");
        QVERIFY(segunda.contains("Erosión instantánea en el tiempo"));
        if (log) {
            TTextosReporte lineal = t;
            lineal.avisos->tiempoLog = false;
            QVERIFY2(Segunda(lineal, "lineal.pdf") != segunda, qPrintable(segunda));
        }
        if (ocultar) {
            TTextosReporte todas = t;
            todas.avisos->ocultas = {};
            QVERIFY2(Segunda(todas, "todas.pdf") != segunda, qPrintable(segunda));
        }
    }

    // A value typed and not yet left is what the window shows, so the report
    // prints it: the pier computed, the complementary tab and then the empty
    // "Angulo de reposo" clicked, "33" typed, and "Reporte" asked for with
    // the focus still in the field (the results still on show).
    void ValorTecleadoSinSalir() {
        const auto v = Calculada(1, 1, true, "EstrFactFormKs=1;EstrFactGrup=1");
        QVERIFY(QTest::qWaitForWindowExposed(v.get()));
        auto Clic = [&](QWidget* w, QPoint p) {
            QTest::mouseClick(v->windowHandle(), Qt::LeftButton, {}, w->mapTo(v.get(), p));
        };
        QTabBar* pestanas = v->pgReplanteo->tabBar();
        Clic(pestanas, pestanas->tabRect(TfrmProbTipo::kComplementaria).center());
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kComplementaria));
        QLineEdit* angulo = v->Campo("SediAnguRepo");
        QCOMPARE(angulo->text(), QString());
        Clic(angulo, angulo->rect().center());
        for (const char c : {'3', '3'}) QTest::keyClick(v->windowHandle(), c);
        QCOMPARE(QApplication::focusWidget(), angulo);
        QCOMPARE(angulo->text(), QString("33"));

        const TTextosReporte t = TextosReporte(*v, std::nullopt);
        QCOMPARE(t.secciones.size(), std::size_t(5));
        QStringList complementarias;
        for (const TFilaReporte& f : t.secciones[3].filas)
            complementarias << QString::fromStdString(f.etiqueta + "|" + f.valor + "|" + f.unidad);
        QCOMPARE(complementarias, QStringList({"Diámetro 84%|200|[mm]", "Angulo de reposo|33|[º]",
                                               "Factor de forma (Ks)|1|[-]", "Factor de grupo|1|[-]",
                                               "Angulo de ataque|0|[º]"}));
        QCOMPARE(QString::fromStdString(t.titulo), QString("Problema de la Pila"));
        QCOMPARE(int(t.secciones[4].filas.size()), int(FilasVistas(*v->tbshProblema).size()));
    }

    // The pier of d50 2 mm: the d84 warning on the second page, which has
    // no chart (no curve comes out of that sand); the pier of the example's
    // data without its factors (no formula active, so no curve) and with a
    // narrow grading (no gradation warning) keeps a one-page report.
    void PilaConYSinAvisos() {
        const auto v = Calculada(1, 1, true, "SediDiamMedi=2;EstrFactFormKs=1;EstrFactGrup=1");
        const TTextosReporte t = TextosReporte(*v, std::nullopt);
        QVERIFY(t.avisos.has_value());
        QVERIFY(!ConCurvas(t.avisos->grafico));
        const QString ruta = Ruta("pila-avisos.pdf");
        QVERIFY(EscribirPdfReporte(ruta, t));
        const TPdf pdf = LeerPdf(ruta);
        const QStringList fallas = Verificar(pdf, t);
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join('\n')));
        QVERIFY2(pdf.segunda.contains("\"Diámetro 84%\" = 200 mm es el valor del ejemplo"), qPrintable(pdf.segunda));
        QVERIFY(pdf.segunda.contains("Breusers: Rangos de calibración/validación no disponibles."));
        QVERIFY(!pdf.segunda.contains("Erosión instantánea en el tiempo"));

        const auto limpia = Calculada(1, 1, true, "SediDiam84N3=100");
        const TTextosReporte u = TextosReporte(*limpia, std::nullopt);
        QVERIFY(!u.avisos.has_value());
        const QString otra = Ruta("pila-limpia.pdf");
        QVERIFY(EscribirPdfReporte(otra, u));
        QVERIFY(LeerPdf(otra).info.contains(QRegularExpression(R"(Pages:\s+1\n)")));
    }

    // "Incluir el detalle del cálculo": unticked at first; the report gets
    // the detail only when the dialog closes with OK on the ticked box.
    void CasillaDetalle_data() {
        QTest::addColumn<bool>("marcar");
        QTest::addColumn<bool>("aceptar");
        QTest::addColumn<bool>("incluir");
        QTest::newRow("marcada y OK") << true << true << true;
        QTest::newRow("marcada y Cancel") << true << false << false;
        QTest::newRow("sin marcar y OK") << false << true << false;
    }
    void CasillaDetalle() {
        QFETCH(bool, marcar);
        QFETCH(bool, aceptar);
        QFETCH(bool, incluir);
        TfrmObservaciones dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.chkDetalle->objectName(), QString("chkDetalle"));
        QCOMPARE(dlg.chkDetalle->text(), QString("Incluir el detalle del cálculo"));
        QVERIFY(!dlg.chkDetalle->isChecked());
        QVERIFY(dlg.geometry().contains(dlg.chkDetalle->geometry().translated(dlg.geometry().topLeft())));
        if (marcar)
            QTest::mouseClick(dlg.windowHandle(), Qt::LeftButton, {},
                              dlg.chkDetalle->mapTo(&dlg, QPoint(8, dlg.chkDetalle->height() / 2)));
        QCOMPARE(dlg.chkDetalle->isChecked(), marcar);
        (aceptar ? dlg.bbtnOk : dlg.bbtnCanc)->click();
        QCOMPARE(dlg.IncluirDetalle(), incluir);
    }

    // "Reporte" with the box ticked: the pages "Detalle del cálculo" follow
    // the others, with the window's detail; unticked, the report has none.
    void ReporteConDetalle_data() {
        QTest::addColumn<bool>("marcar");
        QTest::newRow("con detalle") << true;
        QTest::newRow("sin detalle") << false;
    }
    void ReporteConDetalle() {
        QFETCH(bool, marcar);
        const auto v = Calculada(1, 1, true, "SediDiamMedi=5;SediDiam84N3=27;EstrAnchPila=1.8;EstrLongPila=8.8;"
                                             "EstrFactFormKs=1;EstrFactGrup=1");
        std::optional<TTextosReporte> textos;
        int paginasVista = 0;
        entorno.EsperarModal([&](QWidget* w) {
            auto* dlg = qobject_cast<TfrmObservaciones*>(w);
            if (!dlg) {
                w->close();
                return;
            }
            if (marcar)
                QTest::mouseClick(dlg->windowHandle(), Qt::LeftButton, {},
                                  dlg->chkDetalle->mapTo(dlg, QPoint(8, dlg->chkDetalle->height() / 2)));
            entorno.EsperarModal([&](QWidget* w2) {
                if (auto* vista = qobject_cast<TfrmReporte*>(w2)) {
                    textos = vista->Textos();
                    if (auto* previa = vista->findChild<QPrintPreviewWidget*>()) {
                        previa->updatePreview();
                        paginasVista = previa->pageCount();
                    }
                }
                w2->close();
            });
            dlg->bbtnOk->click();
        });
        v->tbshProblema->bbtnReporte->click();
        QVERIFY(!entorno.ModalPendiente());
        QVERIFY(textos.has_value());
        QCOMPARE(textos->detalle.has_value(), marcar);
        const int antes = 1 + (textos->avisos ? 1 : 0);
        if (!marcar) {
            QCOMPARE(paginasVista, antes);
            return;
        }
        QCOMPARE(textos->detalle->detalle.titulo, std::string("Problema de la Pila"));
        QCOMPARE(QString::fromStdString(TextoDetalle(textos->detalle->detalle)),
                 QString::fromStdString(TextoDetalle(DetalleCalculo(v->Datos(), v->Panel(), true))));
        QCOMPARE(QString::fromStdString(textos->detalle->fecha), QDate::currentDate().toString("yyyy-MM-dd"));
        const int detalle = int(DisponerPaginasDetalle(*textos->detalle, textos->titulo).size());
        QVERIFY(detalle >= 1);
        QCOMPARE(paginasVista, antes + detalle);

        const QString ruta = Ruta("detalle.pdf");
        QVERIFY(EscribirPdfReporte(ruta, *textos));
        const TPdf pdf = LeerPdf(ruta);
        const QStringList fallas = Verificar(pdf, *textos);
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join('\n')));
        QVERIFY2(!pdf.disposicion.contains("Detalle del cálculo"), "the first page stays as it is");
        const QString detallePdf = Ejecutar("pdftotext", {"-f", QString::number(antes + 1), ruta, "-"});
        for (const QString& texto :
             {QString("Detalle del cálculo"), QString("Cálculo común"), QString("Breusers"), QString("CSU"),
              QString("Johnson"), QString("Desviación geométrica de la granulometría: σ = d84 / d50 = 5.4"),
              QString("Factor combinado: K = Kg · Kθ · Kσ · Ks = 0.141421"),
              QString("Fecha: ") + QDate::currentDate().toString("yyyy-MM-dd")})
            QVERIFY2(detallePdf.contains(texto), qPrintable(texto + "\n---\n" + detallePdf));
    }

    // Every problem type's report, both pages as laid out (each text with its
    // place and face), equals the one kept in tests/gui/reportes: what this
    // program printed when the file was written.  A change in how the
    // report is gathered must not change a character of it; a deliberate
    // change of the report rewrites the files with TURMADO_ESCRIBIR_REPORTES=1
    // and shows in the diff.
    void ReportesDeCadaTipo_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<int>("obst");
        QTest::addColumn<QString>("textos");
        QTest::addColumn<int>("chorro");
        QTest::addColumn<bool>("manning");
        QTest::addColumn<int>("codigo");
        QTest::newRow("22 pila") << 1 << 1 << "EstrFactFormKs=1;EstrFactGrup=1;SediAnguRepo=30" << -1 << true << 22;
        QTest::newRow("31 alcantarilla angosta") << 2 << 0 << "SediDiam90N3=3" << -1 << false << 31;
        QTest::newRow("111 vórtice en escalón") << 0 << 0 << "" << -1 << true << 111;
        QTest::newRow("121 vórtice en apertura") << 0 << 1 << "CaucPoro=0.4;EstrCoefMannPlat=0.03" << -1 << true
                                                 << 121;
        QTest::newRow("122 alcantarilla ancha") << 0 << 1 << "EstrLongPlat=4" << -1 << true << 122;
        QTest::newRow("211 estribo protegido") << 1 << 0 << "" << -1 << true << 211;
        QTest::newRow("212 estribo") << 1 << 0 << "EstrLongPlat=0.5;EstrFactFormKb=0.8" << -1 << false << 212;
        QTest::newRow("1121 escalón") << 0 << 0 << "EstrLongPlat=4" << 1 << true << 1121;
        QTest::newRow("1122 chorro") << 0 << 0 << "EstrLongPlat=4;SediDiam90N3=2" << 0 << true << 1122;
    }
    void ReportesDeCadaTipo() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(QString, textos);
        QFETCH(int, chorro);
        QFETCH(bool, manning);
        QFETCH(int, codigo);
        auto v = std::make_unique<TfrmProbTipo>();
        v->show();
        if (!manning) {
            v->tbshNivel0->rbAltuRugoCauc->click();
            v->Campo("AltuRugoCauc")->setText("150");
        }
        ClasificarYCalcular(*v, feno, obst, textos, chorro);
        QCOMPARE(v->Datos().CodiProb, ProblemCode(codigo));
        TTextosReporte t = TextosReporte(*v, QString("Observación de prueba\nen dos líneas"));
        t.fecha = "2000-01-01";  // the day of the run is not the report's

        QString obtenido;
        const auto Escribir = [&](const std::vector<TItemReporte>& items) {
            for (const TItemReporte& i : items)
                obtenido += QString("%1 %2 %3 %4 %5 %6 | %7\n")
                                .arg(int(i.fuente))
                                .arg(int(i.alineacion))
                                .arg(i.x)
                                .arg(i.y)
                                .arg(i.ancho)
                                .arg(i.alto)
                                .arg(QString::fromStdString(i.texto).replace('\n', "\\n"));
        };
        obtenido += "-- página 1\n";
        Escribir(DisponerReporte(t));
        if (t.avisos) {
            t.avisos->fecha = "2000-01-01";  // the day of the run is not the report's
            obtenido += "-- página 2\n";
            const TDisposicionAvisos d = DisponerPaginaAvisos(*t.avisos, t.titulo);
            Escribir(d.items);
            for (const TSerie& s : t.avisos->grafico.series)
                obtenido += QString("serie %1: %2 puntos\n")
                                .arg(QString::fromStdString(s.titulo))
                                .arg(qsizetype(s.puntos.size()));
        }

        const QString ruta = QString(TURMADO_REPORTES) + QString("/%1.txt").arg(codigo);
        QFile archivo(ruta);
        if (qEnvironmentVariableIsSet("TURMADO_ESCRIBIR_REPORTES")) {
            QVERIFY(archivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
            archivo.write(obtenido.toUtf8());
            return;
        }
        QVERIFY2(archivo.open(QIODevice::ReadOnly), qPrintable(ruta));
        const QString esperado = QString::fromUtf8(archivo.readAll());
        const QStringList a = esperado.split('\n'), b = obtenido.split('\n');
        for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
            QVERIFY2(a[i] == b[i], qPrintable(QString("línea %1:\n  esperada %2\n  obtenida %3").arg(i + 1).arg(a[i], b[i])));
        QCOMPARE(b.size(), a.size());
    }

    void PdfEnRutaImposible() {
        QVERIFY(!EscribirPdfReporte(Ruta("no/existe/reporte.pdf"), ReportePila(std::nullopt)));
    }

    // The preview lays out one A4 portrait page with 10 mm margins and
    // offers "Guardar PDF...", which suggests the title and the date and
    // writes the same page.
    void VistaPrevia() {
        TfrmReporte vista(ReportePila("Nota"), nullptr);
        const QPageLayout pagina = vista.printer()->pageLayout();
        QCOMPARE(pagina.pageSize().id(), QPageSize::A4);
        QCOMPARE(pagina.orientation(), QPageLayout::Portrait);
        QCOMPARE(pagina.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
        auto* previa = vista.findChild<QPrintPreviewWidget*>();
        QVERIFY(previa);
        previa->updatePreview();
        QCOMPARE(previa->pageCount(), 1);

        QCOMPARE(vista.actGuardarPdf->text(), QString("Guardar PDF..."));
        auto* barra = vista.findChild<QToolBar*>();
        QVERIFY(barra && barra->actions().contains(vista.actGuardarPdf));
        const QString sugerido = "Problema de la Pila " + QDate::currentDate().toString("yyyy-MM-dd") + ".pdf";
        QCOMPARE(vista.NombreSugerido(), sugerido);

        const QString ruta = Ruta("guardado.pdf");
        QString propuesto;
        entorno.EsperarModal([&](QWidget* w) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            if (!dlg) {
                w->close();
                return;
            }
            propuesto = dlg->selectedFiles().value(0);
            // Typed as a user would: selectFile leaves a focused name box alone.
            auto* nombre = dlg->findChild<QLineEdit*>("fileNameEdit");
            if (!nombre) {
                w->close();
                return;
            }
            nombre->setText(ruta);
            static_cast<QDialog*>(dlg)->accept();
        });
        vista.actGuardarPdf->trigger();
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(QFileInfo(propuesto).fileName(), sugerido);
        const QStringList fallas = Verificar(LeerPdf(ruta), ReportePila("Nota"));
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join('\n')));
    }
};

QTEST_MAIN(PruebaReporte)
#include "test_reporte.moc"
