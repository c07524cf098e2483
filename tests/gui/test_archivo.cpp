// Problem files in the window: Ctrl+S, the open window's grid and filter,
// opening into a new calculation window with the wizard walked, and files
// that cannot be opened.
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QRadioButton>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "app/Main.h"
#include "app/untAbrir.h"
#include "comun/untArchivoProblema.h"
#include "comun/untGrupoRadio.h"
#include "entorno.h"
#include "pickers/untPaginaComplementaria.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "resultados.h"

namespace {

// Visible tabs as a string of 0 and 1, page 0 first.
QString Pestanas(const TfrmProbTipo& v) {
    QString s;
    for (int p = 0; p < TfrmProbTipo::kPaginas; ++p) s += v.pgReplanteo->isTabVisible(p) ? '1' : '0';
    return s;
}

QList<TfrmProbTipo*> Ventanas(TMainForm& m) {
    QList<TfrmProbTipo*> r;
    for (QMdiSubWindow* s : m.mdiArea->subWindowList())
        if (auto* v = qobject_cast<TfrmProbTipo*>(s->widget())) r << v;
    return r;
}

TProblema Con(ProblemCode codigo, std::optional<int> chorro,
              std::initializer_list<std::pair<const char*, const char*>> textos = {}) {
    TProblema p;
    p.codigo = codigo;
    p.chorro = chorro;
    for (const auto& [n, t] : textos) p.textos[n] = t;
    return p;
}

}  // namespace

