// Nothing typed is lost: the changed state of a calculation window, its
// title, the question before a changed window closes (the real box, answered
// by a click), the recent problems, the recovery copy and its offer at start,
// and files opened as the command line opens them.
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include "app/Main.h"
#include "comun/untArchivoProblema.h"
#include "comun/untGrupoRadio.h"
#include "entorno.h"
#include "pickers/untPaginaComplementaria.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "problem/untRecuperacion.h"
#include "resultados.h"

namespace {

const QString kPregunta = "¿Guardar los cambios del problema?";
const QString kOferta = "Se encontraron problemas sin guardar de una sesión anterior";
const QString kTitulo = "Cálculo para problema específico";

TProblema Con(ProblemCode codigo, std::optional<int> chorro,
              std::initializer_list<std::pair<const char*, const char*>> textos = {}) {
    TProblema p;
    p.codigo = codigo;
    p.chorro = chorro;
    for (const auto& [n, t] : textos) p.textos[n] = t;
    return p;
}

void EscribirProblema(const QString& ruta, const TProblema& p) {
    TArchivoProblema a;
    a.problema = p;
    a.guardado = "2025-05-05 12:00";
    std::ofstream(ruta.toStdString()) << EscribirArchivoProblema(a);
}

std::string Texto(const QString& ruta, const char* campo) {
    return CargarArchivoProblema(ruta.toStdString()).problema.textos.at(campo);
}

std::filesystem::path Ruta(const QString& r) { return r.toStdString(); }

void EscribirCopia(const QString& ruta, const TProblema& p, const QString& archivo = {}) {
    TArchivoProblema a;
    a.problema = p;
    a.guardado = "2025-05-05 12:00";
    a.archivo = archivo.toStdString();
    std::ofstream(ruta.toStdString()) << EscribirArchivoProblema(a);
}

// A folder that nobody may change while this lives, root included: its
// write bits go, and this thread leaves the capabilities that override
// file permissions (the window's work runs on this thread).
class TSoloLectura {
public:
    explicit TSoloLectura(const QString& carpeta) : carpeta_(carpeta), permisos_(QFile::permissions(carpeta)) {
        QFile::setPermissions(carpeta_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                            QFile::ReadOther | QFile::ExeOther);
#ifdef Q_OS_LINUX
        if (syscall(SYS_capget, &cabecera_, antes_) == 0) {
            __user_cap_data_struct sin[2] = {antes_[0], antes_[1]};
            for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
                sin[cap / 32].effective &= ~(1u << (cap % 32));
            syscall(SYS_capset, &cabecera_, sin);
        }
#endif
    }
    ~TSoloLectura() {
#ifdef Q_OS_LINUX
        syscall(SYS_capset, &cabecera_, antes_);
#endif
        QFile::setPermissions(carpeta_, permisos_);
    }
    TSoloLectura(const TSoloLectura&) = delete;
    TSoloLectura& operator=(const TSoloLectura&) = delete;

private:
    QString carpeta_;
    QFile::Permissions permisos_;
#ifdef Q_OS_LINUX
    __user_cap_header_struct cabecera_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct antes_[2]{};
#endif
};

}  // namespace

