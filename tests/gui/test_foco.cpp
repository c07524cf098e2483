// The calculation window with the real message box: a box takes the focus
// from the window and, when it closes, the window system or the
// multiple-document area hands it back to a control of its choice (often
// the one the user was moving to).  A hook in place of the box hides all
// this, so these tests show the real box inside the main window's
// multiple-document area and close it with a click on its OK button.
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "app/Main.h"
#include "comun/untGrupoRadio.h"
#include "comun/untMensajes.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"

namespace {

const QString kInvalido = "El valor ingresado no es válido.";

}  // namespace

class PruebaFoco : public QObject {
    Q_OBJECT
    std::unique_ptr<TMainForm> principal;
    TfrmProbTipo* v = nullptr;

    // The watch: every box that comes up is recorded and closed with a click
    // on OK a moment later; `alAparecer` runs first on it when set.  A test
    // compares the list with the boxes it expects, so a second box where one
    // is due fails it (and a storm of boxes ends with the test instead of
    // hanging it).
    QTimer vigia;
    QStringList cajas;
    QPointer<QMessageBox> ultima;
    std::function<void(QMessageBox*)> alAparecer;

    void Vigilar() {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja || caja == ultima) return;
        ultima = caja;
        cajas << caja->text();
        if (alAparecer) alAparecer(caja);
        QTimer::singleShot(60, caja, [caja] { QTest::mouseClick(caja->button(QMessageBox::Ok), Qt::LeftButton); });
        // A window manager gives the main window back its activation when
        // the box closes; the offscreen platform does not, so the watch
        // does (under a window manager the window is active again by then).
        QTimer::singleShot(90, this, [this] {
            if (principal && !QApplication::activeModalWidget() && !QApplication::activeWindow())
                principal->activateWindow();
        });
    }

    // Lets the focus settle after an action: long enough for a box to come
    // up, be closed and, should the rejection loop, come up again.
    void Asentar() {
        QTest::qWait(150);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QTest::qWait(150);
    }

    QLineEdit* E(const char* nombre) { return v->Campo(nombre); }
    QTabBar* Barra() { return v->pgReplanteo->tabBar(); }

    // The mouse through the main window, as the window system delivers it:
    // at a point of the widget (its centre by default).
    QPoint EnVentana(QWidget* w, QPoint p) { return w->mapTo(w->window(), p.isNull() ? w->rect().center() : p); }
    void Clic(QWidget* w, QPoint p = {}) {
        QTest::mouseClick(principal->windowHandle(), Qt::LeftButton, {}, EnVentana(w, p));
    }
    void Pulsar(QWidget* w) { QTest::mousePress(principal->windowHandle(), Qt::LeftButton, {}, EnVentana(w, {})); }
    void Soltar(QWidget* w) { QTest::mouseRelease(principal->windowHandle(), Qt::LeftButton, {}, EnVentana(w, {})); }
    void ClicPestana(int pagina) { Clic(Barra(), Barra()->tabRect(pagina).center()); }
    // Keys through the main window, as the window system delivers them.
    void Tecla(Qt::Key tecla, Qt::KeyboardModifiers mod = {}) {
        QTest::keyClick(principal->windowHandle(), tecla, mod);
    }
    void Tab() { Tecla(Qt::Key_Tab); }
    // A user's typing: click into the field, select all, type.
    void Escribir(QLineEdit* e, const QString& texto) {
        Clic(e);
        QVERIFY(e->hasFocus());
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        if (texto.isEmpty())
            QTest::keyClick(e, Qt::Key_Backspace);
        else
            QTest::keyClicks(e, texto);
    }
    void Responder(TGrupoRadio* grupo, QPushButton* boton, int item) {
        // On the round indicator: a click beside a short caption misses the item.
        QRadioButton* opcion = grupo->Item(item);
        Clic(opcion, QPoint(8, opcion->height() / 2));
        QCOMPARE(grupo->ItemIndex(), item);
        Clic(boton);
    }

    // The tab bar and the page shown agree, and the page is visible.
    bool PaginaCoherente(int pagina) {
        return v->pgReplanteo->currentIndex() == pagina && Barra()->currentIndex() == pagina &&
               v->pgReplanteo->currentWidget() == v->pgReplanteo->widget(pagina) &&
               v->pgReplanteo->widget(pagina)->isVisible();
    }

