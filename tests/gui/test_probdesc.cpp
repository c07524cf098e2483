// The description window and the picture windows: size, pages and list,
// one window per picture, pictures that close with the description window
// that opened them, and drawings that load and render at natural size.
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QtTest>

#include "comun/untPantalla.h"

#include "app/Main.h"
#include "app/untProbDesc.h"
#include "comun/untPict.h"
#include "entorno.h"
#include "resultados.h"

namespace {

const TImagen kTodas[] = {TImagen::PVC1, TImagen::PVC2, TImagen::PEn,  TImagen::PCZ, TImagen::PAC,
                          TImagen::PEs1, TImagen::PES2, TImagen::PEP, TImagen::PPi, TImagen::PAG};

}  // namespace

class PruebaProbDesc : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TMainForm> principal;

    QMdiSubWindow* MarcoDe(QWidget* w) {
        for (QMdiSubWindow* s : principal->mdiArea->subWindowList())
            if (s->widget() == w) return s;
        return nullptr;
    }
    TfrmProbDesc* Descripcion() {
        for (QMdiSubWindow* s : principal->mdiArea->subWindowList())
            if (auto* d = qobject_cast<TfrmProbDesc*>(s->widget())) return d;
        return nullptr;
    }
    QStringList Imagenes() {
        QStringList n;
        for (QMdiSubWindow* s : principal->mdiArea->subWindowList())
            if (auto* p = qobject_cast<TfrmPict*>(s->widget())) n << p->objectName();
        return n;
    }
    QPushButton* Boton(const char* nombre) { return Descripcion()->findChild<QPushButton*>(nombre); }

