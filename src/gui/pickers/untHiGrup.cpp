#include "pickers/untHiGrup.h"

#include <QButtonGroup>
#include <QPainter>
#include <QRadioButton>

#include "comun/untTablaDialogo.h"
#include "comun/untTexto.h"
#include "turmado.h"

namespace {

// Two piers drawn as circles, in the arrangement of a row, farther apart
// for the wider spacings of the row's group.
class TCroquisPilas : public QWidget {
public:
    TCroquisPilas(TDistribucion distribucion, int separacion, QWidget* padre)
        : QWidget(padre), distribucion_(distribucion), separacion_(separacion) {
        setFixedSize(72, 44);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1.2));
        p.setBrush(palette().color(QPalette::Mid));
        constexpr double r = 5;
        const double d = 2 * r + 4 + 8 * separacion_;  // centre to centre
        const QPointF c = QRectF(rect()).center();
        QPointF paso;
        switch (distribucion_) {
            case TDistribucion::Alineadas: paso = {d / 2, 0}; break;
            case TDistribucion::Diagonal: paso = {d / 2.8, d / 2.8 * 0.6}; break;
            case TDistribucion::Superpuestas: paso = {0, std::min(d / 2, 16.0)}; break;
        }
        p.drawEllipse(c - paso, r, r);
        p.drawEllipse(c + paso, r, r);
    }

private:
    TDistribucion distribucion_;
    int separacion_;  // 0, 1, 2 within the group of three rows
};

}  // namespace

TfrmHiGrup::TfrmHiGrup(QWidget* dueno) : TDialogoCoef(dueno) {
    setObjectName("frmHiGrup");
    setWindowTitle(kTituloHiGrup);
    auto* grupo = new QButtonGroup(this);
    grupo->setExclusive(true);

    auto* t = new TTablaEtiquetas(this);
    const auto columnas = ColumnasHiGrup();
    for (int c = 0; c < int(columnas.size()); ++c) t->Cabecera(QTexto(columnas[c]), 0, c);
    const auto filas = FilasHiGrup();
    const int n = int(filas.size());
    for (int f = 0; f < n; ++f) {
        const TFilaGrupo& fila = filas[f];
        t->Control(new TCroquisPilas(fila.distribucion, f % 3, this), f + 1, 0);
        t->Celda(QTexto(fila.espaciamiento), f + 1, 1);
        for (int lado = 0; lado < 2; ++lado) {
            const int numero = f + 1 + lado * n;
            auto* b = new QRadioButton(QTexto(ValorGrupo(numero)), this);
            b->setObjectName("rb" + QString::number(numero));
            grupo->addButton(b, numero);
            rb_[numero - 1] = b;
            t->Control(b, f + 1, 2 + lado);
        }
    }
    DisponerDialogo(this, t, true);
    CentrarEnPantalla(this);
}

QString TfrmHiGrup::ValorElegido() const {
    for (int n = 1; n <= int(rb_.size()); ++n)
        if (rb_[n - 1]->isChecked()) return QTexto(ValorGrupo(n));
    return {};
}
