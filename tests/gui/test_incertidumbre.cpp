// The uncertainty window opened from the results page of a computed pier:
// the discharge drawn lognormal (CV 0.3) gives one exceedance curve per
// formula and the envelope and the core's table for the same seed, leaves
// the calculation window's record as it was; "Cancelar" stops a long study;
// every text the window rejects ends in its message; the report gets the
// page of the study when the box is ticked, and offers it only while the
// study is of the window's problem.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "app/Main.h"
#include "comun/untTexto.h"
#include "../registro.h"
#include "entorno.h"
#include "libro.h"
#include "resultados.h"
#include "results/untHojaReporte.h"
#include "results/untObservaciones.h"
#include "results/untPaginaGrafico.h"
#include "results/untVentanaIncertidumbre.h"

namespace {

QWindow* Ventana(QWidget* w) { return w->window()->windowHandle(); }

// A click as the window system delivers it: to the top-level window.
void Clic(QWidget* w) { QTest::mouseClick(Ventana(w), Qt::LeftButton, {}, w->mapTo(w->window(), w->rect().center())); }

// A click on a cell of a table, at `x` from its left edge (its centre when negative).
void ClicCelda(QTableWidget* t, int fila, int columna, int x = -1) {
    const QRect r = t->visualRect(t->model()->index(fila, columna));
    const QPoint p(x < 0 ? r.center().x() : r.left() + x, r.center().y());
    QTest::mouseClick(Ventana(t), Qt::LeftButton, {}, t->viewport()->mapTo(t->window(), p));
}

void Teclear(QWidget* w, const QString& texto) {
    for (QChar c : texto) QTest::keyClick(Ventana(w), c.toLatin1());
}

// Replaces a cell's text as a user does: a click on it, the keys (the first
// opens the editor over the whole text), Enter.
void EscribirCelda(QTableWidget* t, int fila, int columna, const QString& texto) {
    ClicCelda(t, fila, columna);
    if (texto.isEmpty()) {
        QTest::keyClick(Ventana(t), Qt::Key_F2);
        QTest::keyClick(Ventana(t), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Ventana(t), Qt::Key_Delete);
    } else {
        Teclear(t, texto);
    }
    QTest::keyClick(Ventana(t), Qt::Key_Return);
}

void Escribir(QLineEdit* e, const QString& texto) {
    Clic(e);
    QTest::keyClick(Ventana(e), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Ventana(e), Qt::Key_Delete);
    Teclear(e, texto);
}

// Picks the distribution of an input's row with the keyboard: a click opens
// the list, the arrows move in it, Enter takes the item.
bool ElegirDistribucion(TfrmIncertidumbre* s, int fila, const QString& nombre) {
    auto* combo = qobject_cast<QComboBox*>(s->tblEntradas->cellWidget(fila, kColDistribucion));
    const int destino = combo ? combo->findText(nombre) : -1;
    if (destino < 0) return false;
    Clic(combo);
    QWidget* lista = QApplication::activePopupWidget();
    if (!lista) return false;
    for (int i = 0; i < combo->count() && combo->view()->currentIndex().row() != destino; ++i)
        QTest::keyClick(lista->windowHandle(), combo->view()->currentIndex().row() < destino ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(lista->windowHandle(), Qt::Key_Return);
    return combo->currentIndex() == destino;
}

bool Esperar(TfrmIncertidumbre* s) {
    QSignalSpy terminado(s, &TfrmIncertidumbre::Terminado);
    Clic(s->btnCalcular);
    return terminado.count() == 1 || terminado.wait(60000);
}

}  // namespace

class PruebaIncertidumbre : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TMainForm> principal;
    QPointer<TfrmProbTipo> v;

    // The uncertainty window of the computed pier, opened with its button.
    TfrmIncertidumbre* Abrir() {
        AbrirYCalcular(*v, 1, 1, "EstrFactFormKs=1;EstrFactGrup=1;SediAnguRepo=30");
        QPushButton* boton = v->tbshProblema->bbtnIncertidumbre;
        if (!boton->isVisible()) return nullptr;
        Clic(boton);
        auto* s = v->findChild<TfrmIncertidumbre*>();
        if (s && !QTest::qWaitForWindowExposed(s)) return nullptr;
        return s;
    }

