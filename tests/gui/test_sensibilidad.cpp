// The sensitivity window opened from the results page of a computed pier:
// the study over the discharge draws one curve per formula and fills the
// table with the core's numbers, leaves the calculation window's record as
// it was, and a range the core refuses ends in its message.  The window
// names the depth as the calculation window does, shows the data warnings
// of the points, leaves a gap where the problem changes type, and exports
// its chart at print resolution under a suggested name.
#include <cstring>
#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "app/Main.h"
#include "../registro.h"
#include "entorno.h"
#include "libro.h"
#include "general/untGeneral.h"
#include "resultados.h"
#include "results/untAvisos.h"
#include "results/untAvisosDatos.h"
#include "results/untBarrido.h"
#include "results/untPaginaGrafico.h"
#include "results/untSensibilidad.h"

namespace {

// A click as the window system delivers it: to the top-level window.
void Clic(QWidget* w) {
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), w->rect().center()));
}

// Replaces the text of an edit as a user does: a click into it, select all,
// then the keys.
void Escribir(QLineEdit* e, const QString& texto) {
    Clic(e);
    QWindow* w = e->window()->windowHandle();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    for (QChar c : texto) QTest::keyClick(w, c.toLatin1());
}

// Picks a field in "Campo" from the keyboard: Shift+Tab from "Desde" into
// the list, then the arrow keys.
bool ElegirCampo(TfrmSensibilidad* s, const QString& campo) {
    const int destino = s->cmbCampo->findData(campo);
    if (destino < 0) return false;
    Clic(s->edtDesde);
    QWindow* w = s->windowHandle();
    QTest::keyClick(w, Qt::Key_Tab, Qt::ShiftModifier);
    if (!s->cmbCampo->hasFocus()) return false;
    for (int i = 0; i < s->cmbCampo->count() && s->cmbCampo->currentIndex() != destino; ++i)
        QTest::keyClick(w, s->cmbCampo->currentIndex() < destino ? Qt::Key_Down : Qt::Key_Up);
    return s->cmbCampo->currentIndex() == destino;
}

}  // namespace

