// Problem files in the window: Ctrl+S, the open window's grid and filter,
// opening into a new calculation window with the wizard walked, and files
// that cannot be opened.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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

#include <bit>
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
#include "results/untObservaciones.h"
#include "results/untVentanaIncertidumbre.h"

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

// Every widget under `raiz` that shows when `raiz` does, in the tree's
// order: class, name, place, text (a checked button marked), bold, disabled.
QStringList LoQueSeVe(const QWidget& raiz) {
    QStringList r;
    for (const QWidget* w : raiz.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&raiz)) continue;
        QString texto;
        if (auto* l = qobject_cast<const QLabel*>(w))
            texto = l->text();
        else if (auto* b = qobject_cast<const QAbstractButton*>(w))
            texto = b->text() + (b->isChecked() ? " [x]" : "");
        else if (auto* e = qobject_cast<const QLineEdit*>(w))
            texto = e->text();
        const QRect g = w->geometry();
        r << QString("%1 %2 %3,%4 %5x%6 «%7»%8%9")
                 .arg(w->metaObject()->className(), w->objectName())
                 .arg(g.x())
                 .arg(g.y())
                 .arg(g.width())
                 .arg(g.height())
                 .arg(texto, w->font().bold() ? " negrita" : "", w->isEnabled() ? "" : " deshabilitado");
    }
    return r;
}