    // The discharge added with "Agregar" (the field the list starts on), its
    // CV typed, the number of samples typed.
    bool CaudalLognormal(TfrmIncertidumbre* s, const QString& cv, const QString& muestras) {
        if (s->cmbCampo->currentData().toString() != "FlujCaud") return false;
        Clic(s->btnAgregar);
        if (s->tblEntradas->rowCount() != 1) return false;
        EscribirCelda(s->tblEntradas, 0, kColCv, cv);
        Escribir(s->edtMuestras, muestras);
        return s->tblEntradas->item(0, kColCv)->text() == cv;
    }

private slots:
    void init() {
        entorno.Iniciar();
        principal = std::make_unique<TMainForm>();
        principal->resize(1200, 900);
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
        v = principal->mmiFileNewClick();
    }
    void cleanup() {
        principal.reset();
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
    }

    void PilaConCaudalLognormal() {
        TfrmIncertidumbre* s = Abrir();
        QVERIFY(s);
        const auto antes = Registro(v->Datos());
        QVERIFY(CaudalLognormal(s, "0.3", "2000"));
        // The row as it starts: the field's caption, lognormal, the mean at
        // the field's value; the extremes greyed out for a lognormal.
        QCOMPARE(s->tblEntradas->item(0, kColCampo)->text(), QString("Caudal [m^3/s]"));
        QCOMPARE(qobject_cast<QComboBox*>(s->tblEntradas->cellWidget(0, kColDistribucion))->currentText(),
                 QString("Lognormal"));
        QCOMPARE(s->tblEntradas->item(0, kColMedia)->text(), QString("3000"));
        QVERIFY(!(s->tblEntradas->item(0, kColMinimo)->flags() & Qt::ItemIsEnabled));
        // The formulas' errors: off, and the pier's figures from the field
        // measurements offered with their source: those of the rows whose
        // gradation is of the example's class (d84 200 mm, d50 85 mm: Kσ
        // 0.378 < 0.5), not the pooled ones, which differ.
        QCOMPARE(s->tblModelo->rowCount(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(s->tblModelo->item(i, kColFormula)->checkState(), Qt::Unchecked);
            const QString formula = s->tblModelo->item(i, kColFormula)->text();
            const auto defecto = ErrorModeloPorDefecto(22, formula.toStdString(), TDatosPPi::FactGrad(200.0 / 85.0));
            const auto todas = ErrorModeloPorDefecto(22, formula.toStdString());
            QVERIFY(defecto && todas);
            QVERIFY(defecto->error.sesgo != todas->error.sesgo);
            QCOMPARE(s->tblModelo->item(i, kColSesgo)->text(), QString::fromStdString(NumeText(defecto->error.sesgo, 0, 2)));
            QVERIFY(s->tblModelo->item(i, kColSesgo)->toolTip().contains("Benedict y Caldwell (2014)"));
            QVERIFY2(s->tblModelo->item(i, kColSesgo)->toolTip().contains("filas de campo con Kσ < 0.5 (Kσ del caso 0.378)"),
                     qPrintable(s->tblModelo->item(i, kColSesgo)->toolTip()));
        }
        QVERIFY(Esperar(s));
        QVERIFY2(entorno.mensajes.isEmpty(), qPrintable(entorno.mensajes.join('\n')));
        QVERIFY(s->Estudio());

        // The core's study of the same problem with the same seed, as the
        // command line's --incierto FlujCaud=lognormal:*:0.3 runs it.
        const TProblema base = v->ProblemaActual();
        TOpcionesIncertidumbre o;
        o.entradas = {*LeerIncierta("FlujCaud=lognormal:*:0.3", base).entrada};
        o.muestras = 2000;
        const TEstudioIncertidumbre esperado = EstudiarIncertidumbre(base, o);
        const TTablaIncertidumbre tabla = TablaIncertidumbre(esperado, std::nullopt);
        QCOMPARE(s->tblResultados->rowCount(), 4);
        QCOMPARE(s->tblResultados->columnCount(), int(tabla.encabezado.size()));
        for (int c = 0; c < int(tabla.encabezado.size()); ++c)
            QCOMPARE(s->tblResultados->horizontalHeaderItem(c)->text(), QString::fromStdString(tabla.encabezado[std::size_t(c)]));
        for (int i = 0; i < 4; ++i)
            for (int c = 0; c < int(tabla.encabezado.size()); ++c)
                QCOMPARE(s->tblResultados->item(i, c)->text(), QString::fromStdString(tabla.filas[std::size_t(i)][std::size_t(c)]));
        QCOMPARE(s->tblResultados->item(3, 0)->text(), QString("envolvente"));
        // And turmado-calc's table, row by row, for the same problem and seed.
        QStringList argumentos{"--codigo", QString::number(base.codigo)};
        for (const auto& [campo, texto] : base.textos)
            argumentos << QString::fromStdString(campo) + "=" + QString::fromStdString(texto);
        argumentos << "--incierto" << "FlujCaud=lognormal:*:0.3" << "--muestras" << "2000";
        QProcess calc;
        calc.start(TURMADO_CALC, argumentos);
        QVERIFY(calc.waitForFinished(60000));
        QCOMPARE(calc.exitCode(), 0);
        const QStringList lineas = QString::fromUtf8(calc.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), 6);  // the samples, the header, three formulas and the envelope
        for (int i = 0; i < 5; ++i) {
            QStringList vista;
            for (int c = 0; c < s->tblResultados->columnCount(); ++c)
                vista << (i ? s->tblResultados->item(i - 1, c)->text() : s->tblResultados->horizontalHeaderItem(c)->text());
            QCOMPARE(lineas[i + 1], vista.join('\t'));
        }
        QCOMPARE(s->lblEstado->text(), QString("2000 muestras."));
        QVERIFY(s->lblRechazos->isHidden());

        // One exceedance curve per formula in its colour, then the envelope.
        const std::vector<TCurvaExcedencia> curvas = CurvasExcedencia(esperado);
        QCOMPARE(s->curvas.size(), std::size_t(4));
        const QStringList titulos{"Breusers", "CSU", "Johnson", "envolvente"};
        for (int k = 0; k < 4; ++k) {
            QCPGraph* g = s->curvas[std::size_t(k)];
            QCOMPARE(g->name(), titulos[k]);
            QCOMPARE(g->pen().color(), k < 3 ? ColorDeRanura(k + 1) : QColor(Qt::black));
            const TCurvaExcedencia& c = curvas[std::size_t(k)];
            QCOMPARE(g->data()->size(), int(c.profundidad.size()));
            for (int j = 0; j < g->data()->size(); ++j) {
                QCOMPARE(g->data()->at(j)->key, c.profundidad[std::size_t(j)]);
                QCOMPARE(g->data()->at(j)->value, c.probabilidad[std::size_t(j)]);
            }
        }
        QVERIFY(!s->lineaFundacion);
        QCOMPARE(s->chrtExcedencia->yAxis->scaleType(), QCPAxis::stLinear);
        QTabBar* pestanas = s->pgResultados->tabBar();
        QTest::mouseClick(Ventana(pestanas), Qt::LeftButton, {}, pestanas->mapTo(s, pestanas->tabRect(1).center()));
        QCOMPARE(s->pgResultados->currentIndex(), 1);
        QCheckBox* log = s->chkLogaritmica;
        QTest::mouseClick(Ventana(log), Qt::LeftButton, {}, log->mapTo(s, QPoint(8, log->height() / 2)));
        QCOMPARE(s->chrtExcedencia->yAxis->scaleType(), QCPAxis::stLogarithmic);
        QCOMPARE(s->curvas.size(), std::size_t(4));

        // The influence: a set of bars per formula and the envelope.
        QCOMPARE(s->barras.size(), std::size_t(4));
        QCOMPARE(s->barras[1]->name(), QString("CSU"));
        QVERIFY(s->barras[1]->data()->at(0)->value > 0.9);

        // A foundation depth: its probability in the table and its line.
        Escribir(s->edtFundacion, "3");
        QVERIFY(Esperar(s));
        QVERIFY(s->lineaFundacion);
        QCOMPARE(s->lineaFundacion->point1->coords().x(), 3.0);
        o.fundacion = 3;
        const TTablaIncertidumbre conFundacion = TablaIncertidumbre(EstudiarIncertidumbre(base, o), 3.0);
        QCOMPARE(s->tblResultados->horizontalHeaderItem(8)->text(), QString("P(ys > 3 m)"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(s->tblResultados->item(i, 8)->text(), QString::fromStdString(conFundacion.filas[std::size_t(i)][8]));

        // The exports: the summary and the samples as the core writes them,
        // the charts as images.
        QTemporaryDir dir;
        QVERIFY(s->Exportar(dir.filePath("resumen.csv")));
        QFile resumen(dir.filePath("resumen.csv"));
        QVERIFY(resumen.open(QIODevice::ReadOnly));
        const std::string textoResumen = resumen.readAll().toStdString();
        QCOMPARE(textoResumen, CsvResumenIncertidumbre(*s->Estudio(), s->Opciones()));
        // With what the study was: the seed and the input's distribution.
        for (const char* linea : {"\nSemilla,1\n", "\nProfundidad de fundación [m],3\n",
                                  "\nEntrada,FlujCaud,lognormal,media,"})
            QVERIFY2(textoResumen.find(linea) != std::string::npos, linea);
        // The same as a workbook, which the dialog offers after the CSV.
        QStringList filtros;
        entorno.EsperarModal([&](QWidget* modal) {
            auto* d = qobject_cast<QFileDialog*>(modal);
            QVERIFY(d);
            filtros = d->nameFilters();
            auto* formatos = d->findChild<QComboBox*>("fileTypeCombo");
            QVERIFY(formatos);
            QTest::keyClick(formatos, Qt::Key_End);
            QCOMPARE(d->selectedNameFilter(), QString("Libro de Excel (*.xlsx)"));
            d->selectFile(dir.filePath("resumen"));
            static_cast<QDialog*>(d)->accept();
        });
        Clic(s->btnExportar);
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(filtros, QStringList({"Imagen PNG (*.png)", "Imagen SVG (*.svg)", "Documento PDF (*.pdf)",
                                       "Tabla CSV (*.csv)", "Libro de Excel (*.xlsx)"}));
        const QString hoja = MiembroZip(dir.filePath("resumen.xlsx"), "xl/worksheets/sheet1.xml");
        for (const char* texto : {"envolvente", "Semilla", "Entrada", "FlujCaud", "lognormal"})
            QVERIFY2(TieneTexto(hoja, texto), texto);
        QVERIFY(s->ExportarMuestras(dir.filePath("muestras.csv")));
        QFile muestras(dir.filePath("muestras.csv"));
        QVERIFY(muestras.open(QIODevice::ReadOnly));
        QCOMPARE(muestras.readAll().toStdString(), CsvMuestrasIncertidumbre(*s->Estudio()));
        for (const char* ext : {"png", "svg", "pdf"}) QVERIFY(s->Exportar(dir.filePath(QString("e.") + ext)));

        QVERIFY(Registro(v->Datos()) == antes);
    }

    // "Cancelar" on a study of a million samples: it stops between blocks,
    // the window says so and is ready for the next one.
    void Cancelar() {
        TfrmIncertidumbre* s = Abrir();
        QVERIFY(s);
        QVERIFY(CaudalLognormal(s, "0.3", "1000000"));
        QSignalSpy terminado(s, &TfrmIncertidumbre::Terminado);
        Clic(s->btnCalcular);
        QVERIFY(s->Calculando());
        QVERIFY(s->btnCancelar->isEnabled());
        QVERIFY(!s->btnCalcular->isEnabled());
        Clic(s->btnCancelar);
        QVERIFY(terminado.count() == 1 || terminado.wait(60000));
        QVERIFY(!s->Calculando());
        QCOMPARE(s->lblEstado->text(), QString("Cancelado: el estudio no terminó."));
        QVERIFY(!s->Estudio());
        QVERIFY(!s->btnExportar->isEnabled());
        QVERIFY(s->btnCalcular->isEnabled());
        QVERIFY(!s->btnCancelar->isEnabled());
    }

    // Each text the window refuses, typed where a user types it: its
    // message, and no study.
    void TextosRechazados() {
        TfrmIncertidumbre* s = Abrir();
        QVERIFY(s);
        Clic(s->btnCalcular);
        QCOMPARE(entorno.mensajes, QStringList{"Agregue una entrada incierta o marque el error de una fórmula."});
        QVERIFY(CaudalLognormal(s, "0.3", "100"));
        struct Caso { int fila, columna; const char* texto; const char* mensaje; };
        const Caso casos[] = {
            {0, kColMedia, "abc", "Caudal [m^3/s]: \"Media\" debe ser un número (se leyó \"abc\")."},
            {0, kColMedia, "", "Caudal [m^3/s]: \"Media\" debe ser un número (se leyó \"\")."},
            {0, kColMedia, "-5", "Caudal [m^3/s]: La media de una distribución lognormal debe ser mayor que 0."},
            {0, kColCv, "-0.1", "Caudal [m^3/s]: El coeficiente de variación no puede ser negativo."},
        };
        for (const Caso& c : casos) {
            entorno.mensajes.clear();
            EscribirCelda(s->tblEntradas, c.fila, c.columna, c.texto);
            Clic(s->btnCalcular);
            QCOMPARE(entorno.mensajes, QStringList{QString::fromUtf8(c.mensaje)});
            QVERIFY(!s->Calculando());
            QVERIFY(!s->Estudio());
            EscribirCelda(s->tblEntradas, 0, kColMedia, "3000");
            EscribirCelda(s->tblEntradas, 0, kColCv, "0.3");
        }
        // A triangular whose mode lies beyond its maximum.
        QVERIFY(ElegirDistribucion(s, 0, "Triangular"));
        QVERIFY(!(s->tblEntradas->item(0, kColMedia)->flags() & Qt::ItemIsEnabled));
        QVERIFY(s->tblEntradas->item(0, kColModa)->flags() & Qt::ItemIsEditable);
        EscribirCelda(s->tblEntradas, 0, kColModa, "9000");
        entorno.mensajes.clear();
        Clic(s->btnCalcular);
        QCOMPARE(entorno.mensajes, QStringList{"Caudal [m^3/s]: La moda debe estar entre el mínimo y el máximo."});
        EscribirCelda(s->tblEntradas, 0, kColModa, "3000");

        struct CasoCaja { QLineEdit* caja; const char* texto; const char* mensaje; const char* bien; };
        const CasoCaja cajas[] = {
            {s->edtMuestras, "50", "\"Muestras\" debe ser un número entero de 100 a 1000000.", "100"},
            {s->edtMuestras, "150.5", "\"Muestras\" debe ser un número entero de 100 a 1000000.", "100"},
            {s->edtSemilla, "x", "\"Semilla\" debe ser un número entero de 0 a 9007199254740992.", "1"},
            {s->edtFundacion, "0", "\"Profundidad de fundación\" debe ser un número mayor que 0 (en m), o quedar vacía.", ""},
        };
        for (const CasoCaja& c : cajas) {
            entorno.mensajes.clear();
            Escribir(c.caja, c.texto);
            Clic(s->btnCalcular);
            QCOMPARE(entorno.mensajes, QStringList{QString::fromUtf8(c.mensaje)});
            QVERIFY(!s->Estudio());
            Escribir(c.caja, c.bien);
        }
        // A formula's error ticked (Space on its cell) with a bias of 0.
        entorno.mensajes.clear();
        const QString csu = s->tblModelo->item(1, kColFormula)->text();
        EscribirCelda(s->tblModelo, 1, kColSesgo, "0");
        ClicCelda(s->tblModelo, 1, kColFormula);
        QTest::keyClick(Ventana(s->tblModelo), Qt::Key_Space);
        QCOMPARE(s->tblModelo->item(1, kColFormula)->checkState(), Qt::Checked);
        Clic(s->btnCalcular);
        QCOMPARE(entorno.mensajes, QStringList{"El sesgo de " + csu + " debe ser un número mayor que 0."});
        // Mended, the study runs with that error.
        entorno.mensajes.clear();
        EscribirCelda(s->tblModelo, 1, kColSesgo, "1.5");
        QVERIFY(Esperar(s));
        QVERIFY2(entorno.mensajes.isEmpty(), qPrintable(entorno.mensajes.join('\n')));
        QCOMPARE(s->Opciones().modelo.size(), std::size_t(1));
        QCOMPARE(s->Opciones().modelo[0].first, csu.toStdString());
        QCOMPARE(s->Opciones().modelo[0].second.sesgo, 1.5);
    }

    // A normal discharge so wide that some draws are negative: the field
    // rejects them, and the window counts them and names the first, as the
    // core does.
    void MuestrasRechazadas() {
        TfrmIncertidumbre* s = Abrir();
        QVERIFY(s);
        QVERIFY(CaudalLognormal(s, "0.8", "1000"));
        QVERIFY(ElegirDistribucion(s, 0, "Normal"));
        QVERIFY(Esperar(s));
        QVERIFY2(entorno.mensajes.isEmpty(), qPrintable(entorno.mensajes.join('\n')));
        TOpcionesIncertidumbre o;
        o.entradas = {*LeerIncierta("FlujCaud=normal:*:0.8", v->ProblemaActual()).entrada};
        o.muestras = 1000;
        const TEstudioIncertidumbre e = EstudiarIncertidumbre(v->ProblemaActual(), o);
        QVERIFY(e.rechazadas > 0);
        QCOMPARE(s->Estudio()->rechazadas, e.rechazadas);
        QCOMPARE(s->lblEstado->text(), QString("1000 muestras; %1 rechazadas por un campo.").arg(e.rechazadas));
        QVERIFY(!s->lblRechazos->isHidden());
        QCOMPARE(s->lblRechazos->text(), "Primera muestra rechazada: " + QString::fromStdString(e.primerRechazo));
        QVERIFY(s->lblRechazos->text().contains("FlujCaud = -"));
    }

    // "Reporte": "Incluir el estudio de incertidumbre" is offered once a
    // study of the window's problem has been computed; ticked, the report
    // has one more page with the study; unticked, it has none; after the
    // problem changes, it is no longer offered.
    void Reporte_data() {
        QTest::addColumn<bool>("marcar");
        QTest::newRow("con el estudio") << true;
        QTest::newRow("sin el estudio") << false;
    }
    void Reporte() {
        QFETCH(bool, marcar);
        TfrmIncertidumbre* s = Abrir();
        QVERIFY(s);
        // Before a study: disabled.
        bool ofrecida = true;
        auto reporte = [&](bool tildar) {
            std::optional<TTextosReporte> textos;
            int paginas = 0;
            entorno.EsperarModal([&, tildar](QWidget* w) {
                auto* dlg = qobject_cast<TfrmObservaciones*>(w);
                if (!dlg) {
                    w->close();
                    return;
                }
                ofrecida = dlg->chkIncertidumbre->isEnabled();
                QCOMPARE(dlg->chkIncertidumbre->text(), QString("Incluir el estudio de incertidumbre"));
                if (tildar)
                    QTest::mouseClick(dlg->windowHandle(), Qt::LeftButton, {},
                                      dlg->chkIncertidumbre->mapTo(dlg, QPoint(8, dlg->chkIncertidumbre->height() / 2)));
                entorno.EsperarModal([&](QWidget* w2) {
                    if (auto* vista = qobject_cast<TfrmReporte*>(w2)) {
                        textos = vista->Textos();
                        if (auto* previa = vista->findChild<QPrintPreviewWidget*>()) {
                            previa->updatePreview();
                            paginas = previa->pageCount();
                        }
                    }
                    w2->close();
                });
                dlg->bbtnOk->click();
            });
            v->tbshProblema->bbtnReporte->click();
            return std::pair{textos, paginas};
        };
        const auto [sinEstudio, paginasSin] = reporte(true);
        QVERIFY(!entorno.ModalPendiente());
        QVERIFY(!ofrecida);
        QVERIFY(sinEstudio && !sinEstudio->incertidumbre);

        QVERIFY(CaudalLognormal(s, "0.3", "500"));
        QVERIFY(Esperar(s));
        const auto [textos, paginas] = reporte(marcar);
        QVERIFY(!entorno.ModalPendiente());
        QVERIFY(ofrecida);
        QVERIFY(textos);
        QCOMPARE(bool(textos->incertidumbre), marcar);
        QCOMPARE(paginas, paginasSin + (marcar ? 1 : 0));
        if (marcar) {
            const TReporteIncertidumbre& r = *textos->incertidumbre;
            QCOMPARE(r.entradas, std::vector<std::string>{"Caudal [m^3/s]: lognormal, media 3000, CV 0.3"});
            QCOMPARE(r.tabla.filas, TablaIncertidumbre(*s->Estudio(), std::nullopt).filas);
            QCOMPARE(r.curvas.size(), std::size_t(4));
            // The PDF's last page holds the study.
            QTemporaryDir dir;
            const QString ruta = dir.filePath("reporte.pdf");
            QVERIFY(EscribirPdfReporte(ruta, *textos));
            if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
                QProcess p;
                p.start("pdftotext", {"-f", QString::number(paginas), "-l", QString::number(paginas), "-layout", ruta, "-"});
                QVERIFY(p.waitForFinished(30000));
                const QString texto = QString::fromUtf8(p.readAllStandardOutput());
                for (const QString& t : {QString("Estudio de incertidumbre"), QString("Entradas inciertas"),
                                         QString("envolvente"), QString::fromStdString(r.tabla.filas[1][4])})
                    QVERIFY2(texto.contains(t), qPrintable(t + "\n---\n" + texto));
            }
        }

        // The problem changed in the calculation window: the study is no
        // longer its own.
        v->Campo("FlujCaud")->setText("2500");
        reporte(false);
        QVERIFY(!entorno.ModalPendiente());
        QVERIFY(!ofrecida);
    }

    // A new "Calcular" of the calculation window with a wider pier: the open
    // window studies the new problem (its title and its next study), says
    // that the study shown is of the earlier one, which the report no
    // longer offers; a new study ends the note.  The button brings the same
    // window forward.
    void SigueAlProblemaCalculado() {
        TfrmIncertidumbre* s = Abrir();
        QVERIFY(s);
        QVERIFY(CaudalLognormal(s, "0.3", "500"));
        QVERIFY(Esperar(s));
        QVERIFY(s->Estudio());
        const TProblema antes = v->ProblemaActual();
        QVERIFY(UltimoEstudio(*v, antes) == s);
        QVERIFY(!s->lblEstado->text().contains(kNotaAnterior));

        v->Campo("EstrAnchPila")->setText("10");
        v->Calcular();
        QCOMPARE(s->Problema(), v->ProblemaActual());
        QCOMPARE(s->Problema().textos.at("EstrAnchPila"), std::string("10"));
        QCOMPARE(s->ProblemaEstudiado(), antes);
        QVERIFY(s->lblEstado->text().endsWith(kNotaAnterior));
        QVERIFY(UltimoEstudio(*v, v->ProblemaActual()) == nullptr);  // not the report's any more

        const double mediaAntes = s->Estudio()->formulas.back().media;
        QVERIFY(Esperar(s));
        QVERIFY(!s->lblEstado->text().contains(kNotaAnterior));
        QCOMPARE(s->ProblemaEstudiado(), v->ProblemaActual());
        QVERIFY(s->Estudio()->formulas.back().media > mediaAntes);  // the wider pier scours deeper
        QVERIFY(UltimoEstudio(*v, v->ProblemaActual()) == s);

        Clic(v->tbshProblema->bbtnIncertidumbre);
        QCOMPARE(v->findChildren<TfrmIncertidumbre*>().size(), qsizetype(1));
        QCOMPARE(v->tbshProblema->VentanaIncertidumbre(), s);
        QVERIFY(s->Estudio());  // the same window, with its study
    }

    // "Cancelar" of a second run: the first run's table stays, said to be
    // the earlier study's.
    void CancelarTrasUnEstudio() {
        TfrmIncertidumbre* s = Abrir();
        QVERIFY(s);
        QVERIFY(CaudalLognormal(s, "0.3", "500"));
        QVERIFY(Esperar(s));
        const auto filas = s->tblResultados->rowCount();
        Escribir(s->edtMuestras, "1000000");
        QSignalSpy terminado(s, &TfrmIncertidumbre::Terminado);
        Clic(s->btnCalcular);
        QVERIFY(s->Calculando());
        Clic(s->btnCancelar);
        QVERIFY(terminado.count() == 1 || terminado.wait(60000));
        QCOMPARE(s->lblEstado->text(), QString("Cancelado: el estudio no terminó. La tabla y los gráficos son del "
                                               "estudio anterior (500 muestras)."));
        QCOMPARE(s->Estudio()->muestras, std::size_t(500));
        QCOMPARE(s->tblResultados->rowCount(), filas);
    }
};

QTEST_MAIN(PruebaIncertidumbre)
#include "test_incertidumbre.moc"
