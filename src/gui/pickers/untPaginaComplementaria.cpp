#include "pickers/untPaginaComplementaria.h"

#include <memory>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "comun/untControlCampos.h"
#include "comun/untMensajes.h"
#include "comun/untTexto.h"
#include "comun/untVentanaProblema.h"
#include "turmado.h"
#include "pickers/untHiGrup.h"
#include "pickers/untSelector.h"
#include "results/untPanelFormulas.h"
#include "results/untRango.h"

using namespace columnas;

namespace {

constexpr int kSelectorX = kUnidadX + 32;  // picker buttons, right of the unit
constexpr int kPanelY = 186;                // below the deepest rows (the abutment's six)

void Colorear(QLabel* etiqueta, const QColor& color) {
    QPalette p = etiqueta->palette();
    p.setColor(QPalette::WindowText, color);
    etiqueta->setPalette(p);
}

}  // namespace

std::unique_ptr<TDialogoCoef> CrearSelector(std::string_view campo, QWidget* dueno, ProblemCode codigo) {
    const std::string_view nombre = SelectorDeCampo(campo, codigo);
    if (nombre == "HiGrup") return std::make_unique<TfrmHiGrup>(dueno);
    if (const TTablaCoef* tabla = TablaCoef(nombre)) return std::make_unique<TfrmSelector>(*tabla, dueno);
    return nullptr;
}

TPaginaComplementaria::TPaginaComplementaria(IVentanaProblema& ventana) : ventana_(ventana) {
    setObjectName("tbshNivel3");
    CrearCabeceras(this, "lblNiv3");
    lblNiv3Cauc = CrearEtiqueta(this, "lblNiv3Cauc", "CAUCE", kCategoriaX, kCategoriaAncho, false);
    lblNiv3Estr = CrearEtiqueta(this, "lblNiv3Estr", "ESTRUCTURA", kCategoriaX, kCategoriaAncho, false);
    lblNiv3Sedi = CrearEtiqueta(this, "lblNiv3Sedi", "SEDIMENTO", kCategoriaX, kCategoriaAncho, false);
    lblNiv3Fluj = CrearEtiqueta(this, "lblNiv3Fluj", "FLUJO", kCategoriaX, kCategoriaAncho, false);

    for (const TCampo& campo : Campos()) {
        if (campo.pagina != IVentanaProblema::kComplementaria) continue;
        const TFilaCampo f = CrearFila(this, campo);
        // The three "Factor de forma" rows say which factor they hold.
        const QString ayuda = QString::fromUtf8(campo.ayuda.data(), qsizetype(campo.ayuda.size()));
        f.etiqueta->setToolTip(ayuda);
        f.edit->setToolTip(ayuda);
        ventana.Campos().Registrar(f.edit, campo);
        filas_.emplace(campo.nombre, f);
        const std::string_view nombre = campo.nombre;
        connect(f.edit, &QLineEdit::textChanged, this, [this, nombre] { CampoCambiado(nombre); });
        if (SelectorDeCampo(nombre).empty()) continue;
        auto* b = new QPushButton(this);
        b->setObjectName("bbtn" + QTexto(nombre));
        b->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
        b->setToolTip(ayuda.isEmpty() ? QString("Elegir de una tabla") : "Elegir de una tabla (" + ayuda + ")");
        b->setGeometry(kSelectorX, kCabeceraY, 26, kAltoEdit);
        connect(b, &QPushButton::clicked, this, [this, nombre] { bbtnSelectorClick(nombre); });
        selectores_.emplace(nombre, b);
    }

    pnlFormActi = new TPanelFormActi(ventana.Panel(), this);
    pnlFormActi->move(kCategoriaX, kPanelY);
    connect(pnlFormActi, &TPanelFormActi::FormulaPulsada, this, &TPaginaComplementaria::btnClick);
    connect(pnlFormActi, &TPanelFormActi::RangoPulsado, this, &TPaginaComplementaria::bbtnRangoClick);

    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setInterval(1000);
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &TPaginaComplementaria::TimerTimer);

    btnN3 = new QPushButton("Calcular", this);
    btnN3->setObjectName("btnN3");
    btnN3->setGeometry(kUnidadX + kUnidadAncho - 176, kPanelY + 24, 176, 28);
    connect(btnN3, &QPushButton::clicked, this, &TPaginaComplementaria::btnN3Click);
}

