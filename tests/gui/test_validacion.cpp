// "Validación de las fórmulas", opened from the Help menu with the keyboard:
// the shipped field measurements computed off the GUI thread, the table and
// the chart of the core's figures, the point under the mouse named, a file
// of the user's and its faults, the export; and on a computed pier the
// results page's line against the measurements and the gradation warning.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

#include "app/Main.h"
#include "entorno.h"
#include "libro.h"
#include "general/untGeneral.h"
#include "resultados.h"
#include "results/untPaginaGrafico.h"
#include "results/untValidacion.h"
#include "results/untVentanaValidacion.h"

class PruebaValidacion : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TMainForm> principal;

    // Alt+H opens "&Help", V its item, both as keys to the top-level windows.
    TfrmValidacion* Abrir() {
        QTest::keyClick(principal->windowHandle(), Qt::Key_H, Qt::AltModifier);
        QMenu* menu = nullptr;
        if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())); }))
            return nullptr;
        QTest::keyClick(menu->windowHandle(), Qt::Key_V);
        TfrmValidacion* w = principal->VentanaValidacion();
        if (!w || !QTest::qWaitForWindowExposed(w)) return nullptr;
        return w;
    }

    static bool Esperar(TfrmValidacion* w) {
        return QTest::qWaitFor([w] { return !w->Calculando(); }, 30000);
    }

