#include "app/untIntro.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

// Height of the caption bar drawn at the top of the window; the contents
// sit below it.
constexpr int kAltoTitulo = 22;

QLabel* Linea(QWidget* padre, const char* nombre, const QString& texto, QRect r, int puntos, bool negrita,
              bool cursiva, Qt::Alignment alineacion = Qt::AlignHCenter | Qt::AlignTop) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->setGeometry(r.translated(0, kAltoTitulo));
    QFont f("Arial", puntos);
    f.setBold(negrita);
    f.setItalic(cursiva);
    l->setFont(f);
    l->setAlignment(alineacion);
    l->setWordWrap(true);
    return l;
}

}  // namespace

// Without a frame from the window manager, which may add buttons whatever
// the hints ask (openbox draws minimise, maximise and close on any titled
// window): the window draws its caption bar, without buttons, and its border.
TfrmIntro::TfrmIntro(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("frmIntro");
    setWindowTitle("NORVA - TURMADO - QUENFOR S.A.");
    setFixedSize(460, kAltoTitulo + 392);

    auto* borde = new QFrame(this);
    borde->setObjectName("bvlBorde");
    borde->setFrameShape(QFrame::Box);
    borde->setGeometry(rect());
    auto* titulo = new QLabel(windowTitle(), this);
    titulo->setObjectName("lblTitulo");
    titulo->setGeometry(1, 1, width() - 2, kAltoTitulo - 2);
    titulo->setAlignment(Qt::AlignCenter);
    titulo->setAutoFillBackground(true);
    titulo->setBackgroundRole(QPalette::Highlight);
    titulo->setForegroundRole(QPalette::HighlightedText);
    QFont negrita = titulo->font();
    negrita.setBold(true);
    titulo->setFont(negrita);

    const auto izq = Qt::AlignLeft | Qt::AlignVCenter;
    Linea(this, "lblNorva", "NORVA", {20, 14, 72, 22}, 14, true, true, izq);
    Linea(this, "lblFamilia", "Normativa de Obras en Ríos y Valles Aluviales - QUENFOR S.A.", {100, 14, 350, 22},
          8, false, true, izq);

    Linea(this, "lblTurmado", "TURMADO", {20, 58, 260, 48}, 30, true, false, izq);
    imgIntro = new QLabel(this);
    imgIntro->setObjectName("imgIntro");
    imgIntro->setGeometry(304, kAltoTitulo + 44, 136, 96);
    imgIntro->setFrameShape(QFrame::Box);
    imgIntro->setScaledContents(true);
    imgIntro->setPixmap(QPixmap(":/imagenes/intro.jpg"));

    Linea(this, "lblModulo",
          "Módulo de cálculo de la erosión local junto a estructuras hidráulicas en cauces de lecho móvil",
          {20, 154, 420, 36}, 10, true, false);

    Linea(this, "lblVersion", "Versión 1.1", {20, 200, 420, 16}, 9, false, false);
    Linea(this, "lblAnio", "Año 2003", {20, 218, 420, 16}, 9, false, false);
    Linea(this, "lblDesarrollo", "Desarrollo: Área de Ingeniería Fluvial de QUENFOR S.A.", {20, 236, 420, 16}, 9,
          false, false);

    Linea(this, "lblEmpresa",
          "Consultoría en hidráulica fluvial, estudios de erosión y socavación, y proyecto de obras de "
          "protección de cauces y márgenes.",
          {20, 264, 420, 32}, 9, false, true);
    Linea(this, "lblDireccion", "Calle del Vertedero 417 - Villa Ribera", {20, 304, 420, 16}, 8, false,
          false);
    Linea(this, "lblContacto", "Tel.: 555-0142 - consultas@quenfor.example", {20, 320, 420, 16}, 8, false,
          false);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(186, kAltoTitulo + 350, 88, 28);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmIntro::BitBtn1Click);
}

void TfrmIntro::Mostrar(QWidget* owner) {
    TfrmIntro intro(owner);
    intro.exec();
}

void TfrmIntro::BitBtn1Click() { accept(); }

void TfrmIntro::showEvent(QShowEvent* e) {
    // Centred on the screen, whatever the owner.
    if (QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(pantalla->availableGeometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(e);
}
