// The results page of a calculation window inside the main window: rows,
// captions and formats per code, the framed title, the buttons per code, the
// pictures of "Imagen", and the page rebuilt on every visit.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "app/Main.h"
#include "compute/untCalcular.h"
#include "comun/untPict.h"
#include "entorno.h"
#include "resultados.h"
#include "results/untAvisos.h"
#include "results/untAvisosDatos.h"
#include "results/untPdteCritPVC.h"
#include "results/untResolver.h"

namespace {

const QStringList kComunes{"OutpParaMoviCrit", "OutpParaMovi", "CondTran", "OutpVeloCritEros"};

// The form of a value text by row: decimals of each number, or its words.
QRegularExpression Formato(const QString& tallo) {
    auto decimales = [](int n, const QString& palabra = {}) {
        const QString numero = QString("-?\\d+\\.\\d{%1}").arg(n);
        return QRegularExpression("^(" + numero + (palabra.isEmpty() ? "" : "|" + palabra) + ")$");
    };
    if (tallo.startsWith("OutpParaMovi")) return decimales(4);
    if (tallo == "CondTran") return QRegularExpression("^(Lecho vivo|Aguas claras|Aguas Claras)$");
    if (tallo == "OutpInteRelaTurb") return decimales(3);
    if (tallo == "OutpCaudSoliTota") return decimales(6, "nulo");
    return decimales(2, "inactivo");
}

}  // namespace

class PruebaResultados : public QObject {
    Q_OBJECT
    TEntorno entorno;
    std::unique_ptr<TMainForm> principal;
    QPointer<TfrmProbTipo> v;

    TPaginaResultados& P() { return *v->tbshProblema; }

    // Mouse and keys through the main window, as the window system delivers them.
    void Clic(QWidget* w, QPoint p = {}) {
        QVERIFY2(w->isVisible(), qPrintable(w->objectName() + " no está a la vista"));
        QTest::mouseClick(principal->windowHandle(), Qt::LeftButton, {},
                          w->mapTo(principal.get(), p.isNull() ? w->rect().center() : p));
    }
    void Tecla(Qt::Key tecla, Qt::KeyboardModifiers mod = {}) {
        QTest::keyClick(principal->windowHandle(), tecla, mod);
    }
    void Pestana(int pagina) {
        QTabBar* barra = v->pgReplanteo->tabBar();
        Clic(barra, barra->tabRect(pagina).center());
    }
    // A user's typing: click into the field, select all, type.
    void Escribir(QLineEdit* e, const QString& texto) {
        Clic(e);
        QVERIFY(e->hasFocus());
        Tecla(Qt::Key_A, Qt::ControlModifier);
        for (QChar c : texto) QTest::keyClick(principal->windowHandle(), c.toLatin1());
    }
    // Visible tabs as a string of 0 and 1, page 0 first.
    QString Pestanas() {
        QString s;
        for (int p = 0; p < TfrmProbTipo::kPaginas; ++p) s += v->pgReplanteo->isTabVisible(p) ? '1' : '0';
        return s;
    }
    // "caption=value" of the rows the core computes for the window's problem
    // as it stands.
    QStringList Esperados() {
        TResultado r;
        ResolverProblema(v->ProblemaActual(), r);
        QStringList t;
        for (const TFila& f : r.filas) t << QString::fromStdString(f.etiqueta + "=" + f.valor);
        return t;
    }

    // The data warnings below the rows as shown, and as the core words them
    // for the window's texts as they stand.
    QStringList AvisosVistos() {
        QStringList t;
        for (const TEtiquetaAviso* a : P().AvisosDatos()) t << a->text();
        return t;
    }
    QStringList AvisosEsperados() {
        QStringList t;
        for (const TAvisoDato& a : AvisosDatos(v->Datos().CodiProb, v->Textos(), v->Datos(), v->Panel()))
            t << QString::fromStdString(MarcaAviso(TEstadoRango::Fuera) + " " + a.texto);
        return t;
    }