class PruebaCambios : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<QTemporaryDir> carpeta;       // problems
    std::unique_ptr<QTemporaryDir> recuperacion;  // recovery copies
    std::unique_ptr<TMainForm> principal;

    QString Archivo(const QString& nombre) const { return carpeta->filePath(nombre); }

    QList<TfrmProbTipo*> Ventanas() const {
        QList<TfrmProbTipo*> r;
        for (QMdiSubWindow* s : principal->mdiArea->subWindowList(QMdiArea::CreationOrder))
            if (auto* v = qobject_cast<TfrmProbTipo*>(s->widget())) r << v;
        return r;
    }
    static QMdiSubWindow* Marco(QWidget* v) { return qobject_cast<QMdiSubWindow*>(v->parentWidget()); }

    // Mouse and keys through the main window, as the window system delivers them.
    QPoint EnVentana(QWidget* w, QPoint p) const { return w->mapTo(w->window(), p.isNull() ? w->rect().center() : p); }
    void Clic(QWidget* w, QPoint p = {}) {
        QTest::mouseClick(principal->windowHandle(), Qt::LeftButton, {}, EnVentana(w, p));
    }
    void Tecla(Qt::Key tecla, Qt::KeyboardModifiers mod = {}) {
        QTest::keyClick(principal->windowHandle(), tecla, mod);
    }
    // A user's typing: click into the field, select all, type.
    void Escribir(QLineEdit* e, const QString& texto) {
        Clic(e);
        QVERIFY(e->hasFocus());
        Tecla(Qt::Key_A, Qt::ControlModifier);
        for (QChar c : texto) QTest::keyClick(principal->windowHandle(), c.toLatin1());
    }
    // The discharge typed and left: an accepted change.
    void CambiarCaudal(TfrmProbTipo* v, const QString& caudal = "2500") {
        if (v->pgReplanteo->currentIndex() != TfrmProbTipo::kGlobal) {
            QTabBar* barra = v->pgReplanteo->tabBar();
            Clic(barra, barra->tabRect(TfrmProbTipo::kGlobal).center());
        }
        Escribir(v->Campo("FlujCaud"), caudal);
        Tecla(Qt::Key_Tab);
    }
    // The close button of a child window's title bar, where the style draws it.
    void ClicCerrar(QMdiSubWindow* s) {
        QStyleOptionTitleBar op;
        op.initFrom(s);
        op.subControls = QStyle::SC_All;
        op.titleBarFlags = s->windowFlags();
        op.titleBarState = int(s->windowState());
        const int borde = s->windowFlags().testFlag(Qt::FramelessWindowHint) ? 0 : 4;
        op.rect = QRect(borde, borde, s->width() - 2 * borde,
                        s->style()->pixelMetric(QStyle::PM_TitleBarHeight, &op, s) - borde);
        const QRect boton = s->style()->subControlRect(QStyle::CC_TitleBar, &op, QStyle::SC_TitleBarCloseButton, s);
        QVERIFY(boton.isValid());
        Clic(s, boton.center());
    }
    // A menu item as a user picks it with the keyboard: Alt and the menu's
    // letter on the main window, then the item's letter on the menu.
    void Menu(Qt::Key menu, Qt::Key item) {
        Tecla(menu, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), item);
    }

    void NuevoPrincipal() {
        principal = std::make_unique<TMainForm>();
        principal->resize(1200, 900);  // room for the window with a question open below its pages
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
    }

    // Every road that closes a calculation window, or the main window with it.
    struct TCamino {
        const char* nombre;
        bool todo;  // closes the main window too
        std::function<void(PruebaCambios&, TfrmProbTipo*)> cerrar;
    };
    static std::vector<TCamino> Caminos() {
        return {
            {"botón de cierre", false, [](PruebaCambios& t, TfrmProbTipo* v) { t.ClicCerrar(Marco(v)); }},
            {"Ctrl+F4", false, [](PruebaCambios& t, TfrmProbTipo* v) {
                 // The key of the active child window's system menu.
                 QTRY_VERIFY(Marco(v)->isActiveWindow() && t.principal->mdiArea->activeSubWindow() == Marco(v));
                 t.Tecla(Qt::Key_F4, Qt::ControlModifier);
             }},
            {"&File > &Close", false, [](PruebaCambios& t, TfrmProbTipo*) { t.Menu(Qt::Key_F, Qt::Key_C); }},
            {"&File > &Exit", true, [](PruebaCambios& t, TfrmProbTipo*) { t.Menu(Qt::Key_F, Qt::Key_E); }},
            {"botón de cierre del principal", true,
             [](PruebaCambios& t, TfrmProbTipo*) { t.principal->windowHandle()->close(); }},
            {"E&xit del principal", true, [](PruebaCambios& t, TfrmProbTipo*) { t.principal->FileExit1->trigger(); }},
        };
    }