QPushButton* TPaginaComplementaria::Selector(std::string_view campo) const {
    const auto it = selectores_.find(campo);
    return it == selectores_.end() ? nullptr : it->second;
}

QLabel* TPaginaComplementaria::Categoria(std::string_view texto) const {
    for (QLabel* l : {lblNiv3Cauc, lblNiv3Estr, lblNiv3Sedi, lblNiv3Fluj})
        if (l->text() == QTexto(texto)) return l;
    return nullptr;
}

void TPaginaComplementaria::tbshNivel3Show() {
    TDatosProblema& d = ventana_.Datos();
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->hide();
    for (const char* cabecera : {"lblNiv3Cate", "lblNiv3Para", "lblNiv3Valo", "lblNiv3Unid"})
        findChild<QLabel*>(cabecera)->show();
    btnN3->show();
    // The tab key follows the rows as they stand for this code.
    QWidget* anterior = nullptr;
    auto Encadenar = [&](QWidget* w) {
        if (anterior) setTabOrder(anterior, w);
        anterior = w;
    };
    for (const TFilaComplementaria& r : FilasComplementarias(d.CodiProb)) {
        const TFilaCampo& f = filas_.at(r.campo);
        if (const TCampo* c = BuscarCampo(r.campo)) f.etiqueta->setText(QTexto(EtiquetaCampo(*c, d.CodiProb)));
        UbicarFila(f.etiqueta, f.edit, f.unidad, r.fila, r.grupo);
        if (!r.categoria.empty()) UbicarControl(Categoria(r.categoria), r.fila, r.grupo);
        Encadenar(f.edit);
        if (r.selector) {
            UbicarControl(Selector(r.campo), r.fila, r.grupo);
            Encadenar(Selector(r.campo));
        }
    }
    Encadenar(btnN3);
    // The panel of the code, its slots plain, then (but for code 211) the
    // activation from the fields as they stand.
    MostrarComplementarios(d.CodiProb, ventana_.Textos(), ventana_.Panel());
    pnlFormActi->Dibujar();
}

void TPaginaComplementaria::btnN3Click() { ventana_.Calcular(); }

void TPaginaComplementaria::CampoCambiado(std::string_view campo) {
    const ProblemCode regla = CodigoDeCambio(campo, ventana_.Datos().CodiProb);
    if (regla == 0) return;
    AplicarEstado(EstadoFormulas(regla, ventana_.Textos()), ventana_.Panel());
    pnlFormActi->Dibujar();
}

void TPaginaComplementaria::bbtnSelectorClick(std::string_view campo) {
    const std::unique_ptr<TDialogoCoef> dialogo = CrearSelector(campo, &ventana_.Ventana(), ventana_.Datos().CodiProb);
    if (!dialogo || dialogo->exec() != QDialog::Accepted) return;
    PonerValorElegido(campo, dialogo->ValorElegido());
}

void TPaginaComplementaria::PonerValorElegido(std::string_view campo, const QString& valor) {
    QLineEdit* edit = filas_.at(campo).edit;
    // The exit compares the new value with this field's own value before
    // the picker replaced it (not with the field entered last, which may be
    // another one and would leave results of the old factor on show).  A
    // former text that is not a number counts as a change.
    const double antes = LeerNumeroComparable(edit->text().toStdString());
    edit->setText(valor);
    ventana_.Campos().Salir(edit, antes);
}

void TPaginaComplementaria::btnClick(int k) {
    for (std::string_view campo : CamposResaltados(ventana_.Datos().CodiProb, k))
        Colorear(filas_.at(campo).etiqueta, Qt::red);
    // Enabling a running timer does not restart it: every highlight made
    // within one period ends at the same tick.
    if (!Timer->isActive()) Timer->start();
}

void TPaginaComplementaria::TimerTimer() {
    const QColor normal = QGuiApplication::palette().color(QPalette::WindowText);
    for (const auto& [campo, fila] : filas_) Colorear(fila.etiqueta, normal);
    Timer->stop();
}

void TPaginaComplementaria::bbtnRangoClick(int k) {
    const TTablaRango* tabla = TablaRango(ventana_.Datos().CodiProb, k);
    if (!tabla) {
        MostrarMensaje(&ventana_.Ventana(), kMensajeSinRangos);
        return;
    }
    TfrmRango ventanaRango(*tabla, &ventana_.Ventana());
    ventanaRango.exec();
}