    QList<TfrmPict*> Imagenes() {
        QList<TfrmPict*> l;
        for (QMdiSubWindow* s : principal->mdiArea->subWindowList())
            if (auto* p = qobject_cast<TfrmPict*>(s->widget())) l << p;
        return l;
    }
    QStringList NombresImagenes() {
        QStringList n;
        for (TfrmPict* p : Imagenes()) n << p->objectName();
        return n;
    }

private slots:
    void init() {
        entorno.Iniciar();
        principal = std::make_unique<TMainForm>();
        principal->resize(1200, 900);
        principal->show();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
        v = principal->mmiFileNewClick();
    }
    void cleanup() {
        principal.reset();
        QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", ")));
    }

    // Every code: title, rows in order on the row formula, the core's texts,
    // the formats, the buttons and the pictures of "Imagen".
    void FilasPorCodigo_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<int>("obst");
        QTest::addColumn<QString>("textos");
        QTest::addColumn<int>("chorro");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("tallos");  // from row 6 on
        QTest::addColumn<QString>("erosion1");    // caption of the first scour row
        QTest::addColumn<QStringList>("imagenes");
        QTest::addColumn<QString>("tituloImagen");
        const QStringList e4{"OutpErosMaxi1", "OutpErosMaxi2", "OutpErosMaxi3", "OutpErosMaxi4"};
        const QString vistaCorte = " (vista en corte)";
        QTest::newRow("22 pila") << 1 << 1 << "" << -1 << 22 << "Problema de la Pila"
                                 << QStringList{"OutpErosMaxi1", "OutpLongFall1", "OutpErosMaxi2", "OutpLongFall2",
                                                "OutpErosMaxi3", "OutpLongFall3"}
                                 << "Erosión máxima de equilibrio (Breusers)" << QStringList{"frmPictPPi"}
                                 << "Problema de la pila" + vistaCorte;
        QTest::newRow("31 alcantarilla angosta")
            << 2 << 0 << "" << -1 << 31 << "Problema Alcantarilla Angosta" << QStringList{"OutpInteRelaTurb"} + e4
            << "Erosión máxima de equilibrio (Rajaratnam y Berry)" << QStringList{"frmPictPAG"}
            << "Problema de la alcantarilla angosta (vista en planta)";
        const QStringList vortice{"OutpInteRelaTurb", "OutpCaudSoliTota", "OutpErosMaxi1", "OutpLongFall1",
                                  "OutpPendTalu"};
        QTest::newRow("111 vórtice en escalón")
            << 0 << 0 << "" << -1 << 111 << "Problema Vórtice Confinado" << vortice
            << "Erosión máxima de equilibrio (Dietz)" << QStringList{"frmPictPVC1"}
            << "Problema del vórtice confinado" + vistaCorte;
        QTest::newRow("121 vórtice en apertura")
            << 0 << 1 << "" << -1 << 121 << "Problema Vórtice Confinado" << vortice
            << "Erosión máxima de equilibrio (Dietz)" << QStringList{"frmPictPVC2"}
            << "Problema del vórtice confinado" + vistaCorte;
        QTest::newRow("122 alcantarilla ancha")
            << 0 << 1 << "EstrLongPlat=4" << -1 << 122 << "Problema Alcantarilla Ancha"
            << QStringList{"OutpInteRelaTurb"} + e4 << "Erosión máxima de equilibrio (Qayoum)"
            << QStringList{"frmPictPAC"} << "Problema de la alcantarilla ancha" + vistaCorte;
        QTest::newRow("211 estribo protegido")
            << 1 << 0 << "" << -1 << 211 << "Problema Estribo/Espigón Protegido" << QStringList{"OutpErosMaxi1"}
            << "Erosión máxima de equilibrio (Dietz)" << QStringList{"frmPictPEP"}
            << "Problema del espigón/estribo protegido (vista en planta)";
        QTest::newRow("212 estribo") << 1 << 0 << "EstrLongPlat=0.5" << -1 << 212 << "Problema Estribo/Espigón" << e4
                                     << "Erosión máxima de equilibrio (Ahmad)"
                                     << QStringList{"frmPictPEs1", "frmPictPES2"}
                                     << "Problema del estribo/espigón (vista en planta)";
        QTest::newRow("1121 escalón") << 0 << 0 << "EstrLongPlat=4" << 1 << 1121 << "Problema del escalón"
                                      << QStringList{"OutpInteRelaTurb", "OutpErosMaxi1"}
                                      << "Erosión máxima de equilibrio (Bornmann y Julien)"
                                      << QStringList{"frmPictPEn"} << "Problema del escalón" + vistaCorte;
        QTest::newRow("1122 chorro") << 0 << 0 << "EstrLongPlat=4" << 0 << 1122 << "Problema Chorro Zambullido"
                                     << QStringList{"OutpInteRelaTurb", "OutpErosMaxi1", "OutpErosMaxi2"}
                                     << "Erosión máxima de equilibrio (Bornmann y Julien)"
                                     << QStringList{"frmPictPCZ"} << "Problema del chorro zambullido" + vistaCorte;
    }
    void FilasPorCodigo() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(QString, textos);
        QFETCH(int, chorro);
        QFETCH(int, codigo);
        QFETCH(QString, titulo);
        QFETCH(QStringList, tallos);
        QFETCH(QString, erosion1);
        QFETCH(QStringList, imagenes);
        QFETCH(QString, tituloImagen);
        ClasificarYCalcular(*v, feno, obst, textos, chorro);
        QVERIFY(entorno.errores.isEmpty());
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        QCOMPARE(v->Datos().CodiProb, codigo);
        QCOMPARE(P().lblProbTipo->text(), titulo);

        // The rows: stems in order, on rows 2, 3 ... (labels at 24 n + 16,
        // edits 4 pixels higher), read-only, with the texts of the core.
        const std::vector<TFilaVista> filas = FilasVistas(P());
        QStringList vistos;
        for (const TFilaVista& f : filas) vistos << f.tallo;
        QCOMPARE(vistos, kComunes + tallos);
        const std::vector<TFila> nucleo = FilasResultados(codigo, v->Datos(), v->Panel());
        QCOMPARE(filas.size(), nucleo.size());
        for (std::size_t i = 0; i < filas.size(); ++i) {
            const TFilaVista& f = filas[i];
            const TFilaCampo& c = P().Fila(f.tallo.toStdString());
            const int fila = int(i) + 2;
            QCOMPARE(c.etiqueta->y(), 24 * fila + 16);
            QCOMPARE(c.unidad->y(), 24 * fila + 16);
            QCOMPARE(c.edit->y(), 24 * fila + 12);
            QVERIFY(c.edit->isReadOnly());
            // Whole captions, columns under their headers.
            QVERIFY2(c.etiqueta->width() >= c.etiqueta->fontMetrics().horizontalAdvance(f.etiqueta),
                     qPrintable(f.etiqueta));
            QVERIFY(c.edit->x() > c.etiqueta->geometry().right());
            QCOMPARE(c.edit->x(), P().lblProbValo->x());
            QCOMPARE(c.unidad->x(), P().lblProbUnid->x());
            QVERIFY(c.unidad->x() > c.edit->geometry().right());
            QVERIFY(c.unidad->x() + c.unidad->fontMetrics().horizontalAdvance(f.unidad) < P().width());
            QCOMPARE(f.etiqueta, QString::fromStdString(nucleo[i].etiqueta));
            QCOMPARE(f.valor, QString::fromStdString(nucleo[i].valor));
            QCOMPARE(f.unidad, QString::fromStdString(nucleo[i].unidad));
            QVERIFY2(Formato(f.tallo).match(f.valor).hasMatch(), qPrintable(f.tallo + ": " + f.valor));
        }
        QCOMPARE(P().Fila("OutpErosMaxi1").etiqueta->text(), erosion1);

        // Buttons: "Reporte" and "Imagen" always; for 212 two picture
        // buttons, each naming its drawing (never two alike), side by side;
        // the critical-slope button beside the slope row for 111 and 121
        // with slot 2 turned into the plain entry "Tabla".
        QVERIFY(P().bbtnReporte->isVisible() && P().bbtnShowPUno->isVisible());
        QCOMPARE(P().bbtnReporte->text(), QString("Reporte"));
        QCOMPARE(P().bbtnShowPDos->isVisible(), imagenes.size() == 2);
        if (imagenes.size() == 2) {
            QCOMPARE(P().bbtnShowPUno->text(), QString("Extensión"));
            QCOMPARE(P().bbtnShowPDos->text(), QString("Ángulo"));
            QVERIFY(P().bbtnShowPDos->x() > P().bbtnShowPUno->geometry().right());
            QVERIFY(P().bbtnSensibilidad->x() > P().bbtnShowPDos->geometry().right());
            for (QPushButton* b : {P().bbtnShowPUno, P().bbtnShowPDos}) {
                QVERIFY(!b->toolTip().isEmpty());
                QVERIFY(b->width() >= b->sizeHint().width());
            }
        } else {
            QCOMPARE(P().bbtnShowPUno->text(), QString("Imagen"));
        }
        const bool vortice = codigo == 111 || codigo == 121;
        QCOMPARE(P().bbtnPdteCrit->isVisible(), vortice);
        if (vortice) {
            QCOMPARE(P().bbtnPdteCrit->y(), P().Fila("OutpPendTalu").edit->y());
            QVERIFY(P().bbtnPdteCrit->x() >= P().Fila("OutpPendTalu").unidad->x());
            QCOMPARE(v->Panel().Titulo(2), std::string("Tabla"));
            QVERIFY(!v->Panel().Activa(2));
        }

        // "Imagen": the picture of the code, once however often pressed.
        P().bbtnShowPUno->click();
        P().bbtnShowPUno->click();
        if (imagenes.size() == 2) {
            P().bbtnShowPDos->click();
            P().bbtnShowPDos->click();
        }
        QCOMPARE(NombresImagenes(), imagenes);
        for (TfrmPict* p : Imagenes()) QCOMPARE(p->windowTitle(), tituloImagen);
    }

    // The title in its frame: bold, the frame 4 pixels around it on every
    // side, before any calculation and after a longer title.
    void TituloEnmarcado() {
        QCOMPARE(P().lblProbTipo->text(), QString("Problema"));
        QVERIFY(P().lblProbTipo->font().bold());
        QCOMPARE(P().bvlProblema->geometry(), P().lblProbTipo->geometry().adjusted(-4, -4, 4, 4));
        for (QLabel* l : {P().lblProbPara, P().lblProbValo, P().lblProbUnid}) {
            QVERIFY(l->font().bold());
            QCOMPARE(l->y(), 40);  // row 1
        }
        QCOMPARE(P().lblProbPara->text(), QString("Parámetro"));
        QCOMPARE(P().lblProbValo->text(), QString("Valor"));
        QCOMPARE(P().lblProbUnid->text(), QString("Unidades"));
        ClasificarYCalcular(*v, 1, 0);
        const QString titulo = "Problema Estribo/Espigón Protegido";
        QCOMPARE(P().lblProbTipo->text(), titulo);
        QVERIFY(P().bvlProblema->isVisible());
        QVERIFY(P().lblProbTipo->width() >= P().lblProbTipo->fontMetrics().horizontalAdvance(titulo));
        QCOMPARE(P().bvlProblema->geometry(), P().lblProbTipo->geometry().adjusted(-4, -4, 4, 4));
        // The frame does not cover the headers.
        QVERIFY(P().bvlProblema->geometry().bottom() < P().lblProbPara->y());
    }

    // Every visit rebuilds the page from the record and the panel as they
    // stand: nothing is cached, and the code comes back at level 4.
    void VolverALaPestana() {
        ClasificarYCalcular(*v, 1, 1);
        const QStringList antes = TextosVistos(P());
        QCOMPARE(P().Fila("OutpErosMaxi1").edit->text(), QString("inactivo"));
        v->Panel().Ranura(1).activa = true;
        v->Datos().PPi.OutpErosMaxi1 = 1.5;
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        QCOMPARE(v->Datos().CodiProb, 0);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kResultados);
        QCOMPARE(v->Datos().CodiProb, 22);
        QCOMPARE(P().Fila("OutpErosMaxi1").edit->text(), QString("1.50"));
        QCOMPARE(P().lblProbTipo->text(), QString("Problema de la Pila"));
        v->Panel().Ranura(1).activa = false;
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kLocal);
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kResultados);
        QCOMPARE(TextosVistos(P()), antes);
    }

    // A new problem in the same window: the rows of the earlier code go.
    void OtroCodigoOcultaLasFilasAnteriores() {
        ClasificarYCalcular(*v, 1, 1);
        QVERIFY(P().Fila("OutpLongFall3").edit->isVisible());
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        ClasificarYCalcular(*v, 0, 0);
        QCOMPARE(v->Datos().CodiProb, 111);
        QVERIFY(!P().Fila("OutpLongFall3").edit->isVisible());
        QVERIFY(!P().Fila("OutpErosMaxi2").edit->isVisible());
        QVERIFY(P().bbtnPdteCrit->isVisible());
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        ClasificarYCalcular(*v, 2, 0);
        QCOMPARE(v->Datos().CodiProb, 31);
        QVERIFY(!P().bbtnPdteCrit->isVisible());
        QVERIFY(!P().Fila("OutpPendTalu").edit->isVisible());
        QCOMPARE(P().Fila("OutpLongFall1").etiqueta->isVisible(), false);
    }

    // The critical-slope button opens its table modally over the
    // calculation window; the table goes when it is closed.
    void TablaDePendientes() {
        ClasificarYCalcular(*v, 0, 1);  // 121
        QVERIFY(P().bbtnPdteCrit->isVisible());
        QPointer<QWidget> tabla;
        QWidget* dueno = nullptr;
        QString titulo;
        entorno.EsperarModal([&](QWidget* w) {
            tabla = w;
            dueno = w->parentWidget();
            titulo = w->windowTitle();
            QVERIFY(dynamic_cast<TfrmPdteCritPVC*>(w));
            w->close();
        });
        QTest::mouseClick(P().bbtnPdteCrit, Qt::LeftButton);
        QVERIFY(!entorno.ModalPendiente());
        QCOMPARE(dueno, static_cast<QWidget*>(v.data()));
        QCOMPARE(titulo, QString("Valores límites de pendientes para estabilidad mecánica"));
        QVERIFY(tabla.isNull());
    }

    // Validity warnings: a marker beside each result whose data lie outside
    // the formula's calibration range, its tooltip on the marker and on the
    // value, and the summary line between the rows and the buttons; none
    // inside calibration, none for formulas without ranges.
    void AvisosDeRangos() {
        const QStringList escalas{"OutpErosMaxi1", "OutpErosMaxi2", "OutpErosMaxi3", "OutpErosMaxi4"};
        ClasificarYCalcular(*v, 2, 0);  // 31 with the field data: every formula outside both ranges
        QCOMPARE(v->Datos().CodiProb, 31);
        for (const TFilaVista& f : FilasVistas(P())) {
            QLabel* marca = P().Marca(f.tallo.toStdString());
            const QLineEdit* valor = P().Fila(f.tallo.toStdString()).edit;
            QCOMPARE(marca->isVisible(), escalas.contains(f.tallo));
            if (!escalas.contains(f.tallo)) {
                QVERIFY(valor->toolTip().isEmpty());
                continue;
            }
            QCOMPARE(marca->text(), QString("⚠"));
            QCOMPARE(marca->y(), valor->y());
            QVERIFY(marca->x() > P().Fila(f.tallo.toStdString()).unidad->x());
            QVERIFY(marca->geometry().right() < P().width());
            QVERIFY(marca->toolTip().startsWith("Datos fuera de"));  // Breusers has no validation range
            QCOMPARE(valor->toolTip(), marca->toolTip());
        }
        QCOMPARE(P().Marca("OutpErosMaxi1")->toolTip(),
                 QString("Datos fuera de los rangos de calibración y validación:\n"
                         "d50 = 85 mm, calibración 1.40/2.80, validación 0.82/2.80\n"
                         "Tirante = 1.2 m, calibración 0.61, validación 0.16/0.61\n"
                         "Velocidad del chorro = 15.2789 m/s, calibración 1.28/1.81, validación 1.28/12.0\n"
                         "Diámetro de la apertura = 1 m, calibración 0.31, validación 0.31/1.13"));
        QVERIFY(P().lblAvisRang->isVisible());
        QCOMPARE(P().lblAvisRang->text(), QString("⚠ Datos fuera de los rangos de calibración y validación de 3 "
                                                  "fórmulas: sus resultados son extrapolaciones.\n"
                                                  "⚠ Datos fuera del rango de calibración de una fórmula que no "
                                                  "tiene rango de validación: su resultado es una extrapolación."));
        QVERIFY(P().lblAvisRang->y() > P().Fila("OutpErosMaxi4").edit->geometry().bottom());
        QVERIFY(P().lblAvisRang->geometry().bottom() < P().bbtnReporte->y());
        QVERIFY(P().lblAvisRang->heightForWidth(P().lblAvisRang->width()) <= P().lblAvisRang->height());

        // Laboratory data, computed again in the same window: Rajaratnam y
        // Berry, Breusers and Hoffmans inside calibration lose their markers,
        // Ruff is inside validation only; nothing is outside both.
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        ClasificarYCalcular(*v, 2, 0,
                            "SediDiamMedi=2;FlujCaud=0.1132;CaucAnchCauc=1;FlujTiraRest=0.61;EstrDiamAper=0.31;"
                            "EstrCantAper=1");
        QCOMPARE(v->Datos().CodiProb, 31);
        for (const char* t : {"OutpErosMaxi1", "OutpErosMaxi3", "OutpErosMaxi4"}) {
            QVERIFY2(!P().Marca(t)->isVisible(), t);
            QVERIFY2(P().Fila(t).edit->toolTip().isEmpty(), t);
        }
        QVERIFY(P().Marca("OutpErosMaxi2")->isVisible());
        QCOMPARE(P().Marca("OutpErosMaxi2")->text(), QString("◐"));
        QVERIFY(P().Marca("OutpErosMaxi2")->toolTip().startsWith("Datos fuera del rango de calibración, dentro del "
                                                                 "de validación:\nTirante = 0.61 m"));
        QVERIFY(!P().lblAvisRang->isVisible());

        // The pier's formulas publish no ranges.
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        ClasificarYCalcular(*v, 1, 1, "EstrFactFormKs=1;EstrFactGrup=1;SediAnguRepo=30");
        QCOMPARE(v->Datos().CodiProb, 22);
        for (const TFilaVista& f : FilasVistas(P())) QVERIFY2(!P().Marca(f.tallo.toStdString())->isVisible(),
                                                              qPrintable(f.tallo));
        QVERIFY(!P().lblAvisRang->isVisible());
    }

    // Warnings on implausible data under the rows: the pier of d50 2 mm
    // keeps the example's d84 (and d84/d50 = 100 warns of the gradation
    // factor); a click on the first warning, sent to the window as the window
    // system sends it, takes the user to "Diámetro 84%" with the focus in it.
    // Once d84 is set to a narrow grading, the warnings are gone.
    void AvisosDeDatos() {
        ClasificarYCalcular(*v, 1, 1, "SediDiamMedi=2;EstrFactFormKs=1;EstrFactGrup=1");
        QCOMPARE(v->Datos().CodiProb, 22);
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        QVERIFY(!P().lblAvisRang->isVisible());  // no ranges for the pier
        QCOMPARE(P().AvisosDatos().size(), std::size_t(2));
        QVERIFY(P().AvisosDatos()[1]->text().contains("factor de gradación Kσ = 0.004"));
        TEtiquetaAviso* aviso = P().AvisosDatos()[0];
        QVERIFY(aviso->isVisible());
        QCOMPARE(aviso->objectName(), QString("lblAvisDato1"));
        QCOMPARE(aviso->text(), QString("⚠ \"Diámetro 84%\" = 200 mm es el valor del ejemplo, pero \"Diámetro "
                                        "Medio (d50)\" = 2 mm ya no lo es: d84 y d50 deben ser de la misma "
                                        "granulometría."));
        QCOMPARE(aviso->toolTip(), QString("Ir al campo \"Diámetro 84%\""));
        const std::vector<TFilaVista> filas = FilasVistas(P());
        QVERIFY(aviso->y() > P().Fila(filas.back().tallo.toStdString()).edit->geometry().bottom());
        QVERIFY(P().AvisosDatos()[1]->y() > aviso->geometry().bottom());
        QVERIFY(P().AvisosDatos()[1]->geometry().bottom() < P().bbtnReporte->y());
        QVERIFY(aviso->geometry().right() < P().width());
        QVERIFY(aviso->heightForWidth(aviso->width()) <= aviso->height());
        // The window grows so that the buttons below the warning stay in sight.
        QVERIFY(P().bbtnReporte->geometry().bottom() < P().height());
        QVERIFY(P().bbtnReporte->isVisible());
        QVERIFY(!P().bbtnReporte->visibleRegion().isEmpty());

        QWidget* arriba = aviso->window();
        QTest::mouseClick(arriba->windowHandle(), Qt::LeftButton, {}, aviso->mapTo(arriba, QPoint(40, 6)));
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kComplementaria));
        QLineEdit* d84 = v->Campo("SediDiam84N3");
        QVERIFY(d84->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d84));
        QCOMPARE(d84->selectedText(), QString("200"));

        // Typed over, computed again: nothing left to warn about.
        QTest::keyClick(arriba->windowHandle(), Qt::Key_3);
        QCOMPARE(d84->text(), QString("3"));
        v->tbshNivel3->btnN3->click();
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        QVERIFY(P().AvisosDatos().empty());
        QVERIFY(v->findChildren<TEtiquetaAviso*>().size() <= 2);  // the old ones go at the next turn of the loop
        QTRY_VERIFY(v->findChildren<TEtiquetaAviso*>().isEmpty());

        // Under the summary of the ranges, and the buttons pushed down below
        // both when the rows leave too little room: the narrow culvert of
        // d50 2 mm whose d90 keeps the example's 250 mm.
        v->pgReplanteo->setCurrentIndex(TfrmProbTipo::kGlobal);
        ClasificarYCalcular(*v, 2, 0, "SediDiamMedi=2");
        QCOMPARE(v->Datos().CodiProb, 31);
        QVERIFY(P().lblAvisRang->isVisible());
        QCOMPARE(P().AvisosDatos().size(), std::size_t(1));
        aviso = P().AvisosDatos()[0];
        QVERIFY(aviso->text().contains("\"Diámetro 90%\" = 250 mm es el valor del ejemplo"));
        QVERIFY(P().lblAvisRang->heightForWidth(P().lblAvisRang->width()) <= P().lblAvisRang->height());
        QVERIFY(aviso->y() > P().lblAvisRang->geometry().bottom());
        QVERIFY(aviso->geometry().bottom() < P().bbtnReporte->y());
        QCOMPARE(P().bbtnShowPUno->y(), P().bbtnReporte->y());
        QCOMPARE(P().bbtnSensibilidad->y(), P().bbtnReporte->y());  // the whole row moves
        QTest::mouseClick(arriba->windowHandle(), Qt::LeftButton, {}, aviso->mapTo(arriba, QPoint(40, 6)));
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kComplementaria));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(v->Campo("SediDiam90N3")));
    }

    // Pictures of "Imagen" have no owner: they stay when the calculation
    // window closes, and go when they are closed themselves.
    void ImagenSinDueno() {
        ClasificarYCalcular(*v, 2, 0);
        P().bbtnShowPUno->click();
        QCOMPARE(NombresImagenes(), QStringList{"frmPictPAG"});
        QMdiSubWindow* marco = nullptr;
        for (QMdiSubWindow* s : principal->mdiArea->subWindowList())
            if (s->widget() == v) marco = s;
        QVERIFY(marco);
        entorno.Responder({"btnNoGuardar"});  // the problem is not kept
        marco->close();
        QTRY_VERIFY(v.isNull());
        QCOMPARE(NombresImagenes(), QStringList{"frmPictPAG"});
        QPointer<QWidget> pict = Imagenes().first();
        pict->parentWidget()->close();
        QTRY_VERIFY(pict.isNull());
        QCOMPARE(Imagenes().size(), 0);
    }

    // A result is never shown, saved or reported with inputs other than
    // those it was computed from.  A field that "Continuar" reads (the depth
    // and every structure field) sends the wizard back to its page when its
    // value changes, whether it is left with Tab or by a click on a later
    // tab; a field that "Calcular" reads hides only "Resultados" and
    // "Grafico".  The user then goes on as the window lets him ("Continuar"
    // where the later tabs went, "Calcular") and gets what the core computes
    // from the texts as they stand, its data warnings included; nothing else
    // he typed is lost.  "antes" is a row or a warning the first result
    // shows (the pier of 1.5 m reads CSU 1.23 m, as turmado-calc gives).
    void CambioTrasCalcular_data() {
        QTest::addColumn<int>("feno");
        QTest::addColumn<int>("obst");
        QTest::addColumn<QString>("textos");
        QTest::addColumn<int>("chorro");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("nuevo");
        QTest::addColumn<bool>("porPestana");  // left by a click on the "Resultados" tab, else by Tab
        QTest::addColumn<QString>("pestanas");  // visible tabs once the field is left
        QTest::addColumn<QString>("csu");       // a row the new result must read ("" none)
        QTest::addColumn<QString>("antes");     // a row or warning of the first result ("" none)
        const QString pila = "EstrAnchPila=1.5;EstrFactFormKs=1;EstrFactGrup=1";
        const QString csu = "Erosión máxima de equilibrio (CSU)=";
        QTest::newRow("pila ancho, Tab") << 1 << 1 << pila << -1 << "EstrAnchPila" << "10" << false << "111000"
                                         << csu + "4.23" << csu + "1.23";
        QTest::newRow("pila ancho, pestaña") << 1 << 1 << pila << -1 << "EstrAnchPila" << "10" << true << "111000"
                                             << csu + "4.23" << csu + "1.23";
        QTest::newRow("pila de 600 vuelta a 5")
            << 1 << 1 << "EstrAnchPila=600;EstrFactFormKs=1;EstrFactGrup=1" << -1 << "EstrAnchPila" << "5" << true
            << "111000" << csu + "2.70" << "la pila cerraría el cauce";
        QTest::newRow("pila longitud") << 1 << 1 << pila << -1 << "EstrLongPila" << "12" << true << "111000" << ""
                                       << "";
        QTest::newRow("estribo transversal")
            << 1 << 0 << "EstrLongPlat=0.5;EstrFactCurv=1;EstrFactFormKs=1;EstrFactAngu=1" << -1 << "EstrAnchEstr"
            << "100" << true << "111000" << "" << "";
        QTest::newRow("estribo longitudinal") << 1 << 0 << "EstrLongPlat=0.5;EstrFactCurv=1" << -1 << "EstrLongEstr"
                                              << "4" << false << "111000" << "" << "";
        QTest::newRow("estribo protegido transversal")
            << 1 << 0 << "" << -1 << "EstrAnchEstr" << "100" << true << "111000" << "" << "";
        QTest::newRow("escalón altura") << 0 << 0 << "EstrLongPlat=4" << 0 << "EstrAltuSaltFond" << "0.9" << true
                                        << "111000" << "" << "";
        QTest::newRow("compuerta altura")
            << 0 << 1 << "" << -1 << "EstrAltuAper" << "0.3" << true << "111000" << "" << "";
        QTest::newRow("compuerta protección")
            << 0 << 1 << "" << -1 << "EstrLongPlat" << "4" << true << "111000" << "" << "";
        QTest::newRow("alcantarilla diámetro")
            << 2 << 0 << "" << -1 << "EstrDiamAper" << "2" << true << "111000" << "" << "";
        QTest::newRow("alcantarilla aperturas")
            << 2 << 0 << "" << -1 << "EstrCantAper" << "100" << false << "111000" << "" << "";
        QTest::newRow("tirante, pestaña")
            << 1 << 1 << pila << -1 << "FlujTiraRest" << "2" << true << "110000" << "" << "";
        // Fields that "Calcular" reads, on "Datos Globales" and "Datos
        // Complementarios": flow, water, sediment, a factor.
        QTest::newRow("caudal, pestaña")
            << 1 << 1 << pila << -1 << "FlujCaud" << "2000" << true << "111100" << "" << "";
        QTest::newRow("Manning, Tab")
            << 1 << 1 << pila << -1 << "CaucCoefMannCauc" << "0.05" << false << "111100" << "" << "";
        QTest::newRow("densidad del agua, Tab")
            << 1 << 1 << pila << -1 << "AguaDens" << "1020" << false << "111100" << "" << "";
        QTest::newRow("d50, pestaña")
            << 1 << 1 << pila << -1 << "SediDiamMedi" << "2" << true << "111100" << csu + "0.01" << "";
        QTest::newRow("d84, pestaña") << 1 << 1 << pila << -1 << "SediDiam84N3" << "100" << true << "111100"
                                      << csu + "2.80" << "factor de gradación";
        QTest::newRow("factor de forma, Tab") << 1 << 1 << pila << -1 << "EstrFactFormKs" << "1.1" << false
                                              << "111100" << csu + "1.36" << "";
    }
    void CambioTrasCalcular() {
        QFETCH(int, feno);
        QFETCH(int, obst);
        QFETCH(QString, textos);
        QFETCH(int, chorro);
        QFETCH(QString, campo);
        QFETCH(QString, nuevo);
        QFETCH(bool, porPestana);
        QFETCH(QString, pestanas);
        QFETCH(QString, csu);
        QFETCH(QString, antes);
        ClasificarYCalcular(*v, feno, obst, textos, chorro);
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        const QString primero = (TextosVistos(P()) + AvisosVistos()).join('\n');
        QVERIFY2(primero.contains(antes), qPrintable(primero));
        const TTextosCampos textosAntes = v->Textos();
        const TCampo& c = *BuscarCampo(campo.toStdString());

        Pestana(c.pagina);
        Escribir(v->Campo(campo.toStdString()), nuevo);
        if (porPestana)
            Pestana(TfrmProbTipo::kResultados);
        else
            Tecla(Qt::Key_Tab);
        QCOMPARE(Pestanas(), pestanas);
        QCOMPARE(v->pgReplanteo->currentIndex(), c.pagina);
        QVERIFY(!v->Problema().resultados);  // a save keeps no result
        QVERIFY(!P().bbtnReporte->isVisible() && !P().bbtnSensibilidad->isVisible());

        // On as the window lets the user go.
        if (c.pagina == TfrmProbTipo::kLocal) {
            Clic(v->tbshNivel1->btnN1);
            Clic(v->btnContAfue12);
        }
        if (c.pagina <= TfrmProbTipo::kEstructura && !v->pgReplanteo->isTabVisible(TfrmProbTipo::kComplementaria)) {
            if (c.pagina != TfrmProbTipo::kEstructura) Pestana(TfrmProbTipo::kEstructura);
            Clic(v->tbshNivel2->btnN2);
            if (chorro >= 0) {
                Clic(v->rg000->Item(chorro));
                Clic(v->btnContAfue23);
            }
        }
        if (!v->pgReplanteo->isTabVisible(TfrmProbTipo::kResultados)) {
            if (v->pgReplanteo->currentIndex() != TfrmProbTipo::kComplementaria)
                Pestana(TfrmProbTipo::kComplementaria);
            Clic(v->tbshNivel3->btnN3);
        }
        QCOMPARE(v->pgReplanteo->currentIndex(), int(TfrmProbTipo::kResultados));
        const QStringList vistos = TextosVistos(P());
        QCOMPARE(vistos, Esperados());
        if (!csu.isEmpty()) QVERIFY2(vistos.contains(csu), qPrintable(vistos.join('\n')));
        QCOMPARE(AvisosVistos(), AvisosEsperados());
        TTextosCampos ahora = v->Textos();
        ahora[campo.toStdString()] = textosAntes.at(campo.toStdString());
        QVERIFY(ahora == textosAntes);
        QVERIFY(v->Problema().resultados);
        QVERIFY(entorno.errores.isEmpty());
    }

    // Back from the report (its two modal dialogs closed) the focus is on
    // "Reporte"; a click on an earlier tab hides that button, and the focus
    // passes through the fields of the page being laid out.  Nothing was
    // typed: no tab goes and the problem is unchanged.
    void PestanasTrasElReporte() {
        ClasificarYCalcular(*v, 1, 1, "EstrFactFormKs=1;EstrFactGrup=1");
        v->setWindowModified(false);
        for (int pagina : {TfrmProbTipo::kEstructura, TfrmProbTipo::kComplementaria, TfrmProbTipo::kLocal,
                           TfrmProbTipo::kGlobal}) {
            if (v->pgReplanteo->currentIndex() != TfrmProbTipo::kResultados) Pestana(TfrmProbTipo::kResultados);
            entorno.EsperarModal([&](QWidget* w) {
                entorno.EsperarModal([](QWidget* vista) { vista->close(); });
                qobject_cast<QDialog*>(w)->accept();  // OK: the report follows
            });
            Clic(P().bbtnReporte);
            QVERIFY(!entorno.ModalPendiente());
            // The window manager gives the main window back its activation.
            principal->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(principal.get()));
            Pestana(pagina);
            QTest::qWait(20);  // a field left by the page change is left on the next turn of the loop
            QCOMPARE(v->pgReplanteo->currentIndex(), pagina);
            QCOMPARE(Pestanas(), QString("111111"));
            QVERIFY(!v->isWindowModified());
        }
    }
};

QTEST_MAIN(PruebaResultados)
#include "test_resultados.moc"
