#include "app/untProbDesc.h"

#include <iterator>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "comun/untPict.h"

namespace {

// A page: its name, caption, and one or two paragraphs, each in its own label.
struct TPaginaDesc {
    const char* nombre;
    const char* titulo;
    const char* texto;
    const char* segundo;
};

const TPaginaDesc kPaginas[] = {
    {"tbshMecaGene", "Mecanismo general",
     "La presencia de estructuras hidráulicas en una corriente de agua produce, generalmente, perturbaciones en el "
     "flujo del tipo de una contracción seguida de una expansión (C/E), con la consiguiente generación de "
     "estructuras turbulentas",
     "coherentes, que son las responsables del proceso de erosión local."},
    {"tbshFenoDomi", "Fenómeno dominante",
     "En términos generales, la C/E se puede dar tanto en el plano vertical como en el horizontal. Se propone como "
     "metodología establecer si el fenómeno dominante se da en uno de los dos planos o en ambos al mismo tiempo.",
     "A continuación se debe especificar donde se ubica el obstáculo que representa la estructura (fondo o "
     "superficie, orilla o interior) y si existe o no protección de fondo"},
    {"tbshCEVert", "C/E Vertical",
     "La C/E en el plano vertical se puede originar en variaciones del nivel del fondo (umbrales, escalones) o en "
     "estructuras que penetran a través de la superficie libre (compuertas, alcantarillas anchas).",
     nullptr},
    {"tbshCEHori", "C/E Horizontal",
     "La C/E en el plano horizontal se puede originar en protuberancias de la costa (estribos, espigones) o en "
     "obstrucciones en el interior del cauce (pilas de puentes).",
     nullptr},
    {"tbshCEVertHori", "C/E Vertical/Horizontal",
     "La C/E simultánea en ambos planos se puede originar en orificios (alcantarillas angostas) o en estructuras "
     "combinadas de fondo/superficie con protuberancias/obstrucciones (umbrales y espigones, escalones y pilas).",
     nullptr},
    {"tbshProblTipo", "Problema Tipo",
     "Identificado el fenómeno dominante, el cálculo de la profundidad máxima de erosión se efectúa asimilando el "
     "problema bajo análisis a un problema tipo para el cual se dispone de una o más fórmulas de estimación de esa "
     "profundidad.",
     "Los ocho problemas tipo considerados son los siguientes:"},
};

// The list of "Problema Tipo": each problem with the pictures of its buttons.
struct TProblemaDesc {
    const char* texto;
    std::initializer_list<TImagen> imagenes;
};

const TProblemaDesc kProblemas[] = {
    {"Problema del vórtice confinado", {TImagen::PVC1, TImagen::PVC2}},
    {"Problema del escalón", {TImagen::PEn}},
    {"Problema del chorro zambullido", {TImagen::PCZ}},
    {"Problema de la alcantarilla ancha", {TImagen::PAC}},
    {"Problema del estribo/espigón", {TImagen::PEs1, TImagen::PES2}},
    {"Problema del estribo/espigón protegido", {TImagen::PEP}},
    {"Problema de la pila", {TImagen::PPi}},
    {"Problema de la alcantarilla angosta", {TImagen::PAG}},
};

// The picture buttons: each shows its drawing small, whole.
constexpr QSize kMiniatura(30, 20);
constexpr QSize kBoton(34, 24);

QLabel* Parrafo(const char* texto, QWidget* pagina) {
    auto* l = new QLabel(QString::fromUtf8(texto), pagina);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

TfrmProbDesc::TfrmProbDesc(QWidget* padre) : QWidget(padre), menu_(new TMenuHijo(this)) {
    setObjectName("frmProbDesc");
    setWindowTitle("Descripción de la metodología de cálculo");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(4, 4, 4, 4);
    pgDescripcion = new QTabWidget(this);
    pgDescripcion->setObjectName("pgDescripcion");
    capa->addWidget(pgDescripcion);
    for (const TPaginaDesc& p : kPaginas) {
        auto* pagina = new QWidget;
        pagina->setObjectName(p.nombre);
        auto* c = new QVBoxLayout(pagina);
        c->setSpacing(8);
        c->addWidget(Parrafo(p.texto, pagina));
        if (p.segundo) c->addWidget(Parrafo(p.segundo, pagina));
        if (&p == &kPaginas[std::size(kPaginas) - 1]) {
            auto* lista = new QGridLayout;
            lista->setContentsMargins(12, 0, 0, 0);
            lista->setVerticalSpacing(2);
            lista->setColumnStretch(3, 1);
            int fila = 0;
            for (const TProblemaDesc& problema : kProblemas) {
                lista->addWidget(new QLabel(QString::fromUtf8(problema.texto), pagina), fila, 0);
                int columna = 1;
                for (TImagen imagen : problema.imagenes) {
                    auto* b = new QPushButton(pagina);
                    b->setObjectName(QString("bbtn") + NombreImagen(imagen));
                    b->setFixedSize(kBoton);
                    b->setIconSize(kMiniatura);
                    b->setIcon(IconoImagen(imagen, kMiniatura, devicePixelRatioF()));
                    b->setToolTip(TituloImagen(imagen));
                    connect(b, &QPushButton::clicked, this, [this, imagen] { AbrirImagen(this, imagen, this); });
                    lista->addWidget(b, fila, columna++);
                    botones_ << b;
                }
                ++fila;
            }
            c->addLayout(lista);
        }
        c->addStretch(1);
        pgDescripcion->addTab(pagina, QString::fromUtf8(p.titulo));
    }
}
