// The main window: menus, toolbar, "&New", the menu replacement, the single
// description window, and closing everything.
#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QPointer>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include "app/Main.h"
#include "app/untAbrir.h"
#include "app/untIntro.h"
#include "app/untProbDesc.h"
#include "comun/untGrupoRadio.h"
#include "entorno.h"
#include "pickers/untPaginaComplementaria.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "resultados.h"
#include "results/untPaginaResultados.h"

namespace {

QStringList TitulosMenuBar(QMainWindow& v) {
    QStringList t;
    for (QAction* a : v.menuBar()->actions()) t << a->text();
    return t;
}

QStringList Resultados(TfrmProbTipo& v) { return TextosVistos(*v.tbshProblema); }

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
    std::unique_ptr<TMainForm> principal;

private slots:
    void init() {
        entorno.Iniciar();
        principal = std::make_unique<TMainForm>();
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
        QCOMPARE(m[0]->menuAction()->statusTip(), QString("Comandos de archivo: problemas nuevos, abrir, guardar y salir"));
        QCOMPARE(m[1]->menuAction()->statusTip(), QString("Temas de ayuda"));
        QStringList archivo, ayuda;
        for (QAction* a : m[0]->actions()) archivo << (a->isSeparator() ? "-" : a->text());
        for (QAction* a : m[1]->actions()) ayuda << a->text();
        QCOMPARE(archivo, QStringList({"&New", "Abrir &reciente", "-", "E&xit"}));
        QCOMPARE(ayuda, QStringList({"&About...", "&Descripción", "&Validación de las fórmulas"}));
        QCOMPARE(v.FileNew1->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(v.FileOpen1->shortcut(), QKeySequence("Ctrl+O"));
        // "short|long" hints: tooltip and status-bar text.
        QCOMPARE(v.FileNew1->toolTip(), QString("Nuevo"));
        QCOMPARE(v.FileNew1->statusTip(), QString("Crear un problema nuevo"));
        QCOMPARE(v.FileExit1->statusTip(), QString("Salir del programa"));
        QCOMPARE(v.FileOpen1->statusTip(), QString("Abrir un problema guardado"));
        QCOMPARE(v.WindowTileVertical1->statusTip(), QString("Ordenar las ventanas una al lado de otra"));

        auto* barra = v.findChild<QToolBar*>("ToolBar1");
        QVERIFY(barra);
        QStringList botones;
        for (QAction* a : barra->actions()) botones << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(botones, QStringList({"&New", "-", "&Cascade", "Tile &Horizontally", "Tile &Vertically"}));
        for (QAction* a : barra->actions()) QVERIFY(a->isSeparator() || !a->icon().isNull());
    }

    // A calculation window larger than the work area, or pushed past its
    // edge by tiling, is reached with the area's scroll bars.
    void BarrasDeDesplazamiento() {
        TMainForm& v = *principal;
        v.showNormal();
        v.resize(900, 700);
        TfrmProbTipo* a = v.mmiFileNewClick();
        QMdiSubWindow* sub = v.mdiArea->activeSubWindow();
        QTRY_VERIFY(!v.mdiArea->horizontalScrollBar()->isVisible() && !v.mdiArea->verticalScrollBar()->isVisible());
        // The main window shrunk below the calculation window.
        v.resize(360, 260);
        QTRY_VERIFY(v.mdiArea->horizontalScrollBar()->isVisible() && v.mdiArea->verticalScrollBar()->isVisible());
        QScrollBar* barraV = v.mdiArea->verticalScrollBar();
        QScrollBar* barraH = v.mdiArea->horizontalScrollBar();
        barraH->setValue(barraH->maximum());
        barraV->setValue(barraV->maximum());
        QTRY_VERIFY(v.mdiArea->viewport()->rect().contains(sub->geometry().bottomRight()));
        // Its page control's far corner is then in view.
        const QRect paginas(a->pgReplanteo->mapTo(v.mdiArea->viewport(), QPoint(0, 0)), a->pgReplanteo->size());
        QVERIFY(v.mdiArea->viewport()->rect().contains(paginas.bottomRight()));

        // Two calculation windows and the description tiled in a small area,
        // both ways: none is squeezed below what it needs, and the far edge
        // of the last one is reached by scrolling.
        const QSize natural = sub->size();
        v.resize(700, 500);
        v.mmiFileNewClick();
        v.mmiHelpDesc->trigger();
        for (bool horizontal : {true, false}) {
            horizontal ? v.TileHorizontal() : v.TileVertical();
            const QList<QMdiSubWindow*> hijas = v.mdiArea->subWindowList();
            QCOMPARE(hijas.size(), 3);
            for (QMdiSubWindow* s : hijas) {
                QVERIFY(s->width() >= s->minimumSizeHint().width() && s->height() >= s->minimumSizeHint().height());
                if (qobject_cast<TfrmProbTipo*>(s->widget()))
                    QVERIFY(s->width() >= natural.width() && s->height() >= natural.height());
            }
            // Bands one above the other reach down, columns reach right.
            QScrollBar* barra = horizontal ? barraV : barraH;
            QTRY_VERIFY(barra->isVisible());
            barra->setValue(barra->maximum());
            const QRect vista = v.mdiArea->viewport()->rect();
            QMdiSubWindow* ultima = hijas.last();
            QTRY_VERIFY(horizontal ? ultima->geometry().bottom() <= vista.bottom()
                                   : ultima->geometry().right() <= vista.right());
            barra->setValue(0);
        }
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
        QCOMPARE(hija->windowTitle(), QString("Cálculo para problema específico[*]"));
        QVERIFY(!hija->isWindowModified());
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
        QCOMPARE(archivo, QStringList({"&New", "&Open", "Abrir &reciente", "&Guardar problema...\tCtrl+S", "&Close", "-",
                                       "&Exit"}));
        QCOMPARE(hija->MenuHijo().Menus()[1]->menuAction()->statusTip(), QString("Comandos de ventanas"));
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
        QCOMPARE(titulo, QString("Abrir problema"));
        QVERIFY(!entorno.ModalPendiente());

        // The calculation window's "&Open" opens the same window.
        TfrmProbTipo* hija = v.mmiFileNewClick();
        titulo.clear();
        entorno.EsperarModal([&](QWidget* w) {
            titulo = w->windowTitle();
            w->close();
        });
        hija->MenuHijo().mmiFileOpen->trigger();
        QCOMPARE(titulo, QString("Abrir problema"));
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

    // Each calculation window keeps its own record: classifying and
    // computing a narrow culvert in a second window leaves the pier of the
    // first one, its code, its structure rows and its results, untouched.
    void DosVentanasConRegistrosPropios() {
        TMainForm& v = *principal;
        TfrmProbTipo* a = v.mmiFileNewClick();
        ClasificarYCalcular(*a, 1, 1);  // interior: pier
        QCOMPARE(a->Datos().CodiProb, 22);
        const QStringList resultadosA = Resultados(*a);
        QVERIFY(resultadosA.size() > 4);

        TfrmProbTipo* b = v.mmiFileNewClick();
        QVERIFY(&b->Datos() != &a->Datos());
        QCOMPARE(b->Datos().CodiProb, 0);  // a new window starts from a zero-filled record
        QCOMPARE(b->Datos().ElecObst, 0);
        for (int p = 1; p < TfrmProbTipo::kPaginas; ++p) QVERIFY(!b->pgReplanteo->isTabVisible(p));
        ClasificarYCalcular(*b, 2, 0);  // narrow culvert
        QCOMPARE(b->Datos().CodiProb, 31);
        QCOMPARE(b->tbshProblema->lblProbTipo->text(), QString("Problema Alcantarilla Angosta"));
        QVERIFY(Resultados(*b) != resultadosA);

        // Back in the first window: its pages and results are its own.
        v.mdiArea->setActiveSubWindow(v.mdiArea->subWindowList().first());
        QCOMPARE(a->Datos().CodiProb, 22);
        a->pgReplanteo->setCurrentIndex(TfrmProbTipo::kEstructura);
        QVERIFY(a->tbshNivel2->Fila("EstrAnchPila").edit->isVisible());
        a->pgReplanteo->setCurrentIndex(TfrmProbTipo::kResultados);
        QCOMPARE(a->Datos().CodiProb, 22);
        QCOMPARE(a->tbshProblema->lblProbTipo->text(), QString("Problema de la Pila"));
        QCOMPARE(Resultados(*a), resultadosA);
        QVERIFY(entorno.mensajes.isEmpty() && entorno.errores.isEmpty());
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