class PruebaSensibilidad : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TMainForm> principal;
    QPointer<TfrmProbTipo> v;

    // The sensitivity window of the computed problem (a pier unless told
    // otherwise), opened with its button.
    TfrmSensibilidad* Abrir(int feno = 1, int obst = 1,
                            const QString& textos = "EstrFactFormKs=1;EstrFactGrup=1;SediAnguRepo=30") {
        AbrirYCalcular(*v, feno, obst, textos);
        QPushButton* boton = v->tbshProblema->bbtnSensibilidad;
        if (!boton->isVisible()) return nullptr;
        Clic(boton);
        auto* s = v->findChild<TfrmSensibilidad*>();
        if (s && !QTest::qWaitForWindowExposed(s)) return nullptr;
        return s;
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

    void PilaSobreElCaudal() {
        TfrmSensibilidad* s = Abrir();
        QVERIFY(s);
        const auto antes = Registro(v->Datos());
        QCOMPARE(s->cmbCampo->currentData().toString(), QString("FlujCaud"));
        QCOMPARE(s->edtDesde->text(), QString("1500"));  // half and one and a half times 3000
        QCOMPARE(s->edtHasta->text(), QString("4500"));
        Escribir(s->edtDesde, "500");
        Escribir(s->edtHasta, "4000");
        Escribir(s->edtPuntos, "50");
        QSignalSpy terminado(s, &TfrmSensibilidad::Terminado);
        Clic(s->btnCalcular);
        QVERIFY(terminado.wait(30000) || terminado.count() == 1);
        QVERIFY(entorno.mensajes.isEmpty());
        QVERIFY(!s->Calculando());

        // The core's study of the same problem, point by point.
        const TEstudio esperado = Estudiar(v->ProblemaActual(), TBarrido{"FlujCaud", 500, 4000, 50, false});
        const TTablaEstudio tabla = TablaEstudio(TBarrido{"FlujCaud", 500, 4000, 50, false}, esperado);
        QCOMPARE(int(s->curvas.size()), 3);
        const QStringList titulos{"Breusers", "CSU", "Johnson"};
        for (int k = 0; k < 3; ++k) {
            QCPGraph* g = s->curvas[std::size_t(k)];
            QCOMPARE(g->name(), titulos[k]);
            QCOMPARE(g->pen().color(), ColorDeRanura(k + 1));
            // Each point of the curve, or a gap where its data lie outside
            // both ranges (then on the dashed stretch).
            QCOMPARE(g->data()->size(), 50);
            for (int j = 0; j < 50; ++j) {
                const TPuntoBarrido& p = esperado.puntos[std::size_t(j)];
                QCOMPARE(g->data()->at(j)->key, p.valor);
                if (p.estados[std::size_t(k)] != TEstadoRango::Fuera)
                    QCOMPARE(g->data()->at(j)->value, *p.profundidades[std::size_t(k)]);
            }
        }
        QVERIFY(s->lineaActual);
        QCOMPARE(s->lineaActual->point1->coords().x(), 3000.0);

        QCOMPARE(s->tblSensibilidad->rowCount(), 50);
        QCOMPARE(s->tblSensibilidad->columnCount(), 6);
        QCOMPARE(s->tblSensibilidad->horizontalHeaderItem(2)->text(), QString("CSU [m]"));
        for (int j = 0; j < 50; ++j)
            for (int c = 0; c < 6; ++c)
                QCOMPARE(s->tblSensibilidad->item(j, c)->text(),
                         QString::fromStdString(tabla.filas[std::size_t(j)][std::size_t(c)]));
        QCOMPARE(s->tblSensibilidad->item(0, 0)->text(), QString("500"));
        QCOMPARE(s->tblSensibilidad->item(49, 0)->text(), QString("4000"));

        // The calculation window's record is untouched.
        QVERIFY(Registro(v->Datos()) == antes);

        // The table as CSV, full precision.
        QTemporaryDir dir;
        const QString ruta = dir.filePath("estudio.csv");
        QVERIFY(s->Exportar(ruta));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const std::string exportado = f.readAll().toStdString();
        QCOMPARE(exportado, CsvEstudio(TBarrido{"FlujCaud", 500, 4000, 50, false}, esperado, true));
        // With each depth, where the point's data lie for its formula, as the
        // table's marks say.
        QVERIFY(exportado.starts_with("FlujCaud,Erosión máxima de equilibrio (Breusers),validez_pila_breusers,"));
        for (const char* ext : {"png", "svg", "pdf"}) QVERIFY(s->Exportar(dir.filePath(QString("e.") + ext)));
        // The same table as a workbook: names, units, a row per point, the
        // field's values as numbers.
        QVERIFY(s->Exportar(dir.filePath("estudio.xlsx")));
        const QString hoja = MiembroZip(dir.filePath("estudio.xlsx"), "xl/worksheets/sheet1.xml");
        for (const char* texto : {"FlujCaud", "m^3/s", "Erosión máxima de equilibrio (CSU)", "Condición de transporte"})
            QVERIFY2(TieneTexto(hoja, texto), texto);
        QCOMPARE(hoja.count("<row "), 2 + 50);
        QVERIFY(hoja.contains(R"(<c r="A3"><v>500</v></c>)"));
        QVERIFY(hoja.contains(R"(<c r="A52"><v>4000</v></c>)"));
    }

    void RangoRechazado() {
        TfrmSensibilidad* s = Abrir();
        QVERIFY(s);
        struct Caso { const char* desde; const char* hasta; const char* puntos; bool log; const char* mensaje; };
        const Caso casos[] = {
            {"500", "4000", "0", false, "La cantidad de puntos debe ser un número entero de 2 a 1000."},
            {"500", "4000", "5000", false, "La cantidad de puntos debe ser un número entero de 2 a 1000."},
            {"abc", "4000", "10", false, "\"Desde\" debe ser un número."},
            {"500", "", "10", false, "\"Hasta\" debe ser un número."},
            {"0", "4000", "10", true, "Con escala logarítmica, \"Desde\" y \"Hasta\" deben ser mayores que 0."},
        };
        for (const Caso& c : casos) {
            entorno.mensajes.clear();
            Escribir(s->edtDesde, c.desde);
            Escribir(s->edtHasta, c.hasta);
            Escribir(s->edtPuntos, c.puntos);
            if (s->chkLogaritmica->isChecked() != c.log) {  // on its box, at the left
                QCheckBox* chk = s->chkLogaritmica;
                QTest::mouseClick(s->windowHandle(), Qt::LeftButton, {}, chk->mapTo(s, QPoint(8, chk->height() / 2)));
            }
            QCOMPARE(s->chkLogaritmica->isChecked(), c.log);
            Clic(s->btnCalcular);
            QCOMPARE(entorno.mensajes, QStringList{QString::fromUtf8(c.mensaje)});
            QVERIFY(!s->Calculando());
            QVERIFY(!s->Estudio());
        }
    }

    // A discharge range that crosses 0: the points the field rejects are
    // gaps with the field's message in their row; the others are drawn.
    void HuecosConSuMensaje() {
        TfrmSensibilidad* s = Abrir();
        QVERIFY(s);
        Escribir(s->edtDesde, "-1000");
        Escribir(s->edtHasta, "1000");
        Escribir(s->edtPuntos, "5");
        QSignalSpy terminado(s, &TfrmSensibilidad::Terminado);
        Clic(s->btnCalcular);
        QVERIFY(terminado.wait(30000) || terminado.count() == 1);
        QCOMPARE(s->tblSensibilidad->rowCount(), 5);
        QCOMPARE(s->tblSensibilidad->item(0, 4)->text(), QString("FlujCaud: El valor ingresado no es válido."));
        QCOMPARE(s->tblSensibilidad->item(0, 1)->text(), QString());
        QVERIFY(std::isnan(s->curvas[1]->data()->at(0)->value));
        QVERIFY(!std::isnan(s->curvas[1]->data()->at(4)->value));
        QCOMPARE(s->lblEstado->text(), QString("3 de 5 puntos sin resultado."));
    }

    // "Cancelar" right after "Calcular": the study stops between points and
    // shows the points done, or it had already ended; either way the window
    // is ready for the next one.
    void Cancelar() {
        TfrmSensibilidad* s = Abrir();
        QVERIFY(s);
        Escribir(s->edtPuntos, "1000");
        QSignalSpy terminado(s, &TfrmSensibilidad::Terminado);
        Clic(s->btnCalcular);
        QVERIFY(s->Calculando());
        QVERIFY(s->btnCancelar->isEnabled());
        QVERIFY(!s->btnCalcular->isEnabled());
        Clic(s->btnCancelar);
        QVERIFY(terminado.wait(30000) || terminado.count() == 1);
        QVERIFY(s->Estudio());
        const std::size_t hechos = s->Estudio()->puntos.size();
        QCOMPARE(s->tblSensibilidad->rowCount(), int(hechos));
        if (s->Estudio()->cancelado)
            QCOMPARE(s->lblEstado->text(), QString("Cancelado: %1 de 1000 puntos.").arg(hechos));
        else
            QCOMPARE(hechos, std::size_t(1000));
        QVERIFY(s->btnCalcular->isEnabled());
        QVERIFY(!s->btnCancelar->isEnabled());
    }

    // Runs the study of the boxes as typed; false when it does not end.
    bool Correr(TfrmSensibilidad* s, const QString& desde, const QString& hasta, const QString& puntos, bool log) {
        Escribir(s->edtDesde, desde);
        Escribir(s->edtHasta, hasta);
        Escribir(s->edtPuntos, puntos);
        if (s->chkLogaritmica->isChecked() != log) {
            QCheckBox* chk = s->chkLogaritmica;
            QTest::mouseClick(s->windowHandle(), Qt::LeftButton, {}, chk->mapTo(s, QPoint(8, chk->height() / 2)));
        }
        QSignalSpy terminado(s, &TfrmSensibilidad::Terminado);
        Clic(s->btnCalcular);
        return (terminado.wait(30000) || terminado.count() == 1) && s->Estudio() && entorno.mensajes.isEmpty();
    }

    // The depth of a pier is the depth upstream, in the field list, the
    // table and the axis as on the calculation window's page.
    void TiranteComoEnLaVentana() {
        TfrmSensibilidad* s = Abrir();
        QVERIFY(s);
        QCOMPARE(v->tbshNivel1->lblFlujTiraRest->text(), QString("Tirante aguas arriba"));
        const int i = s->cmbCampo->findData("FlujTiraRest");
        QVERIFY(i >= 0);
        QCOMPARE(s->cmbCampo->itemText(i), QString("Tirante aguas arriba [m] (FlujTiraRest)"));
        QVERIFY(ElegirCampo(s, "FlujTiraRest"));
        QVERIFY(Correr(s, "1", "3", "3", false));
        QCOMPARE(s->tblSensibilidad->horizontalHeaderItem(0)->text(), QString("Tirante aguas arriba [m]"));
        QCOMPARE(s->chrtSensibilidad->xAxis->label(), QString("Tirante aguas arriba [m]"));
    }

    // The pier's d50 swept through sand under the example's d84 of 200 mm:
    // each point warns in its row, and one line above the chart names the
    // warning and its points; a study without warnings hides the line.
    void AvisosDeDatos() {
        TfrmSensibilidad* s = Abrir();
        QVERIFY(s);
        QVERIFY(!s->lblAvisos->isVisible());
        QVERIFY(ElegirCampo(s, "SediDiamMedi"));
        s->chkGradacion->setChecked(false);  // d84 held at its text
        QVERIFY(Correr(s, "0.5", "50", "5", true));
        const TBarrido b{"SediDiamMedi", 0.5, 50, 5, true, false};
        const std::vector<std::string> lineas = AvisosDelEstudio(v->ProblemaActual(), b, *s->Estudio());
        // The example's d84 over the swept d50, and the gradation factor
        // that d84/d50 gives.
        QCOMPARE(lineas.size(), std::size_t(2));
        QVERIFY(s->lblAvisos->isVisible());
        const std::string marca = MarcaAviso(TEstadoRango::Fuera) + " ";
        // After the line that says the grain sizes were held at their texts.
        QVERIFY(s->lblAvisos->text().startsWith("Diámetros fijos al variar d50"));
        QVERIFY(s->lblAvisos->text().endsWith(QString::fromStdString(marca + lineas[0] + "\n" + marca + lineas[1])));
        QVERIFY(QString::fromStdString(lineas[1]).contains("factor de gradación Kσ"));
        QVERIFY(s->lblAvisos->text().contains("\"Diámetro 84%\" = 200 mm"));
        QVERIFY(s->lblAvisos->text().endsWith("puntos 1 a 5"));
        QVERIFY(s->lblAvisos->geometry().bottom() < s->chrtSensibilidad->mapTo(s, QPoint(0, 0)).y());
        const int ultima = s->tblSensibilidad->columnCount() - 1;
        QCOMPARE(s->tblSensibilidad->horizontalHeaderItem(ultima)->text(), QString("Avisos de datos"));
        for (int j = 0; j < 5; ++j) {
            TProblema p = v->ProblemaActual();
            p.textos["SediDiamMedi"] = TextoValor(s->Estudio()->puntos[std::size_t(j)].valor);
            QCOMPARE(s->tblSensibilidad->item(j, ultima)->text(),
                     QString::fromStdString(UnirAvisosDatos(AvisosDatos(22, p.textos))));
            QVERIFY(s->tblSensibilidad->item(j, ultima)->text().startsWith("\"Diámetro 84%\""));
        }

        QVERIFY(ElegirCampo(s, "FlujCaud"));
        QVERIFY(Correr(s, "500", "4000", "3", false));
        // The discharge leaves the grain sizes as they are: only the
        // gradation factor of the example's d84/d50 = 200/85 remains.
        const TBarrido caudal{"FlujCaud", 500, 4000, 3, false};
        const std::vector<std::string> soloGradacion = AvisosDelEstudio(v->ProblemaActual(), caudal, *s->Estudio());
        QCOMPARE(soloGradacion.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(soloGradacion[0]).contains("factor de gradación Kσ"));
        QCOMPARE(s->lblAvisos->text(), QString::fromStdString(marca + soloGradacion[0]));
        TProblema p = v->ProblemaActual();
        p.textos["FlujCaud"] = "500";
        QCOMPARE(s->tblSensibilidad->item(0, s->tblSensibilidad->columnCount() - 1)->text(),
                 QString::fromStdString(UnirAvisosDatos(AvisosDatos(22, p.textos))));
    }

    // A gate whose opening is swept up to where the problem becomes a
    // confined vortex: those points are gaps that say so, and no curve or
    // column holds the other type's formulas.
    void CambioDeTipo() {
        TfrmSensibilidad* s = Abrir(0, 1, "EstrLongPlat=4.5");
        QVERIFY(s);
        QCOMPARE(entorno.mensajes, QStringList{"La longitud de la protección es insuficiente para que actúe."});
        entorno.mensajes.clear();
        QVERIFY(ElegirCampo(s, "EstrAltuAper"));
        QVERIFY(Correr(s, "0.1", "0.9", "3", false));
        const TEstudio& e = *s->Estudio();
        QCOMPARE(e.codigo, ProblemCode(122));
        const int condicion = int(e.formulas.size()) + 1;
        QCOMPARE(s->tblSensibilidad->horizontalHeaderItem(condicion)->text(), QString("Condición de transporte"));
        QVERIFY(s->tblSensibilidad->item(0, condicion)->text() != QString());
        QVERIFY(!s->tblSensibilidad->item(0, condicion)->text().startsWith("el problema"));
        for (int j : {1, 2}) {
            QCOMPARE(s->tblSensibilidad->item(j, condicion)->text(),
                     QString("el problema cambia de tipo: Problema Vórtice Confinado"));
            for (int g = 0; g < s->chrtSensibilidad->graphCount(); ++g)  // lines and markers alike
                QVERIFY(std::isnan(s->chrtSensibilidad->graph(g)->data()->at(j)->value));
        }
        for (const TEstudio::TFormula& f : e.formulas) QVERIFY(e.puntos[0].profundidades[f.ranura - 1]);
        QCOMPARE(s->lblEstado->text(), QString("2 de 3 puntos sin resultado."));
        // The curves are the formulas of the gate's own results page.
        QStringList titulos;
        for (QCPGraph* g : s->curvas) titulos << g->name();
        QStringList activas;
        for (const TRanura& r : v->Panel().ranuras)
            if (r.activa) activas << QString::fromStdString(r.titulo);
        QCOMPARE(titulos, activas);
    }

    // The chart as a PNG for print, as the chart page writes it: 2400
    // pixels wide, scaled up whole from the screen, 300 dpi; "Exportar..."
    // suggests the problem's title and the date.
    void ExportarPng() {
        TfrmSensibilidad* s = Abrir();
        QVERIFY(s);
        QVERIFY(Correr(s, "500", "4000", "10", false));
        QTemporaryDir dir;
        QVERIFY(s->Exportar(dir.filePath("estudio.png")));
        const QImage imagen(dir.filePath("estudio.png"));
        QVERIFY(!imagen.isNull());
        const QSize pantalla = s->chrtSensibilidad->size();
        QCOMPARE(imagen.width(), 2400);
        QCOMPARE(imagen.height(), qRound(pantalla.height() * 2400.0 / pantalla.width()));
        QCOMPARE(qRound(imagen.dotsPerMeterX() * 0.0254), 300);

        QString propuesto;
        entorno.EsperarModal([&](QWidget* modal) {
            auto* d = qobject_cast<QFileDialog*>(modal);
            QVERIFY(d);
            propuesto = QFileInfo(d->selectedFiles().value(0)).fileName();
            d->selectFile(dir.filePath("elegido.png"));
            static_cast<QDialog*>(d)->accept();
        });
        Clic(s->btnExportar);
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(propuesto, "Problema de la Pila " + QDate::currentDate().toString("yyyy-MM-dd") + ".png");
        QCOMPARE(QImage(dir.filePath("elegido.png")).width(), 2400);
    }

    // "Exportar..." lists the workbook after the CSV; choosing it writes the
    // table as a workbook under the name typed without extension.
    void ExportarLibro() {
        TfrmSensibilidad* s = Abrir();
        QVERIFY(s);
        QVERIFY(Correr(s, "500", "4000", "10", false));
        QTemporaryDir dir;
        QStringList filtros;
        entorno.EsperarModal([&](QWidget* modal) {
            auto* d = qobject_cast<QFileDialog*>(modal);
            QVERIFY(d);
            filtros = d->nameFilters();
            auto* formatos = d->findChild<QComboBox*>("fileTypeCombo");
            QVERIFY(formatos);
            QTest::keyClick(formatos, Qt::Key_End);
            QCOMPARE(d->selectedNameFilter(), QString("Libro de Excel (*.xlsx)"));
            d->selectFile(dir.filePath("elegido"));
            static_cast<QDialog*>(d)->accept();
        });
        Clic(s->btnExportar);
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(filtros, QStringList({"Imagen PNG (*.png)", "Imagen SVG (*.svg)", "Documento PDF (*.pdf)",
                                       "Tabla CSV (*.csv)", "Libro de Excel (*.xlsx)"}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"elegido.xlsx"});
        const QString hoja = MiembroZip(dir.filePath("elegido.xlsx"), "xl/worksheets/sheet1.xml");
        QVERIFY(TieneTexto(hoja, "Erosión máxima de equilibrio (Johnson)"));
        QCOMPARE(hoja.count("<row "), 2 + 10);
        QVERIFY(TieneTexto(MiembroZip(dir.filePath("elegido.xlsx"), "xl/worksheets/sheet2.xml"), "Problema de la Pila"));
        QVERIFY(entorno.mensajes.isEmpty());
    }
};

QTEST_MAIN(PruebaSensibilidad)
#include "test_sensibilidad.moc"
