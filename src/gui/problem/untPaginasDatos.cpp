#include "problem/untPaginasDatos.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "comun/untControlCampos.h"
#include "comun/untVentanaProblema.h"

using namespace columnas;

namespace {

// A row of a fixed page: the field's three controls at their row and group,
// registered for its enter and exit events.
TFilaCampo Fila(IVentanaProblema& ventana, QWidget* pagina, const char* nombre, int fila, int grupo) {
    const TCampo& campo = *BuscarCampo(nombre);
    TFilaCampo f = CrearFila(pagina, campo);
    UbicarFila(f.etiqueta, f.edit, f.unidad, fila, grupo);
    ventana.Campos().Registrar(f.edit, campo);
    return f;
}

void Categoria(QWidget* pagina, const QString& nombre, const QString& texto, int fila, int grupo) {
    QLabel* l = CrearEtiqueta(pagina, nombre, texto, kCategoriaX, kCategoriaAncho, false);
    UbicarControl(l, fila, grupo);
}

// An option button in place of a row's caption.
QRadioButton* Opcion(QWidget* pagina, TFilaCampo& f, const char* nombre) {
    auto* rb = new QRadioButton(f.etiqueta->text(), pagina);
    rb->setObjectName(nombre);
    rb->setGeometry(kParametroX - 2, f.edit->y(), kParametroAncho, kAltoEdit);
    delete f.etiqueta;
    f.etiqueta = nullptr;
    return rb;
}

QPushButton* BotonPregunta(QWidget* pagina, const char* nombre, const QString& texto, int y) {
    auto* b = new QPushButton(texto, pagina);
    b->setObjectName(nombre);
    b->setGeometry(kParametroX, y, 176, 28);
    return b;
}

}  // namespace

bool Habilitado(const QWidget* w) { return !w->testAttribute(Qt::WA_Disabled); }

TPaginaGlobal::TPaginaGlobal(IVentanaProblema& ventana) : ventana_(ventana) {
    setObjectName("tbshNivel0");
    CrearCabeceras(this, "lblNiv0");
    Categoria(this, "lblNiv0Agua", "AGUA", 1, 1);
    Fila(ventana, this, "AguaDens", 1, 1);
    Fila(ventana, this, "AguaTemp", 2, 1);
    Categoria(this, "lblNiv0Sedi", "SEDIMENTO", 3, 2);
    Fila(ventana, this, "SediDensMate", 3, 2);
    Fila(ventana, this, "SediDiamMedi", 4, 2);
    Categoria(this, "lblNiv0Forz", "FORZANTES", 5, 3);
    Fila(ventana, this, "ForzAcelGrav", 5, 3);
    Categoria(this, "lblNiv0Fluj", "FLUJO", 6, 4);
    Fila(ventana, this, "FlujCaud", 6, 4);
    Categoria(this, "lblNiv0Cauc", "CAUCE", 7, 5);
    edtCaucAnchCauc = Fila(ventana, this, "CaucAnchCauc", 7, 5).edit;
    TFilaCampo mann = Fila(ventana, this, "CaucCoefMannCauc", 8, 5);
    TFilaCampo rugo = Fila(ventana, this, "AltuRugoCauc", 9, 5);
    rbCaucCoefMannCauc = Opcion(this, mann, "rbCaucCoefMannCauc");
    rbAltuRugoCauc = Opcion(this, rugo, "rbAltuRugoCauc");
    edtCaucCoefMannCauc = mann.edit;
    lblCaucCoefMannCaucUnid = mann.unidad;
    edtAltuRugoCauc = rugo.edit;
    lblAltuRugoCaucUnid = rugo.unidad;
    // The two options form one group of their own on the page.
    connect(rbCaucCoefMannCauc, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado) rbCaucCoefMannCaucClick();
    });
    connect(rbAltuRugoCauc, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado) rbAltuRugoCaucClick();
    });

    btnN0 = BotonPregunta(this, "btnN0", "Fenómeno dominante", TopeFila(10, 5, false) + 12);
    connect(btnN0, &QPushButton::clicked, this, [&ventana] { ventana.btnN0Click(); });
    // The options were made after the rows: each goes before its edit.
    OrdenTabulacion(
        {edtCaucAnchCauc, rbCaucCoefMannCauc, edtCaucCoefMannCauc, rbAltuRugoCauc, edtAltuRugoCauc, btnN0});
}

void TPaginaGlobal::rbCaucCoefMannCaucClick() { CambiarRugosidad(); }
void TPaginaGlobal::rbAltuRugoCaucClick() { CambiarRugosidad(); }

void TPaginaGlobal::CambiarRugosidad() {
    for (QWidget* w : {static_cast<QWidget*>(edtAltuRugoCauc), static_cast<QWidget*>(lblAltuRugoCaucUnid),
                       static_cast<QWidget*>(edtCaucCoefMannCauc), static_cast<QWidget*>(lblCaucCoefMannCaucUnid)})
        w->setEnabled(!Habilitado(w));
    // Always a change: the results and the chart go and "Datos Globales"
    // comes back, whatever the width field holds (its text is not read).
    ventana_.InvalidarResultados(edtCaucAnchCauc, IVentanaProblema::kGlobal, std::nullopt);
}

TPaginaLocal::TPaginaLocal(IVentanaProblema& ventana) {
    setObjectName("tbshNivel1");
    CrearCabeceras(this, "lblNiv1");
    Categoria(this, "lblNiv1Fluj", "FLUJO", 1, 1);
    const TFilaCampo f = Fila(ventana, this, "FlujTiraRest", 1, 1);
    lblFlujTiraRest = f.etiqueta;
    edtFlujTiraRest = f.edit;
    btnN1 = BotonPregunta(this, "btnN1", "Tipo de obstáculo", TopeFila(2, 1, false) + 12);
    connect(btnN1, &QPushButton::clicked, this, [&ventana] { ventana.btnN1Click(); });
}
