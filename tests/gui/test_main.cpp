// The main window: menus, toolbar, "&New", the menu replacement, the single
// description window, and closing everything.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QPointer>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include "app/Main.h"
#include "app/untAbrir.h"
#include "app/untIntro.h"
#include "app/untProbDesc.h"
#include "entorno.h"
#include "problem/untGrupoRadio.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"

namespace {

QStringList TitulosMenuBar(QMainWindow& v) {
    QStringList t;
    for (QAction* a : v.menuBar()->actions()) t << a->text();
    return t;
}

int Hijas(TMainForm& v) { return int(v.mdiArea->subWindowList().size()); }

template <class T> int HijasDe(TMainForm& v) {
    int n = 0;
    for (QMdiSubWindow* s : v.mdiArea->subWindowList()) n += qobject_cast<T*>(s->widget()) != nullptr;
    return n;
}

}  // namespace

class PruebaMain : public QObject {
    Q_OBJECT
    TEntorno entorno;
    TDatosProblema datos;
    std::unique_ptr<TMainForm> principal;

private slots:
    void init() {
        entorno.Iniciar();
        datos = TDatosProblema{};
        principal = std::make_unique<TMainForm>(datos);
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
    }
    void cleanup() {
        principal.reset();
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
    }

    void TituloMenusYBarra() {
        TMainForm& v = *principal;
        QCOMPARE(v.windowTitle(), QString("NORVA - TURMADO - QUENFOR S.A."));
        QCOMPARE(TitulosMenuBar(v), QStringList({"&File", "&Help"}));
        const QList<QMenu*>& m = v.MenusPropios();
        QCOMPARE(m[0]->menuAction()->statusTip(), QString("File related commands"));
        QCOMPARE(m[1]->menuAction()->statusTip(), QString("Help topics"));
        QStringList archivo, ayuda;
        for (QAction* a : m[0]->actions()) archivo << (a->isSeparator() ? "-" : a->text());
        for (QAction* a : m[1]->actions()) ayuda << a->text();
        QCOMPARE(archivo, QStringList({"&New", "-", "E&xit"}));
        QCOMPARE(ayuda, QStringList({"&About...", "&Descripción"}));
        QCOMPARE(v.FileNew1->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(v.FileOpen1->shortcut(), QKeySequence("Ctrl+O"));
        // "short|long" hints: tooltip and status-bar text.
        QCOMPARE(v.FileNew1->toolTip(), QString("New"));
        QCOMPARE(v.FileNew1->statusTip(), QString("Create a new file"));
        QCOMPARE(v.FileExit1->statusTip(), QString("Exit application"));
        QCOMPARE(v.FileOpen1->statusTip(), QString("Open a file"));
        QCOMPARE(v.WindowTileVertical1->statusTip(), QString("Tile Vertically"));

        auto* barra = v.findChild<QToolBar*>("ToolBar1");
        QVERIFY(barra);
        QStringList botones;
        for (QAction* a : barra->actions()) botones << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(botones, QStringList({"&New", "-", "&Cascade", "Tile &Horizontally", "Tile &Vertically"}));
        for (QAction* a : barra->actions()) QVERIFY(a->isSeparator() || !a->icon().isNull());
    }

    // Menu, toolbar, Ctrl+N and the calculation window's own "&New".
    void NuevoDesdeCadaLugar() {
        TMainForm& v = *principal;
        v.FileNew1->trigger();
        QCOMPARE(Hijas(v), 1);
        QTest::keyClick(&v, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(Hijas(v), 2);
        auto* hija = qobject_cast<TfrmProbTipo*>(v.mdiArea->subWindowList().last()->widget());
        QVERIFY(hija);
        QCOMPARE(hija->windowTitle(), QString("Cálculo para problema específico"));
        hija->MenuHijo().mmiFileNew->trigger();
        QCOMPARE(HijasDe<TfrmProbTipo>(v), 3);
        // No maximise button on a calculation window.
        const Qt::WindowFlags f = v.mdiArea->subWindowList().last()->windowFlags();
        QVERIFY(f.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void MenuDeLaHijaReemplazaAlPrincipal() {
        TMainForm& v = *principal;
        TfrmProbTipo* hija = v.mmiFileNewClick();
        QCOMPARE(v.mdiArea->activeSubWindow()->widget(), hija);
        QCOMPARE(TitulosMenuBar(v), QStringList({"&File", "&Window", "&Help"}));
        QStringList archivo;
        for (QAction* a : hija->MenuHijo().Menus()[0]->actions()) archivo << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(archivo, QStringList({"&New", "&Open", "&Close", "-", "&Exit"}));
        QCOMPARE(hija->MenuHijo().Menus()[1]->menuAction()->statusTip(), QString("Window related commands"));
        QVERIFY(hija->MenuHijo().Menus()[1]->actions().isEmpty());
        v.mdiArea->closeAllSubWindows();
        QCOMPARE(Hijas(v), 0);
        QCOMPARE(TitulosMenuBar(v), QStringList({"&File", "&Help"}));
        // The main menus survive the swap.
        v.FileNew1->trigger();
        v.mdiArea->closeAllSubWindows();
        QCOMPARE(TitulosMenuBar(v), QStringList({"&File", "&Help"}));
    }

    void CerrarLaHijaLaDestruye() {
        TMainForm& v = *principal;
        QPointer<TfrmProbTipo> hija = v.mmiFileNewClick();
        v.mdiArea->activeSubWindow()->close();
        QTRY_VERIFY(hija.isNull());
    }

    // Ctrl+O: the open window, modal.
    void AbrirConCtrlO() {
        TMainForm& v = *principal;
        QString titulo;
        entorno.EsperarModal([&](QWidget* w) {
            titulo = w->windowTitle();
            QVERIFY(qobject_cast<TfrmAbrir*>(w));
            w->close();
        });
        QTest::keyClick(&v, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(titulo, QString("frmAbrir"));
        QVERIFY(!entorno.ModalPendiente());
    }

    void AcercaDeDelPrincipalNoHaceNada() {
        TMainForm& v = *principal;
        v.HelpAbout1->trigger();
        QTest::qWait(60);  // a modal would have been caught by now
        QCOMPARE(Hijas(v), 0);
        QVERIFY(entorno.mensajes.isEmpty());
    }

    void AcercaDeDeLaHijaMuestraLaIntro() {
        TMainForm& v = *principal;
        TfrmProbTipo* hija = v.mmiFileNewClick();
        bool conOk = false;
        entorno.EsperarModal([&](QWidget* w) {
            auto* intro = qobject_cast<TfrmIntro*>(w);
            QVERIFY(intro);
            conOk = intro->BitBtn1->text() == "OK";
            QTest::mouseClick(intro->BitBtn1, Qt::LeftButton);
        });
        hija->MenuHijo().mmiHelpAbout->trigger();
        QVERIFY(conOk);
        QVERIFY(!entorno.ModalPendiente());
    }

    // One description window at a time; closing it allows a new one.
    void DescripcionUnaSolaVez() {
        TMainForm& v = *principal;
        v.mmiHelpDesc->trigger();
        QCOMPARE(HijasDe<TfrmProbDesc>(v), 1);
        QMdiSubWindow* primera = v.mdiArea->subWindowList().first();
        QCOMPARE(primera->widget()->windowTitle(), QString("Descripción de la metodología de cálculo"));
        TfrmProbTipo* hija = v.mmiFileNewClick();
        hija->MenuHijo().mnuHelpDesc->trigger();  // from a calculation window's menu
        QCOMPARE(HijasDe<TfrmProbDesc>(v), 1);
        // It is neither activated nor brought to the front.
        QCOMPARE(v.mdiArea->activeSubWindow()->widget(), hija);
        primera->close();
        QTRY_COMPARE(HijasDe<TfrmProbDesc>(v), 0);
        v.mmiHelpDesc->trigger();
        QCOMPARE(HijasDe<TfrmProbDesc>(v), 1);
    }

    void SalirCierraTodoSinPreguntar() {
        TMainForm& v = *principal;
        QPointer<TfrmProbTipo> a = v.mmiFileNewClick();
        QPointer<TfrmProbTipo> b = v.mmiFileNewClick();
        v.mmiHelpDesc->trigger();
        v.FileExit1->trigger();
        QVERIFY(a.isNull() && b.isNull());
        QCOMPARE(Hijas(v), 0);
        QVERIFY(!v.isVisible());
        QVERIFY(entorno.mensajes.isEmpty());
    }

    void CerrarElPrincipalCierraLasHijas() {
        TMainForm& v = *principal;
        QPointer<TfrmProbTipo> a = v.mmiFileNewClick();
        QPointer<TfrmProbTipo> b = v.mmiFileNewClick();
        QVERIFY(v.close());
        QVERIFY(a.isNull() && b.isNull());
        QVERIFY(entorno.mensajes.isEmpty());
    }

    // Classifying in a second window changes the code that the first one
    // computes the next time one of its pages is shown.
    void DosVentanasCompartenElRegistro() {
        TMainForm& v = *principal;
        TfrmProbTipo* a = v.mmiFileNewClick();
        a->tbshNivel0->btnN0->click();
        a->rg0->SetItemIndex(1);
        a->btnContAfue01->click();
        a->tbshNivel1->btnN1->click();
        a->rg01->SetItemIndex(1);  // interior: pier
        a->btnContAfue12->click();
        QCOMPARE(datos.CodiProb, 22);
        QCOMPARE(a->tbshNivel2->Fila("EstrAnchPila").edit->isVisible(), true);

        TfrmProbTipo* b = v.mmiFileNewClick();
        QCOMPARE(datos.CodiProb, 0);  // a new window resets only the code
        QCOMPARE(datos.ElecObst, 6);
        for (int p = 1; p < TfrmProbTipo::kPaginas; ++p) QVERIFY(!b->pgReplanteo->isTabVisible(p));
        b->tbshNivel0->btnN0->click();
        b->rg0->SetItemIndex(0);
        b->btnContAfue01->click();
        b->tbshNivel1->btnN1->click();
        QVERIFY(b->rg00->isVisibleTo(b));  // the group of the vertical phenomenon
        b->rg00->SetItemIndex(0);          // bed step
        b->btnContAfue12->click();
        QCOMPARE(datos.CodiProb, 11);

        // Back in the first window: its structure page now lays out code 11.
        v.mdiArea->setActiveSubWindow(v.mdiArea->subWindowList().first());
        a->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        a->pgReplanteo->setCurrentIndex(TfrmProbTipo::kEstructura);
        QCOMPARE(datos.CodiProb, 11);
        QVERIFY(a->tbshNivel2->Fila("EstrAltuSaltFond").edit->isVisible());
        QVERIFY(!a->tbshNivel2->Fila("EstrAnchPila").edit->isVisible());
    }

    // The calculation window grows with an open question and shrinks back.
    void LaVentanaCreceConLaPregunta() {
        TMainForm& v = *principal;
        TfrmProbTipo* a = v.mmiFileNewClick();
        QMdiSubWindow* sub = v.mdiArea->activeSubWindow();
        QCoreApplication::sendPostedEvents();
        const int alto = sub->height();
        a->tbshNivel0->btnN0->click();
        QTRY_VERIFY(sub->height() > alto + 40);
        QVERIFY(a->btnContAfue01->isVisible());
        QVERIFY(a->rect().contains(a->btnContAfue01->geometry().translated(a->btnContAfue01->parentWidget()->pos())));
        a->rg0->SetItemIndex(0);
        a->btnContAfue01->click();
        QTRY_COMPARE(sub->height(), alto);
    }
};

QTEST_MAIN(PruebaMain)
#include "test_main.moc"
