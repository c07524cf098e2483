// The chart page "Grafico" of the calculation window: what it shows of the
// chart model, the log time axis, the readout under the mouse and the
// exports.
#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "comun/untGrupoRadio.h"
#include "entorno.h"
#include "libro.h"
#include "pickers/untPaginaComplementaria.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "resultados.h"
#include "results/untGraficoTexto.h"
#include "results/untPaginaGrafico.h"

class PruebaGrafico : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TfrmProbTipo> v;
    TPaginaGrafico* g = nullptr;

    // The wizard up to "Datos Complementarios" of the narrow culvert (code
    // 31), whose default data draw four curves of 5000 points.
    void IrAlCodigo31() {
        v->tbshNivel0->btnN0->click();
        v->rg0->Item(2)->click();
        v->btnContAfue01->click();
        v->tbshNivel1->btnN1->click();
        v->rg02->Item(0)->click();
        v->btnContAfue12->click();
        v->tbshNivel2->btnN2->click();
        QCOMPARE(v->Datos().CodiProb, 31);
    }
    void Calcular() { v->tbshNivel3->btnN3->click(); }

    // Where the blue of series (d), its dashed line and its legend entry
    // lie in a picture, as fractions of its width and height.
    static QRectF CajaAzul(const QImage& imagen) {
        int x0 = imagen.width(), y0 = imagen.height(), x1 = -1, y1 = -1;
        for (int y = 0; y < imagen.height(); ++y)
            for (int x = 0; x < imagen.width(); ++x) {
                const QColor c = imagen.pixelColor(x, y);
                if (c.blue() < 180 || c.red() > 90 || c.green() > 90) continue;
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
        if (x1 < 0) return {};
        return QRectF(double(x0) / imagen.width(), double(y0) / imagen.height(), double(x1 - x0) / imagen.width(),
                      double(y1 - y0) / imagen.height());
    }

    // A click on a series' legend entry, sent to the window as the window
    // system would.
    void ClicEnLeyenda(int k) {
        QCPAbstractLegendItem* entrada = g->chrtGrafico->legend->itemWithPlottable(g->series[k]);
        QVERIFY(entrada);
        QWidget* ventana = v->window();
        QTest::mouseClick(ventana->windowHandle(), Qt::LeftButton, {},
                          g->chrtGrafico->mapTo(ventana, entrada->rect().center()));
    }

    // The largest depth of the curves and equilibrium lines shown, and the
    // largest time of the curves shown.
    std::pair<double, double> MaximosVisibles() {
        double t = 0, y = 0;
        for (int k = 0; k < 4; ++k) {
            if (!g->series[k]->visible()) continue;
            for (const QCPGraphData& d : *g->series[k]->data()) t = std::max(t, d.key), y = std::max(y, d.value);
        }
        for (const QCPItemStraightLine* l : g->equilibrios)
            if (l->visible()) y = std::max(y, l->point1->coords().y());
        return {t, y};
    }
    void MostrarGrafico() {
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGrafico);
        g->chrtGrafico->replot();
    }

    // The graph's points against the model's, the model's sorted by time
    // when it holds more than one copy of a curve.
    static void CompararConModelo(const QCPGraph* grafo, std::vector<TPunto> puntos, bool soloPositivos) {
        std::stable_sort(puntos.begin(), puntos.end(), [](const TPunto& a, const TPunto& b) { return a.x < b.x; });
        if (soloPositivos) std::erase_if(puntos, [](const TPunto& p) { return !(p.x > 0); });
        QCOMPARE(grafo->dataCount(), int(puntos.size()));
        auto it = grafo->data()->constBegin();
        for (std::size_t i = 0; i < puntos.size(); ++i, ++it) {
            if (it->key != puntos[i].x || it->value != puntos[i].y)
                QFAIL(qPrintable(QString("point %1: (%2, %3) against (%4, %5)")
                                     .arg(i)
                                     .arg(it->key)
                                     .arg(it->value)
                                     .arg(puntos[i].x)
                                     .arg(puntos[i].y)));
        }
    }

