#include "app/untProbDesc.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct TPaginaDesc {
    const char* nombre;
    const char* titulo;
    const char* texto;
};

const TPaginaDesc kPaginas[] = {
    {"tbshMecaGene", "Mecanismo general",
     "La presencia de estructuras hidráulicas en una corriente de agua produce, generalmente, perturbaciones en el "
     "flujo del tipo de una contracción seguida de una expansión (C/E), con la consiguiente generación de "
     "estructuras turbulentas\n\ncoherentes, que son las responsables del proceso de erosión local."},
    {"tbshFenoDomi", "Fenómeno dominante",
     "En términos generales, la C/E se puede dar tanto en el plano vertical como en el horizontal. Se propone como "
     "metodología establecer si el fenómeno dominante se da en uno de los dos planos o en ambos al mismo "
     "tiempo.\n\nA continuación se debe especificar donde se ubica el obstáculo que representa la estructura "
     "(fondo o superficie, orilla o interior) y si existe o no protección de fondo"},
    {"tbshCEVert", "C/E Vertical",
     "La C/E en el plano vertical se puede originar en variaciones del nivel del fondo (umbrales, escalones) o en "
     "estructuras que penetran a través de la superficie libre (compuertas, alcantarillas anchas)."},
    {"tbshCEHori", "C/E Horizontal",
     "La C/E en el plano horizontal se puede originar en protuberancias de la costa (estribos, espigones) o en "
     "obstrucciones en el interior del cauce (pilas de puentes)."},
    {"tbshCEVertHori", "C/E Vertical/Horizontal",
     "La C/E simultánea en ambos planos se puede originar en orificios (alcantarillas angostas) o en estructuras "
     "combinadas de fondo/superficie con protuberancias/obstrucciones (umbrales y espigones, escalones y pilas)."},
    {"tbshProblTipo", "Problema Tipo",
     "Identificado el fenómeno dominante, el cálculo de la profundidad máxima de erosión se efectúa asimilando el "
     "problema bajo análisis a un problema tipo para el cual se dispone de una o más fórmulas de estimación de esa "
     "profundidad.\n\nLos ocho problemas tipo considerados son los siguientes:"},
};

}  // namespace

TfrmProbDesc::TfrmProbDesc(QWidget* padre) : QWidget(padre), menu_(new TMenuHijo(this)) {
    setObjectName("frmProbDesc");
    setWindowTitle("Descripción de la metodología de cálculo");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(529, 351);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(4, 4, 4, 4);
    pgDescripcion = new QTabWidget(this);
    pgDescripcion->setObjectName("pgDescripcion");
    capa->addWidget(pgDescripcion);
    for (const TPaginaDesc& p : kPaginas) {
        auto* pagina = new QWidget;
        pagina->setObjectName(p.nombre);
        auto* c = new QVBoxLayout(pagina);
        auto* texto = new QLabel(QString::fromUtf8(p.texto), pagina);
        texto->setWordWrap(true);
        texto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        c->addWidget(texto);
        pgDescripcion->addTab(pagina, QString::fromUtf8(p.titulo));
    }
}
