// "Detalle del cálculo" on the results page: the button beside the others
// after a calculation, the read-only window with the core's text of the
// window's own problem, and "Copiar".
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "app/Main.h"
#include "entorno.h"
#include "results/untDetalle.h"
#include "results/untDetalleVentana.h"
#include "pickers/untPaginaComplementaria.h"
#include "resultados.h"

namespace {

// A click as the window system delivers it: to the top-level window.
void Clic(QWidget* w) {
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), w->rect().center()));
}

}  // namespace

class PruebaDetalle : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TMainForm> principal;
    QPointer<TfrmProbTipo> v;

    // The detail window opened with the button of the computed window.
    TfrmDetalle* Abrir() {
        QPushButton* boton = v->tbshProblema->bbtnDetalle;
        if (!boton->isVisible()) return nullptr;
        Clic(boton);
        auto* d = v->findChild<TfrmDetalle*>();
        if (d && !QTest::qWaitForWindowExposed(d)) return nullptr;
        return d;
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

    // The button comes with the results, on the buttons' row after the
    // others, inside the page and clear of every other button; the
    // abutment, with its two pictures, too.
    void BotonJuntoALosDemas_data() {
        QTest::addColumn<int>("obst");
        QTest::addColumn<QString>("textos");
        QTest::newRow("pila") << 1 << "EstrFactFormKs=1;EstrFactGrup=1";
        QTest::newRow("estribo") << 0 << "EstrLongPlat=0.5";
    }
    void BotonJuntoALosDemas() {
        QFETCH(int, obst);
        QFETCH(QString, textos);
        TPaginaResultados& pagina = *v->tbshProblema;
        QVERIFY(!pagina.bbtnDetalle->isVisibleTo(&pagina));
        AbrirYCalcular(*v, 1, obst, textos);
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        QVERIFY(pagina.bbtnDetalle->isVisible());
        QCOMPARE(pagina.bbtnDetalle->text(), QString("Detalle del cálculo"));
        const QRect r = pagina.bbtnDetalle->geometry();
        QVERIFY2(pagina.rect().contains(r), "el botón se sale de la página");
        QCOMPARE(r.y(), pagina.bbtnReporte->y());
        for (QPushButton* otro : pagina.findChildren<QPushButton*>()) {
            if (otro == pagina.bbtnDetalle || !otro->isVisibleTo(&pagina)) continue;
            QVERIFY2(!otro->geometry().intersects(r), qPrintable(otro->objectName()));
            if (otro->y() == r.y()) QVERIFY(otro->x() < r.x());
        }
    }

    // The window shows the core's detail of the window's problem, read-only;
    // "Copiar" puts that text on the clipboard, "Cerrar" closes the window.
    void VentanaYCopiar() {
        AbrirYCalcular(*v, 1, 1, "SediDiamMedi=5;SediDiam84N3=27;EstrAnchPila=1.8;EstrLongPila=8.8;"
                                 "EstrFactFormKs=1;EstrFactGrup=1");
        TfrmDetalle* d = Abrir();
        QVERIFY(d);
        QCOMPARE(d->objectName(), QString("frmDetalle"));
        QCOMPARE(d->windowTitle(), QString("Detalle del cálculo - Problema de la Pila"));
        QVERIFY(d->isWindow());
        QVERIFY(d->mmDetalle->isReadOnly());
        const QString esperado =
            QString::fromStdString(TextoDetalle(DetalleCalculo(v->Datos(), v->Panel(), v->OpcionManning())));
        QCOMPARE(d->Texto(), esperado);
        QVERIFY(esperado.contains("Desviación geométrica de la granulometría: σ = d84 / d50 = 5.4\n"));

        // Typing does not change it.
        Clic(d->mmDetalle);
        for (char c : {'x', 'y', 'z'}) QTest::keyClick(d->windowHandle(), c);
        QTest::keyClick(d->windowHandle(), Qt::Key_Delete);
        QCOMPARE(d->Texto(), esperado);

        QGuiApplication::clipboard()->setText("otra cosa");
        Clic(d->bbtnCopiar);
        QCOMPARE(QGuiApplication::clipboard()->text(), esperado);

        QPointer<TfrmDetalle> cerrada = d;
        Clic(d->bbtnCerrar);
        QTRY_VERIFY(cerrada.isNull());
    }

    // With "Altura de rugosidad" the window shows the Manning coefficient
    // derived from ks, as the calculation used it.
    void OpcionRugosidad() {
        v->tbshNivel0->rbAltuRugoCauc->click();
        v->Campo("AltuRugoCauc")->setText("150");
        AbrirYCalcular(*v, 1, 1, "EstrFactFormKs=1;EstrFactGrup=1");
        TfrmDetalle* d = Abrir();
        QVERIFY(d);
        QVERIFY(d->Texto().contains("  Altura de rugosidad: ks = 0.15 m\n"));
        QVERIFY(d->Texto().contains("  Coeficiente de Manning: n = 0.4 · h^(1/6) / (√g · ln(12 · h / ks)) = "));
    }

    // The open window follows the problem: a changed discharge makes it say
    // that it shows the last calculation, "Calcular" replaces its detail
    // (Q = 1200, not 800) and the note goes; the button brings the same
    // window forward instead of opening another.
    void SigueAlProblema() {
        AbrirYCalcular(*v, 1, 1, "FlujCaud=800;EstrFactFormKs=1;EstrFactGrup=1");
        TfrmDetalle* d = Abrir();
        QVERIFY(d);
        QVERIFY(d->Texto().contains("Q = 800 m³/s"));
        QVERIFY(!d->findChild<QLabel*>("lblAnterior") || !d->findChild<QLabel*>("lblAnterior")->isVisible());
        // Kept in front of the main window that holds the calculation window.
        QVERIFY(d->windowFlags().testFlag(Qt::Tool));
        QCOMPARE(d->windowHandle()->transientParent(), principal->windowHandle());

        // The discharge typed and left with Tab, as a user does, in the main window.
        principal->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
        QTabBar* barra = v->pgReplanteo->tabBar();
        QTest::mouseClick(principal->windowHandle(), Qt::LeftButton, {},
                          barra->mapTo(principal.get(), barra->tabRect(TfrmProbTipo::kGlobal).center()));
        QLineEdit* caudal = v->Campo("FlujCaud");
        Clic(caudal);
        QVERIFY(caudal->hasFocus());
        QTest::keyClick(principal->windowHandle(), Qt::Key_A, Qt::ControlModifier);
        for (char c : {'1', '2', '0', '0'}) QTest::keyClick(principal->windowHandle(), c);
        QTest::keyClick(principal->windowHandle(), Qt::Key_Tab);
        QCOMPARE(caudal->text(), QString("1200"));
        auto* nota = d->findChild<QLabel*>("lblAnterior");
        QVERIFY(nota);
        QVERIFY(nota->isVisibleTo(d));
        QVERIFY(nota->text().contains("«Calcular»"));
        QVERIFY(d->Texto().contains("Q = 800 m³/s"));

        // "Calcular" on its page, as the user presses it.
        QTest::mouseClick(principal->windowHandle(), Qt::LeftButton, {},
                          barra->mapTo(principal.get(), barra->tabRect(TfrmProbTipo::kComplementaria).center()));
        Clic(v->tbshNivel3->btnN3);
        QVERIFY(d->Texto().contains("Q = 1200 m³/s"));
        QVERIFY(!d->Texto().contains("Q = 800 m³/s"));
        QCOMPARE(d->Texto(),
                 QString::fromStdString(TextoDetalle(DetalleCalculo(v->Datos(), v->Panel(), v->OpcionManning()))));
        QVERIFY(!nota->isVisibleTo(d));

        // Again the button: the same window, in front; never a second one.
        d->showMinimized();
        Clic(v->tbshProblema->bbtnDetalle);
        QCOMPARE(v->findChildren<TfrmDetalle*>().size(), qsizetype(1));
        QCOMPARE(v->tbshProblema->VentanaDetalle(), d);
        QVERIFY(!d->isMinimized());
        QVERIFY(d->isVisible());
    }
};

QTEST_MAIN(PruebaDetalle)
#include "test_detalle.moc"
