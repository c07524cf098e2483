// The data pages on a stand-in window: what a page asks of its window goes
// through the window's interface, so a page lives without the calculation
// window and its other pages.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "comun/untControlCampos.h"
#include "comun/untVentanaProblema.h"
#include "entorno.h"
#include "problem/untPaginasDatos.h"

namespace {

// Records every request of the pages, in order.
class TVentanaSuplente : public QWidget, public IVentanaProblema {
public:
    QStringList pedidos;
    TDatosProblema datos{};
    TPanelFormulas panel;
    TControlCampos campos{this, datos, [](QLineEdit*, const TCampo&, std::optional<double>) {}};

    QWidget& Ventana() override { return *this; }
    TDatosProblema& Datos() override { return datos; }
    TPanelFormulas& Panel() override { return panel; }
    TControlCampos& Campos() override { return campos; }
    TGrafico grafico;
    const TGrafico& ModeloGrafico() const override { return grafico; }
    TTextosCampos Textos() const override { return {}; }
    bool OpcionManning() const override { return true; }
    TProblema ProblemaActual() const override { return {}; }
    TVistaVentana Vista() const override { return {}; }
    void btnN0Click() override { pedidos << "btnN0Click"; }
    void btnN1Click() override { pedidos << "btnN1Click"; }
    void PreguntarChorro() override { pedidos << "PreguntarChorro"; }
    void MostrarComplementarios() override { pedidos << "MostrarComplementarios"; }
    void CalcularSinComplementarios() override { pedidos << "CalcularSinComplementarios"; }
    void Calcular() override { pedidos << "Calcular"; }
    void AbrirReporte() override { pedidos << "AbrirReporte"; }
    void IrACampo(std::string_view campo) override { pedidos << "IrACampo " + QString::fromUtf8(campo); }
    void AltoDePagina(int) override {}
    void InvalidarResultados(QLineEdit* edit, int pagina, std::optional<double> guardado) override {
        pedidos << QString("InvalidarResultados %1 %2 %3")
                       .arg(edit->objectName())
                       .arg(pagina)
                       .arg(guardado ? "guardado" : "desconocido");
    }
};

// A click as the window system delivers it: to the top-level window.
void Clic(QWidget* w) {
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), w->rect().center()));
}

}  // namespace

class PruebaPaginas : public QObject {
    Q_OBJECT
    TEntorno entorno;

private slots:
    void init() { entorno.Iniciar(); }
    void cleanup() { QVERIFY2(entorno.Terminar(), qPrintable(entorno.modalesInesperados.join(", "))); }

    void PreguntasYRugosidadVanALaVentana() {
        TVentanaSuplente v;
        // The pages place their controls by hand at the size of the window's tabs.
        auto* global = new TPaginaGlobal(v);
        auto* local = new TPaginaLocal(v);
        global->setParent(&v);
        local->setParent(&v);
        global->setGeometry(0, 0, 500, 372);
        local->setGeometry(500, 0, 500, 372);
        v.resize(1000, 372);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));

        Clic(global->btnN0);
        Clic(local->btnN1);
        Clic(global->rbAltuRugoCauc);
        QCOMPARE(v.pedidos, QStringList({"btnN0Click", "btnN1Click",
                                         QString("InvalidarResultados edtCaucAnchCauc %1 desconocido")
                                             .arg(IVentanaProblema::kGlobal)}));
    }
};

QTEST_MAIN(PruebaPaginas)
#include "test_paginas.moc"
