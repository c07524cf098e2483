// Qt's own texts in Spanish.  Without the translation the program still
// runs, with those texts in English; with it, the file dialog of "Guardar
// PDF...", the toolbar of the report's preview, the standard buttons of the
// pickers and of the observations and a field's context menu are Spanish,
// while the texts that stay English by design ("OK" of the intro) stay.
// Expected texts are looked up through Qt, as each widget looks them up.
#include <QAction>
#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "app/untIntro.h"
#include "comun/untIdioma.h"
#include "entorno.h"
#include "pickers/untPaginaComplementaria.h"
#include "pickers/untSelector.h"
#include "problem/untCoeficientes.h"
#include "results/untHojaReporte.h"
#include "results/untObservaciones.h"

namespace {

QString Qt_(const char* contexto, const char* texto) { return QCoreApplication::translate(contexto, texto); }

QStringList TextosDeAcciones(const QList<QAction*>& acciones) {
    QStringList t;
    for (const QAction* a : acciones)
        if (!a->isSeparator()) t << a->text();
    return t;
}

}  // namespace

class PruebaIdioma : public QObject {
    Q_OBJECT
    TEntorno entorno;

private slots:
    // First without the translation: a folder without it loads nothing and
    // the standard texts stay English.  Then the translation of this Qt.
    void initTestCase() {
        QTemporaryDir vacia;
        QVERIFY(!CargarTraduccionQt(vacia.path()));
        QCOMPARE(Qt_("QPlatformTheme", "Cancel"), QString("Cancel"));
        QCOMPARE(QFileIconProvider().type(QFileInfo(vacia.path())), QString("Folder"));
        {
            TfrmObservaciones ingles;
            QCOMPARE(ingles.bbtnCanc->text(), QString("Cancel"));
        }
        QVERIFY2(CargarTraduccionQt(), "qtbase_es missing: install qt6-translations-l10n");
        // Spanish now, not the English source texts.
        QCOMPARE(Qt_("QPlatformTheme", "Cancel"), QString("Cancelar"));
        QCOMPARE(Qt_("QFileDialog", "Look in:"), QString("Ver en:"));
        QCOMPARE(Qt_("QPrintPreviewDialog", "Print"), QString("Imprimir"));
    }
    void init() { entorno.Iniciar(); }
    void cleanup() { QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", "))); }

    // The preview's toolbar: zoom, orientation, page setup and printing in
    // Spanish, beside our "Guardar PDF...".
    void BarraDeLaVistaPrevia() {
        TfrmReporte vista(TTextosReporte{"Problema de la Pila", {}, std::nullopt, std::nullopt}, nullptr);
        auto* barra = vista.findChild<QToolBar*>();
        QVERIFY(barra);
        const QStringList textos = TextosDeAcciones(barra->actions());
        for (const char* ingles : {"Fit width", "Fit page", "Zoom in", "Zoom out", "Portrait", "Landscape",
                                   "First page", "Previous page", "Next page", "Last page", "Show single page",
                                   "Show facing pages", "Show overview of all pages", "Page setup", "Print"}) {
            const QString espanol = Qt_("QPrintPreviewDialog", ingles);
            QVERIFY2(espanol != ingles, ingles);
            QVERIFY2(textos.contains(espanol), qPrintable(espanol + " not in " + textos.join(", ")));
            QVERIFY2(!textos.contains(ingles), ingles);
        }
        QVERIFY(textos.contains("Guardar PDF..."));
    }

    // "Guardar PDF...": the labels and buttons of the file dialog.
    void DialogoGuardarPdf() {
        TfrmReporte vista(TTextosReporte{"Problema de la Pila", {}, std::nullopt, std::nullopt}, nullptr);
        QStringList etiquetas, botones;
        entorno.EsperarModal([&](QWidget* w) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            if (!dlg) {
                w->close();
                return;
            }
            for (const char* nombre : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                if (auto* l = dlg->findChild<QLabel*>(nombre)) etiquetas << l->text();
            if (auto* caja = dlg->findChild<QDialogButtonBox*>("buttonBox"))
                for (QAbstractButton* b : caja->buttons()) botones << b->text();
            dlg->reject();
        });
        vista.actGuardarPdf->trigger();
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(etiquetas, QStringList({Qt_("QFileDialog", "Look in:"), Qt_("QFileDialog", "File &name:"),
                                         Qt_("QFileDialog", "Files of type:")}));
        QCOMPARE(botones.size(), 2);
        QVERIFY(botones.contains(Qt_("QFileDialog", "&Save")));
        QVERIFY(botones.contains(Qt_("QPlatformTheme", "Cancel")));
        QCOMPARE(Qt_("QFileDialog", "&Save"), QString("&Guardar"));
        // The type column of a folder, which Qt's translation lacks.
        QTemporaryDir carpeta;
        QCOMPARE(QFileIconProvider().type(QFileInfo(carpeta.path())), QString("Carpeta"));
    }

    // The standard buttons of the observations and of a picker; the intro
    // keeps its "OK".
    void BotonesEstandar() {
        const QString aceptar = Qt_("QPlatformTheme", "OK"), cancelar = Qt_("QPlatformTheme", "Cancel");
        QCOMPARE(aceptar, QString("Aceptar"));
        TfrmObservaciones observaciones;
        QCOMPARE(observaciones.bbtnOk->text(), aceptar);
        QCOMPARE(observaciones.bbtnCanc->text(), cancelar);

        QWidget dueno;
        std::unique_ptr<TDialogoCoef> selector = CrearSelector(TablasCoef().front().campo, &dueno);
        QVERIFY(selector);
        auto* ok = selector->findChild<QPushButton*>("bbtnOk");
        auto* canc = selector->findChild<QPushButton*>("bbtnCanc");
        QVERIFY(ok && canc);
        QCOMPARE(ok->text().remove('&'), aceptar);
        QCOMPARE(canc->text().remove('&'), cancelar);

        TfrmIntro intro;
        QCOMPARE(intro.BitBtn1->text(), QString("OK"));
    }

    // A field's context menu.
    void MenuContextualDeUnCampo() {
        QLineEdit campo("1.5");
        std::unique_ptr<QMenu> menu(campo.createStandardContextMenu());
        const QStringList textos = TextosDeAcciones(menu->actions());
        for (const char* ingles : {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"}) {
            const QString espanol = Qt_("QLineEdit", ingles);
            QVERIFY2(espanol != ingles, ingles);
            QVERIFY2(textos.filter(QRegularExpression("^" + QRegularExpression::escape(espanol) + "(\\t|$)"))
                             .size() == 1,
                     qPrintable(espanol + " not in " + textos.join(", ")));
        }
    }
};

QTEST_MAIN(PruebaIdioma)
#include "test_idioma.moc"
