#include "results/untPanelFormulas.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "turmado.h"

namespace {

constexpr int kMargen = 8;
constexpr int kPrimera = 24;  // top of btn1
constexpr int kPaso = 28;     // from one entry to the next
constexpr int kAnchoBoton = 196, kAltoBoton = 25;
constexpr int kLado = 25;     // range buttons are square

int TopeBoton(int k) { return kPrimera + kPaso * (k - 1); }

}  // namespace

TPanelFormActi::TPanelFormActi(const TPanelFormulas& modelo, QWidget* padre) : QFrame(padre), modelo_(modelo) {
    setObjectName("pnlFormActi");
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setFixedWidth(kMargen + kAnchoBoton + 6 + kLado + kMargen);
    lbl0 = new QLabel("Fórmulas activas", this);
    lbl0->setObjectName("lbl0");
    lbl0->setGeometry(kMargen, 4, kAnchoBoton, 16);
    for (int k = 1; k <= 4; ++k) {
        const QString n = QString::number(k);
        QPushButton* b = btn[k - 1] = new QPushButton(this);
        b->setObjectName("btn" + n);
        b->setGeometry(kMargen, TopeBoton(k), kAnchoBoton, kAltoBoton);
        // The label lies inside the button: a click on it is not taken by
        // the label and reaches the button, which runs the same handler.
        QLabel* l = lbl[k - 1] = new QLabel(b);
        l->setObjectName("lbl" + n);
        l->setGeometry(4, 3, kAnchoBoton - 8, kAltoBoton - 6);
        l->setAlignment(Qt::AlignCenter);
        QToolButton* r = bbtnRango[k - 1] = new QToolButton(this);
        r->setObjectName("bbtnRango" + n);
        r->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
        r->setToolTip("Rangos de calibración y validación");
        r->setGeometry(kMargen + kAnchoBoton + 6, TopeBoton(k), kLado, kLado);
        connect(b, &QPushButton::clicked, this, [this, k] { emit FormulaPulsada(k); });
        connect(r, &QToolButton::clicked, this, [this, k] { emit RangoPulsado(k); });
    }
    Dibujar();
}

void TPanelFormActi::Dibujar() {
    DibujarRanuras();
    setVisible(modelo_.visible);
}

void TPanelFormActi::DibujarRanuras() {
    int ultima = 1;
    for (int k = 1; k <= 4; ++k) {
        const TRanura& r = modelo_.Ranura(k);
        btn[k - 1]->setVisible(r.visible);
        bbtnRango[k - 1]->setVisible(r.visible);
        lbl[k - 1]->setText(QString::fromStdString(r.titulo));
        QFont f = lbl[k - 1]->font();
        f.setBold(r.activa);
        lbl[k - 1]->setFont(f);
        if (r.visible) ultima = k;
    }
    setFixedHeight(TopeBoton(ultima) + 32);
}

void TPanelFormActi::showEvent(QShowEvent* e) {
    QFrame::showEvent(e);
    // The results page may have changed a caption since the last redraw.
    DibujarRanuras();
}