// The window as a user finds it and what it holds: tabs, current page,
// the questions and their items (and the focus of an open one), size,
// every page's visible controls, the record bit for bit and the formula
// panel.
QStringList Estado(TfrmProbTipo& v) {
    QStringList r{"pestañas " + Pestanas(v), QString("actual %1").arg(v.pgReplanteo->currentIndex()),
                  QString("páginas habilitadas %1").arg(v.pgReplanteo->isEnabled()),
                  QString("tamaño %1x%2").arg(v.width()).arg(v.height())};
    for (const TGrupoRadio* g : {v.rg0, v.rg00, v.rg01, v.rg02, v.rg000}) {
        r << QString("%1 item %2%3").arg(g->objectName()).arg(g->ItemIndex()).arg(g->isHidden() ? "" : " abierta");
        // An open question holds the keyboard focus.
        if (!g->isHidden()) r << "foco " + (v.focusWidget() ? v.focusWidget()->objectName() : QString("ninguno"));
    }
    r << LoQueSeVe(v);
    for (int p = 0; p < TfrmProbTipo::kPaginas; ++p)
        for (const QString& w : LoQueSeVe(*v.pgReplanteo->widget(p))) r << QString("página %1: %2").arg(p).arg(w);
    const TDatosProblema& d = v.Datos();
    r << QString("CodiProb %1 ElecFeno %2 ElecObst %3 ElecChor %4 ProtEfec %5")
             .arg(d.CodiProb)
             .arg(d.ElecFeno)
             .arg(d.ElecObst)
             .arg(d.ElecChor)
             .arg(d.ProtEfec);
    TDatosProblema::Recorrer(d, [&](const char* nombre, const double& x) {
        r << QString("%1 %2").arg(nombre).arg(std::bit_cast<quint64>(x), 16, 16, QChar('0'));
    });
    const TPanelFormulas& panel = v.Panel();
    r << QString("panel visible %1").arg(panel.visible);
    for (int k = 1; k <= 4; ++k)
        r << QString("ranura %1 «%2» visible %3 activa %4")
                 .arg(k)
                 .arg(QString::fromStdString(panel.Titulo(k)))
                 .arg(panel.Ranura(k).visible)
                 .arg(panel.Activa(k));
    return r;
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

    // Opening a problem leaves the window as the user's clicks do, for
    // every problem type and every step the wizard may stop at: the same
    // tabs and page, questions, visible controls, record bytes, formula
    // panel, messages and errors; only the changed marker differs (opening is no
    // change of the user's).
    void AbrirEsComoLosClics_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<int>("obst");  // -1: the phenomenon alone
        QTest::addColumn<QString>("textos");
        QTest::addColumn<int>("chorro");  // -1: not answered
        QTest::addColumn<QString>("pestanas");
        QTest::addColumn<int>("mensajes");
        QTest::addColumn<int>("errores");
        QTest::newRow("1") << 0 << -1 << "" << -1 << "110000" << 0 << 0;
        QTest::newRow("2") << 1 << -1 << "FlujTiraRest=2.5" << -1 << "110000" << 0 << 0;
        QTest::newRow("3") << 2 << -1 << "" << -1 << "110000" << 0 << 0;
        QTest::newRow("11 protegido") << 0 << 0 << "" << -1 << "111100" << 0 << 0;
        QTest::newRow("11 esperando el chorro") << 0 << 0 << "EstrLongPlat=4" << -1 << "111000" << 1 << 0;
        QTest::newRow("11 chorro impacta") << 0 << 0 << "EstrLongPlat=4" << 0 << "111100" << 1 << 0;
        QTest::newRow("11 chorro desliza") << 0 << 0 << "EstrLongPlat=4" << 1 << "111100" << 1 << 0;
        QTest::newRow("12 protegido") << 0 << 1 << "" << -1 << "111100" << 0 << 0;
        QTest::newRow("12 sin protección") << 0 << 1 << "EstrLongPlat=4" << -1 << "111100" << 1 << 0;
        // The required length 4.2 h overflows: the fault's message, and the
        // window stays on the structure page.
        QTest::newRow("12 desborde al continuar") << 0 << 1 << "FlujTiraRest=1e308" << -1 << "111000" << 0 << 1;
        QTest::newRow("21 protegido: calcula al continuar") << 1 << 0 << "" << -1 << "111011" << 0 << 0;
        QTest::newRow("21 sin protección") << 1 << 0 << "EstrLongPlat=0.5" << -1 << "111100" << 1 << 0;
        QTest::newRow("22") << 1 << 1 << "EstrAnchPila=4" << -1 << "111100" << 0 << 0;
        QTest::newRow("31") << 2 << 0 << "" << -1 << "111100" << 0 << 0;
    }
    void AbrirEsComoLosClics() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(QString, textos);
        QFETCH(int, chorro);
        QFETCH(QString, pestanas);
        QFETCH(int, mensajes);
        QFETCH(int, errores);
        TfrmProbTipo* clics = principal->mmiFileNewClick();
        Clasificar(*clics, feno, obst, textos, chorro);
        const QStringList estadoClics = Estado(*clics);  // while it is the active window
        const QStringList mensajesClics = entorno.mensajes, erroresClics = entorno.errores;
        QCOMPARE(Pestanas(*clics), pestanas);
        QCOMPARE(int(mensajesClics.size()), mensajes);
        QCOMPARE(int(erroresClics.size()), errores);
        entorno.mensajes.clear();
        entorno.errores.clear();

        TfrmProbTipo* abierta = principal->mmiFileNewClick();
        abierta->CargarProblema(ProblemaDe(*abierta, feno, obst, textos, chorro));
        QCOMPARE(entorno.mensajes, mensajesClics);
        QCOMPARE(entorno.errores, erroresClics);
        QVERIFY(!abierta->isWindowModified());
        QCOMPARE(Estado(*abierta), estadoClics);
        QCOMPARE(TextosVistos(*abierta->tbshProblema), TextosVistos(*clics->tbshProblema));
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
        QCOMPARE(entorno.mensajes,
                 QStringList({"El valor ingresado no es válido. Use el punto (.) como separador decimal, no la coma."}));
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

    // The uncertainty study's set-up and the report's observations go with
    // the problem and come back with it: a set-up whose window was closed
    // before saving, and observations accepted in the report's dialog.
    void IncertidumbreYObservacionesVuelven() {
        TfrmProbTipo* v = principal->mmiFileNewClick();
        AbrirYCalcular(*v, 1, 1, "EstrFactFormKs=1;EstrFactGrup=1;SediAnguRepo=30");
        v->tbshProblema->bbtnIncertidumbre->click();
        TfrmIncertidumbre* s = v->tbshProblema->VentanaIncertidumbre();
        QVERIFY(s);
        s->AgregarCampo("FlujCaud");
        auto* combo = static_cast<QComboBox*>(s->tblEntradas->cellWidget(0, kColDistribucion));
        combo->setCurrentIndex(combo->findText("Triangular"));
        s->tblEntradas->item(0, kColMaximo)->setText("4000");
        QVERIFY(s->tblModelo->rowCount() > 0);
        s->tblModelo->item(0, kColFormula)->setCheckState(Qt::Checked);
        s->tblModelo->item(0, kColSesgo)->setText("1.2");
        s->edtMuestras->setText("500");
        s->edtSemilla->setText("7");
        s->edtFundacion->setText("2.5");
        const TIncertidumbreArchivo ajuste = s->Ajuste();
        QCOMPARE(ajuste.entradas.size(), std::size_t(1));
        QCOMPARE(ajuste.entradas[0].distribucion, std::string("triangular"));
        QVERIFY(s->close());

        const QString nota = "Pila P3, Río Ñuble\nsegunda línea";
        entorno.EsperarModal([&](QWidget* w) {
            auto* dlg = qobject_cast<TfrmObservaciones*>(w);
            QVERIFY(dlg);
            QTest::keyClicks(dlg->mmObservaciones, "Pila P3, ");
            dlg->mmObservaciones->insertPlainText("Río Ñuble");  // keys beyond ASCII, as an input method gives them
            QTest::keyClick(dlg->mmObservaciones, Qt::Key_Return);
            dlg->mmObservaciones->insertPlainText("segunda línea");
            entorno.EsperarModal([](QWidget* w2) { w2->close(); });
            dlg->bbtnOk->click();
        });
        v->tbshProblema->bbtnReporte->click();
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(v->Observaciones(), std::optional(nota));
        QVERIFY(v->isWindowModified());

        QVERIFY(v->GuardarProblemaEn(Ruta("p.turmado")));
        const TArchivoProblema a = CargarArchivoProblema(Ruta("p.turmado").toStdString());
        QVERIFY(a.incertidumbre == ajuste);
        QCOMPARE(a.observaciones, std::optional(nota.toStdString()));

        principal = std::make_unique<TMainForm>();
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
        TfrmProbTipo* w = principal->AbrirArchivo(Ruta("p.turmado"));
        QVERIFY(w);
        QCOMPARE(w->Observaciones(), std::optional(nota));
        CalcularSiFalta(*w);
        w->tbshProblema->bbtnIncertidumbre->click();
        QVERIFY(w->tbshProblema->VentanaIncertidumbre());
        QVERIFY(w->tbshProblema->VentanaIncertidumbre()->Ajuste() == ajuste);
        // The report's dialog starts from them; "Cancelar" keeps them and
        // shows no report.
        QString enLaCaja;
        entorno.EsperarModal([&](QWidget* w2) {
            auto* dlg = qobject_cast<TfrmObservaciones*>(w2);
            QVERIFY(dlg);
            enLaCaja = dlg->ObservacionesTexto();
            QTest::keyClicks(dlg->mmObservaciones, " otra");
            dlg->bbtnCanc->click();
        });
        w->tbshProblema->bbtnReporte->click();
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(enLaCaja, nota);
        QCOMPARE(w->Observaciones(), std::optional(nota));
    }

    // The same file opened again, by another spelling of its path or from
    // the open window: the window that has it comes forward, with what was
    // typed in it since; no second window.
    void MismoArchivoDosVeces() {
        TProblema p;
        p.codigo = 2;
        Escribir("a.turmado", p);
        TfrmProbTipo* a = principal->AbrirArchivo(Ruta("a.turmado"));
        QVERIFY(a);
        principal->mmiFileNewClick();  // another window in front
        a->Campo("FlujCaud")->setText("1234");
        QCOMPARE(principal->AbrirArchivo(carpeta->path() + "/./a.turmado"), a);
        QCOMPARE(Ventanas(*principal).size(), 2);
        QCOMPARE(principal->mdiArea->activeSubWindow()->widget(), a);
        QCOMPARE(a->Campo("FlujCaud")->text(), QString("1234"));

        principal->mmiFileNewClick();
        AbrirCon([&](TfrmAbrir& abrir) {
            abrir.DBGrid1->selectRow(int(abrir.Nombres().indexOf("a")));
            abrir.btnAbrir->click();
        });
        QCOMPARE(Ventanas(*principal).size(), 3);
        QCOMPARE(principal->mdiArea->activeSubWindow()->widget(), a);
    }
};

QTEST_MAIN(PruebaArchivo)
#include "test_archivo.moc"