private slots:
    void init() {
        entorno.Iniciar();
        carpeta = std::make_unique<QTemporaryDir>();
        recuperacion = std::make_unique<QTemporaryDir>();
        FijarCarpetaProblemas(carpeta->path());
        FijarCarpetaRecuperacion(recuperacion->filePath("recuperacion"));
        qunsetenv("TURMADO_RECUPERACION_MS");
        for (const QString& r : TMainForm::Recientes()) TMainForm::QuitarReciente(r);
        NuevoPrincipal();
    }
    void cleanup() {
        principal.reset();
        FijarCarpetaProblemas({});
        FijarCarpetaRecuperacion({});
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
    }

    // What marks a window changed, one fresh window per case; looking
    // around does not.
    void QueCambiaElProblema() {
        struct TCaso {
            const char* nombre;
            std::function<void(PruebaCambios&, TfrmProbTipo*)> hacer;
            bool marcada;   // the window's modified flag
            bool cambiada;  // what the question on closing goes by
        };
        const TCaso casos[] = {
            {"recién creada, mirada", [](PruebaCambios& t, TfrmProbTipo* v) {
                 t.Clic(v->Campo("AguaDens"));
                 t.Tecla(Qt::Key_Tab);
                 t.Tecla(Qt::Key_Tab);
             }, false, false},
            {"el mismo valor escrito otra vez", [](PruebaCambios& t, TfrmProbTipo* v) { t.CambiarCaudal(v, "3000"); },
             false, false},
            {"campo aceptado", [](PruebaCambios& t, TfrmProbTipo* v) { t.CambiarCaudal(v); }, true, true},
            {"escrito sin salir del campo",
             [](PruebaCambios& t, TfrmProbTipo* v) { t.Escribir(v->Campo("FlujCaud"), "2500"); }, false, true},
            {"escrito sin salir, un texto que el campo rechaza",
             [](PruebaCambios& t, TfrmProbTipo* v) { t.Escribir(v->Campo("FlujCaud"), "25x"); }, false, false},
            // The first item equals the zero of a fresh record: still an answer.
            {"respuesta del asistente", [](PruebaCambios& t, TfrmProbTipo* v) {
                 t.Clic(v->tbshNivel0->btnN0);
                 QRadioButton* item = v->rg0->Item(0);
                 t.Clic(item, QPoint(8, item->height() / 2));
                 t.Clic(v->btnContAfue01);
             }, true, true},
            {"opción de rugosidad", [](PruebaCambios& t, TfrmProbTipo* v) {
                 QRadioButton* rb = v->tbshNivel0->rbAltuRugoCauc;
                 t.Clic(rb, QPoint(8, rb->height() / 2));
             }, true, true},
            {"respuesta del chorro", [](PruebaCambios& t, TfrmProbTipo* v) {
                 v->CargarProblema(Con(11, {}, {{"EstrLongPlat", "4"}}));  // waits for the jet answer
                 QVERIFY(!v->isWindowModified());
                 QRadioButton* item = v->rg000->Item(1);
                 t.Clic(item, QPoint(8, item->height() / 2));
                 t.Clic(v->btnContAfue23);
             }, true, true},
            {"valor de un selector", [](PruebaCambios&, TfrmProbTipo* v) {
                 v->CargarProblema(Con(22, {}));
                 QVERIFY(!v->isWindowModified());
                 v->tbshNivel3->PonerValorElegido("EstrFactGrup", "1.2");
             }, true, true},
        };
        for (const TCaso& c : casos) {
            NuevoPrincipal();  // the windows go without a question
            TfrmProbTipo* v = principal->mmiFileNewClick();
            QVERIFY2(!v->Cambiado(), c.nombre);
            c.hacer(*this, v);
            QVERIFY2(v->isWindowModified() == c.marcada, c.nombre);
            QVERIFY2(v->Cambiado() == c.cambiada, c.nombre);
            // The frame shows the window's title and marker.
            QVERIFY2(Marco(v)->isWindowModified() == c.marcada, c.nombre);
            entorno.mensajes.clear();  // the structure page's messages
        }
    }

    // The problem a window saves takes the answers that stand: a change
    // that sends the wizard back takes the later answers with it; one that
    // only invalidates the results keeps them.
    void LasRespuestasQueValen() {
        struct TCaso {
            const char* nombre;
            std::function<void(PruebaCambios&, TfrmProbTipo*)> hacer;
            ProblemCode codigo;
        };
        auto cambiar = [](PruebaCambios& t, TfrmProbTipo* v, const char* campo, const char* texto, int pagina) {
            QTabBar* barra = v->pgReplanteo->tabBar();
            t.Clic(barra, barra->tabRect(pagina).center());
            t.Escribir(v->Campo(campo), texto);
            t.Tecla(Qt::Key_Tab);
        };
        auto responder = [](PruebaCambios& t, TfrmProbTipo* v, QPushButton* pregunta, TGrupoRadio* grupo, int item,
                            QPushButton* continuar, int pagina) {
            QTabBar* barra = v->pgReplanteo->tabBar();
            t.Clic(barra, barra->tabRect(pagina).center());
            t.Clic(pregunta);
            QRadioButton* r = grupo->Item(item);
            t.Clic(r, QPoint(8, r->height() / 2));
            t.Clic(continuar);
        };
        const TCaso casos[] = {
            {"sin cambios", [](PruebaCambios&, TfrmProbTipo*) {}, 22},
            {"caudal: solo los resultados",
             [&](PruebaCambios& t, TfrmProbTipo* v) { cambiar(t, v, "FlujCaud", "2500", TfrmProbTipo::kGlobal); }, 22},
            {"ancho de la pila: las páginas siguientes",
             [&](PruebaCambios& t, TfrmProbTipo* v) { cambiar(t, v, "EstrAnchPila", "4", TfrmProbTipo::kEstructura); },
             22},
            {"tirante: vuelve al obstáculo",
             [&](PruebaCambios& t, TfrmProbTipo* v) { cambiar(t, v, "FlujTiraRest", "2", TfrmProbTipo::kLocal); }, 2},
            {"otro obstáculo", [&](PruebaCambios& t, TfrmProbTipo* v) {
                 responder(t, v, v->tbshNivel1->btnN1, v->rg01, 0, v->btnContAfue12, TfrmProbTipo::kLocal);
             }, 21},
            {"otro fenómeno", [&](PruebaCambios& t, TfrmProbTipo* v) {
                 responder(t, v, v->tbshNivel0->btnN0, v->rg0, 0, v->btnContAfue01, TfrmProbTipo::kGlobal);
             }, 1},
        };
        for (const TCaso& c : casos) {
            NuevoPrincipal();
            TfrmProbTipo* v = principal->mmiFileNewClick();
            v->CargarProblema(Con(22, {}));
            c.hacer(*this, v);
            QVERIFY2(v->Problema().problema.codigo == c.codigo,
                     qPrintable(QString("%1: %2").arg(c.nombre).arg(v->Problema().problema.codigo)));
            entorno.mensajes.clear();
        }
    }

    // The file in the title; saving clears the marker, says where the file
    // went and puts it first among the recent problems.
    void TituloYGuardado() {
        EscribirProblema(Archivo("puente-km12.turmado"), Con(22, {}, {{"FlujCaud", "1500"}}));
        TfrmProbTipo* v = principal->AbrirArchivo(Archivo("puente-km12.turmado"));
        QVERIFY(v);
        QCOMPARE(v->windowTitle(), kTitulo + " - puente-km12.turmado[*]");
        QVERIFY(!v->Cambiado());
        CambiarCaudal(v);
        QVERIFY(v->isWindowModified());

        TfrmProbTipo* w = principal->mmiFileNewClick();
        CambiarCaudal(w, "3100");
        QVERIFY(w->GuardarProblemaEn(Archivo("otro.turmado")));
        QCOMPARE(w->windowTitle(), kTitulo + " - otro.turmado[*]");
        QVERIFY(!w->Cambiado());
        QCOMPARE(principal->statusBar()->currentMessage(),
                 "Problema guardado en " + QDir::toNativeSeparators(Archivo("otro.turmado")));
        QCOMPARE(TMainForm::Recientes(), QStringList({Archivo("otro.turmado"), Archivo("puente-km12.turmado")}));
        QVERIFY(v->isWindowModified());  // the other window keeps its changes
    }

    // The close box of a changed window and each answer.
    void CerrarUnaVentanaCambiada_data() {
        QTest::addColumn<bool>("conArchivo");
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QString>("dialogo");  // the save dialog: "" none, "aceptar", "cancelar"
        QTest::addColumn<bool>("cerrada");
        QTest::addColumn<QString>("enArchivo");  // the discharge in the file afterwards
        QTest::newRow("Guardar") << true << "btnGuardar" << "" << true << "2500";
        QTest::newRow("No guardar") << true << "btnNoGuardar" << "" << true << "1500";
        QTest::newRow("Cancelar") << true << "btnCancelar" << "" << false << "1500";
        QTest::newRow("Guardar sin archivo") << false << "btnGuardar" << "aceptar" << true << "2500";
        QTest::newRow("Guardar sin archivo, diálogo cancelado") << false << "btnGuardar" << "cancelar" << false << "";
        QTest::newRow("Guardar en una carpeta que no existe") << false << "btnGuardar" << "no existe" << false << "";
    }
    void CerrarUnaVentanaCambiada() {
        QFETCH(bool, conArchivo);
        QFETCH(QString, boton);
        QFETCH(QString, dialogo);
        QFETCH(bool, cerrada);
        QFETCH(QString, enArchivo);
        principal->IniciarRecuperacion();
        const QString archivo = Archivo("pila.turmado");
        EscribirProblema(archivo, Con(22, {}, {{"FlujCaud", "1500"}}));
        QPointer<TfrmProbTipo> v = conArchivo ? principal->AbrirArchivo(archivo) : principal->mmiFileNewClick();
        CambiarCaudal(v);
        principal->GuardarRecuperaciones();
        const QString copia = v->RutaRecuperacion();
        QVERIFY(QFile::exists(copia));

        const QString destino = dialogo == "no existe" ? Archivo("falta/pila.turmado") : Archivo("nuevo.turmado");
        if (dialogo.isEmpty()) {
            entorno.Responder({boton});
        } else {
            entorno.Responder({boton}, [destino, dialogo](QWidget* w) {
                auto* d = qobject_cast<QFileDialog*>(w);
                QVERIFY(d);
                if (dialogo == "cancelar") return d->reject();
                d->findChild<QLineEdit*>("fileNameEdit")->setText(destino);
                static_cast<QDialog*>(d)->accept();  // QFileDialog::accept, as the button
            });
        }
        ClicCerrar(Marco(v));
        QTRY_VERIFY(!entorno.ModalPendiente());
        const QString nombre = conArchivo ? "pila.turmado" : "Problema sin clasificar (sin archivo)";
        QCOMPARE(entorno.preguntas, QStringList{kPregunta + "|" + nombre});
        QTRY_COMPARE(v.isNull(), cerrada);
        QCOMPARE(QFile::exists(copia), !cerrada);
        if (!cerrada) QVERIFY(v->isWindowModified());
        if (!enArchivo.isEmpty())
            QCOMPARE(Texto(conArchivo ? archivo : destino, "FlujCaud"), enArchivo.toStdString());
        QCOMPARE(entorno.errores.size(), dialogo == "no existe" ? 1 : 0);
    }

    // Every road: an unchanged window closes without a question; a changed
    // one asks, "Cancelar" keeps it (and the main window), "No guardar"
    // closes it.
    void CadaCaminoPregunta() {
        for (const TCamino& c : Caminos()) {
            const QString que = c.nombre;
            // A window manager gives the main window its activation back when
            // a box closes; the offscreen platform does not.
            principal->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(principal.get()));
            QPointer<TfrmProbTipo> v = principal->mmiFileNewClick();
            c.cerrar(*this, v);
            QTRY_VERIFY2(v.isNull(), qPrintable(que + ": sin cambios"));
            QVERIFY2(entorno.preguntas.isEmpty(), qPrintable(que));
            if (c.todo) {
                QTRY_VERIFY(!principal->isVisible());
                NuevoPrincipal();
            }

            v = principal->mmiFileNewClick();
            CambiarCaudal(v);
            entorno.Responder({"btnCancelar"});
            c.cerrar(*this, v);
            QTRY_VERIFY2(!entorno.ModalPendiente(), qPrintable(que + ": no preguntó"));
            QTest::qWait(50);
            QVERIFY2(v && v->isWindowModified(), qPrintable(que + ": Cancelar"));
            QVERIFY2(principal->isVisible(), qPrintable(que + ": Cancelar"));

            principal->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(principal.get()));
            entorno.Responder({"btnNoGuardar"});
            c.cerrar(*this, v);
            QTRY_VERIFY2(v.isNull(), qPrintable(que + ": No guardar"));
            QCOMPARE(entorno.preguntas, QStringList({kPregunta + "|Problema sin clasificar (sin archivo)",
                                                     kPregunta + "|Problema sin clasificar (sin archivo)"}));
            QTRY_COMPARE(principal->isVisible(), !c.todo);
            if (c.todo) NuevoPrincipal();
            entorno.preguntas.clear();
        }
    }

    // Closing the main window asks once per changed window, in the order
    // they were opened, before any goes: "Cancelar" on the second keeps both.
    void CerrarElPrincipalConDosCambiadas() {
        EscribirProblema(Archivo("a.turmado"), Con(0, {}));
        QPointer<TfrmProbTipo> a = principal->AbrirArchivo(Archivo("a.turmado"));
        QPointer<TfrmProbTipo> sinCambios = principal->mmiFileNewClick();
        QPointer<TfrmProbTipo> b = principal->mmiFileNewClick();
        CambiarCaudal(b, "3100");
        principal->mdiArea->setActiveSubWindow(Marco(a));
        CambiarCaudal(a);
        const QStringList preguntas{kPregunta + "|a.turmado", kPregunta + "|Problema sin clasificar (sin archivo)"};

        entorno.Responder({"btnNoGuardar", "btnCancelar"});
        QVERIFY(!principal->close());
        QCOMPARE(entorno.preguntas, preguntas);
        QVERIFY(a && b && sinCambios);
        QVERIFY(a->isWindowModified() && b->isWindowModified());
        QVERIFY(principal->isVisible());

        entorno.preguntas.clear();
        entorno.Responder({"btnNoGuardar", "btnNoGuardar"});
        QVERIFY(principal->close());
        QCOMPARE(entorno.preguntas, preguntas);
        QVERIFY(a.isNull() && b.isNull() && sinCambios.isNull());
        QCOMPARE(Texto(Archivo("a.turmado"), "FlujCaud"), std::string("3000"));
    }

    // "Abrir reciente": the last eight, newest first, in every "&File" menu;
    // a file that is gone leaves the list with a message.
    void AbrirReciente() {
        TfrmProbTipo* v = principal->mmiFileNewClick();
        for (int i = 1; i <= 9; ++i) QVERIFY(v->GuardarProblemaEn(Archivo(QString("p%1.turmado").arg(i))));
        QStringList esperados;
        for (int i = 9; i >= 2; --i) esperados << Archivo(QString("p%1.turmado").arg(i));
        QCOMPARE(TMainForm::Recientes(), esperados);
        QVERIFY(v->GuardarProblemaEn(Archivo("p5.turmado")));  // saved again: first, once
        esperados.removeAll(Archivo("p5.turmado"));
        esperados.prepend(Archivo("p5.turmado"));
        QCOMPARE(TMainForm::Recientes(), esperados);

        // The child's "&File" menu holds the main window's "Abrir reciente".
        QVERIFY(v->MenuHijo().Menus()[0]->actions().contains(principal->mnuRecientes->menuAction()));
        emit principal->mnuRecientes->aboutToShow();
        const QList<QAction*> items = principal->mnuRecientes->actions();
        QCOMPARE(items.size(), 8);
        QCOMPARE(items[0]->text(), QString("&1 p5.turmado"));
        QCOMPARE(items[1]->text(), QString("&2 p9.turmado"));
        QCOMPARE(items[1]->statusTip(), QDir::toNativeSeparators(Archivo("p9.turmado")));

        QFile::remove(Archivo("p9.turmado"));
        items[1]->trigger();
        QCOMPARE(entorno.mensajes, QStringList{"El problema «" + QDir::toNativeSeparators(Archivo("p9.turmado")) +
                                               "» ya no existe; se quitó de la lista de recientes."});
        QVERIFY(!TMainForm::Recientes().contains(Archivo("p9.turmado")));
        QCOMPARE(Ventanas().size(), 1);

        emit principal->mnuRecientes->aboutToShow();
        principal->mnuRecientes->actions()[1]->trigger();  // p8
        QCOMPARE(Ventanas().size(), 2);
        QCOMPARE(Ventanas()[1]->RutaArchivo(), Archivo("p8.turmado"));
        QCOMPARE(TMainForm::Recientes().first(), Archivo("p8.turmado"));

        for (const QString& r : TMainForm::Recientes()) principal->QuitarReciente(r);
        emit principal->mnuRecientes->aboutToShow();
        QCOMPARE(principal->mnuRecientes->actions().size(), 1);
        QVERIFY(!principal->mnuRecientes->actions()[0]->isEnabled());
    }

    // As `turmado A B C` opens its files: each in its own window, unchanged;
    // a bad one gets the open window's message and the others still open.
    void ArchivosDeLaLineaDeOrdenes() {
        EscribirProblema(Archivo("uno.turmado"), Con(22, {}, {{"FlujCaud", "1100"}}));
        EscribirProblema(Archivo("dos.turmado"), Con(31, {}, {{"FlujCaud", "2200"}}));
        std::ofstream(Archivo("roto.turmado").toStdString()) << "{";
        const QString antes = QDir::currentPath();
        QDir::setCurrent(carpeta->path());
        for (const QString& a : {QString("uno.turmado"), Archivo("roto.turmado"), QString("dos.turmado")})
            principal->AbrirArchivo(a);
        QDir::setCurrent(antes);
        QCOMPARE(entorno.errores, QStringList{"No se puede abrir «" + QDir::toNativeSeparators(Archivo("roto.turmado")) +
                                              "»: el archivo está incompleto: termina antes de tiempo."});
        const auto v = Ventanas();
        QCOMPARE(v.size(), 2);
        QCOMPARE(v[0]->RutaArchivo(), Archivo("uno.turmado"));  // made absolute
        QCOMPARE(v[0]->Campo("FlujCaud")->text(), QString("1100"));
        QCOMPARE(v[1]->Campo("FlujCaud")->text(), QString("2200"));
        QCOMPARE(v[1]->Datos().CodiProb, 31);
        for (TfrmProbTipo* w : v) QVERIFY(!w->Cambiado());
    }

    // The copy of a changed window every period; none for an unchanged one;
    // the copy holds a value typed and not yet left; saving removes it.
    void CopiaDeRecuperacion() {
        principal->IniciarRecuperacion();
        QCOMPARE(principal->findChild<QTimer*>("timerRecuperacion")->interval(), 30000);
        principal.reset();
        NuevoPrincipal();
        qputenv("TURMADO_RECUPERACION_MS", "50");
        principal->IniciarRecuperacion();
        QVERIFY(QFile::exists(recuperacion->filePath("recuperacion/") + QString::number(ProcesoPropio().pid) +
                              ".bloqueo"));
        TfrmProbTipo* quieta = principal->mmiFileNewClick();
        TfrmProbTipo* v = principal->mmiFileNewClick();
        Escribir(v->Campo("FlujCaud"), "2500");
        QTRY_VERIFY(!v->RutaRecuperacion().isEmpty() && QFile::exists(v->RutaRecuperacion()));
        QTRY_COMPARE(Texto(v->RutaRecuperacion(), "FlujCaud"), std::string("2500"));
        Tecla(Qt::Key_Tab);
        Escribir(v->Campo("AguaTemp"), "25");
        QTRY_COMPARE(Texto(v->RutaRecuperacion(), "AguaTemp"), std::string("25"));
        QVERIFY(quieta->RutaRecuperacion().isEmpty());
        const QString copia = v->RutaRecuperacion();
        Tecla(Qt::Key_Tab);
        QVERIFY(v->GuardarProblemaEn(Archivo("guardado.turmado")));
        QVERIFY(!QFile::exists(copia));
        QTest::qWait(150);
        QVERIFY(!QFile::exists(copia));  // unchanged: no new copy
        principal.reset();
        QVERIFY(!QFile::exists(recuperacion->filePath("recuperacion/") + QString::number(ProcesoPropio().pid) +
                               ".bloqueo"));
    }

    // A copy written while a structure field is being typed after
    // "Calcular" (the results still on show, the field not yet left) holds
    // the text as typed: it must not hold the results of the width before
    // beside it.  The copy is only ever read back as texts.
    void CopiaSinResultadosDeOtrosDatos() {
        TfrmProbTipo* v = principal->mmiFileNewClick();
        ClasificarYCalcular(*v, 1, 1, "EstrAnchPila=1.5;EstrFactFormKs=1;EstrFactGrup=1");
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        QTabBar* barra = v->pgReplanteo->tabBar();
        Clic(barra, barra->tabRect(TfrmProbTipo::kEstructura).center());
        Escribir(v->Campo("EstrAnchPila"), "10");
        QVERIFY(v->pgReplanteo->isTabVisible(TfrmProbTipo::kResultados));
        principal->GuardarRecuperaciones();
        const TArchivoProblema copia = CargarArchivoProblema(Ruta(v->RutaRecuperacion()));
        QCOMPARE(copia.problema.textos.at("EstrAnchPila"), std::string("10"));
        QStringList filas;
        if (copia.resultados)
            for (const TFila& f : copia.resultados->filas) filas << QString::fromStdString(f.etiqueta + "=" + f.valor);
        QVERIFY2(!copia.resultados, qPrintable(filas.join('\n')));
        entorno.Responder({"btnNoGuardar"});
        QVERIFY(principal->close());
    }

    // A copy left by a program that no longer runs is offered at start;
    // "Recuperar" opens it changed and without a file, "Descartar" deletes
    // it.  A copy of a program that runs is not offered.
    void OfertaAlArrancar_data() {
        QTest::addColumn<QString>("programa");  // "terminado", "en curso"
        QTest::addColumn<QString>("boton");
        QTest::newRow("Recuperar") << "terminado" << "btnRecuperar";
        QTest::newRow("Descartar") << "terminado" << "btnDescartar";
        QTest::newRow("programa en curso") << "en curso" << "";
    }
    void OfertaAlArrancar() {
        QFETCH(QString, programa);
        QFETCH(QString, boton);
        const QString dir = recuperacion->filePath("recuperacion");
        QDir().mkpath(dir);
        // Another program: a process of its own, killed unless it stays running.
        QProcess otro;
        otro.start("sleep", {"60"});
        QVERIFY(otro.waitForStarted());
        const long pid = long(otro.processId());
        const std::optional<TProceso> proceso = ProcesoEnCurso(pid);
        QVERIFY(proceso);
        QVERIFY(TomarBloqueo(Ruta(dir), *proceso));
        const QString copia = QString::fromStdString(RutaRecuperacion(Ruta(dir), pid, 1).string());
        EscribirProblema(copia, Con(22, {}, {{"FlujCaud", "1234"}, {"EstrAnchPila", "3.5"}, {"SediAnguRepo", "30"}}));
        if (programa == "terminado") {
            otro.kill();
            QVERIFY(otro.waitForFinished());
        }

        if (!boton.isEmpty()) entorno.Responder({boton});
        principal->IniciarRecuperacion();
        QVERIFY(!entorno.ModalPendiente());
        const auto ventanas = Ventanas();
        if (programa == "en curso") {
            QVERIFY(entorno.preguntas.isEmpty());
            QVERIFY(QFile::exists(copia));
            QVERIFY(ventanas.isEmpty());
            otro.kill();
            otro.waitForFinished();
            return;
        }
        QCOMPARE(entorno.preguntas, QStringList{kOferta + "|1. Problema de la Pila (sin guardar), copia del 2025-05-05 12:00"});
        QVERIFY(!QFile::exists(copia));
        QVERIFY(!QFile::exists(QString::fromStdString(RutaBloqueo(Ruta(dir), pid).string())));
        if (boton == "btnDescartar") {
            QVERIFY(ventanas.isEmpty());
            return;
        }
        QCOMPARE(ventanas.size(), 1);
        TfrmProbTipo* v = ventanas[0];
        QCOMPARE(v->Campo("FlujCaud")->text(), QString("1234"));
        QCOMPARE(v->Campo("EstrAnchPila")->text(), QString("3.5"));
        QCOMPARE(v->Datos().CodiProb, 22);
        QVERIFY(v->isWindowModified());
        QVERIFY(v->RutaArchivo().isEmpty());
        QCOMPARE(v->windowTitle(), kTitulo + "[*]");
        // Copied again at once, as this program's.
        QVERIFY(v->RutaRecuperacion().startsWith(dir + "/" + QString::number(ProcesoPropio().pid) + "-"));
        QCOMPARE(Texto(v->RutaRecuperacion(), "FlujCaud"), std::string("1234"));
        entorno.Responder({"btnNoGuardar"});
        QVERIFY(principal->close());
    }

    // A window's copy goes under a name nothing holds yet: a save would
    // write through a link, and a file there is another program's.
    void CopiaConNombreLibre() {
        const QString dir = recuperacion->filePath("recuperacion");
        QDir().mkpath(dir);
        const int n = QFileInfo(NuevaRutaRecuperacion()).completeBaseName().section('-', 1).toInt();
        auto nombre = [&](int i) {
            return QString::fromStdString(RutaRecuperacion(Ruta(dir), ProcesoPropio().pid, i).string());
        };
        const QString fuera = Archivo("fuera.turmado");
        std::ofstream(fuera.toStdString()) << "x";
        QVERIFY(QFile::link(fuera, nombre(n + 1)));
        std::ofstream(nombre(n + 2).toStdString()) << "y";

        TfrmProbTipo* v = principal->mmiFileNewClick();
        CambiarCaudal(v);
        principal->GuardarRecuperaciones();
        QCOMPARE(v->RutaRecuperacion(), nombre(n + 3));
        QCOMPARE(Texto(nombre(n + 3), "FlujCaud"), std::string("2500"));
        std::ifstream leido(fuera.toStdString());
        QCOMPARE(std::string(std::istreambuf_iterator<char>(leido), {}), std::string("x"));
        entorno.Responder({"btnNoGuardar"});
        QVERIFY(principal->close());
    }

    // Each copy by its file or "sin guardar", its problem and a number; a
    // recovered window keeps its file, shows it in the title with the
    // changed marker, and Ctrl+S saves to that file.
    void OfertaNombraCadaCopia() {
        const QString dir = recuperacion->filePath("recuperacion");
        QDir().mkpath(dir);
        const QString pila = Archivo("pila.turmado");
        EscribirProblema(pila, Con(22, {}, {{"FlujCaud", "1000"}}));
        // No lock: a program that no longer runs.
        EscribirCopia(dir + "/4242-1.turmado", Con(0, {}, {{"FlujCaud", "1111"}}));
        EscribirCopia(dir + "/4242-2.turmado", Con(0, {}, {{"FlujCaud", "2222"}}));
        EscribirCopia(dir + "/4242-3.turmado", Con(22, {}, {{"FlujCaud", "1234"}}), pila);
        std::ofstream((dir + "/4242-4.turmado").toStdString()) << "{}";

        entorno.Responder({"btnRecuperar"});
        principal->IniciarRecuperacion();
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(entorno.preguntas, QStringList{kOferta + "|1. Sin clasificar (sin guardar), copia del 2025-05-05 12:00\n"
                                                          "2. Sin clasificar (sin guardar), copia del 2025-05-05 12:00\n"
                                                          "3. Problema de la Pila (pila.turmado), copia del 2025-05-05 12:00\n"
                                                          "4. «4242-4.turmado»: no se puede abrir: no es un archivo de "
                                                          "problema de turmado"});
        const auto v = Ventanas();
        QCOMPARE(v.size(), 3);
        QVERIFY(!QFile::exists(dir + "/4242-4.turmado"));
        QCOMPARE(v[2]->RutaArchivo(), pila);
        QCOMPARE(v[2]->windowTitle(), kTitulo + " - pila.turmado[*]");
        QCOMPARE(v[0]->windowTitle(), kTitulo + "[*]");
        QCOMPARE(v[1]->Campo("FlujCaud")->text(), QString("2222"));
        QTest::qWait(50);  // whatever the opening queued has run
        for (TfrmProbTipo* w : v) {
            QVERIFY(w->isWindowModified());
            QVERIFY(Marco(w)->isWindowModified());
        }
        // The copy written again names the file too.
        QCOMPARE(CargarArchivoProblema(Ruta(v[2]->RutaRecuperacion())).archivo, pila.toStdString());

        // The offscreen platform gives the main window no activation back
        // when the box closes, as a window manager does.
        principal->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
        Clic(Marco(v[2]), QPoint(Marco(v[2])->width() / 2, 8));  // its title bar, on top
        QTRY_COMPARE(principal->mdiArea->activeSubWindow(), Marco(v[2]));
        Tecla(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!entorno.ModalPendiente());  // no save dialog: the file is known
        QCOMPARE(Texto(pila, "FlujCaud"), std::string("1234"));
        QVERIFY(!v[2]->isWindowModified());
        entorno.Responder({"btnNoGuardar", "btnNoGuardar"});
        QVERIFY(principal->close());
    }

    // A folder where nothing can be removed: whatever the answer, a box
    // says which copies are still there and where, and the next start does
    // not offer them again.
    void CarpetaDeSoloLectura_data() {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<int>("ventanas");
        QTest::newRow("Recuperar") << "btnRecuperar" << 2;
        QTest::newRow("Descartar") << "btnDescartar" << 0;
    }
    void CarpetaDeSoloLectura() {
        QFETCH(QString, boton);
        QFETCH(int, ventanas);
        const QString dir = recuperacion->filePath("recuperacion");
        QDir().mkpath(dir);
        const QStringList copias = {dir + "/4242-1.turmado", dir + "/4242-2.turmado"};
        for (const QString& c : copias) EscribirCopia(c, Con(22, {}, {{"FlujCaud", "1234"}}));
        TSoloLectura soloLectura(dir);

        entorno.Responder({boton});
        principal->IniciarRecuperacion();
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(entorno.preguntas.size(), 1);
        QCOMPARE(entorno.mensajes,
                 QStringList{"No se pudieron borrar las copias de recuperación «4242-1.turmado», «4242-2.turmado» de "
                             "la carpeta «" + QDir::toNativeSeparators(dir) + "». Siguen allí y no se volverán a "
                             "ofrecer; bórrelas a mano cuando ya no las necesite."});
        for (const QString& c : copias) QVERIFY(QFile::exists(c));
        QCOMPARE(Ventanas().size(), ventanas);

        principal.reset();  // the windows go without a question
        NuevoPrincipal();
        principal->IniciarRecuperacion();
        QCOMPARE(entorno.preguntas.size(), 1);
        QCOMPARE(entorno.mensajes.size(), 1);
        QVERIFY(Ventanas().isEmpty());
    }

    // What the program does not write in its folder is named once, with the
    // folder, and left there; something new there is named the next time.
    void EntradasAjenasSeNombranUnaVez() {
        const QString dir = recuperacion->filePath("recuperacion");
        QDir().mkpath(dir + "/9-1.turmado");
        for (const char* nombre : {"notas.txt", "abc-1.turmado", "a\x1b[31m.txt"})
            std::ofstream((dir + "/" + nombre).toStdString()) << "x";
        const QString inicio = "En la carpeta de recuperación «" + QDir::toNativeSeparators(dir) +
                               "» hay archivos que no son copias ni bloqueos de turmado: ";
        const QString fin = ". No se ofrecen ni se borran; bórrelos a mano si no los necesita.";

        principal->IniciarRecuperacion();
        QCOMPARE(entorno.mensajes, QStringList{inicio + "«9-1.turmado», «a\\x1b[31m.txt», «abc-1.turmado», «notas.txt»" + fin});
        QVERIFY(entorno.preguntas.isEmpty());
        for (const char* nombre : {"9-1.turmado", "notas.txt", "abc-1.turmado", "a\x1b[31m.txt"})
            QVERIFY2(QFileInfo::exists(dir + "/" + nombre), nombre);

        principal.reset();
        NuevoPrincipal();
        principal->IniciarRecuperacion();
        QCOMPARE(entorno.mensajes.size(), 1);

        std::ofstream((dir + "/otra.txt").toStdString()) << "x";
        principal.reset();
        NuevoPrincipal();
        principal->IniciarRecuperacion();
        QCOMPARE(entorno.mensajes.size(), 2);
        QCOMPARE(entorno.mensajes[1], inicio + "«otra.txt»" + fin);
    }

    // The names of such entries are shown as a terminal would get them from
    // turmado-calc: a character that reorders the text or bytes that are not
    // UTF-8 escaped, a long name cut.
    void NombresAjenosEscapadosYCortados() {
        const QString dir = recuperacion->filePath("recuperacion");
        QDir().mkpath(dir);
        const std::string largo(200, 'n');
        for (const std::string& nombre : {std::string("a\u202Eb.txt"), std::string("c\xff.txt"), largo})
            std::ofstream(std::filesystem::path(dir.toStdString()) / nombre) << "x";
        principal->IniciarRecuperacion();
        QCOMPARE(entorno.mensajes.size(), 1);
        for (const QString& visto : {QString("«a\\u202eb.txt»"), QString("«c\\xff.txt»"),
                                     "«" + QString::fromStdString(largo.substr(0, 60)) + "…»"})
            QVERIFY2(entorno.mensajes[0].contains(visto), qPrintable(entorno.mensajes[0]));
    }
};

QTEST_MAIN(PruebaCambios)
#include "test_cambios.moc"
