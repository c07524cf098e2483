// "Datos Complementarios": rows of each code, the formula panel and its
// activation, the field checks, the pickers, the highlight and the range
// buttons, and "Calcular" from the page.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "compute/untCalcular.h"
#include "comun/untGrupoRadio.h"
#include "entorno.h"
#include "pickers/untHiGrup.h"
#include "pickers/untPaginaComplementaria.h"
#include "problem/untActivacion.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "resultados.h"
#include "results/untPaginaResultados.h"
#include "results/untPanelFormulas.h"

namespace {

const QString kInvalido = "El valor ingresado no es válido.";
const QString kSinRangos = "Rangos de calibración/validación no disponibles.";

// The wizard's answers that lead to each final code, and the structure
// texts that decide its protection.
struct TRuta {
    int codigo;
    int feno, obst;
    const char* textos;
    int chorro;  // -1: no jet question
};
constexpr TRuta kRutas[] = {
    {22, 1, 1, "", -1},     {31, 2, 0, "", -1},      {111, 0, 0, "", -1},
    {121, 0, 1, "", -1},    {122, 0, 1, "EstrLongPlat=4", -1},
    {211, 1, 0, "", -1},    {212, 1, 0, "EstrLongPlat=0.5", -1},
    {1121, 0, 0, "EstrLongPlat=4", 1}, {1122, 0, 0, "EstrLongPlat=4", 0},
};

}  // namespace

class PruebaComplementaria : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TfrmProbTipo> v;

    TDatosProblema& D() { return v->Datos(); }

    TPaginaComplementaria& P() { return *v->tbshNivel3; }
    TPanelFormActi& Panel() { return *P().pnlFormActi; }
    QLineEdit* E(const char* nombre) { return v->Campo(nombre); }
    QLabel* Etiqueta(const char* campo) { return P().Fila(campo).etiqueta; }

    void Responder(TGrupoRadio* grupo, QPushButton* boton, int item) {
        grupo->Item(item)->click();
        boton->click();
    }
    void PonerTextos(const QString& textos) {
        for (const QString& par : textos.split(';', Qt::SkipEmptyParts)) {
            const QStringList p = par.split('=');
            v->Campo(p[0].toStdString())->setText(p.value(1));
        }
    }
    // Through the wizard and the structure page to the code's page.
    void IrA(int codigo) {
        const TRuta* r = std::find_if(std::begin(kRutas), std::end(kRutas),
                                      [&](const TRuta& x) { return x.codigo == codigo; });
        if (r == std::end(kRutas)) QFAIL("no road to the code");
        v->tbshNivel0->btnN0->click();
        Responder(v->rg0, v->btnContAfue01, r->feno);
        v->tbshNivel1->btnN1->click();
        TGrupoRadio* obstaculo = D().CodiProb == 1 ? v->rg00 : D().CodiProb == 2 ? v->rg01 : v->rg02;
        Responder(obstaculo, v->btnContAfue12, r->obst);
        PonerTextos(r->textos);
        v->tbshNivel2->btnN2->click();
        if (r->chorro >= 0) Responder(v->rg000, v->btnContAfue23, r->chorro);
        QCOMPARE(D().CodiProb, codigo);
        entorno.mensajes.clear();  // the protection message of the road
    }

    // The panel as drawn: per slot '-' hidden, 'A' bold, 'i' plain.
    QString Dibujo() {
        QString s;
        for (int k = 0; k < 4; ++k)
            s += Panel().btn[k]->isHidden() ? '-' : Panel().lbl[k]->font().bold() ? 'A' : 'i';
        return s;
    }

    void Escribir(QLineEdit* e, const QString& texto) {
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        if (texto.isEmpty())
            QTest::keyClick(e, Qt::Key_Backspace);
        else
            QTest::keyClicks(e, texto);
    }
    void Salir() { v->pgReplanteo->findChild<QTabBar*>()->setFocus(Qt::MouseFocusReason); }

    QString Pestanas() {
        QString s;
        for (int p = 0; p < TfrmProbTipo::kPaginas; ++p) s += v->pgReplanteo->isTabVisible(p) ? '1' : '0';
        return s;
    }
    void MostrarResultados() {
        for (int k = 1; k <= 4; ++k) v->Grafico().Serie(k).puntos = {{0, 0}, {1, 0.5}};
        v->RefrescarGrafico();
        v->pgReplanteo->setTabVisible(TfrmProbTipo::kResultados, true);
        v->pgReplanteo->setTabVisible(TfrmProbTipo::kGrafico, true);
    }
    int Puntos() {
        int n = 0;
        for (const TSerie& s : v->Grafico().series) n += int(s.puntos.size());
        return n;
    }

    // Announces the picker of a field and presses its button: `elegir`
    // works the dialog and closes it.
    void Elegir(const char* campo, std::function<void(QDialog*)> elegir) {
        QString clase;
        entorno.EsperarModal([&](QWidget* w) {
            clase = w->objectName();
            elegir(qobject_cast<QDialog*>(w));
        });
        P().Selector(campo)->click();
        QVERIFY2(!entorno.ModalPendiente(), "the picker did not open");
    }
    static void Pulsar(QDialog* d, const char* boton) { d->findChild<QAbstractButton*>(boton)->click(); }
    static std::function<void(QDialog*)> Fila(const char* item) {
        return [item](QDialog* d) {
            d->findChild<QRadioButton*>(item)->click();
            Pulsar(d, "bbtnOk");
        };
    }

    bool Rojo(const char* campo) { return Etiqueta(campo)->palette().color(QPalette::WindowText) == QColor(Qt::red); }

