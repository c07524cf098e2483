// The sensitivity window opened from the results page of a computed pier:
// the study over the discharge draws one curve per formula and fills the
// table with the core's numbers, leaves the calculation window's record as
// it was, and a range the core refuses ends in its message.
#include <cstring>
#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "app/Main.h"
#include "../registro.h"
#include "entorno.h"
#include "general/untGeneral.h"
#include "resultados.h"
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

}  // namespace

class PruebaSensibilidad : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TMainForm> principal;
    QPointer<TfrmProbTipo> v;

    // The sensitivity window of the computed pier, opened with its button.
    TfrmSensibilidad* Abrir() {
        ClasificarYCalcular(*v, 1, 1, "EstrFactFormKs=1;EstrFactGrup=1;SediAnguRepo=30");
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
        QCOMPARE(s->tblSensibilidad->columnCount(), 5);
        QCOMPARE(s->tblSensibilidad->horizontalHeaderItem(2)->text(), QString("CSU [m]"));
        for (int j = 0; j < 50; ++j)
            for (int c = 0; c < 5; ++c)
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
        QCOMPARE(f.readAll().toStdString(), CsvEstudio(TBarrido{"FlujCaud", 500, 4000, 50, false}, esperado));
        for (const char* ext : {"png", "svg", "pdf"}) QVERIFY(s->Exportar(dir.filePath(QString("e.") + ext)));
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
};

QTEST_MAIN(PruebaSensibilidad)
#include "test_sensibilidad.moc"
