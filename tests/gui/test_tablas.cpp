// The windows drawn as tables: the coefficient pickers, the range windows
// and the critical-slope window.  Each is driven without its modal loop:
// built, shown, read, closed.
#include <QAbstractButton>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include "comun/untTexto.h"
#include "entorno.h"
#include "pickers/untHiGrup.h"
#include "pickers/untPaginaComplementaria.h"
#include "pickers/untSelector.h"
#include "problem/untCoeficientes.h"
#include "results/untPdteCritPVC.h"
#include "results/untRango.h"
#include "results/untRangos.h"

namespace {

// Texts of the labels of a window.
QStringList Textos(const QWidget* w) {
    QStringList t;
    for (const QLabel* l : w->findChildren<QLabel*>()) t << l->text();
    return t;
}
QStringList Negritas(const QWidget* w) {
    QStringList t;
    for (const QLabel* l : w->findChildren<QLabel*>())
        if (l->font().bold() && !l->text().isEmpty()) t << l->text();
    return t;
}
QLabel* Etiqueta(const QWidget* w, const QString& texto) {
    for (QLabel* l : w->findChildren<QLabel*>())
        if (l->text() == texto) return l;
    return nullptr;
}

}  // namespace

class PruebaTablas : public QObject {
    Q_OBJECT
    TEntorno entorno;
    QWidget dueno;

private slots:
    void init() { entorno.Iniciar(); }
    void cleanup() { QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", "))); }

    // Every table-shaped picker: caption, headers, one radio item per row
    // with nothing chosen at first, and the value of each row.
    void Selectores() {
        for (const TTablaCoef& tabla : TablasCoef()) {
            const QString nombre = QTexto(tabla.nombre);
            // The abutment's shape factor has its own table.
            const ProblemCode codigo = tabla.nombre == "CIFOksEstribo" ? 212 : 0;  // the abutment
            std::unique_ptr<TDialogoCoef> d = CrearSelector(tabla.campo, &dueno, codigo);
            QVERIFY(d);
            QCOMPARE(d->objectName(), "frm" + nombre);
            QCOMPARE(d->windowTitle(), QTexto(tabla.titulo));
            auto* f = static_cast<TfrmSelector*>(d.get());
            QCOMPARE(d->ValorElegido(), QString());
            QCOMPARE(f->ItemIndex(), -1);
            for (std::string_view c : tabla.columnas)
                if (!c.empty()) QVERIFY2(Negritas(d.get()).contains(QTexto(c)), qPrintable(QTexto(c)));
            for (int i = 0; i < int(tabla.filas.size()); ++i) {
                QRadioButton* item = d->findChild<QRadioButton*>("rg" + nombre + "Item" + QString::number(i));
                QVERIFY2(item, qPrintable(nombre));
                QVERIFY(item->text().isEmpty());
                item->click();
                QCOMPARE(d->ValorElegido(), QTexto(tabla.filas[i].valor));
                for (std::string_view c : tabla.filas[i].celdas)
                    if (!c.empty()) QVERIFY2(Textos(d.get()).contains(QTexto(c)), qPrintable(QTexto(c)));
            }
            QVERIFY(!d->findChild<QRadioButton*>("rg" + nombre + "Item" + QString::number(tabla.filas.size())));
        }
    }

    // The radio items line up with the rows of their table.
    void ItemsAlineadosConSusFilas() {
        TfrmSelector d(*TablaCoef("AnguRepo"), &dueno);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QLabel* firme = nullptr;
        for (QLabel* l : d.findChildren<QLabel*>())
            if (l->text() == "28/30") firme = l;
        QVERIFY(firme);
        const QRadioButton* item = d.Item(7);
        const int centroFila = firme->mapTo(&d, firme->rect().center()).y();
        const int centroItem = item->mapTo(&d, item->rect().center()).y();
        QVERIFY(std::abs(centroFila - centroItem) <= 2);
        // The shared material stands once, beside its three rows.
        QCOMPARE(Textos(&d).count("Arena media"), 1);
        QLabel* media = Etiqueta(&d, "Arena media");
        QVERIFY(media->height() > 2 * firme->height());
        d.close();
    }

    // The elliptic row of Ks shows a range around its value 0.7.
    void FormaEliptica() {
        TfrmSelector d(*TablaCoef("CIFOks"), &dueno);
        QVERIFY(Textos(&d).contains("0.6 / 0.8"));
        QVERIFY(!Textos(&d).contains("06 / 0.8"));
        d.Item(1)->click();
        QCOMPARE(d.ValorElegido(), QString("0.7"));
    }

    // OK accepts, even with nothing chosen; Cancel and the close box reject.
    void OkYCancelar() {
        struct Caso { const char* boton; int resultado; };
        for (const Caso& c : {Caso{"bbtnOk", QDialog::Accepted}, Caso{"bbtnCanc", QDialog::Rejected},
                              Caso{nullptr, QDialog::Rejected}}) {
            TfrmSelector d(*TablaCoef("CIFOkl"), &dueno);
            d.setResult(-1);
            d.show();
            if (c.boton)
                d.findChild<QAbstractButton*>(c.boton)->click();
            else
                d.close();
            QCOMPARE(d.result(), c.resultado);
            QVERIFY(!d.isVisible());
            QCOMPARE(d.ValorElegido(), QString());
        }
    }

    void FactorDeGrupo() {
        TfrmHiGrup d(&dueno);
        QCOMPARE(d.objectName(), QString("frmHiGrup"));
        QCOMPARE(d.windowTitle(), QString("Corrección por grupo de dos pilas verticales"));
        QCOMPARE(Negritas(&d), QStringList({"Distribución", "Espaciamiento entre pilas", "Kgr de pila frontal",
                                            "Kgr de pila trasera"}));
        QCOMPARE(d.ValorElegido(), QString());
        for (int n = 1; n <= 18; ++n) {
            QRadioButton* b = d.findChild<QRadioButton*>("rb" + QString::number(n));
            QVERIFY(b);
            QCOMPARE(b->text(), QTexto(ValorGrupo(n)));
            b->click();
            QCOMPARE(d.ValorElegido(), b->text());
        }
        // One exclusive group: choosing one clears the other seventeen.
        d.Boton(12)->click();
        QCOMPARE(d.ValorElegido(), QString("0.80"));
        int elegidos = 0;
        for (int n = 1; n <= 18; ++n) elegidos += d.Boton(n)->isChecked();
        QCOMPARE(elegidos, 1);
        // Each row has its spacing and its sketch of two piers.
        QCOMPARE(Textos(&d).count("1b"), 3);
        QCOMPARE(Textos(&d).count("> 8b"), 2);
        QVERIFY(d.findChild<QAbstractButton*>("bbtnOk") && d.findChild<QAbstractButton*>("bbtnCanc"));
    }

    // Every range window: caption, the headers, each cell as written; the
    // long kinds of jet wrap within their cell.
    void VentanasDeRangos() {
        for (const TTablaRango& tabla : TablasRango()) {
            TfrmRango w(tabla, &dueno);
            QCOMPARE(w.objectName(), "frm" + QTexto(tabla.nombre));
            QCOMPARE(w.windowTitle(), QTexto(tabla.titulo));
            QCOMPARE(Negritas(&w),
                     QStringList({"Parámetro", "Unidades", "Rango", "Calibración", "Validación"}));
            const QStringList t = Textos(&w);
            for (const TFilaRango& f : tabla.filas)
                for (std::string_view c : {f.parametro, f.unidad, f.calibracion, f.validacion})
                    if (!c.empty()) QVERIFY2(t.contains(QTexto(c)), qPrintable(QTexto(c)));
            QVERIFY(!w.findChild<QAbstractButton*>("bbtnCanc"));
        }
        TfrmRango w(*TablaRango(1122, 1), &dueno);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLabel* largo = Etiqueta(&w, "Impacta sobre superficie");
        QLabel* corto = Etiqueta(&w, "0.1/25");
        QVERIFY(largo->wordWrap());
        QVERIFY(largo->height() >= 2 * largo->fontMetrics().height());  // two lines
        QVERIFY(largo->fontMetrics().horizontalAdvance(largo->text()) > largo->contentsRect().width());
        QVERIFY(corto->height() <= largo->height());
        w.findChild<QAbstractButton*>("bbtnOk")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void PendientesCriticas() {
        TfrmPdteCritPVC w(&dueno);
        QCOMPARE(w.objectName(), QString("frmPdteCritPVC"));
        QCOMPARE(w.windowTitle(), QString("Valores límites de pendientes para estabilidad mecánica"));
        QCOMPARE(Negritas(&w), QStringList({"Densidad", "Angulo fricción interna", "Angulo de pendiente crítica",
                                            "Fenómeno"}));
        const QStringList t = Textos(&w);
        for (const char* c : {"Muy suelta", "30° (1V:1,7H)", "24° (1V:2,25H)", "Suelta", "33° (1V:1,5H)",
                              "27° (1V:2,00H)", "Densa", "37° (1V:1,3H)", "30° (1V:1,75H)", "Muy densa",
                              "40° (1V:1,2H)", "34° (1V:1,50H)"})
            QVERIFY2(t.contains(QString::fromUtf8(c)), c);
        QCOMPARE(t.count("Deslizamiento"), 2);
        QCOMPARE(t.count("Falla de corte"), 2);
        w.show();
        w.findChild<QAbstractButton*>("bbtnOk")->click();
        QVERIFY(!w.isVisible());
    }

    // No dialog is narrower than its title: the window manager's title bar
    // would cut it ("Corrección por influencia de porosidad" over two narrow
    // columns).  Measured in a bold face a little larger than the dialog's,
    // as title bars often are, with room for the close button.
    void TitulosEnteros() {
        std::vector<std::unique_ptr<QDialog>> dialogos;
        for (const TTablaCoef& tabla : TablasCoef()) {
            const ProblemCode codigo = tabla.nombre == "CIFOksEstribo" ? 212 : 0;  // the abutment
            dialogos.emplace_back(CrearSelector(tabla.campo, &dueno, codigo));
        }
        dialogos.emplace_back(CrearSelector("EstrFactGrup", &dueno));
        for (const TTablaRango& tabla : TablasRango()) dialogos.emplace_back(std::make_unique<TfrmRango>(tabla, &dueno));
        dialogos.emplace_back(std::make_unique<TfrmPdteCritPVC>(&dueno));
        for (const auto& d : dialogos) {
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d.get()));
            QFont f = d->font();
            f.setBold(true);
            f.setPointSizeF(f.pointSizeF() * 1.1);
            const int titulo = QFontMetrics(f).horizontalAdvance(d->windowTitle());
            QVERIFY2(d->width() >= titulo + 60, qPrintable(d->windowTitle()));
            d->close();
        }
    }
};

QTEST_MAIN(PruebaTablas)
#include "test_tablas.moc"