class PruebaArchivo : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<QTemporaryDir> carpeta;
    std::unique_ptr<TMainForm> principal;

    QString Ruta(const QString& nombre) const { return carpeta->filePath(nombre); }

    void Escribir(const QString& nombre, const TProblema& p) {
        TArchivoProblema a;
        a.problema = p;
        a.guardado = "2025-05-05 12:00";
        std::ofstream(Ruta(nombre).toStdString()) << EscribirArchivoProblema(a);
    }

    // Ctrl+O, then `accion` on the open window; the window is closed after
    // it unless `cerrar` is false (the action then sees to it).
    void AbrirCon(std::function<void(TfrmAbrir&)> accion, bool cerrar = true) {
        entorno.EsperarModal([accion, cerrar](QWidget* w) {
            auto* abrir = qobject_cast<TfrmAbrir*>(w);
            QVERIFY(abrir);
            accion(*abrir);
            if (cerrar && abrir->isVisible()) abrir->reject();
        });
        QTest::keyClick(principal.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(!entorno.ModalPendiente());
    }

    // The next file dialog gets `ruta` typed whole into its file name box,
    // as a user would (a file selected in another folder waits on the
    // dialog's folder listing).  Until the dialog is up the watch may meet
    // the window that opens it: it then waits on.
    void EsperarDialogoArchivo(const QString& ruta) {
        entorno.EsperarModal([this, ruta](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            if (!d) return EsperarDialogoArchivo(ruta);
            auto* nombre = d->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(nombre);
            nombre->setText(ruta);
            static_cast<QDialog*>(d)->accept();  // QFileDialog::accept, as the button
        });
    }

    // Double click on the row of a file in the open window.
    static void DobleClic(TfrmAbrir& abrir, const QString& nombre) {
        const int fila = int(abrir.Nombres().indexOf(nombre));
        QVERIFY(fila >= 0);
        QTableView* grid = abrir.DBGrid1;
        const QRect celda = grid->visualRect(grid->model()->index(fila, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, celda.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, celda.center());
    }

private slots:
    void init() {
        entorno.Iniciar();
        carpeta = std::make_unique<QTemporaryDir>();
        FijarCarpetaProblemas(carpeta->path());
        principal = std::make_unique<TMainForm>();
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
    }
    void cleanup() {
        principal.reset();
        FijarCarpetaProblemas({});
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
    }

    // A pier computed, saved with Ctrl+S, the program closed; a fresh one
    // opens it from the open window and "Calcular" gives the same results,
    // and turmado-calc prints the same rows from the same file.
    void GuardarCerrarAbrirYCalcular() {
        TfrmProbTipo* v = principal->mmiFileNewClick();
        v->Campo("FlujCaud")->setText("2500");
        ClasificarYCalcular(*v, 1, 1, "EstrAnchPila=4;EstrFactFormKs=1;EstrFactGrup=1;SediAnguRepo=30");  // pier
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        const QStringList antes = TextosVistos(*v->tbshProblema);
        QCOMPARE(antes.size(), 10);

        entorno.EsperarModal([&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d);
            QCOMPARE(QDir(d->directory()).absolutePath(), QDir(carpeta->path()).absolutePath());
            d->selectFile(Ruta("pila"));  // the extension is added
            static_cast<QDialog*>(d)->accept();  // QFileDialog::accept, as the button
        });
        QTest::keyClick(principal.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!entorno.ModalPendiente());
        QVERIFY(QFile::exists(Ruta("pila.turmado")));
        QCOMPARE(v->RutaArchivo(), Ruta("pila.turmado"));
        // The file keeps the results page for its reader.
        const auto guardado = CargarArchivoProblema(Ruta("pila.turmado").toStdString()).resultados;
        QVERIFY(guardado);
        QCOMPARE(QString::fromStdString(guardado->titulo), QString("Problema de la Pila"));
        QStringList filasGuardadas;
        for (const TFila& f : guardado->filas) filasGuardadas << QString::fromStdString(f.etiqueta + "=" + f.valor);
        QCOMPARE(filasGuardadas, antes);
        // Later presses save to the same file without asking.
        QFile::remove(Ruta("pila.turmado"));
        v->MenuHijo().mmiFileSave->trigger();
        QVERIFY(QFile::exists(Ruta("pila.turmado")));

        principal = std::make_unique<TMainForm>();
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
        AbrirCon([&](TfrmAbrir& abrir) {
            QCOMPARE(abrir.Nombres(), QStringList({"pila"}));
            abrir.DBGrid1->selectRow(0);
            abrir.btnAbrir->click();
        });
        const auto ventanas = Ventanas(*principal);
        QCOMPARE(ventanas.size(), 1);
        TfrmProbTipo* w = ventanas[0];
        QCOMPARE(w->RutaArchivo(), Ruta("pila.turmado"));
        QCOMPARE(Pestanas(*w), QString("111100"));
        QCOMPARE(w->pgReplanteo->currentIndex(), int(TfrmProbTipo::kComplementaria));
        QCOMPARE(w->Campo("FlujCaud")->text(), QString("2500"));
        QCOMPARE(w->Campo("EstrAnchPila")->text(), QString("4"));
        w->tbshNivel3->btnN3->click();
        QCOMPARE(w->tbshProblema->lblProbTipo->text(), QString("Problema de la Pila"));
        QCOMPARE(TextosVistos(*w->tbshProblema), antes);
        QVERIFY(entorno.mensajes.isEmpty());
        QVERIFY(entorno.errores.isEmpty());

        QProcess calc;
        calc.start(TURMADO_CALC, {"--problema", Ruta("pila.turmado")});
        QVERIFY(calc.waitForFinished(30000));
        QCOMPARE(calc.exitCode(), 0);
        QStringList impresas = QString::fromUtf8(calc.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(impresas.takeFirst(), QString("Problema de la Pila"));
        for (QString& f : impresas) f = f.section('\t', 0, 0) + "=" + f.section('\t', 1, 1);
        QCOMPARE(impresas, antes);
    }

    // What a window saves is what it was given: the answers walked, the
    // roughness option and the texts, for problems stopped at each step.
    void LaVentanaGuardaLoQueRecibio_data() {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("pestanas");
        QTest::addColumn<int>("mensajes");
        QTest::newRow("sin respuestas") << 0 << "100000" << 0;
        QTest::newRow("solo fenómeno") << 1 << "110000" << 0;
        QTest::newRow("pila") << 2 << "111100" << 0;
        QTest::newRow("escalón con chorro") << 3 << "111100" << 1;
        QTest::newRow("salto esperando el chorro") << 4 << "111000" << 1;
        QTest::newRow("estribo protegido: calcula al continuar") << 5 << "111011" << 0;
        QTest::newRow("alcantarilla ancha con rugosidad") << 6 << "111100" << 1;
    }
    void LaVentanaGuardaLoQueRecibio() {
        QFETCH(int, caso);
        QFETCH(QString, pestanas);
        QFETCH(int, mensajes);
        std::vector<TProblema> problemas{
            Con(0, {}, {{"AguaTemp", " 15"}}),
            Con(2, {}, {{"FlujTiraRest", "2.5"}}),
            Con(22, {}, {{"EstrFactFormKs", "1.1"}, {"EstrAnguAtaq", "10"}}),
            Con(11, 1, {{"EstrLongPlat", "4"}, {"SediAnguRepo", "30"}}),
            Con(11, {}, {{"EstrLongPlat", "4"}}),
            Con(21, {}, {{"EstrAnchEstr", "100"}}),
            Con(12, {}, {{"EstrLongPlat", "4"}, {"AltuRugoCauc", "150"}}),
        };
        problemas[6].rugosidad = true;
        const TProblema& p = problemas[size_t(caso)];
        TfrmProbTipo* v = principal->mmiFileNewClick();
        v->CargarProblema(p);
        QCOMPARE(Pestanas(*v), pestanas);
        QCOMPARE(int(entorno.mensajes.size()), mensajes);
        const TArchivoProblema a = v->Problema();
        QVERIFY(a.problema == p);
        QCOMPARE(a.resultados.has_value(), v->pgReplanteo->isTabVisible(TfrmProbTipo::kResultados));
        if (a.resultados) QCOMPARE(a.resultados->titulo, std::string("Problema Estribo/Espigón Protegido"));
    }

    // The type boxes: none checked lists everything, checked ones filter,
    // "Todos" lists everything and keeps its swap of the others.
    void FiltroPorTipo() {
        Escribir("pila.turmado", Con(22, {}));
        Escribir("alcantarilla.turmado", Con(31, {}));
        Escribir("estribo.turmado", Con(21, {}, {{"EstrLongPlat", "0.5"}}));
        Escribir("vortice.turmado", Con(12, {}));
        Escribir("sin-clasificar.turmado", Con(1, {}));
        std::ofstream(Ruta("roto.turmado").toStdString()) << "{";
        std::ofstream(Ruta("notas.txt").toStdString()) << "otra cosa";

        TfrmAbrir abrir(nullptr, carpeta->path());
        const QStringList todos{"alcantarilla", "estribo", "pila", "roto", "sin-clasificar", "vortice"};
        QCOMPARE(abrir.Nombres(), todos);
        auto marcar = [&](const char* tipo, bool marcado) {
            abrir.findChild<QCheckBox*>(QString("cb") + tipo)->setChecked(marcado);
        };
        marcar("PPi", true);
        QCOMPARE(abrir.Nombres(), QStringList({"pila"}));
        marcar("PAG", true);
        marcar("PVC", true);
        QCOMPARE(abrir.Nombres(), QStringList({"alcantarilla", "pila", "vortice"}));
        marcar("PPi", false);
        marcar("PEs", true);
        QCOMPARE(abrir.Nombres(), QStringList({"alcantarilla", "estribo", "vortice"}));
        abrir.cbTodos->click();
        QCOMPARE(abrir.Nombres(), todos);
        QVERIFY(!abrir.cbBloques[0]->isEnabled());
        abrir.cbTodos->click();
        QCOMPARE(abrir.Nombres(), QStringList({"alcantarilla", "estribo", "vortice"}));
        QVERIFY(abrir.cbBloques[0]->isEnabled());

        // What the grid shows of a file.
        auto* modelo = abrir.DBGrid1->model();
        QCOMPARE(modelo->headerData(1, Qt::Horizontal).toString(), QString("Problema"));
        QCOMPARE(modelo->index(0, 1).data().toString(), QString("Problema Alcantarilla Angosta"));
        QCOMPARE(modelo->index(0, 2).data().toString(), QString("2025-05-05 12:00"));
    }

    // A bad file opens nothing, names the file and the fault, and leaves the
    // open windows as they were; "Examinar..." reaches a file elsewhere.
    void ArchivoMaloNoCambiaNada() {
        TfrmProbTipo* v = principal->mmiFileNewClick();
        v->Campo("FlujCaud")->setText("1234");
        std::ofstream(Ruta("cortado.turmado").toStdString()) << "{\"formato\": \"turmado-problema\", \"vers";
        QTemporaryDir otra;
        const QString nueva = otra.filePath("nueva.turmado");
        std::ofstream(nueva.toStdString()) << R"({"formato": "turmado-problema", "version": 7})";

        AbrirCon(
            [&](TfrmAbrir& abrir) {
                DobleClic(abrir, "cortado");
                QVERIFY(abrir.isVisible());
                // "Examinar..." opens a modal of its own: clicked once this
                // one's watch is over, and "Cancelar" once that one is done.
                QTimer::singleShot(0, &abrir, [&] {
                    EsperarDialogoArchivo(nueva);
                    abrir.btnExaminar->click();
                    QVERIFY(abrir.isVisible());
                    abrir.btnCancelar->click();
                });
            },
            false);
        QCOMPARE(entorno.errores,
                 QStringList({"No se puede abrir «" + Ruta("cortado.turmado") +
                                  "»: el archivo está incompleto: termina antes de tiempo.",
                              "No se puede abrir «" + nueva +
                                  "»: el archivo usa la versión 7 del formato, más nueva que la que lee este "
                                  "programa (1)."}));
        QCOMPARE(Ventanas(*principal), QList<TfrmProbTipo*>({v}));
        QCOMPARE(v->Campo("FlujCaud")->text(), QString("1234"));
        QCOMPARE(Pestanas(*v), QString("100000"));
    }

    // Ctrl+S in a field holding a text the field rejects: the field's own
    // rejection, and nothing is saved (no dialog either).
    void GuardarConTextoRechazado() {
        TfrmProbTipo* v = principal->mmiFileNewClick();
        v->FijarRutaArchivo(Ruta("p.turmado"));
        QLineEdit* e = v->Campo("AguaDens");
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClicks(e, "12,5");
        QTest::keyClick(principal.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(entorno.mensajes, QStringList({"El valor ingresado no es válido."}));
        QVERIFY(!QFile::exists(Ruta("p.turmado")));
        QCOMPARE(e->text(), QString());
        QTest::keyClicks(e, "1020");
        QTest::keyClick(principal.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(CargarArchivoProblema(Ruta("p.turmado").toStdString()).problema.textos.at("AguaDens"), "1020");
    }

    // A file that cannot be written: an error box naming it, and the window
    // keeps no path to it.
    void ErrorAlGuardar() {
        TfrmProbTipo* v = principal->mmiFileNewClick();
        const QString ruta = Ruta("no-existe/p.turmado");
        QVERIFY(!v->GuardarProblemaEn(ruta));
        QCOMPARE(entorno.errores.size(), 1);
        QVERIFY2(entorno.errores[0].startsWith("No se pudo guardar el problema en «" + ruta + "»: "),
                 qPrintable(entorno.errores[0]));
        QVERIFY(v->RutaArchivo().isEmpty());
    }
};

QTEST_MAIN(PruebaArchivo)
#include "test_archivo.moc"
