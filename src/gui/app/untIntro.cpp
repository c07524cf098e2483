#include "app/untIntro.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

QLabel* Linea(QWidget* padre, const char* nombre, const QString& texto, QRect r, int puntos, bool negrita,
              bool cursiva, Qt::Alignment alineacion = Qt::AlignHCenter | Qt::AlignTop) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->setGeometry(r);
    QFont f("Arial", puntos);
    f.setBold(negrita);
    f.setItalic(cursiva);
    l->setFont(f);
    l->setAlignment(alineacion);
    l->setWordWrap(true);
    return l;
}

}  // namespace

TfrmIntro::TfrmIntro(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("frmIntro");
    setWindowTitle("NORVA - TURMADO - QUENFOR S.A.");
    setFixedSize(460, 392);

    const auto izq = Qt::AlignLeft | Qt::AlignVCenter;
    Linea(this, "lblNorva", "NORVA", {20, 14, 72, 22}, 14, true, true, izq);
    Linea(this, "lblFamilia", "Normativa de Obras en Ríos y Valles Aluviales - QUENFOR S.A.", {100, 14, 350, 22},
          8, false, true, izq);

    Linea(this, "lblTurmado", "TURMADO", {20, 58, 260, 48}, 30, true, false, izq);
    imgIntro = new QLabel(this);
    imgIntro->setObjectName("imgIntro");
    imgIntro->setGeometry(304, 44, 136, 96);
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
    BitBtn1->setGeometry(186, 350, 88, 28);
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
