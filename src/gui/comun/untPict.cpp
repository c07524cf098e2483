#include "comun/untPict.h"

#include <algorithm>
#include <iterator>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "comun/untPantalla.h"

namespace {

struct TDatosImagen {
    const char* nombre;
    const char* titulo;
    const char* recurso;
};

// In the order of TImagen.
const TDatosImagen kImagenes[] = {
    {"PictPVC1", "Problema del vórtice confinado (vista en corte)", "PictPVC1.svg"},
    {"PictPVC2", "Problema del vórtice confinado (vista en corte)", "PictPVC2.svg"},
    {"PictPEn", "Problema del escalón (vista en corte)", "PictPEn.svg"},
    {"PictPCZ", "Problema del chorro zambullido (vista en corte)", "PictPCZ.svg"},
    {"PictPAC", "Problema de la alcantarilla ancha (vista en corte)", "PictPAC.svg"},
    {"PictPEs1", "Problema del estribo/espigón (vista en planta)", "PictPEs1.svg"},
    {"PictPES2", "Problema del estribo/espigón (vista en planta)", "PictPES2.svg"},
    {"PictPEP", "Problema del espigón/estribo protegido (vista en planta)", "PictPEP.svg"},
    {"PictPPi", "Problema de la pila (vista en corte)", "PictPPi.svg"},
    {"PictPAG", "Problema de la alcantarilla angosta (vista en planta)", "PictPAG.svg"},
};
static_assert(std::size(kImagenes) == std::size_t(TImagen::PAG) + 1);

const TDatosImagen& Datos(TImagen imagen) { return kImagenes[int(imagen)]; }

// The multiple-document area of the child window that holds `w`.
QMdiArea* AreaDe(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return sub->mdiArea();
    return nullptr;
}

}  // namespace

QString NombreImagen(TImagen imagen) { return Datos(imagen).nombre; }

std::optional<TImagen> ImagenDeNombre(std::string_view nombre) {
    for (std::size_t i = 0; i < std::size(kImagenes); ++i)
        if (nombre == kImagenes[i].nombre) return TImagen(i);
    return std::nullopt;
}
QString TituloImagen(TImagen imagen) { return QString::fromUtf8(Datos(imagen).titulo); }
QString RecursoImagen(TImagen imagen) { return QString(":/imagenes/") + Datos(imagen).recurso; }

QIcon IconoImagen(TImagen imagen, QSize tamano, qreal escala) {
    QSvgRenderer dibujo(RecursoImagen(imagen));
    QPixmap mapa(tamano * escala);
    mapa.setDevicePixelRatio(escala);
    mapa.fill(Qt::transparent);
    const QSizeF cabe = QSizeF(dibujo.defaultSize()).scaled(QSizeF(tamano), Qt::KeepAspectRatio);
    const QPointF esquina((tamano.width() - cabe.width()) / 2, (tamano.height() - cabe.height()) / 2);
    QPainter p(&mapa);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    dibujo.render(&p, QRectF(esquina, cabe));
    p.end();
    return QIcon(mapa);
}

TfrmPict::TfrmPict(TImagen imagen, QWidget* padre)
    : QWidget(padre), imagen_(imagen), dibujo_(new QSvgRenderer(RecursoImagen(imagen), this)) {
    setObjectName("frm" + NombreImagen(imagen));
    setWindowTitle(TituloImagen(imagen));
    setAttribute(Qt::WA_DeleteOnClose);
    // The drawing at its size, never narrower than the title.
    setFixedSize(std::max(sizeHint().width(), AnchoParaTitulo(this)), sizeHint().height());
}

QSize TfrmPict::sizeHint() const { return dibujo_->defaultSize(); }

void TfrmPict::paintEvent(QPaintEvent*) {
    // At its own size, centred across a window widened for its title.
    QPainter p(this);
    const QSizeF tamano = QSizeF(sizeHint()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    dibujo_->render(&p, QRectF(QPointF((width() - tamano.width()) / 2, (height() - tamano.height()) / 2), tamano));
}

TfrmPict* AbrirImagen(QWidget* desde, TImagen imagen, QWidget* dueno) {
    QMdiArea* area = AreaDe(desde);
    if (!area) return nullptr;
    for (QMdiSubWindow* s : area->subWindowList()) {
        auto* abierta = qobject_cast<TfrmPict*>(s->widget());
        if (abierta && abierta->Imagen() == imagen) return nullptr;
    }
    auto* pict = new TfrmPict(imagen);
    QMdiSubWindow* sub =
        area->addSubWindow(pict, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                     Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->adjustSize();
    // Centred in the area, its title bar kept inside; moved down and right
    // past any other window already there, so that none hides another.
    const QRect r = area->viewport()->rect();
    QPoint sitio(std::max(0, (r.width() - sub->width()) / 2), std::max(0, (r.height() - sub->height()) / 2));
    const auto hijas = area->subWindowList();
    while (std::any_of(hijas.begin(), hijas.end(), [&](QMdiSubWindow* s) { return s != sub && s->pos() == sitio; }))
        sitio += QPoint(24, 24);
    sub->move(sitio);
    if (dueno) QObject::connect(dueno, &QObject::destroyed, sub, &QWidget::close);
    sub->show();
    return pict;
}