private slots:
    void initTestCase() {
        vigia.setInterval(20);
        connect(&vigia, &QTimer::timeout, this, &PruebaFoco::Vigilar);
    }
    void init() {
        cajas.clear();
        ultima = nullptr;
        alAparecer = nullptr;
        InstalarGanchoMensajes({});  // the real box
        vigia.start();
        principal = std::make_unique<TMainForm>();
        principal->resize(1200, 900);  // room for the window with a question open below its pages
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
        v = principal->mmiFileNewClick();
        QTRY_VERIFY(principal->mdiArea->activeSubWindow() != nullptr);
    }
    void cleanup() {
        principal.reset();
        vigia.stop();
    }

    // A rejected text shows its message once, empties the field and keeps
    // the focus in it; the Tab or click that left the field does nothing
    // more; each new attempt to leave shows the message once more; a valid
    // text then lets the focus go.  Before any answer of the wizard and
    // after one (or two), on the global, local and structure pages.
    void RechazoUnaVez_data() {
        QTest::addColumn<int>("respuestas");  // wizard questions answered first
        QTest::addColumn<QString>("campo");
        QTest::addColumn<bool>("conClic");  // leave by clicking the page's button, else by Tab
        QTest::addColumn<QString>("valido");
        QTest::newRow("global, Tab") << 0 << "AguaDens" << false << "1000";
        QTest::newRow("global, clic") << 0 << "AguaDens" << true << "1000";
        QTest::newRow("global tras responder, Tab") << 1 << "AguaDens" << false << "1000";
        QTest::newRow("global tras responder, clic") << 1 << "AguaDens" << true << "1000";
        QTest::newRow("tirante tras responder, Tab") << 1 << "FlujTiraRest" << false << "1.2";
        QTest::newRow("tirante tras responder, clic") << 1 << "FlujTiraRest" << true << "1.2";
        QTest::newRow("estructura, clic") << 2 << "EstrLongPlat" << true << "8.75";
    }
    void RechazoUnaVez() {
        QFETCH(int, respuestas);
        QFETCH(QString, campo);
        QFETCH(bool, conClic);
        QFETCH(QString, valido);
        if (respuestas >= 1) {
            Clic(v->tbshNivel0->btnN0);
            Responder(v->rg0, v->btnContAfue01, 0);
        }
        if (respuestas >= 2) {
            Clic(v->tbshNivel1->btnN1);
            Responder(v->rg00, v->btnContAfue12, 0);
        }
        QLineEdit* e = E(campo.toUtf8().constData());
        const int pagina = BuscarCampo(campo.toStdString())->pagina;
        if (v->pgReplanteo->currentIndex() != pagina) ClicPestana(pagina);
        QVERIFY(PaginaCoherente(pagina));
        QPushButton* boton = pagina == 0   ? v->tbshNivel0->btnN0
                             : pagina == 1 ? v->tbshNivel1->btnN1
                                           : v->tbshNivel2->btnN2;
        // A click's release comes while the box is up, and the box discards
        // it; here it comes once the box is gone, which must not click either.
        auto salir = [&] {
            if (!conClic) return Tab();
            Pulsar(boton);
            Asentar();
            Soltar(boton);
        };
        Escribir(e, "1,2");
        salir();
        Asentar();
        QCOMPARE(cajas, QStringList{kInvalido + QString(kPistaSeparador)});  // a comma: the point's hint too
        QCOMPARE(e->text(), QString());
        QVERIFY(e->hasFocus());
        QVERIFY(!boton->isDown());
        QVERIFY(v->pgReplanteo->isEnabled());  // no question opened, nothing continued
        QVERIFY(PaginaCoherente(pagina));

        salir();  // a second attempt: the message once more
        Asentar();
        QCOMPARE(cajas, QStringList({kInvalido + QString(kPistaSeparador), kInvalido}));  // the field is empty now
        QVERIFY(e->hasFocus());

        QTest::keyClicks(e, valido);
        Tab();
        Asentar();
        QCOMPARE(cajas.size(), 2);
        QVERIFY(!e->hasFocus());
    }

    // A tab clicked while a field is being left: the tab bar and the page
    // shown agree whatever the exit decides.  A rejection stays on the
    // field's page; a field of the global page returns to it (its reaction
    // activates it); an unchanged depth changes nothing and the clicked tab
    // opens.
    void PestanaAlSalirDelCampo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("clic");
        QTest::addColumn<int>("pagina");  // where it ends
        QTest::addColumn<bool>("mensaje");
        QTest::addColumn<bool>("resultados");  // "Resultados" and "Grafico" still shown
        QTest::newRow("rechazado") << "AguaDens" << "x" << int(TfrmProbTipo::kGrafico) << 0 << true << true;
        QTest::newRow("sin cambio") << "AguaDens" << "1000" << int(TfrmProbTipo::kGrafico) << 0 << false << true;
        QTest::newRow("con cambio") << "AguaDens" << "999" << int(TfrmProbTipo::kResultados) << 0 << false
                                    << false;
        QTest::newRow("tirante sin cambio") << "FlujTiraRest" << "1.2" << int(TfrmProbTipo::kResultados)
                                            << int(TfrmProbTipo::kResultados) << false << true;
        QTest::newRow("tirante rechazado") << "FlujTiraRest" << "" << int(TfrmProbTipo::kEstructura) << 1 << true
                                           << true;
    }
    void PestanaAlSalirDelCampo() {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(int, clic);
        QFETCH(int, pagina);
        QFETCH(bool, mensaje);
        QFETCH(bool, resultados);
        // Pier: every tab up to "Resultados", then a curve on the chart.
        Clic(v->tbshNivel0->btnN0);
        Responder(v->rg0, v->btnContAfue01, 1);
        Clic(v->tbshNivel1->btnN1);
        Responder(v->rg01, v->btnContAfue12, 1);
        Clic(v->tbshNivel2->btnN2);
        v->Calcular();
        v->Grafico().Serie(1).puntos = {{0, 0}, {1, 0.5}};
        v->Grafico().pestanaVisible = true;
        v->RefrescarGrafico();
        QVERIFY(v->pgReplanteo->isTabVisible(TfrmProbTipo::kGrafico));

        QLineEdit* e = E(campo.toUtf8().constData());
        ClicPestana(BuscarCampo(campo.toStdString())->pagina);
        Escribir(e, texto);
        ClicPestana(clic);
        Asentar();
        QVERIFY(PaginaCoherente(pagina));
        QCOMPARE(cajas, mensaje ? QStringList{kInvalido} : QStringList{});
        QCOMPARE(v->pgReplanteo->isTabVisible(TfrmProbTipo::kResultados), resultados);
        QCOMPARE(v->pgReplanteo->isTabVisible(TfrmProbTipo::kGrafico), resultados);
        if (mensaje) QVERIFY(e->hasFocus());

        // Once the field is left, a click on a tab opens that tab: the focus
        // did not go back into the field to be left again.
        if (!mensaje) {
            ClicPestana(TfrmProbTipo::kLocal);
            Asentar();
            QVERIFY(PaginaCoherente(TfrmProbTipo::kLocal));
            QVERIFY(cajas.isEmpty());
        }
    }

    // Tab and Shift+Tab follow the rows top to bottom, then the page's
    // button, on every page and for every code of the structure page.
    void OrdenDeTabulacion_data() {
        QTest::addColumn<int>("feno");  // -1: the global page; -2: the local page
        QTest::addColumn<int>("obst");
        QTest::addColumn<QStringList>("orden");
        const QStringList global{"edtAguaDens",        "edtAguaTemp",         "edtSediDensMate", "edtSediDiamMedi",
                                 "edtForzAcelGrav",    "edtFlujCaud",         "edtCaucAnchCauc", "rbCaucCoefMannCauc",
                                 "edtCaucCoefMannCauc", "btnN0"};
        QTest::newRow("global") << -1 << 0 << global;
        QTest::newRow("local") << -2 << 0 << QStringList{"edtFlujTiraRest", "btnN1"};
        QTest::newRow("11") << 0 << 0 << QStringList{"edtEstrAltuSaltFond", "edtEstrLongPlat", "btnN2"};
        QTest::newRow("12") << 0 << 1 << QStringList{"edtEstrAltuAper", "edtEstrLongPlat", "btnN2"};
        QTest::newRow("21") << 1 << 0 << QStringList{"edtEstrLongEstr", "edtEstrAnchEstr", "edtEstrLongPlat", "btnN2"};
        QTest::newRow("22") << 1 << 1 << QStringList{"edtEstrAnchPila", "edtEstrLongPila", "btnN2"};
        QTest::newRow("31") << 2 << 0 << QStringList{"edtEstrDiamAper", "edtEstrCantAper", "btnN2"};
    }
    void OrdenDeTabulacion() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(QStringList, orden);
        if (feno != -1) {
            Clic(v->tbshNivel0->btnN0);
            Responder(v->rg0, v->btnContAfue01, std::max(feno, 0));
        }
        if (feno >= 0) {
            Clic(v->tbshNivel1->btnN1);
            TGrupoRadio* grupo = feno == 0 ? v->rg00 : feno == 1 ? v->rg01 : v->rg02;
            Responder(grupo, v->btnContAfue12, obst);
        }
        auto* primero = v->findChild<QWidget*>(orden.first());
        Clic(primero);

        QVERIFY(primero->hasFocus());
        QStringList visitados{orden.first()};
        for (int i = 1; i < orden.size(); ++i) {
            Tab();
            visitados << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visitados, orden);
        QStringList atras{orden.last()};
        for (int i = 1; i < orden.size(); ++i) {
            Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
            atras.prepend(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(atras, orden);
        QVERIFY(cajas.isEmpty());
    }

    // A window closed while one of its rejection messages is up closes once
    // the box is gone; the main window too.
    void CerrarConMensajeAbierto_data() {
        QTest::addColumn<bool>("todo");  // the main window, else the calculation window
        QTest::newRow("ventana de cálculo") << false;
        QTest::newRow("ventana principal") << true;
    }
    void CerrarConMensajeAbierto() {
        QFETCH(bool, todo);
        const QPointer<QMdiSubWindow> marco = principal->mdiArea->activeSubWindow();
        alAparecer = [&](QMessageBox*) {
            if (todo)
                principal->close();
            else
                marco->close();
        };
        Escribir(E("AguaDens"), "x");
        Tab();
        Asentar();
        QCOMPARE(cajas, QStringList{kInvalido});
        QTRY_VERIFY(marco.isNull());
        QCOMPARE(principal->isVisible(), !todo);
    }

    // Closing the window, or the program, while a field holds a text that
    // would be rejected shows no message.
    void CerrarConTextoInvalido_data() {
        QTest::addColumn<bool>("todo");
        QTest::newRow("ventana de cálculo") << false;
        QTest::newRow("ventana principal") << true;
    }
    void CerrarConTextoInvalido() {
        QFETCH(bool, todo);
        const QPointer<QMdiSubWindow> marco = principal->mdiArea->activeSubWindow();
        Escribir(E("AguaDens"), "x");
        if (todo)
            principal->close();
        else
            marco->close();
        Asentar();
        QTRY_VERIFY(marco.isNull());
        QVERIFY(cajas.isEmpty());
    }
};

QTEST_MAIN(PruebaFoco)
#include "test_foco.moc"