private slots:
    void init() {
        entorno.Iniciar();
        v = std::make_unique<TfrmProbTipo>();
        g = v->tbshGrafico;
        v->show();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
    }
    void cleanup() {
        v.reset();
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
        QVERIFY(entorno.mensajes.isEmpty());
        QVERIFY(entorno.errores.isEmpty());
    }

    void Configuracion() {
        QCOMPARE(g->objectName(), QString("tbshGrafico"));
        QCOMPARE(g->chrtGrafico->objectName(), QString("chrtGrafico"));
        QCOMPARE(g->titulo->text(), QString("Erosión instantánea en el tiempo"));
        QVERIFY(g->titulo->font().bold());
        QCOMPARE(g->ejeTiempo->label(), QString("tiempo (hs)"));
        QCOMPARE(g->ejeErosion->label(), QString("erosión (m)"));
        QVERIFY(g->chrtGrafico->legend->visible());
        QCOMPARE(g->chrtGrafico->legend->itemCount(), 0);  // nothing drawn yet
        const QColor colores[4] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(64, 0, 64), QColor(0, 0, 255)};
        const QStringList titulos{"(a)", "(b)", "(c)", "(d)"};
        for (int k = 0; k < 4; ++k) {
            QCPGraph* s = g->series[k];
            QCOMPARE(s->objectName(), QString("sr%1").arg(k + 1));
            QCOMPARE(s->pen().color(), colores[k]);
            QCOMPARE(s->name(), titulos[k]);
            QCOMPARE(s->lineStyle(), QCPGraph::lsLine);
            QVERIFY(s->scatterStyle().isNone());
        }
        QCOMPARE(g->ejeTiempo->scaleType(), QCPAxis::stLinear);
        QCOMPARE(g->ejeTiempo->range().lower, 0.0);
        QCOMPARE(g->ejeErosion->range().lower, 0.0);
        QVERIFY(!g->chkTiempoLog->isChecked());
        QCOMPARE(g->chkTiempoLog->text(), QString("Tiempo en escala logarítmica"));
        QCOMPARE(g->btnExportar->text(), QString("Exportar..."));
        // Tick labels without pointless decimals.
        QVERIFY(g->ejeTiempo->numberFormat().startsWith('g'));
        QVERIFY(g->ejeErosion->numberFormat().startsWith('g'));
    }

    // After one and after two presses of "Calcular": the points, titles and
    // equilibrium lines of the model, both axes from 0 holding all of them.
    void PuntosDelModelo() {
        IrAlCodigo31();
        for (int pulsacion = 1; pulsacion <= 2; ++pulsacion) {
            Calcular();
            QVERIFY(v->pgReplanteo->isTabVisible(TfrmProbTipo::kGrafico));
            MostrarGrafico();
            const TGrafico& m = v->Grafico();
            double maxX = 0, maxY = 0;
            for (int k = 0; k < 4; ++k) {
                const TSerie& serie = m.series[k];
                QCOMPARE(serie.puntos.size(), std::size_t(pulsacion) * 5000);
                CompararConModelo(g->series[k], serie.puntos, false);
                if (QTest::currentTestFailed()) return;
                QCOMPARE(g->series[k]->name(), QString::fromStdString(serie.titulo));
                for (const TPunto& p : serie.puntos) maxX = std::max(maxX, p.x);
                maxY = std::max(maxY, serie.equilibrios.front());
            }
            QCOMPARE(g->series[0]->name(), QString("Rajaratnam y Berry"));
            // One dashed line per curve at its equilibrium depth, in its
            // colour, outside the legend; a copy of a curve adds none.
            QCOMPARE(int(g->equilibrios.size()), 4);
            for (int k = 0; k < 4; ++k) {
                const QCPItemStraightLine* l = g->equilibrios[k];
                QCOMPARE(l->point1->coords().y(), m.series[k].equilibrios.front());
                QCOMPARE(l->point2->coords().y(), m.series[k].equilibrios.front());
                QCOMPARE(l->pen().color(), g->series[k]->pen().color());
                QCOMPARE(l->pen().style(), Qt::DashLine);
            }
            QCOMPARE(g->chrtGrafico->legend->itemCount(), 4);
            QCOMPARE(g->ejeTiempo->range().lower, 0.0);
            QCOMPARE(g->ejeTiempo->range().upper, maxX);
            QCOMPARE(g->ejeErosion->range().lower, 0.0);
            QVERIFY(g->ejeErosion->range().upper >= maxY);  // every equilibrium line is in view
        }
    }

    // A problem whose every depth stays within the flow depth draws no
    // curve: the chart's tab still appears and says why in the chart's
    // place, naming each formula's depth; a calculation with curves shows
    // the chart again.
    void SinCurvasDiceElPorque() {
        IrAlCodigo31();
        for (const auto& [nombre, texto] : {std::pair{"FlujTiraRest", "60"}, {"EstrCantAper", "5000"}})
            v->Campo(nombre)->setText(texto);
        Calcular();
        QVERIFY(v->pgReplanteo->isTabVisible(TfrmProbTipo::kGrafico));
        MostrarGrafico();
        QVERIFY(g->lblSinCurvas->isVisible());
        QVERIFY(!g->chrtGrafico->isVisible());
        const QString texto = g->lblSinCurvas->text();
        QVERIFY2(texto.startsWith("Sin curvas de evolución: "), qPrintable(texto));
        QCOMPARE(texto, QString::fromStdString(TextoSinCurvas(v->Grafico(), 60)));

        for (const auto& [nombre, texto] : {std::pair{"FlujTiraRest", "1.2"}, {"EstrCantAper", "250"}})
            v->Campo(nombre)->setText(texto);
        Calcular();
        MostrarGrafico();
        QVERIFY(!g->lblSinCurvas->isVisible());
        QVERIFY(g->chrtGrafico->isVisible());
        QVERIFY(g->series[0]->dataCount() > 0);
    }

    // An accepted change of a field empties the chart and its lines.
    void CambioDeCampoLimpia() {
        IrAlCodigo31();
        Calcular();
        MostrarGrafico();
        QVERIFY(g->series[0]->dataCount() > 0);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kLocal);
        QLineEdit* e = v->Campo("FlujTiraRest");
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClicks(e, "1.5");
        v->pgReplanteo->findChild<QTabBar*>()->setFocus(Qt::MouseFocusReason);
        QVERIFY(!v->pgReplanteo->isTabVisible(TfrmProbTipo::kGrafico));
        for (const QCPGraph* s : g->series) QCOMPARE(s->dataCount(), 0);
        QVERIFY(g->equilibrios.empty());
        QCOMPARE(g->chrtGrafico->itemCount(), 0);
        QCOMPARE(g->series[0]->name(), QString("Rajaratnam y Berry"));  // titles stay
    }

    // The log time axis keeps every point at t > 0 and starts at the first
    // of them; unchecking restores the linear axis with every point.
    void TiempoLogaritmico() {
        IrAlCodigo31();
        Calcular();
        Calcular();
        MostrarGrafico();
        const TGrafico& m = v->Grafico();
        g->chkTiempoLog->click();
        QCOMPARE(g->ejeTiempo->scaleType(), QCPAxis::stLogarithmic);
        QVERIFY(g->ejeTiempo->ticker().dynamicCast<QCPAxisTickerLog>());
        double minX = 1e300;
        for (int k = 0; k < 4; ++k) {
            CompararConModelo(g->series[k], m.series[k].puntos, true);
            if (QTest::currentTestFailed()) return;
            QCOMPARE(g->series[k]->dataCount(), 2 * (5000 - 1));  // the two points at t = 0 left out
            minX = std::min(minX, g->series[k]->data()->constBegin()->key);
        }
        QCOMPARE(g->ejeTiempo->range().lower, minX);
        QVERIFY(minX > 0);
        // A third press while in log time: the new copy shows without t = 0.
        Calcular();
        QCOMPARE(g->series[0]->dataCount(), 3 * (5000 - 1));
        g->chkTiempoLog->click();
        QCOMPARE(g->ejeTiempo->scaleType(), QCPAxis::stLinear);
        QVERIFY(!g->ejeTiempo->ticker().dynamicCast<QCPAxisTickerLog>());
        QCOMPARE(g->ejeTiempo->range().lower, 0.0);
        for (int k = 0; k < 4; ++k) {
            CompararConModelo(g->series[k], m.series[k].puntos, false);
            if (QTest::currentTestFailed()) return;
        }
    }

    // The readout names the nearest point of the nearest curve; outside the
    // plotting area, or after leaving the chart, it is empty.
    void Lectura_data() {
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("y");
        QTest::addColumn<QPoint>("desvio");  // pixels from the point (t, y)
        QTest::addColumn<QString>("texto");
        QTest::newRow("sobre (b)") << 2.0 << 0.6 << QPoint(0, 0) << "(b): t = 2.000 hs, erosión = 0.600 m";
        QTest::newRow("cerca de (b)") << 1.0 << 0.5 << QPoint(3, -2) << "(b): t = 1.000 hs, erosión = 0.500 m";
        QTest::newRow("entre curvas, más cerca de (a)")
            << 1.0 << 0.34 << QPoint(0, 0) << "Curva a: t = 1.000 hs, erosión = 0.300 m";
        QTest::newRow("fuera del área") << 0.0 << 0.0 << QPoint(-40, 30) << "";
    }
    void Lectura() {
        QFETCH(double, t);
        QFETCH(double, y);
        QFETCH(QPoint, desvio);
        QFETCH(QString, texto);
        TGrafico& m = v->Grafico();
        m.Serie(1).titulo = "Curva a";
        m.Serie(1).puntos = {{0, 0}, {1, 0.3}, {2, 0.35}};
        m.Serie(2).puntos = {{0, 0}, {1, 0.5}, {2, 0.6}};
        m.pestanaVisible = true;
        v->RefrescarGrafico();
        MostrarGrafico();
        const QPoint pixel =
            QPointF(g->ejeTiempo->coordToPixel(t), g->ejeErosion->coordToPixel(y)).toPoint() + desvio;
        QTest::mouseMove(g->chrtGrafico, pixel);
        QTRY_COMPARE(g->lblLectura->text(), texto);
        if (texto.isEmpty()) return;
        QEvent salir(QEvent::Leave);
        QApplication::sendEvent(g->chrtGrafico, &salir);
        QCOMPARE(g->lblLectura->text(), QString());
    }

    // A double click after a zoom shows the whole data again.
    void DobleClicMuestraTodo() {
        IrAlCodigo31();
        Calcular();
        MostrarGrafico();
        const QCPRange tiempos = g->ejeTiempo->range(), erosiones = g->ejeErosion->range();
        g->ejeTiempo->setRange(10, 20);
        g->ejeErosion->setRange(1, 2);
        QTest::mouseDClick(g->chrtGrafico, Qt::LeftButton, {}, g->chrtGrafico->axisRect()->rect().center());
        QCOMPARE(g->ejeTiempo->range(), tiempos);
        QCOMPARE(g->ejeErosion->range(), erosiones);
    }

    // A click on a legend entry hides that curve and its equilibrium line
    // and greys the entry; the axes then fit the curves shown, so that the
    // deepest no longer sets the scale.  A second click shows it again, and
    // a new "Calcular" shows every curve.
    void ClicEnLeyendaOcultaLaCurva() {
        IrAlCodigo31();
        Calcular();
        MostrarGrafico();
        const QCPRange todas = g->ejeErosion->range();
        int honda = 0;
        for (int k = 0; k < 4; ++k)
            if (v->Grafico().series[k].equilibrios.front() > v->Grafico().series[honda].equilibrios.front()) honda = k;
        QVERIFY(todas.upper >= v->Grafico().series[honda].equilibrios.front());

        ClicEnLeyenda(honda);
        QTRY_VERIFY(g->SerieOculta(honda));
        QVERIFY(!g->series[honda]->visible());
        for (const QCPItemStraightLine* l : g->equilibrios)
            QCOMPARE(l->visible(), l->objectName() != QString("equilibrio%1").arg(honda + 1));
        QVERIFY(g->chrtGrafico->legend->itemWithPlottable(g->series[honda])->textColor() != Qt::black);
        QCOMPARE(g->chrtGrafico->legend->itemCount(), 4);  // the entry stays, to show it again
        const auto [tiempo, erosion] = MaximosVisibles();
        QCOMPARE(g->ejeErosion->range().lower, 0.0);
        QVERIFY(g->ejeErosion->range().upper >= erosion);
        QVERIFY(g->ejeErosion->range().upper < 1.1 * erosion);
        QVERIFY(g->ejeErosion->range().upper < todas.upper);
        QCOMPARE(g->ejeTiempo->range().upper, tiempo);

        ClicEnLeyenda(honda);
        QTRY_VERIFY(!g->SerieOculta(honda));
        QVERIFY(g->series[honda]->visible());
        for (const QCPItemStraightLine* l : g->equilibrios) QVERIFY(l->visible());
        QCOMPARE(g->chrtGrafico->legend->itemWithPlottable(g->series[honda])->textColor(), QColor(Qt::black));
        QCOMPARE(g->ejeErosion->range(), todas);

        // Hidden again, then a new "Calcular": every curve back.
        ClicEnLeyenda(honda);
        QTRY_VERIFY(g->SerieOculta(honda));
        Calcular();
        MostrarGrafico();
        for (int k = 0; k < 4; ++k) {
            QVERIFY(!g->SerieOculta(k));
            QVERIFY(g->series[k]->visible());
        }
        for (const QCPItemStraightLine* l : g->equilibrios) QVERIFY(l->visible());
        QCOMPARE(g->ejeErosion->range(), todas);
    }

    // A hidden curve is not read under the mouse; a double click fits the
    // axes to the curves shown.
    void CurvaOcultaNoSeLee() {
        TGrafico& m = v->Grafico();
        m.Serie(1).titulo = "Curva a";
        m.Serie(1).puntos = {{0, 0}, {1, 0.3}, {2, 0.35}};
        m.Serie(2).puntos = {{0, 0}, {1, 0.5}, {4, 0.6}};
        m.pestanaVisible = true;
        v->RefrescarGrafico();
        MostrarGrafico();
        g->AlternarSerie(1);
        g->ejeTiempo->setRange(0.5, 0.7);
        QTest::mouseDClick(g->chrtGrafico, Qt::LeftButton, {}, g->chrtGrafico->axisRect()->rect().center());
        QCOMPARE(g->ejeTiempo->range(), QCPRange(0, 2));
        QVERIFY(g->ejeErosion->range().upper < 0.4);
        const QPoint pixel = QPointF(g->ejeTiempo->coordToPixel(2), g->ejeErosion->coordToPixel(0.36)).toPoint();
        QTest::mouseMove(g->chrtGrafico, pixel);
        QTRY_COMPARE(g->lblLectura->text(), QString("Curva a: t = 2.000 hs, erosión = 0.350 m"));
    }

    // The legend lists only what the chart draws: the pier with factors 1
    // draws curves for CSU and Johnson, Breusers' 0.57 m lies below the
    // 1.2 m depth and gets its dashed line alone, the fourth slot is
    // "inactivo" and leaves the legend.
    void LeyendaConLoQueSeDibuja() {
        ClasificarYCalcular(*v, 1, 1, "EstrFactFormKs=1;EstrFactGrup=1");
        MostrarGrafico();
        QStringList entradas;
        for (int k = 0; k < 4; ++k) {
            if (!g->chrtGrafico->legend->hasItemWithPlottable(g->series[k])) continue;
            entradas << g->series[k]->name();
            const bool linea = std::any_of(g->equilibrios.begin(), g->equilibrios.end(), [&](QCPItemStraightLine* l) {
                return l->objectName() == QString("equilibrio%1").arg(k + 1) && l->visible();
            });
            QVERIFY2(g->series[k]->dataCount() > 0 || linea, qPrintable(g->series[k]->name()));
        }
        QCOMPARE(entradas, QStringList({"Breusers", "CSU", "Johnson"}));
        QCOMPARE(g->series[0]->dataCount(), 0);
    }

    // The legend leaves out the slots that are not active and have no curve:
    // the pier draws three curves, its fourth slot is "inactivo".
    void LeyendaSinRanurasInactivas() {
        ClasificarYCalcular(*v, 1, 1);
        QCOMPARE(v->Datos().CodiProb, 22);
        MostrarGrafico();
        QStringList entradas;
        for (int i = 0; i < g->chrtGrafico->legend->itemCount(); ++i)
            entradas << static_cast<QCPPlottableLegendItem*>(g->chrtGrafico->legend->item(i))->plottable()->name();
        QStringList esperadas;
        for (const TSerie& s : v->Grafico().series)
            if (s.titulo != "inactivo") esperadas << QString::fromStdString(s.titulo);
        QCOMPARE(entradas, esperadas);
        QVERIFY(!entradas.contains("inactivo"));
        QCOMPARE(v->Grafico().Serie(4).titulo, std::string("inactivo"));
    }

    // Each format is written and reads back: PNG and SVG as pictures of the
    // chart's size, PDF as a PDF file, CSV as the core's text of the model,
    // a workbook with the same table, its units and frozen header rows.
    void Exportar_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("formato");
        QTest::newRow("png") << "grafico.png" << "";
        QTest::newRow("svg") << "grafico.SVG" << "";
        QTest::newRow("pdf") << "grafico.pdf" << "";
        QTest::newRow("csv") << "curvas.csv" << "";
        QTest::newRow("csv por formato") << "curvas.txt" << "csv";
        QTest::newRow("xlsx") << "curvas.XLSX" << "";
        QTest::newRow("xlsx por formato") << "curvas.dat" << "xlsx";
    }
    void Exportar() {
        QFETCH(QString, nombre);
        QFETCH(QString, formato);
        IrAlCodigo31();
        Calcular();
        MostrarGrafico();
        g->chkTiempoLog->click();
        QTemporaryDir dir;
        const QString ruta = dir.filePath(nombre);
        QVERIFY(g->Exportar(ruta, formato));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const QString tipo = formato.isEmpty() ? QFileInfo(nombre).suffix().toLower() : formato;
        if (tipo == "png") {
            // Print resolution: the chart as on screen, scaled up whole, so
            // that the curves sit where they sit on screen and the letters
            // grow with the picture.
            const QImage imagen = QImage::fromData(bytes, "PNG");
            QVERIFY(!imagen.isNull());
            const QSize pantalla = g->chrtGrafico->size();
            QCOMPARE(imagen.width(), TPaginaGrafico::kAnchoPng);
            QCOMPARE(imagen.height(), qRound(pantalla.height() * double(imagen.width()) / pantalla.width()));
            QCOMPARE(qRound(imagen.dotsPerMeterX() * 0.0254), 300);
            const QRectF azulPng = CajaAzul(imagen);
            const QImage enPantalla = g->chrtGrafico->toPixmap(pantalla.width(), pantalla.height()).toImage();
            const QRectF azulPantalla = CajaAzul(enPantalla);
            QVERIFY(!azulPantalla.isEmpty());
            for (auto [png, vista] : {std::pair{azulPng.left(), azulPantalla.left()},
                                      std::pair{azulPng.right(), azulPantalla.right()},
                                      std::pair{azulPng.top(), azulPantalla.top()},
                                      std::pair{azulPng.bottom(), azulPantalla.bottom()}})
                QVERIFY2(std::abs(png - vista) < 0.01, qPrintable(QString("%1 against %2").arg(png).arg(vista)));
        } else if (tipo == "svg") {
            QSvgRenderer svg(bytes);
            QVERIFY(svg.isValid());
            QCOMPARE(svg.viewBox(), QRect(QPoint(0, 0), g->chrtGrafico->size()));
            QVERIFY(bytes.contains("Erosi"));  // the title is drawn as text
        } else if (tipo == "pdf") {
            QVERIFY(bytes.startsWith("%PDF-"));
            QVERIFY(bytes.trimmed().endsWith("%%EOF"));
        } else if (tipo == "xlsx") {
            QVERIFY(bytes.startsWith("PK\x03\x04"));
            const QString hoja = MiembroZip(ruta, "xl/worksheets/sheet1.xml");
            QVERIFY(TieneTexto(hoja, "Rajaratnam y Berry: tiempo (hs)"));
            QVERIFY(TieneTexto(hoja, "Rajaratnam y Berry: erosión (m)"));
            QVERIFY(TieneTexto(hoja, "hs"));  // the units' row
            QCOMPARE(hoja.count("<row "), 2 + 5000);
            QVERIFY(hoja.contains(R"(ySplit="2" topLeftCell="A3" activePane="bottomLeft" state="frozen")"));
            QVERIFY(!hoja.contains(R"(<c r="A3" t=)"));  // the first time is a number
            const QString procedencia = MiembroZip(ruta, "xl/worksheets/sheet2.xml");
            QVERIFY(TieneTexto(procedencia, "turmado"));
            QVERIFY(procedencia.contains("<t>Exportar... ("));
            QVERIFY(TieneTexto(procedencia, "Problema Alcantarilla Angosta"));
        } else {
            QCOMPARE(bytes, QByteArray::fromStdString(CsvGrafico(v->Grafico())));
            QCOMPARE(bytes.count('\n'), 1 + 5000);
            QVERIFY(bytes.startsWith("Rajaratnam y Berry: tiempo (hs),Rajaratnam y Berry: erosión (m),"));
        }
    }

    void ExportarFalla_data() {
        QTest::addColumn<QString>("nombre");
        QTest::newRow("png en carpeta inexistente") << "no/existe/grafico.png";
        QTest::newRow("svg en carpeta inexistente") << "no/existe/grafico.svg";
        QTest::newRow("pdf en carpeta inexistente") << "no/existe/grafico.pdf";
        QTest::newRow("csv en carpeta inexistente") << "no/existe/curvas.csv";
        QTest::newRow("xlsx en carpeta inexistente") << "no/existe/curvas.xlsx";
        QTest::newRow("formato desconocido") << "grafico.txt";
    }
    void ExportarFalla() {
        QFETCH(QString, nombre);
        QTemporaryDir dir;
        QVERIFY(!g->Exportar(dir.filePath(nombre)));
        QVERIFY(!QFile::exists(dir.filePath(nombre)));
    }

    // "Exportar..." through its file dialog: the format of the typed
    // extension, or of the chosen filter when the name has none of the five.
    void BotonExportar_data() {
        QTest::addColumn<QString>("nombre");  // typed in the dialog
        QTest::addColumn<QString>("filtro");  // the filter chosen; empty: the first (PNG)
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QByteArray>("comienzo");  // first bytes of the file
        const QString csv = "Curvas CSV (*.csv)", libro = "Libro de Excel (*.xlsx)";
        QTest::newRow("sin extensión, filtro CSV") << "curvas" << csv << "curvas.csv" << QByteArray("Rajaratnam");
        QTest::newRow("extensión pdf, filtro PNG") << "grafico.pdf" << "" << "grafico.pdf" << QByteArray("%PDF-");
        QTest::newRow("extensión ajena, filtro CSV")
            << "curvas.txt" << csv << "curvas.txt" << QByteArray("Rajaratnam");
        QTest::newRow("sin extensión, filtro PNG") << "grafico" << "" << "grafico.png" << QByteArray("\x89PNG");
        QTest::newRow("sin extensión, filtro Excel") << "curvas" << libro << "curvas.xlsx" << QByteArray("PK\x03\x04");
        QTest::newRow("extensión xlsx, filtro PNG") << "curvas.xlsx" << "" << "curvas.xlsx" << QByteArray("PK\x03\x04");
    }
    void BotonExportar() {
        QFETCH(QString, nombre);
        QFETCH(QString, filtro);
        QFETCH(QString, archivo);
        QFETCH(QByteArray, comienzo);
        IrAlCodigo31();
        Calcular();
        MostrarGrafico();
        QTemporaryDir dir;
        QString propuesto;
        entorno.EsperarModal([&](QWidget* modal) {
            auto* d = qobject_cast<QFileDialog*>(modal);
            QVERIFY(d);
            propuesto = QFileInfo(d->selectedFiles().value(0)).fileName();
            QCOMPARE(d->nameFilters(), QStringList({"Imagen PNG (*.png)", "Imagen SVG (*.svg)", "Documento PDF (*.pdf)",
                                                    "Curvas CSV (*.csv)", "Libro de Excel (*.xlsx)"}));
            if (!filtro.isEmpty()) {  // the user goes down the list to the format
                auto* formatos = d->findChild<QComboBox*>("fileTypeCombo");
                QVERIFY(formatos);
                QTest::keyClick(formatos, Qt::Key_Home);
                for (int i = 0; i < formatos->count() && formatos->currentText() != filtro; ++i)
                    QTest::keyClick(formatos, Qt::Key_Down);
                QCOMPARE(d->selectedNameFilter(), filtro);
            }
            d->selectFile(dir.filePath(nombre));
            static_cast<QDialog*>(d)->accept();  // QFileDialog::accept, which checks the name
        });
        g->btnExportar->click();
        QVERIFY(!entorno.ModalPendiente());
        // The problem's title and the date, in the first format.
        QCOMPARE(propuesto, "Problema Alcantarilla Angosta " + QDate::currentDate().toString("yyyy-MM-dd") + ".png");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{archivo});
        QFile f(dir.filePath(archivo));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith(comienzo));
        if (filtro.contains("CSV")) QCOMPARE(bytes, QByteArray::fromStdString(CsvGrafico(v->Grafico())));
        if (archivo.endsWith(".xlsx"))
            QVERIFY(TieneTexto(MiembroZip(dir.filePath(archivo), "xl/worksheets/sheet1.xml"),
                               "Rajaratnam y Berry: erosión (m)"));
    }
};

QTEST_MAIN(PruebaGrafico)
#include "test_grafico.moc"