private slots:
    void init() {
        entorno.Iniciar();
        principal = std::make_unique<TMainForm>();
        principal->resize(1200, 900);
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
    }
    void cleanup() {
        principal.reset();
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
    }

    void Ventana() {
        principal->mmiHelpDesc->trigger();
        TfrmProbDesc* d = Descripcion();
        QVERIFY(d);
        QCOMPARE(d->objectName(), QString("frmProbDesc"));
        QCOMPARE(MarcoDe(d)->size(), QSize(529, 351));
        QCOMPARE(d->windowTitle(), QString("Descripción de la metodología de cálculo"));
        QStringList nombres, titulos;
        for (int i = 0; i < d->pgDescripcion->count(); ++i) {
            nombres << d->pgDescripcion->widget(i)->objectName();
            titulos << d->pgDescripcion->tabText(i);
        }
        QCOMPARE(nombres, QStringList({"tbshMecaGene", "tbshFenoDomi", "tbshCEVert", "tbshCEHori", "tbshCEVertHori",
                                       "tbshProblTipo"}));
        QCOMPARE(titulos, QStringList({"Mecanismo general", "Fenómeno dominante", "C/E Vertical", "C/E Horizontal",
                                       "C/E Vertical/Horizontal", "Problema Tipo"}));
        // Its menu replaces the main one, and "&New" forwards to the main window.
        QStringList barra;
        for (QAction* a : principal->menuBar()->actions()) barra << a->text();
        QCOMPARE(barra, QStringList({"&File", "&Window", "&Help"}));
        d->MenuHijo().mmiFileNew->trigger();
        QCOMPARE(principal->mdiArea->subWindowList().size(), 2);
    }

    // "Problema Tipo": the eight problems in order, each line with its
    // picture buttons, everything inside the window as created.  A button
    // shows its own drawing small (none blank, no two alike), names the
    // picture in its tooltip, and a click on it opens the picture.
    void ListaDeProblemas() {
        principal->mmiHelpDesc->trigger();
        TfrmProbDesc* d = Descripcion();
        QWidget* pagina = d->findChild<QWidget*>("tbshProblTipo");
        d->pgDescripcion->setCurrentWidget(pagina);
        QStringList lineas;
        for (QLabel* l : pagina->findChildren<QLabel*>())
            if (l->text().startsWith("Problema ")) lineas << l->text();
        QCOMPARE(lineas, QStringList({"Problema del vórtice confinado", "Problema del escalón",
                                      "Problema del chorro zambullido", "Problema de la alcantarilla ancha",
                                      "Problema del estribo/espigón", "Problema del estribo/espigón protegido",
                                      "Problema de la pila", "Problema de la alcantarilla angosta"}));
        QStringList botones;
        QList<QImage> miniaturas;
        for (int i = 0; i < d->BotonesImagen().size(); ++i) {
            QPushButton* b = d->BotonesImagen()[i];
            botones << b->objectName();
            QVERIFY(b->text().isEmpty());
            QCOMPARE(b->toolTip(), TituloImagen(kTodas[i]));
            QVERIFY(b->iconSize().width() >= 24 && b->iconSize().height() >= 16);
            QVERIFY(b->size().expandedTo(b->iconSize()) == b->size());
            const QImage miniatura = b->icon().pixmap(b->iconSize()).toImage();
            QSet<QRgb> colores;
            for (int y = 0; y < miniatura.height(); ++y)
                for (int x = 0; x < miniatura.width(); ++x) colores.insert(miniatura.pixel(x, y));
            QVERIFY2(colores.size() > 8, qPrintable(b->objectName()));
            QVERIFY2(!miniaturas.contains(miniatura), qPrintable(b->objectName()));
            miniaturas << miniatura;
            QVERIFY(pagina->rect().contains(QRect(b->mapTo(pagina, QPoint(0, 0)), b->size())));
        }
        QCOMPARE(botones, QStringList({"bbtnPictPVC1", "bbtnPictPVC2", "bbtnPictPEn", "bbtnPictPCZ", "bbtnPictPAC",
                                       "bbtnPictPEs1", "bbtnPictPES2", "bbtnPictPEP", "bbtnPictPPi",
                                       "bbtnPictPAG"}));
        QPushButton* pila = Boton("bbtnPictPPi");
        QTest::mouseClick(principal->window()->windowHandle(), Qt::LeftButton, {},
                          pila->mapTo(principal->window(), pila->rect().center()));
        QTRY_COMPARE(Imagenes(), QStringList{"frmPictPPi"});
    }

    // Each button opens its picture once, however often it is pressed; the
    // two confined-vortex pictures are two windows with one caption.
    void UnaVentanaPorImagen() {
        principal->mmiHelpDesc->trigger();
        for (QPushButton* b : Descripcion()->BotonesImagen()) {
            b->click();
            b->click();
        }
        QStringList esperadas;
        for (TImagen i : kTodas) esperadas << "frm" + NombreImagen(i);
        QCOMPARE(Imagenes(), esperadas);
        QStringList titulos;
        QSet<QPair<int, int>> sitios;  // none lies exactly over another
        for (QMdiSubWindow* s : principal->mdiArea->subWindowList())
            if (auto* p = qobject_cast<TfrmPict*>(s->widget())) {
                titulos << p->windowTitle();
                sitios.insert({s->x(), s->y()});
                // Sized to the drawing, and never narrower than its title.
                QCOMPARE(p->height(), p->Dibujo()->defaultSize().height());
                QCOMPARE(p->width(), std::max(p->Dibujo()->defaultSize().width(), AnchoParaTitulo(p)));
                QVERIFY(p->width() >= QFontMetrics(p->font()).horizontalAdvance(p->windowTitle()) + 60);
                QVERIFY(s->rect().contains(QRect(p->mapTo(s, QPoint(0, 0)), p->size())));
            }
        QCOMPARE(sitios.size(), titulos.size());
        QCOMPARE(titulos[0], QString("Problema del vórtice confinado (vista en corte)"));
        QCOMPARE(titulos[1], titulos[0]);
        QCOMPARE(titulos[7], QString("Problema del espigón/estribo protegido (vista en planta)"));
        // Closed, it opens anew on the next press.
        QPointer<QMdiSubWindow> pila = MarcoDe(principal->mdiArea->findChild<TfrmPict*>("frmPictPPi"));
        pila->close();
        QTRY_VERIFY(pila.isNull());
        QVERIFY(!Imagenes().contains("frmPictPPi"));
        Boton("bbtnPictPPi")->click();
        QVERIFY(Imagenes().contains("frmPictPPi"));
    }

    // Closing the description closes the pictures it opened, but not one
    // that "Imagen" of a results page opened first.
    void CerrarLaDescripcionCierraSusImagenes() {
        TfrmProbTipo* calculo = principal->mmiFileNewClick();
        ClasificarYCalcular(*calculo, 1, 1);  // pier
        calculo->tbshProblema->bbtnShowPUno->click();
        principal->mmiHelpDesc->trigger();
        Boton("bbtnPictPPi")->click();  // open already: nothing happens
        Boton("bbtnPictPVC1")->click();
        Boton("bbtnPictPAG")->click();
        QCOMPARE(Imagenes(), QStringList({"frmPictPPi", "frmPictPVC1", "frmPictPAG"}));
        QPointer<TfrmProbDesc> d = Descripcion();
        MarcoDe(d)->close();
        QTRY_VERIFY(d.isNull());
        QTRY_COMPARE(Imagenes(), QStringList{"frmPictPPi"});
        // A new description opens them again.
        principal->mmiHelpDesc->trigger();
        Boton("bbtnPictPVC1")->click();
        QCOMPARE(Imagenes(), QStringList({"frmPictPPi", "frmPictPVC1"}));
        // Closing the main window with pictures of both kinds open (the
        // computed problem is not kept).
        entorno.Responder({"btnNoGuardar"});
        QVERIFY(principal->close());
        QCOMPARE(principal->mdiArea->subWindowList().size(), 0);
    }

    // Every drawing loads from the resources and renders a picture, not a
    // blank, at its natural size.
    void DibujosSeDibujan() {
        for (TImagen i : kTodas) {
            const QString nombre = NombreImagen(i);
            QSvgRenderer dibujo(RecursoImagen(i));
            QVERIFY2(dibujo.isValid(), qPrintable(nombre));
            const QSize natural = dibujo.defaultSize();
            QVERIFY2(natural.width() >= 300 && natural.height() >= 200, qPrintable(nombre));
            TfrmPict ventana(i);
            QCOMPARE(ventana.size(), natural);
            const QImage imagen = ventana.grab().toImage();
            QCOMPARE(imagen.size(), natural);
            QSet<QRgb> colores;
            for (int y = 0; y < imagen.height(); y += 3)
                for (int x = 0; x < imagen.width(); x += 3) colores.insert(imagen.pixel(x, y));
            QVERIFY2(colores.size() > 20, qPrintable(nombre));
        }
    }
};

QTEST_MAIN(PruebaProbDesc)
#include "test_probdesc.moc"