private slots:
    void init() {
        entorno.Iniciar();
        principal = std::make_unique<TMainForm>();
        principal->resize(800, 600);
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
    }
    void cleanup() {
        principal.reset();
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
    }

    // On a small screen (the test's is 800 × 600, smaller than 1024 × 768)
    // the window lies within its screen's free area, the table of formulas
    // and the chart both in sight.
    void CabeEnLaPantalla() {
        TfrmValidacion* w = Abrir();
        QVERIFY(w);
        QVERIFY(Esperar(w));
        const QRect libre = w->screen()->availableGeometry();
        QVERIFY2(libre.contains(w->frameGeometry()),
                 qPrintable(QString("%1x%2+%3+%4 en %5x%6")
                                .arg(w->frameGeometry().width())
                                .arg(w->frameGeometry().height())
                                .arg(w->frameGeometry().x())
                                .arg(w->frameGeometry().y())
                                .arg(libre.width())
                                .arg(libre.height())));
        QVERIFY(w->tblValidacion->height() >= 100);
        QVERIFY(w->chrtValidacion->height() >= 200);
        QVERIFY(w->rect().contains(w->chrtValidacion->geometry().translated(w->chrtValidacion->parentWidget()->mapTo(w, QPoint()))));
    }

    void MedicionesDeCampo() {
        TfrmValidacion* w = Abrir();
        QVERIFY(w);
        QCOMPARE(w->cmbConjunto->currentText(), QString("USGS, campo"));
        QVERIFY(Esperar(w));
        QVERIFY(w->Validacion());

        std::istringstream campo{std::string(ConjuntosValidacion()[0].datos())};
        const std::vector<TEstadistica> e = Estadisticas(Validar(campo));
        QCOMPARE(w->tblValidacion->rowCount(), int(e.size()));
        QCOMPARE(int(w->nubes.size()), int(e.size()));
        for (int i = 0; i < int(e.size()); ++i) {
            QCOMPARE(w->tblValidacion->item(i, 0)->text().toStdString(), e[i].formula);
            QCOMPARE(w->tblValidacion->item(i, 1)->text(), QString::number(e[i].n));
            QCOMPARE(w->tblValidacion->item(i, 2)->text().toStdString(), NumeText(e[i].sesgo, 0, 2));
            QCOMPARE(w->tblValidacion->item(i, 5)->text().toStdString(), NumeText(100 * e[i].subestimados, 0, 0) + " %");
            QCOMPARE(w->nubes[i]->scatterStyle().pen().color(), ColorDeRanura(i + 1));
            QVERIFY(w->nubes[i]->dataCount() > 0);
            QVERIFY(w->nubes[i]->dataCount() <= int(e[i].n));  // a zero measurement has no place on log axes
        }
        QCOMPARE(w->chrtValidacion->xAxis->scaleType(), QCPAxis::stLogarithmic);
        QCOMPARE(w->chrtValidacion->yAxis->scaleType(), QCPAxis::stLogarithmic);
        QVERIFY(w->chrtValidacion->findChild<QCPItemStraightLine*>("linea1a1"));
        QVERIFY(w->chrtValidacion->findChild<QCPItemStraightLine*>("lineaDoble"));
        QVERIFY(w->chrtValidacion->findChild<QCPItemStraightLine*>("lineaMitad"));

        // The mouse over CSU's first point names its measurement.
        const auto punto = w->nubes[1]->data()->constBegin();
        const QPoint pixel(int(std::lround(w->chrtValidacion->xAxis->coordToPixel(punto->key))),
                           int(std::lround(w->chrtValidacion->yAxis->coordToPixel(punto->value))));
        QTest::mouseMove(w->windowHandle(), w->chrtValidacion->mapTo(w, pixel));
        QTRY_VERIFY(!w->lblPunto->text().isEmpty());
        QVERIFY2(w->lblPunto->text().contains(", 19") || w->lblPunto->text().contains(", 20"),
                 qPrintable(w->lblPunto->text()));  // site, then the date
        QVERIFY2(w->lblPunto->text().contains(" m, calculada "), qPrintable(w->lblPunto->text()));

        const QTemporaryDir dir;
        for (const char* formato : {"png", "csv"}) {
            const QString ruta = dir.filePath(QString("v.") + formato);
            QVERIFY(w->Exportar(ruta));
            QVERIFY(QFileInfo(ruta).size() > 0);
        }
        QCOMPARE(QImage(dir.filePath("v.png")).width(), TPaginaGrafico::kAnchoPng);  // as the chart page writes it
    }

    void ArchivoPropio() {
        TfrmValidacion* w = Abrir();
        QVERIFY(w);
        QVERIFY(Esperar(w));
        const QTemporaryDir dir;
        const QString propio = dir.filePath("propio.csv"), malo = dir.filePath("malo.csv");
        QFile f(propio);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,ys_medida,sitio\n"
                "22,1000,1,1,1.5,Puente A\n"
                "22,-1,1,1,1,Puente B\n");
        f.close();
        w->AbrirArchivo(propio);
        QCOMPARE(w->cmbConjunto->currentText(), QString("propio.csv"));
        QVERIFY(Esperar(w));
        QCOMPARE(w->lblEstado->text(), QString("propio.csv: 2 casos, 1 rechazados."));
        QCOMPARE(w->tblValidacion->rowCount(), 3);
        QCOMPARE(w->tblValidacion->item(0, 1)->text(), QString("1"));

        // The workbook holds the rows and, on "Resumen", the table shown,
        // the cases and the rejected rows.
        const QString libro = dir.filePath("v.xlsx");
        QVERIFY(w->Exportar(libro));
        QVERIFY(MiembroZip(libro, "xl/workbook.xml").contains(R"(<sheet name="Resumen" sheetId="2")"));
        const QString resumen = MiembroZip(libro, "xl/worksheets/sheet2.xml");
        for (const char* texto : {"formula", "sesgo", "subestimados", "r95", "Casos", "Rechazados"})
            QVERIFY2(TieneTexto(resumen, texto), texto);
        QVERIFY(TieneTexto(resumen, QString::fromStdString(Estadisticas(*w->Validacion()).front().formula)));
        QCOMPARE(resumen.count("<row "), 1 + 3 + 1 + 1);  // names (no units); three formulas; cases; one message
        QVERIFY(TieneTexto(MiembroZip(libro, "xl/worksheets/sheet3.xml"), "propio.csv"));

        QFile m(malo);
        QVERIFY(m.open(QIODevice::WriteOnly));
        m.write("codigo,medida\n22,1\n");
        m.close();
        w->AbrirArchivo(malo);
        QVERIFY(Esperar(w));
        QCOMPARE(w->lblEstado->text(), QString("malo.csv: línea 1: columna desconocida: medida"));
        QCOMPARE(w->tblValidacion->rowCount(), 0);
        QVERIFY(!w->btnExportar->isEnabled());
    }

    // With a calculation window active its own Help menu is in the bar: the
    // same item opens the same window, one at a time.
    void DesdeLaVentanaDeCalculo() {
        TfrmProbTipo* hija = principal->mmiFileNewClick();
        TfrmValidacion* w = Abrir();
        QVERIFY(w);
        QVERIFY(Esperar(w));
        hija->MenuHijo().mnuHelpValidacion->trigger();
        QCOMPARE(principal->VentanaValidacion(), w);
        QCOMPARE(principal->findChildren<TfrmValidacion*>().size(), 1);
    }

    // The default pier (d84/d50 = 200/85): the depths' tooltips add the
    // figures of the shipped field file, and Ksigma = 0.378 is warned about.
    void PilaContraMediciones() {
        TfrmProbTipo* v = principal->mmiFileNewClick();
        ClasificarYCalcular(*v, 1, 1, "EstrFactFormKs=1;EstrFactGrup=1;SediAnguRepo=30");
        for (const auto& [tallo, formula] : {std::pair{"OutpErosMaxi1", "Breusers"}, {"OutpErosMaxi2", "CSU"},
                                             {"OutpErosMaxi3", "Johnson"}}) {
            const QString consejo = v->tbshProblema->Fila(tallo).edit->toolTip();
            const std::string linea = LineaContraMediciones(22, formula);
            QVERIFY(linea.starts_with("Contra mediciones (USGS, campo): sesgo "));
            QVERIFY2(consejo.endsWith(QString::fromStdString(linea)), qPrintable(consejo));
        }
        const auto avisos = v->tbshProblema->findChildren<QLabel*>(QRegularExpression("^lblAvisDato"));
        const bool hay = std::any_of(avisos.begin(), avisos.end(), [](QLabel* l) {
            return l->text().contains("d84/d50 = 2.35 y un factor de gradación Kσ = 0.378") && l->text().contains("Breusers en el ");
        });
        QVERIFY(hay);
    }
};

QTEST_MAIN(PruebaValidacion)
#include "test_validacion.moc"
