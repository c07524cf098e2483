// The calculation window: the wizard, the data pages with their field
// checks, the structure page with its protection checks, and the clearing
// of the chart.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "comun/untGrupoRadio.h"
#include "entorno.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "resultados.h"
#include "results/untPaginaGrafico.h"
#include "results/untPaginaResultados.h"

namespace {

const QString kInvalido = "El valor ingresado no es válido.";
const QString kSedimento = "Solo se considera sedimento no cohesivo (d50 > 62 micr)";
const QString kProteccion = "La longitud de la protección es insuficiente para que actúe.";

}  // namespace

class PruebaProbTipo : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TfrmProbTipo> v;

    TDatosProblema& D() { return v->Datos(); }

    QLineEdit* E(const char* nombre) { return v->Campo(nombre); }

    // Visible tabs as a string of 0 and 1, page 0 first.
    QString Pestanas() {
        QString s;
        for (int p = 0; p < TfrmProbTipo::kPaginas; ++p) s += v->pgReplanteo->isTabVisible(p) ? '1' : '0';
        return s;
    }
    int Actual() { return v->pgReplanteo->currentIndex(); }

    void Responder(TGrupoRadio* grupo, QPushButton* boton, int item) {
        grupo->Item(item)->click();
        boton->click();
    }
    TGrupoRadio* GrupoObstaculo() {
        return D().CodiProb == 1 ? v->rg00 : D().CodiProb == 2 ? v->rg01 : v->rg02;
    }
    // Phenomenon and obstacle: lands on "Datos de Estructura".
    void Clasificar(int feno, int obst) {
        v->tbshNivel0->btnN0->click();
        Responder(v->rg0, v->btnContAfue01, feno);
        v->tbshNivel1->btnN1->click();
        Responder(GrupoObstaculo(), v->btnContAfue12, obst);
    }
    // Texts "Campo=texto;Campo=texto" put into the fields.
    void PonerTextos(const QString& textos) {
        for (const QString& par : textos.split(';', Qt::SkipEmptyParts)) {
            const QStringList p = par.split('=');
            v->Campo(p[0].toStdString())->setText(p.value(1));
        }
    }

    // A user's typing: enter the field, replace its text.
    void Escribir(QLineEdit* e, const QString& texto) {
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        if (texto.isEmpty())
            QTest::keyClick(e, Qt::Key_Backspace);
        else
            QTest::keyClicks(e, texto);
    }
    // Leave the focused field for another control of the window.
    void Salir() { v->pgReplanteo->findChild<QTabBar*>()->setFocus(Qt::MouseFocusReason); }

    // Curves in the chart model, shown, and the results and chart tabs visible.
    void LlenarGrafico() {
        for (int k = 1; k <= 4; ++k) v->Grafico().Serie(k).puntos = {{0, 0}, {1, 0.5}, {2, 0.6}};
        v->RefrescarGrafico();
        v->pgReplanteo->setTabVisible(TfrmProbTipo::kResultados, true);
        v->pgReplanteo->setTabVisible(TfrmProbTipo::kGrafico, true);
    }
    int PuntosGrafico() {
        int n = 0;
        for (const QCPGraph* s : v->tbshGrafico->series) n += s->dataCount();
        for (const TSerie& s : v->Grafico().series) n += int(s.puntos.size());
        return n;
    }

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

    // A floating-point fault in "Calcular": in the common steps the results
    // tab stays hidden; in the calculator itself the tab appears (with what
    // was computed before the fault); the window stays on the complementary
    // page either way.
    void FallaAlCalcular_data() {
        QTest::addColumn<QString>("textos");
        QTest::addColumn<bool>("pestana");
        QTest::newRow("en la pila") << "EstrAnchPila=1e150;EstrFactFormKs=1;EstrFactGrup=1" << true;
        QTest::newRow("en los pasos comunes") << "FlujCaud=1e300;EstrFactFormKs=1;EstrFactGrup=1" << false;
    }
    void FallaAlCalcular() {
        QFETCH(QString, textos);
        QFETCH(bool, pestana);
        ClasificarYCalcular(*v, 1, 1, textos);
        QCOMPARE(entorno.errores.size(), 1);
        QCOMPARE(v->pgReplanteo->isTabVisible(TfrmProbTipo::kResultados), pestana);
        QCOMPARE(Actual(), int(TfrmProbTipo::kComplementaria));
    }

    // ---- Creation.

    void Creacion() {
        // The window's own record starts zero-filled.
        QCOMPARE(D().CodiProb, 0);
        QCOMPARE(D().ElecFeno, 0);
        QCOMPARE(D().ElecObst, 0);
        QCOMPARE(D().ElecChor, 0);
        QCOMPARE(D().ProtEfec, 0);
        QCOMPARE(D().PPi.OutpErosMaxi1, 0.0);
        QCOMPARE(v->windowTitle(), QString("Cálculo para problema específico[*]"));  // shown without the marker
        QVERIFY(!v->isWindowModified());
        QStringList titulos;
        for (int p = 0; p < TfrmProbTipo::kPaginas; ++p) titulos << v->pgReplanteo->tabText(p);
        QCOMPARE(titulos, QStringList({"Datos Globales", "Datos Locales", "Datos de Estructura",
                                       "Datos Complementarios", "Resultados", "Grafico"}));
        QCOMPARE(Pestanas(), QString("100000"));
        QCOMPARE(Actual(), 0);
        for (TGrupoRadio* g : {v->rg0, v->rg00, v->rg01, v->rg02, v->rg000}) {
            QVERIFY(g->isHidden());
            QCOMPARE(g->ItemIndex(), -1);
        }
        TPaginaGlobal& g = *v->tbshNivel0;
        QVERIFY(g.rbCaucCoefMannCauc->isChecked());
        QVERIFY(g.edtCaucCoefMannCauc->isEnabled() && g.lblCaucCoefMannCaucUnid->isEnabled());
        QVERIFY(!g.edtAltuRugoCauc->isEnabled() && !g.lblAltuRugoCaucUnid->isEnabled());
        // Defaults and units of the global page.
        QCOMPARE(E("AguaDens")->text(), QString("1000"));
        QCOMPARE(E("ForzAcelGrav")->text(), QString("9.81"));
        QCOMPARE(E("CaucCoefMannCauc")->text(), QString("0.032"));
        QCOMPARE(E("AltuRugoCauc")->text(), QString("235"));
        QCOMPARE(v->findChild<QLabel*>("lblAguaTempUnid")->text(), QString("[°C]"));
        // Manning's n = h^(1/6) / C, with C in m^(1/2)/s, is in s/m^(1/3); a
        // porosity has no unit.
        QCOMPARE(v->findChild<QLabel*>("lblCaucCoefMannCaucUnid")->text(), QString("[s/m^(1/3)]"));
        QCOMPARE(v->findChild<QLabel*>("lblEstrCoefMannPlatUnid")->text(), QString("[s/m^(1/3)]"));
        QCOMPARE(v->findChild<QLabel*>("lblCaucPoroUnid")->text(), QString("[-]"));
        QCOMPARE(v->findChild<QLabel*>("lblSediDiamMedi")->text(), QString("Diámetro Medio (d50)"));
        QCOMPARE(g.rbAltuRugoCauc->text(), QString("Altura de rugosidad"));
    }

    // With every tab shown, none hides behind scroll arrows.
    void SeisPestanasCaben() {
        for (int p = 0; p < TfrmProbTipo::kPaginas; ++p) v->pgReplanteo->setTabVisible(p, true);
        QTabBar* barra = v->pgReplanteo->tabBar();
        QVERIFY(barra->sizeHint().width() <= v->pgReplanteo->width());
        QVERIFY(!barra->usesScrollButtons());
    }

    // ---- The road of each classification to its code.

    void Recorridos_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<int>("obst");
        QTest::addColumn<QString>("textos");
        QTest::addColumn<int>("chorro");  // -1: no jet question
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("pestanas");  // first five tabs
        QTest::addColumn<int>("pagina");
        QTest::addColumn<bool>("mensaje");
        QTest::newRow("111") << 0 << 0 << "" << -1 << 111 << "11110" << 3 << false;
        QTest::newRow("1122") << 0 << 0 << "EstrLongPlat=4" << 0 << 1122 << "11110" << 3 << true;
        QTest::newRow("1121") << 0 << 0 << "EstrLongPlat=4" << 1 << 1121 << "11110" << 3 << true;
        QTest::newRow("121") << 0 << 1 << "" << -1 << 121 << "11110" << 3 << false;
        QTest::newRow("122") << 0 << 1 << "EstrLongPlat=4" << -1 << 122 << "11110" << 3 << true;
        QTest::newRow("211") << 1 << 0 << "" << -1 << 211 << "11101" << 4 << false;
        QTest::newRow("212") << 1 << 0 << "EstrLongPlat=0.5" << -1 << 212 << "11110" << 3 << true;
        QTest::newRow("22") << 1 << 1 << "" << -1 << 22 << "11110" << 3 << false;
        QTest::newRow("31") << 2 << 0 << "" << -1 << 31 << "11110" << 3 << false;
    }
    void Recorridos() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(QString, textos);
        QFETCH(int, chorro);
        QFETCH(int, codigo);
        QFETCH(QString, pestanas);
        QFETCH(int, pagina);
        QFETCH(bool, mensaje);
        v->tbshNivel0->btnN0->click();
        Responder(v->rg0, v->btnContAfue01, feno);
        QCOMPARE(D().CodiProb, feno + 1);
        QCOMPARE(Pestanas(), QString("110000"));
        v->tbshNivel1->btnN1->click();
        Responder(GrupoObstaculo(), v->btnContAfue12, obst);
        QCOMPARE(D().CodiProb, 10 * (feno + 1) + obst + 1);
        QCOMPARE(Pestanas(), QString("111000"));
        QCOMPARE(Actual(), 2);
        PonerTextos(textos);
        v->tbshNivel2->btnN2->click();
        if (chorro >= 0) {
            QVERIFY(v->rg000->isVisibleTo(v.get()));
            QVERIFY(!v->pgReplanteo->isEnabled());
            Responder(v->rg000, v->btnContAfue23, chorro);
        }
        QVERIFY(v->pgReplanteo->isEnabled());
        QCOMPARE(D().CodiProb, codigo);
        QCOMPARE(Pestanas().left(5), pestanas);
        QCOMPARE(Actual(), pagina);
        QCOMPARE(entorno.mensajes, mensaje ? QStringList{kProteccion} : QStringList{});
        QVERIFY(entorno.errores.isEmpty());
    }

    // The protected abutment is computed at once: the results page shows
    // its title and the common rows.
    void EstriboProtegidoCalculaDirecto() {
        Clasificar(1, 0);
        v->tbshNivel2->btnN2->click();
        QCOMPARE(Actual(), int(TfrmProbTipo::kResultados));
        QCOMPARE(v->tbshProblema->lblProbTipo->text(), QString("Problema Estribo/Espigón Protegido"));
        const std::vector<TFilaVista> filas = FilasVistas(*v->tbshProblema);
        QCOMPARE(int(filas.size()), 5);
        QCOMPARE(filas[0].etiqueta, QString("Movilidad (Shields) Crítica"));
        QCOMPARE(filas[4].etiqueta, QString("Erosión máxima de equilibrio (Dietz)"));
        QCOMPARE(D().Estribo.EstrRazoCont, 0.5);  // 250 / 500, read by "Calcular"
    }

    // With the roughness option, a roughness height of 12 depths is refused
    // when "Calcular" runs: its message, nothing computed, no page opened.
    void RugosidadDeDoceTirantesRechazada() {
        QTest::mouseClick(v->tbshNivel0->rbAltuRugoCauc, Qt::LeftButton);
        PonerTextos("FlujTiraRest=0.1;AltuRugoCauc=1200");
        Clasificar(1, 0);  // protected abutment: "Continuar" computes at once
        v->tbshNivel2->btnN2->click();
        QCOMPARE(entorno.mensajes, QStringList{"La altura de rugosidad debe ser menor que 12 veces el tirante."});
        QVERIFY(entorno.errores.isEmpty());
        QCOMPARE(Pestanas(), QString("111000"));
        QCOMPARE(Actual(), 2);
        QCOMPARE(D().AguaDens, 0.0);
        QCOMPARE(D().AltuRugoCauc, 0.0);
        QCOMPARE(D().CaucCoefMannCauc, 0.0);

        // Just below 12 depths, back through the pages.
        entorno.mensajes.clear();
        v->pgReplanteo->setCurrentIndex(0);
        PonerTextos("AltuRugoCauc=1199");
        v->pgReplanteo->setCurrentIndex(2);
        v->tbshNivel2->btnN2->click();
        QVERIFY(entorno.mensajes.isEmpty() && entorno.errores.isEmpty());
        QCOMPARE(Actual(), int(TfrmProbTipo::kResultados));
        QCOMPARE(D().AltuRugoCauc, 1.199);
    }

    // ---- Wizard edge cases.

    void ContinuarSinSeleccionNoHaceNada() {
        v->tbshNivel0->btnN0->click();
        QVERIFY(!v->pgReplanteo->isEnabled());
        QVERIFY(v->rg0->isVisibleTo(v.get()) && v->btnContAfue01->isVisibleTo(v.get()));
        v->btnContAfue01->click();
        QVERIFY(!v->pgReplanteo->isEnabled());
        QVERIFY(v->rg0->isVisibleTo(v.get()) && v->btnContAfue01->isVisibleTo(v.get()));
        QCOMPARE(Pestanas(), QString("100000"));
        v->rg0->Item(0)->click();
        v->btnContAfue01->click();
        QVERIFY(v->pgReplanteo->isEnabled());
        QVERIFY(v->rg0->isHidden() && v->btnContAfue01->isHidden());
        QCOMPARE(Actual(), 1);
    }

    void RamaInactiva() {
        v->tbshNivel0->btnN0->click();
        Responder(v->rg0, v->btnContAfue01, 2);
        QCOMPARE(D().CodiProb, 3);
        D().ElecObst = 5;
        v->tbshNivel1->btnN1->click();
        QVERIFY(v->rg02->isVisibleTo(v.get()));
        QCOMPARE(v->rg02->Item(1)->text(), QString("en fondo y orilla"));
        Responder(v->rg02, v->btnContAfue12, 1);
        QCOMPARE(entorno.mensajes, QStringList{kMensajeRamaInactiva});
        // The old words first, then why and which answers lead to formulas.
        QVERIFY(entorno.mensajes[0].startsWith("Rama Inactiva. El programa no tiene fórmulas"));
        QVERIFY(entorno.mensajes[0].contains("«en el fondo»") && entorno.mensajes[0].contains("«en orilla»"));
        QCOMPARE(D().ElecObst, 5);  // nothing stored
        QVERIFY(v->rg02->isVisibleTo(v.get()) && v->btnContAfue12->isVisibleTo(v.get()));
        QVERIFY(!v->pgReplanteo->isEnabled());
        QCOMPARE(Pestanas(), QString("110000"));
        Responder(v->rg02, v->btnContAfue12, 0);
        QCOMPARE(D().ElecObst, 7);
        QCOMPARE(D().CodiProb, 31);
        QCOMPARE(Actual(), 2);
    }

    void MismaRespuestaConservaDistintaReinicia() {
        Clasificar(1, 1);  // pier
        v->tbshNivel2->btnN2->click();
        QCOMPARE(Pestanas(), QString("111100"));
        LlenarGrafico();
        QCOMPARE(Pestanas(), QString("111111"));
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        v->tbshNivel0->btnN0->click();
        QCOMPARE(v->rg0->ItemIndex(), 1);  // the group keeps its selection
        v->btnContAfue01->click();
        QCOMPARE(Pestanas(), QString("111111"));
        QCOMPARE(PuntosGrafico(), 2 * 4 * 3);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        v->tbshNivel0->btnN0->click();
        Responder(v->rg0, v->btnContAfue01, 0);
        QCOMPARE(Pestanas(), QString("110000"));
        QCOMPARE(Actual(), 1);
        QCOMPARE(PuntosGrafico(), 0);
        for (int k = 1; k <= 4; ++k) QVERIFY(!v->Grafico().Serie(k).titulo.empty());  // titles stay
    }

    void CambioDeFenomenoAbreSuGrupo() {
        Clasificar(0, 0);
        QCOMPARE(D().ElecObst, 3);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        v->tbshNivel0->btnN0->click();
        Responder(v->rg0, v->btnContAfue01, 1);
        QCOMPARE(D().ElecObst, 3);  // kept until the new group answers
        v->tbshNivel1->btnN1->click();
        QVERIFY(v->rg01->isVisibleTo(v.get()));
        QVERIFY(v->rg00->isHidden());
        Responder(v->rg01, v->btnContAfue12, 0);
        QCOMPARE(D().ElecObst, 5);
        QCOMPARE(D().CodiProb, 21);
    }

    // Each page's show recomputes the code at its own level.
    void CodigoPorPagina() {
        Clasificar(1, 1);
        v->tbshNivel2->btnN2->click();
        QCOMPARE(D().CodiProb, 22);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        QCOMPARE(D().CodiProb, 0);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kLocal);
        QCOMPARE(D().CodiProb, 2);
        QCOMPARE(Pestanas(), QString("111100"));
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kComplementaria);
        QCOMPARE(D().CodiProb, 22);
    }

    void EtiquetaDelTirante_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<QString>("etiqueta");
        QTest::newRow("vertical") << 0 << "Tirante en la restitución";
        QTest::newRow("horizontal") << 1 << "Tirante aguas arriba";
        QTest::newRow("ambos") << 2 << "Tirante en la restitución";
    }
    void EtiquetaDelTirante() {
        QFETCH(int, feno);
        QFETCH(QString, etiqueta);
        v->tbshNivel0->btnN0->click();
        Responder(v->rg0, v->btnContAfue01, feno);
        QCOMPARE(v->tbshNivel1->lblFlujTiraRest->text(), etiqueta);
        QCOMPARE(E("FlujTiraRest")->text(), QString("1.2"));
    }

    // ---- Field checks on leaving.

    void Validacion_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("codigo");  // where the field is: 0 global, 1 local, 12 structure
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");  // empty: accepted
        auto fila = [](const char* nombre, const char* campo, int codigo, const char* texto, const QString& m) {
            QTest::newRow(nombre) << QString(campo) << codigo << QString(texto) << m;
        };
        fila("blancos delante", "AguaTemp", 0, "  12.5", "");
        fila("blanco detrás", "AguaTemp", 0, "12.5 ", kInvalido);
        // The comma gets the message and the hint on the separator, only it.
        fila("coma", "AguaTemp", 0, "12,5", kInvalido + QString(kPistaSeparador));
        fila("coma en d50", "SediDiamMedi", 0, "0,5", kSedimento + QString(kPistaSeparador));
        fila("exponente", "AguaTemp", 0, "1e3", "");
        fila("punto delante", "AguaTemp", 0, ".5", "");
        fila("punto detrás", "AguaTemp", 0, "5.", "");
        fila("-273", "AguaTemp", 0, "-273", "");
        fila("-273.01", "AguaTemp", 0, "-273.01", kInvalido);
        fila("temperatura 0", "AguaTemp", 0, "0", "");
        fila("vacío", "AguaDens", 0, "", kInvalido);
        fila("densidad 0", "AguaDens", 0, "0", kInvalido);
        fila("densidad negativa", "SediDensMate", 0, "-1", kInvalido);
        fila("máximo excluido", "FlujCaud", 0, "1.7e308", kInvalido);
        fila("fuera del rango double", "FlujCaud", 0, "1e400", kInvalido);
        fila("d50 0.062", "SediDiamMedi", 0, "0.062", "");
        fila("d50 0.0619", "SediDiamMedi", 0, "0.0619", kSedimento);
        fila("d50 texto", "SediDiamMedi", 0, "arena", kSedimento);
        fila("Manning 0", "CaucCoefMannCauc", 0, "0", kInvalido);
        fila("tirante 0", "FlujTiraRest", 1, "0", kInvalido);
        fila("tirante 2", "FlujTiraRest", 1, "2", "");
        fila("protección 0", "EstrLongPlat", 12, "0", "");
        fila("protección -0.1", "EstrLongPlat", 12, "-0.1", kInvalido);
        fila("apertura 1", "EstrAltuAper", 12, "1", "");
        fila("apertura 1.01", "EstrAltuAper", 12, "1.01", kInvalido);
    }
    void Validacion() {
        QFETCH(QString, campo);
        QFETCH(int, codigo);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        if (codigo == 1) {
            v->tbshNivel0->btnN0->click();
            Responder(v->rg0, v->btnContAfue01, 0);
        } else if (codigo == 12) {
            Clasificar(0, 1);
        }
        QLineEdit* e = E(campo.toUtf8().constData());
        Escribir(e, texto);
        Salir();
        if (mensaje.isEmpty()) {
            QVERIFY(entorno.mensajes.isEmpty());
            QCOMPARE(e->text(), texto);
            QVERIFY(!e->hasFocus());
        } else {
            QCOMPARE(entorno.mensajes, QStringList{mensaje});  // once
            QCOMPARE(e->text(), QString());
            QVERIFY(e->hasFocus());
        }
        QVERIFY(entorno.errores.isEmpty());
    }

    // A rejected field cannot be left without the message until its text
    // is acceptable.
    void RechazoRepetidoHastaTextoValido() {
        QLineEdit* e = E("AguaDens");
        Escribir(e, "x");
        Salir();
        Salir();
        QCOMPARE(entorno.mensajes, QStringList({kInvalido, kInvalido}));
        QVERIFY(e->hasFocus());
        QTest::keyClicks(e, "998");
        Salir();
        QCOMPARE(entorno.mensajes.size(), 2);
        QVERIFY(!e->hasFocus());
    }

    // Pressing a button with the mouse leaves the field: the rejection's
    // message box eats the release, so the button must not stay pressed,
    // and the release that follows does not click it.
    void BotonPulsadoConTextoInvalido() {
        QLineEdit* e = E("AguaDens");
        Escribir(e, "abc");
        QPushButton* b = v->tbshNivel0->btnN0;
        QTest::mousePress(b, Qt::LeftButton);
        QCOMPARE(entorno.mensajes, QStringList{kInvalido});
        QVERIFY(e->hasFocus());
        QTRY_VERIFY(!b->isDown());
        QTest::mouseRelease(b, Qt::LeftButton);
        QVERIFY(!v->rg0->isVisible());  // the question did not open
        QCOMPARE(entorno.mensajes.size(), 1);
    }

    // Focus taken by another window is not leaving the field.
    void OtraVentanaNoEsSalir() {
        QLineEdit* e = E("AguaDens");
        Escribir(e, "abc");
        QWidget otra;
        auto* otroEdit = new QLineEdit(&otra);
        otra.show();
        otra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&otra));
        otroEdit->setFocus(Qt::MouseFocusReason);
        QVERIFY(entorno.mensajes.isEmpty());
        QCOMPARE(e->text(), QString("abc"));
        v->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
        QVERIFY(entorno.mensajes.isEmpty());
        QVERIFY(entorno.errores.isEmpty());  // coming back is not an enter
        Salir();
        QCOMPARE(entorno.mensajes, QStringList{kInvalido});
    }

    // ---- What an accepted value invalidates.

    void GlobalSinCambioConservaPestanasYLimpiaGrafico() {
        LlenarGrafico();
        Escribir(E("AguaDens"), "1000");
        Salir();
        QCOMPARE(Pestanas(), QString("100011"));
        QCOMPARE(Actual(), 0);
        QCOMPARE(PuntosGrafico(), 0);
    }

    void GlobalConCambioOcultaResultados() {
        Clasificar(1, 1);
        v->tbshNivel2->btnN2->click();
        LlenarGrafico();
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        Escribir(E("FlujCaud"), "2500");
        Salir();
        QCOMPARE(Pestanas(), QString("111100"));
        QCOMPARE(Actual(), 0);
        QCOMPARE(PuntosGrafico(), 0);
    }

    void TiranteSinCambioYConCambio() {
        Clasificar(1, 1);
        v->tbshNivel2->btnN2->click();
        LlenarGrafico();
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kLocal);
        Escribir(E("FlujTiraRest"), "1.2");
        Salir();
        QCOMPARE(Pestanas(), QString("111111"));
        QCOMPARE(PuntosGrafico(), 2 * 4 * 3);
        Escribir(E("FlujTiraRest"), "1.5");
        Salir();
        QCOMPARE(Pestanas(), QString("110000"));
        QCOMPARE(Actual(), 1);
        QCOMPARE(PuntosGrafico(), 0);
        QCOMPARE(D().FlujTiraRest, 1.5);  // stored on acceptance
    }

    void EstructuraConCambioOcultaPosteriores() {
        Clasificar(0, 0);
        PonerTextos("EstrLongPlat=4.51");
        v->tbshNivel2->btnN2->click();
        QCOMPARE(D().CodiProb, 111);
        LlenarGrafico();
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kEstructura);
        Escribir(E("EstrAltuSaltFond"), "0.5");
        Salir();
        QCOMPARE(Pestanas(), QString("111000"));
        QCOMPARE(Actual(), 2);
        QCOMPARE(PuntosGrafico(), 0);
        QCOMPARE(D().Salto.EstrAltuSaltFond, 0.5);
        Escribir(E("EstrLongPlat"), "6");
        Salir();
        QCOMPARE(D().Salto.EstrLongPlat, 6.0);  // into the record of code 11
        // The pier's width too: "Continuar" reads it into the record, so the
        // pages after the structure page go until it is pressed again.
        Clasificar(1, 1);
        v->tbshNivel2->btnN2->click();
        LlenarGrafico();
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kEstructura);
        Escribir(E("EstrAnchPila"), "3");
        Salir();
        QCOMPARE(Pestanas(), QString("111000"));
        QCOMPARE(Actual(), 2);
        QCOMPARE(PuntosGrafico(), 0);
    }

    // A value changed from 0 (or from an empty field) invalidates as any
    // change does; 0 left as 0 behaves as an unchanged value.  The value is
    // stored either way.
    void CambioDesdeCero_data() {
        QTest::addColumn<bool>("estructura");  // the field: EstrLongPlat of code 11, else AguaTemp
        QTest::addColumn<QString>("inicial");  // text when the field is entered
        QTest::addColumn<QString>("nuevo");
        QTest::addColumn<QString>("pestanas");
        QTest::addColumn<bool>("graficoLimpio");
        QTest::newRow("temperatura 0 a 25") << false << "0" << "25" << "100000" << true;
        QTest::newRow("temperatura 0 queda") << false << "0" << "0" << "100011" << true;
        QTest::newRow("temperatura vacía a 0") << false << "" << "0" << "100011" << true;
        QTest::newRow("protección 0 a 10") << true << "0" << "10" << "111000" << true;
        QTest::newRow("protección 0 queda") << true << "0" << "0" << "111111" << false;
        QTest::newRow("protección vacía a 0") << true << "" << "0" << "111111" << false;
    }
    void CambioDesdeCero() {
        QFETCH(bool, estructura);
        QFETCH(QString, inicial);
        QFETCH(QString, nuevo);
        QFETCH(QString, pestanas);
        QFETCH(bool, graficoLimpio);
        if (estructura) Clasificar(0, 0);
        const char* campo = estructura ? "EstrLongPlat" : "AguaTemp";
        PonerTextos(QString("%1=%2").arg(campo, inicial));
        LlenarGrafico();
        if (estructura) v->pgReplanteo->setTabVisible(TfrmProbTipo::kComplementaria, true);
        Escribir(E(campo), nuevo);
        Salir();
        QCOMPARE(Pestanas(), pestanas);
        QCOMPARE(PuntosGrafico(), graficoLimpio ? 0 : 2 * 4 * 3);
        QCOMPARE(Actual(), estructura ? 2 : 0);
        if (estructura) QCOMPARE(D().Salto.EstrLongPlat, nuevo.toDouble());
        QVERIFY(entorno.mensajes.isEmpty() && entorno.errores.isEmpty());
    }

    void OpcionesDeRugosidad() {
        TPaginaGlobal& g = *v->tbshNivel0;
        LlenarGrafico();
        QTest::mouseClick(g.rbAltuRugoCauc, Qt::LeftButton);
        QVERIFY(g.edtAltuRugoCauc->isEnabled() && g.lblAltuRugoCaucUnid->isEnabled());
        QVERIFY(!g.edtCaucCoefMannCauc->isEnabled() && !g.lblCaucCoefMannCaucUnid->isEnabled());
        QCOMPARE(Pestanas(), QString("100000"));
        QCOMPARE(Actual(), 0);
        QCOMPARE(PuntosGrafico(), 0);
        QVERIFY(!v->OpcionManning());
        QTest::mouseClick(g.rbCaucCoefMannCauc, Qt::LeftButton);
        QVERIFY(!g.edtAltuRugoCauc->isEnabled() && !g.lblAltuRugoCaucUnid->isEnabled());
        QVERIFY(g.edtCaucCoefMannCauc->isEnabled() && g.lblCaucCoefMannCaucUnid->isEnabled());
        QVERIFY(v->OpcionManning());
    }

    // A text put into a field without the check on leaving (a drop, for
    // instance), such as "1000 " with a trailing blank: entering the field
    // shows nothing and leaves its entry value unknown, so any accepted value
    // counts as a change; a roughness option clicked meanwhile does not read
    // the width's text.  No fault reaches the general handler.
    void TextoSinComprobar() {
        LlenarGrafico();
        PonerTextos("AguaDens=1000 ");
        Escribir(E("AguaDens"), "1000");
        Salir();
        QCOMPARE(Pestanas(), QString("100000"));

        LlenarGrafico();
        PonerTextos("CaucAnchCauc=500 ");
        QTest::mouseClick(v->tbshNivel0->rbAltuRugoCauc, Qt::LeftButton);
        QCOMPARE(Pestanas(), QString("100000"));
        QVERIFY(v->tbshNivel0->rbAltuRugoCauc->isChecked());
        QVERIFY(entorno.mensajes.isEmpty());
        QVERIFY(entorno.errores.isEmpty());
    }

    // ---- Structure page.

    void FilasDeEstructura_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<int>("obst");
        QTest::addColumn<QStringList>("filas");
        QTest::addColumn<QStringList>("etiquetas");
        QTest::newRow("11") << 0 << 0 << QStringList{"EstrAltuSaltFond", "EstrLongPlat"}
                            << QStringList{"Altura salto del fondo", "Longitud de la protección"};
        QTest::newRow("12") << 0 << 1 << QStringList{"EstrAltuAper", "EstrLongPlat"}
                            << QStringList{"Altura de la apertura", "Longitud de la protección"};
        QTest::newRow("21") << 1 << 0 << QStringList{"EstrLongEstr", "EstrAnchEstr", "EstrLongPlat"}
                            << QStringList{"Extensión longitudinal", "Extensión transversal",
                                           "Longitud de la protección"};
        QTest::newRow("22") << 1 << 1 << QStringList{"EstrAnchPila", "EstrLongPila"}
                            << QStringList{"Ancho de la Pila", "Longitud de la pila"};
        QTest::newRow("31") << 2 << 0 << QStringList{"EstrDiamAper", "EstrCantAper"}
                            << QStringList{"Diámetro de la apertura", "Cantidad de aperturas"};
    }
    void FilasDeEstructura() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(QStringList, filas);
        QFETCH(QStringList, etiquetas);
        Clasificar(feno, obst);
        TPaginaEstructura& p = *v->tbshNivel2;
        QVERIFY(p.lblNiv2Estr->isVisible());
        QCOMPARE(p.lblNiv2Estr->y(), 40);
        QVERIFY(p.btnN2->isVisible());
        for (const char* c : {"lblNiv2Cate", "lblNiv2Para", "lblNiv2Valo", "lblNiv2Unid"})
            QVERIFY(p.findChild<QLabel*>(c)->isVisible());
        for (const TCampo& campo : Campos()) {
            if (campo.pagina != 2) continue;
            const QString nombre = QString::fromUtf8(campo.nombre.data(), qsizetype(campo.nombre.size()));
            const TFilaCampo& f = p.Fila(campo.nombre);
            const int fila = int(filas.indexOf(nombre)) + 1;  // 0: not a row of the code
            QCOMPARE(f.edit->isVisible(), fila > 0);
            QCOMPARE(f.etiqueta->isVisible(), fila > 0);
            if (fila == 0) continue;
            // Labels at 40 + 24 (row - 1), edits 4 pixels higher; group 1.
            QCOMPARE(f.etiqueta->y(), 40 + 24 * (fila - 1));
            QCOMPARE(f.unidad->y(), 40 + 24 * (fila - 1));
            QCOMPARE(f.edit->y(), 36 + 24 * (fila - 1));
            QCOMPARE(f.etiqueta->text(), etiquetas[fila - 1]);
            QCOMPARE(f.unidad->text(), nombre == "EstrCantAper" ? QString("[-]") : QString("[m]"));
        }
    }

    // Typed texts stay when the code changes and the row comes back.
    void TextosDeEstructuraSeConservan() {
        Clasificar(0, 0);
        PonerTextos("EstrLongPlat=7.25");
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        v->tbshNivel0->btnN0->click();
        Responder(v->rg0, v->btnContAfue01, 1);
        v->tbshNivel1->btnN1->click();
        Responder(v->rg01, v->btnContAfue12, 1);
        QVERIFY(!v->tbshNivel2->Fila("EstrLongPlat").edit->isVisible());
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kLocal);
        v->tbshNivel1->btnN1->click();
        Responder(v->rg01, v->btnContAfue12, 0);
        QVERIFY(v->tbshNivel2->Fila("EstrLongPlat").edit->isVisible());
        QCOMPARE(E("EstrLongPlat")->text(), QString("7.25"));
        QCOMPARE(v->tbshNivel2->Fila("EstrLongPlat").edit->y(), 36 + 24 * 2);  // row 3 for code 21
    }

    void Proteccion_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<int>("obst");
        QTest::addColumn<QString>("textos");
        QTest::addColumn<bool>("mensaje");
        QTest::addColumn<int>("destino");  // page shown, or -1 for the jet question
        QTest::addColumn<int>("codigo");
        QTest::addColumn<int>("protEfec");
        // Step 0.75 m: 6 x 0.75 = 4.5, equality is insufficient.
        QTest::newRow("salto 4.5") << 0 << 0 << "EstrLongPlat=4.5" << true << -1 << 11 << 0;
        QTest::newRow("salto 4.51") << 0 << 0 << "EstrLongPlat=4.51" << false << 3 << 111 << 1;
        QTest::newRow("salto 0") << 0 << 0 << "EstrLongPlat=0" << true << -1 << 11 << 0;
        // Abutment at depth 1.2 m: 0.5 x 1.2 = 0.6.
        QTest::newRow("estribo 0.6") << 1 << 0 << "EstrLongPlat=0.6" << true << 3 << 212 << 0;
        QTest::newRow("estribo 0.61") << 1 << 0 << "EstrLongPlat=0.61" << false << 4 << 211 << 1;
        // Opening 0.45 m at 1.2 m: 0.36 < 0.45, required 6 (1.2 - 0.45) = 4.5.
        QTest::newRow("apertura 8.75") << 0 << 1 << "" << false << 3 << 121 << 1;
        QTest::newRow("apertura 4.5") << 0 << 1 << "EstrLongPlat=4.5" << true << 3 << 122 << 0;
        // Opening 0.3 m: 0.36 >= 0.3, required 4.2 x 1.2 = 5.04.
        QTest::newRow("apertura 0.3 5.04") << 0 << 1 << "EstrAltuAper=0.3;EstrLongPlat=5.04" << true << 3 << 122 << 0;
        QTest::newRow("apertura 0.3 5.05") << 0 << 1 << "EstrAltuAper=0.3;EstrLongPlat=5.05" << false << 3 << 121 << 1;
        // Opening 1 m above a depth of 0.8 m: required 6 (0.8 - 1) = -1.2.
        QTest::newRow("apertura sobre el tirante")
            << 0 << 1 << "FlujTiraRest=0.8;EstrAltuAper=1;EstrLongPlat=0" << false << 3 << 121 << 1;
        QTest::newRow("pila") << 1 << 1 << "EstrLongPlat=0" << false << 3 << 22 << 7;
        QTest::newRow("alcantarilla angosta") << 2 << 0 << "EstrLongPlat=0" << false << 3 << 31 << 7;
    }
    void Proteccion() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(QString, textos);
        QFETCH(bool, mensaje);
        QFETCH(int, destino);
        QFETCH(int, codigo);
        QFETCH(int, protEfec);
        D().ProtEfec = 7;  // kept by codes without a protection
        Clasificar(feno, obst);
        PonerTextos(textos);
        v->tbshNivel2->btnN2->click();
        QCOMPARE(entorno.mensajes, mensaje ? QStringList{kProteccion} : QStringList{});
        QCOMPARE(int(D().ProtEfec), protEfec);
        QCOMPARE(D().CodiProb, codigo);
        if (destino < 0) {
            QVERIFY(v->rg000->isVisibleTo(v.get()) && v->btnContAfue23->isVisibleTo(v.get()));
            QVERIFY(!v->pgReplanteo->isEnabled());
            QCOMPARE(Actual(), 2);
            QCOMPARE(v->rg000->Item(0)->text(), QString("impacta sobre superficie libre"));
            QCOMPARE(v->rg000->Item(1)->text(), QString("desliza sobre escalón"));
        } else {
            QCOMPARE(Actual(), destino);
            QCOMPARE(v->pgReplanteo->isTabVisible(TfrmProbTipo::kComplementaria), destino == 3);
        }
        QVERIFY(entorno.errores.isEmpty());
    }

    // A second "Continuar" after lengthening the protection gives code 111
    // although a jet answer is stored.
    void SegundoContinuarConProteccionMasLarga() {
        Clasificar(0, 0);
        PonerTextos("EstrLongPlat=4");
        v->tbshNivel2->btnN2->click();
        Responder(v->rg000, v->btnContAfue23, 1);
        QCOMPARE(D().CodiProb, 1121);
        QCOMPARE(D().ElecChor, 9);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kEstructura);
        PonerTextos("EstrLongPlat=8.75");
        v->tbshNivel2->btnN2->click();
        QCOMPARE(D().CodiProb, 111);
        QCOMPARE(Actual(), 3);
        QCOMPARE(entorno.mensajes, QStringList{kProteccion});  // only the first time
    }
};

QTEST_MAIN(PruebaProbTipo)
#include "test_probtipo.moc"