private slots:
    void init() {
        entorno.Iniciar();
        v = std::make_unique<TfrmProbTipo>();
        v->show();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
    }
    void cleanup() {
        v.reset();
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
    }

    // ---- Rows and panel of each code, with the default texts.

    void FilasYPanel_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QStringList>("campos");      // in row order
        QTest::addColumn<QStringList>("categorias");  // category labels shown
        QTest::addColumn<QStringList>("titulos");     // captions of the shown slots
        QTest::addColumn<QString>("dibujo");
        QTest::newRow("22") << 22
                            << QStringList{"SediDiam84N3", "SediAnguRepo", "EstrFactFormKs", "EstrFactGrup",
                                           "EstrAnguAtaq"}
                            << QStringList{"lblNiv3Sedi", "lblNiv3Estr"}
                            << QStringList{"Breusers", "CSU", "Johnson", "Longitud de falla crítica"} << "iiii";
        QTest::newRow("31") << 31 << QStringList{"SediDiam90N3"} << QStringList{"lblNiv3Sedi"}
                            << QStringList{"Rajaratnam y Berry", "Ruff", "Breusers", "Hoffmans"} << "AAAA";
        QTest::newRow("111") << 111 << QStringList{"CaucPoro", "EstrCoefMannPlat"}
                             << QStringList{"lblNiv3Cauc", "lblNiv3Estr"} << QStringList{"Dietz"} << "A---";
        QTest::newRow("121") << 121 << QStringList{"CaucPoro", "EstrCoefMannPlat"}
                             << QStringList{"lblNiv3Cauc", "lblNiv3Estr"} << QStringList{"Dietz"} << "A---";
        QTest::newRow("122") << 122 << QStringList{"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest"}
                             << QStringList{"lblNiv3Sedi", "lblNiv3Fluj"}
                             << QStringList{"Qayoum", "Altinbilek y Basmaci", "Breusers", "Hoffmans"} << "AiAA";
        QTest::newRow("211") << 211 << QStringList{} << QStringList{} << QStringList{"Dietz"} << "i---";
        QTest::newRow("212") << 212
                             << QStringList{"EstrFactCurv", "EstrFactFormKs", "EstrFactAngu", "EstrFactPoro",
                                            "EstrFactFormKb", "EstrFactFormKl"}
                             << QStringList{"lblNiv3Estr"} << QStringList{"Ahmad", "Liu", "Dietz", "Breusers"}
                             << "iiAi";
        QTest::newRow("1121") << 1121
                              << QStringList{"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest",
                                             "FlujAnguChorSupeLibr"}
                              << QStringList{"lblNiv3Sedi", "lblNiv3Fluj"} << QStringList{"Bornmann y Julien"}
                              << "i---";
        QTest::newRow("1122") << 1122
                              << QStringList{"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest",
                                             "FlujAnguChorSupeLibr"}
                              << QStringList{"lblNiv3Sedi", "lblNiv3Fluj"}
                              << QStringList{"Bornmann y Julien", "Fahlbusch"} << "iA--";
    }
    void FilasYPanel() {
        QFETCH(int, codigo);
        QFETCH(QStringList, campos);
        QFETCH(QStringList, categorias);
        QFETCH(QStringList, titulos);
        QFETCH(QString, dibujo);
        IrA(codigo);
        for (const char* c : {"lblNiv3Cate", "lblNiv3Para", "lblNiv3Valo", "lblNiv3Unid"})
            QVERIFY(!P().findChild<QLabel*>(c)->isHidden());
        QVERIFY(!P().btnN3->isHidden());
        for (QLabel* l : {P().lblNiv3Cauc, P().lblNiv3Estr, P().lblNiv3Sedi, P().lblNiv3Fluj})
            QCOMPARE(!l->isHidden(), categorias.contains(l->objectName()));
        for (const TCampo& campo : Campos()) {
            if (campo.pagina != 3) continue;
            const QString nombre = QString::fromUtf8(campo.nombre.data(), qsizetype(campo.nombre.size()));
            const TFilaCampo& f = P().Fila(campo.nombre);
            const bool fila = campos.contains(nombre);
            QCOMPARE(!f.edit->isHidden(), fila);
            QCOMPARE(!f.etiqueta->isHidden(), fila);
            QCOMPARE(!f.unidad->isHidden(), fila);
            if (QPushButton* b = P().Selector(campo.nombre)) QCOMPARE(!b->isHidden(), fila);
        }
        QCOMPARE(Panel().isHidden(), false);
        QCOMPARE(Panel().lbl0->text(), QString("Fórmulas activas"));
        for (int k = 0; k < titulos.size(); ++k) QCOMPARE(Panel().lbl[k]->text(), titulos[k]);
        for (int k = int(titulos.size()); k < 4; ++k) QCOMPARE(Panel().lbl[k]->text(), QString("inactivo"));
        QCOMPARE(Dibujo(), dibujo);
        for (int k = 0; k < 4; ++k) QCOMPARE(Panel().bbtnRango[k]->isHidden(), Panel().btn[k]->isHidden());
        // The panel reaches the last shown entry, plus 32 pixels.
        QCOMPARE(Panel().height(), Panel().btn[titulos.size() - 1]->y() + 32);
        QVERIFY(entorno.errores.isEmpty());
    }

    // Rows placed by row and group: labels at 40 + 24 (row - 1) + 8 (group
    // - 1), edits and picker buttons 4 pixels higher.
    void PosicionesDelCodigo22() {
        IrA(22);
        QCOMPARE(P().lblNiv3Sedi->y(), 40);
        QCOMPARE(Etiqueta("SediDiam84N3")->y(), 40);
        QCOMPARE(E("SediDiam84N3")->y(), 36);
        QCOMPARE(P().Selector("SediAnguRepo")->y(), 60);
        QCOMPARE(P().lblNiv3Estr->y(), 96);
        QCOMPARE(Etiqueta("EstrFactFormKs")->y(), 96);
        QCOMPARE(P().Selector("EstrFactGrup")->y(), 36 + 24 * 3 + 8);
        QCOMPARE(Etiqueta("EstrAnguAtaq")->y(), 40 + 24 * 4 + 8);
        // Every control lies within the page.
        for (QWidget* w : P().findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isHidden()) QVERIFY2(P().rect().contains(w->geometry()), qPrintable(w->objectName()));
    }

    // The tab key follows the rows of the code, not the order in which the
    // fields were made.
    void TabuladorSigueLasFilas() {
        IrA(212);
        // The next control the tab key reaches.
        auto Siguiente = [](QWidget* w) {
            do w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(w->window()));
            return w;
        };
        QCOMPARE(Siguiente(E("EstrFactCurv")), P().Selector("EstrFactCurv"));
        QCOMPARE(Siguiente(P().Selector("EstrFactCurv")), E("EstrFactFormKs"));
        QCOMPARE(Siguiente(P().Selector("EstrFactFormKl")), P().btnN3);
    }

    // ---- Activation at every keystroke.

    void TeclasCambianNegrita() {
        IrA(22);
        Escribir(E("EstrFactFormKs"), "1");
        QCOMPARE(Dibujo(), QString("iiii"));  // the group factor is still empty
        Escribir(E("EstrFactGrup"), "1");
        QCOMPARE(Dibujo(), QString("AAAi"));
        QTest::keyClick(E("EstrFactGrup"), Qt::Key_Backspace);
        QCOMPARE(Dibujo(), QString("iiii"));
        QTest::keyClick(E("EstrFactGrup"), Qt::Key_2);
        QCOMPARE(Dibujo(), QString("AAAi"));
        E("SediDiam84N3")->setText("");  // a change by program counts too
        QCOMPARE(Dibujo(), QString("AAii"));
        Escribir(E("SediAnguRepo"), "3");
        QCOMPARE(Dibujo(), QString("AAiA"));
        // The model is the state; the bold font only shows it.
        QVERIFY(v->Panel().Activa(1) && v->Panel().Activa(4) && !v->Panel().Activa(3));
        QVERIFY(entorno.mensajes.isEmpty());
    }

    void ReglaDeOtroCodigo() {
        IrA(212);
        QCOMPARE(Dibujo(), QString("iiAi"));
        // The angle of attack applies the pier's rule whatever the code:
        // with the factors of the pier empty every slot goes plain.
        E("EstrAnguAtaq")->setText("5");
        QCOMPARE(Dibujo(), QString("iiii"));
        // The shared angle of repose applies nothing on code 212.
        E("EstrFactFormKs")->setText("1");
        E("EstrFactFormKl")->setText("1");
        QCOMPARE(Dibujo(), QString("iAAi"));
        E("SediAnguRepo")->setText("30");
        QCOMPARE(Dibujo(), QString("iAAi"));
        // A new visit starts from the fields as they stand.
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kEstructura);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kComplementaria);
        QCOMPARE(Dibujo(), QString("iAAi"));
    }

    // The results page may rename a slot in the model; the panel shows the
    // model when it is shown again.
    void PanelSeRedibujaDelModelo() {
        IrA(111);
        v->Panel().Ranura(1).titulo = "Otro";
        v->Panel().Ranura(1).activa = false;
        Panel().hide();
        Panel().show();
        QCOMPARE(Panel().lbl[0]->text(), QString("Otro"));
        QCOMPARE(Dibujo(), QString("i---"));
    }

    // ---- Field checks on leaving.

    void Validacion_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aceptado");
        auto fila = [](const char* nombre, int codigo, const char* campo, const char* texto, bool aceptado) {
            QTest::newRow(nombre) << codigo << QString(campo) << QString(texto) << aceptado;
        };
        fila("Ks 5", 22, "EstrFactFormKs", "5", true);
        fila("Ks 5.01", 22, "EstrFactFormKs", "5.01", false);
        fila("Ks 0", 22, "EstrFactFormKs", "0", false);
        fila("Ks 1,5", 22, "EstrFactFormKs", "1,5", false);
        fila("Ks vacío", 22, "EstrFactFormKs", "", true);
        fila("grupo 0", 22, "EstrFactGrup", "0", false);
        fila("poro 5.01", 212, "EstrFactPoro", "5.01", false);
        fila("Kl 5", 212, "EstrFactFormKl", "5", true);
        fila("reposo 0", 22, "SediAnguRepo", "0", true);
        fila("reposo 90", 22, "SediAnguRepo", "90", true);
        fila("reposo 90.5", 22, "SediAnguRepo", "90.5", false);
        fila("reposo vacío", 22, "SediAnguRepo", "", true);
        fila("reposo -1", 22, "SediAnguRepo", "-1", false);
        fila("ataque 0", 22, "EstrAnguAtaq", "0", true);
        fila("ataque 90", 22, "EstrAnguAtaq", "90", true);
        fila("ataque 90.5", 22, "EstrAnguAtaq", "90.5", false);
        fila("ataque vacío", 22, "EstrAnguAtaq", "", false);
        fila("d84 vacío", 22, "SediDiam84N3", "", false);
        fila("d84 0", 22, "SediDiam84N3", "0", false);
        fila("chorro 0", 1122, "FlujAnguChorSupeLibr", "0", true);
        fila("chorro 90.5", 1122, "FlujAnguChorSupeLibr", "90.5", false);
        fila("carga 0", 1122, "FlujDifeCargRest", "0", false);
        fila("carga vacía", 1122, "FlujDifeCargRest", "", false);
        fila("d90 texto", 1122, "SediDiam90N3", "grava", true);
        fila("d90 vacío", 1122, "SediDiam90N3", "", true);
        fila("porosidad vacía", 111, "CaucPoro", "", true);
        fila("porosidad 1.01", 111, "CaucPoro", "1.01", false);
        fila("Manning vacío", 121, "EstrCoefMannPlat", "", false);
        fila("Manning 1", 121, "EstrCoefMannPlat", "1", true);
    }
    void Validacion() {
        QFETCH(int, codigo);
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(bool, aceptado);
        IrA(codigo);
        QLineEdit* e = E(campo.toUtf8().constData());
        Escribir(e, texto);
        Salir();
        if (aceptado) {
            QVERIFY(entorno.mensajes.isEmpty());
            QCOMPARE(e->text(), texto);
            QVERIFY(!e->hasFocus());
        } else {
            // A comma also says that the point is the decimal separator.
            QCOMPARE(entorno.mensajes,
                     QStringList{texto.contains(',') ? kInvalido + QString(kPistaSeparador) : kInvalido});
            QCOMPARE(e->text(), QString());
            QVERIFY(e->hasFocus());
        }
        QVERIFY(entorno.errores.isEmpty());
    }

    // Rejecting a factor empties it, and so makes its formulas inactive.
    void RechazoDesactivaFormulas() {
        IrA(22);
        Escribir(E("EstrFactFormKs"), "1");
        Escribir(E("EstrFactGrup"), "9");
        QCOMPARE(Dibujo(), QString("AAAi"));
        Salir();
        QCOMPARE(entorno.mensajes, QStringList{kInvalido});
        QCOMPARE(Dibujo(), QString("iiii"));
    }

    // What an accepted value invalidates on this page.
    void InvalidaResultados() {
        IrA(22);
        MostrarResultados();
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kComplementaria);
        Escribir(E("SediDiam84N3"), "200");  // unchanged
        Salir();
        QCOMPARE(Pestanas(), QString("111111"));
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kComplementaria));
        QCOMPARE(Puntos(), 0);
        MostrarResultados();
        Escribir(E("SediDiam84N3"), "150");
        Salir();
        QCOMPARE(Pestanas(), QString("111100"));
        MostrarResultados();
        Escribir(E("EstrAnguAtaq"), "0");  // 0 left as 0: unchanged, the tabs stay
        Salir();
        QCOMPARE(Pestanas(), QString("111111"));
        QCOMPARE(Puntos(), 0);
        MostrarResultados();
        Escribir(E("EstrAnguAtaq"), "30");  // changed from 0: the old results go
        Salir();
        QCOMPARE(Pestanas(), QString("111100"));
    }

    // ---- Pickers.

    void SelectoresLlenanElCampo() {
        IrA(22);
        Elegir("EstrFactFormKs", Fila("rgCIFOksItem1"));
        QCOMPARE(E("EstrFactFormKs")->text(), QString("0.7"));
        QCOMPARE(Dibujo(), QString("iiii"));
        Elegir("EstrFactGrup", [](QDialog* d) {
            QCOMPARE(d->objectName(), QString("frmHiGrup"));
            d->findChild<QRadioButton*>("rb12")->click();
            Pulsar(d, "bbtnOk");
        });
        QCOMPARE(E("EstrFactGrup")->text(), QString("0.80"));
        QCOMPARE(Dibujo(), QString("AAAi"));
        Elegir("SediAnguRepo", Fila("rgAnguRepoItem6"));
        QCOMPARE(E("SediAnguRepo")->text(), QString("32"));
        QCOMPARE(Dibujo(), QString("AAAA"));
        QVERIFY(entorno.mensajes.isEmpty());

        // OK with nothing chosen empties the field, which is accepted.
        Elegir("SediAnguRepo", [](QDialog* d) { Pulsar(d, "bbtnOk"); });
        QCOMPARE(E("SediAnguRepo")->text(), QString());
        QCOMPARE(Dibujo(), QString("AAAi"));
        // Cancel and the close box change nothing.
        Elegir("EstrFactFormKs", [](QDialog* d) {
            d->findChild<QRadioButton*>("rgCIFOksItem9")->click();
            Pulsar(d, "bbtnCanc");
        });
        Elegir("EstrFactGrup", [](QDialog* d) {
            d->findChild<QRadioButton*>("rb1")->click();
            d->close();
        });
        QCOMPARE(E("EstrFactFormKs")->text(), QString("0.7"));
        QCOMPARE(E("EstrFactGrup")->text(), QString("0.80"));
        QVERIFY(entorno.mensajes.isEmpty());
        QVERIFY(entorno.errores.isEmpty());
    }

    void SelectoresDelEstribo() {
        IrA(212);
        Elegir("EstrFactCurv", Fila("rgAhmaCICCItem3"));
        Elegir("EstrFactFormKs", Fila("rgCIFOksEstriboItem1"));  // wing walls
        Elegir("EstrFactAngu", Fila("rgAhmaCIAAItem3"));
        QCOMPARE(Dibujo(), QString("iiAi"));
        Elegir("EstrFactPoro", Fila("rgAhmaCIPOItem2"));
        QCOMPARE(Dibujo(), QString("AiAi"));
        Elegir("EstrFactFormKb", Fila("rgCIFOkbItem4"));
        Elegir("EstrFactFormKl", Fila("rgCIFOklItem1"));
        QCOMPARE(Dibujo(), QString("AAAA"));
        const QStringList esperados{"1.40", "0.75", "1", "0.6", "3", "2.15"};
        const char* campos[] = {"EstrFactCurv", "EstrFactFormKs", "EstrFactAngu",
                                "EstrFactPoro", "EstrFactFormKb", "EstrFactFormKl"};
        for (int i = 0; i < 6; ++i) QCOMPARE(E(campos[i])->text(), esperados[i]);
    }

    // The three rows "Factor de forma" of the abutment each name their
    // factor in the caption and the tooltips; the abutment's Ks picker offers
    // abutment shapes, not the pier's sections.
    void FactoresDeFormaNombrados() {
        IrA(212);
        struct Caso { const char* campo; QString etiqueta; QString ayuda; QString titulo; };
        const Caso casos[] = {
            {"EstrFactFormKs", "Factor de forma (Ks)", "Ks: factor de forma de la estructura",
             "Corrección por forma del estribo"},
            {"EstrFactFormKb", "Factor de forma (Kb)", "Kb: factor de forma de la fórmula de Breusers",
             "Corrección por forma"},
            {"EstrFactFormKl", "Factor de forma (Kl)", "Kl: factor de forma de la fórmula de Liu",
             "Corrección por forma"},
        };
        for (const Caso& c : casos) {
            QVERIFY(Etiqueta(c.campo)->isVisible());
            QCOMPARE(Etiqueta(c.campo)->text(), c.etiqueta);
            QCOMPARE(Etiqueta(c.campo)->toolTip(), c.ayuda);
            QCOMPARE(E(c.campo)->toolTip(), c.ayuda);
            QCOMPARE(P().Selector(c.campo)->toolTip(), "Elegir de una tabla (" + c.ayuda + ")");
            QString titulo;
            Elegir(c.campo, [&](QDialog* d) {
                titulo = d->windowTitle();
                Pulsar(d, "bbtnCanc");
            });
            QCOMPARE(titulo, c.titulo);
        }
        // Fields whose caption says it all carry no tooltip.
        QVERIFY(Etiqueta("EstrFactCurv")->toolTip().isEmpty());
        QCOMPARE(P().Selector("EstrFactCurv")->toolTip(), QString("Elegir de una tabla"));
    }

    // After a picker the exit compares the new value with the field's own
    // value before the picker, not with the field entered last.
    void SelectorComparaConSuPropioValor() {
        IrA(22);
        PonerTextos("EstrFactFormKs=0.7;EstrFactGrup=1.0");
        MostrarResultados();
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kComplementaria);
        E("EstrFactGrup")->setFocus(Qt::MouseFocusReason);  // saved value 1.0
        QCOMPARE(D().ValoEntr, 1.0);
        Elegir("EstrFactFormKs", Fila("rgCIFOksItem2"));  // 0.7 -> 1.0
        QCOMPARE(E("EstrFactFormKs")->text(), QString("1.0"));
        QCOMPARE(Pestanas(), QString("111100"));  // the old results are gone
        QCOMPARE(Puntos(), 0);
        QCOMPARE(D().ValoEntr, 1.0);  // still the group factor's
        // The same value again keeps the results, but clears the chart.
        MostrarResultados();
        Elegir("EstrFactFormKs", Fila("rgCIFOksItem2"));
        QCOMPARE(Pestanas(), QString("111111"));
        QCOMPARE(Puntos(), 0);
    }

    // ---- Highlight of the fields a formula needs.

    void Resaltado() {
        IrA(22);
        const char* todos[] = {"SediDiam84N3", "SediAnguRepo", "EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"};
        QVERIFY(!P().Timer->isActive());
        QCOMPARE(P().Timer->interval(), 1000);
        QTest::mouseClick(Panel().lbl[2], Qt::LeftButton);  // the label clicks its button
        for (const char* c : todos) QCOMPARE(Rojo(c), std::string_view(c) != "SediAnguRepo");
        QVERIFY(P().Timer->isActive());
        const int resta = P().Timer->remainingTime();
        Panel().btn[3]->click();  // a second click does not restart the timer
        QVERIFY(Rojo("SediAnguRepo"));
        QVERIFY(P().Timer->remainingTime() <= resta);
        QCOMPARE(Dibujo(), QString("iiii"));  // clicking changes no state
        QTRY_VERIFY_WITH_TIMEOUT(!P().Timer->isActive(), 5000);
        for (const char* c : todos) QVERIFY2(!Rojo(c), c);
        QCOMPARE(Etiqueta("EstrFactGrup")->palette().color(QPalette::WindowText),
                 QGuiApplication::palette().color(QPalette::WindowText));
    }

    void ResaltadoPorCodigo_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<int>("ranura");
        QTest::addColumn<QStringList>("rojos");
        QTest::newRow("122 ranura 4") << 122 << 4 << QStringList{"SediDiam90N3", "SediAnguRepo"};
        QTest::newRow("122 ranura 3") << 122 << 3 << QStringList{};
        QTest::newRow("1122 ranura 2") << 1122 << 2
                                       << QStringList{"SediDiam90N3", "FlujDifeCargRest", "FlujAnguChorSupeLibr"};
        QTest::newRow("212 ranura 2") << 212 << 2 << QStringList{"EstrFactFormKl"};
        QTest::newRow("111 ranura 1") << 111 << 1 << QStringList{"CaucPoro", "EstrCoefMannPlat"};
    }
    void ResaltadoPorCodigo() {
        QFETCH(int, codigo);
        QFETCH(int, ranura);
        QFETCH(QStringList, rojos);
        IrA(codigo);
        Panel().btn[ranura - 1]->click();
        QVERIFY(P().Timer->isActive());  // even when nothing is coloured
        for (const TCampo& campo : Campos()) {
            if (campo.pagina != 3) continue;
            const std::string nombre(campo.nombre);
            QCOMPARE(Rojo(nombre.c_str()), rojos.contains(QString::fromStdString(nombre)));
        }
        P().TimerTimer();
        QVERIFY(!P().Timer->isActive());
        QVERIFY(!Rojo("SediDiam90N3") && !Rojo("CaucPoro"));
    }

    // ---- Range buttons.

    void RangosNoDisponibles() {
        IrA(211);
        QCOMPARE(Dibujo(), QString("i---"));
        Panel().bbtnRango[0]->click();
        QCOMPARE(entorno.mensajes, QStringList{kSinRangos});
    }

    void VentanaDeRangos() {
        IrA(1122);
        QString abierta;
        entorno.EsperarModal([&](QWidget* w) {
            abierta = w->objectName() + " " + w->windowTitle();
            qobject_cast<QDialog*>(w)->findChild<QAbstractButton*>("bbtnOk")->click();
        });
        Panel().bbtnRango[1]->click();
        QCOMPARE(abierta, QString("frmRangPCZFahl Fórmula de Fahlbusch"));
        QVERIFY(entorno.mensajes.isEmpty());
    }

    // ---- "Calcular" from the page.

    // A pier with Ks and the group factor picked and an angle of repose:
    // every formula and the failure lengths, as the core computes them
    // from the same texts.
    void CalcularPila() {
        IrA(22);
        Elegir("EstrFactFormKs", Fila("rgCIFOksItem2"));
        Elegir("EstrFactGrup", Fila("rb2"));
        Elegir("SediAnguRepo", Fila("rgAnguRepoItem4"));
        QCOMPARE(Dibujo(), QString("AAAA"));
        TDatosProblema antes = D();
        const TTextosCampos textos = v->Textos();
        P().btnN3->click();
        QVERIFY(entorno.errores.isEmpty());
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));

        TPanelFormulas panel;
        MostrarComplementarios(22, textos, panel);
        TGrafico grafico;
        Calcular(antes, textos, true, panel, grafico);
        const std::vector<TFila> filas = FilasResultados(22, antes, panel);
        const std::vector<TFilaVista> vistas = FilasVistas(*v->tbshProblema);
        QCOMPARE(int(vistas.size()), int(filas.size()));
        int valores = 0;
        for (int i = 0; i < int(vistas.size()); ++i) {
            QCOMPARE(vistas[i].etiqueta, QString::fromStdString(filas[i].etiqueta));
            QCOMPARE(vistas[i].valor, QString::fromStdString(filas[i].valor));
            QVERIFY(vistas[i].valor != "inactivo");
            valores += QString::fromStdString(filas[i].etiqueta).startsWith("Erosión máxima") ||
                       QString::fromStdString(filas[i].etiqueta).startsWith("Longitud de falla");
        }
        QCOMPARE(valores, 6);  // three depths, three failure lengths
    }

    // d90 accepts any text; "Calcular" then stops with a clear message.
    void CalcularConD90NoNumerico() {
        IrA(31);
        Escribir(E("SediDiam90N3"), "grava");
        Salir();
        QVERIFY(entorno.mensajes.isEmpty());
        QCOMPARE(Dibujo(), QString("AAAA"));
        P().btnN3->click();
        QCOMPARE(entorno.errores, QStringList{"'grava' no es un valor numérico válido."});
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kComplementaria));
    }
};

QTEST_MAIN(PruebaComplementaria)
#include "test_complementaria.moc"
