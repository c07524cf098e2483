#include "results/untPaginaGrafico.h"

#include <algorithm>

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QValueAxis>
#include <QVBoxLayout>

#include "compute/untFormulas.h"

namespace {

// Red, green, dark purple, blue.
const QColor kColores[4] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(64, 0, 64), QColor(0, 0, 255)};

}  // namespace

TPaginaGrafico::TPaginaGrafico(QWidget* padre) : QWidget(padre) {
    setObjectName("tbshGrafico");
    chrtGrafico = new QChart;
    chrtGrafico->setObjectName("chrtGrafico");
    chrtGrafico->setTitle("Erosión instantánea en el tiempo");
    QFont titulo = chrtGrafico->titleFont();
    titulo.setBold(true);
    chrtGrafico->setTitleFont(titulo);
    chrtGrafico->legend()->setVisible(true);
    chrtGrafico->legend()->setAlignment(Qt::AlignBottom);

    ejeTiempo = new QValueAxis;
    ejeTiempo->setTitleText("tiempo (hs)");
    ejeErosion = new QValueAxis;
    ejeErosion->setTitleText("erosión (m)");
    chrtGrafico->addAxis(ejeTiempo, Qt::AlignBottom);
    chrtGrafico->addAxis(ejeErosion, Qt::AlignLeft);

    const TGrafico vacio;
    for (int k = 0; k < 4; ++k) {
        auto* s = new QLineSeries;
        s->setObjectName(QString("sr%1").arg(k + 1));
        s->setName(QString::fromStdString(vacio.series[k].titulo));
        QPen pluma(kColores[k]);
        pluma.setWidthF(1.5);
        s->setPen(pluma);
        s->setPointsVisible(false);
        chrtGrafico->addSeries(s);
        s->attachAxis(ejeTiempo);
        s->attachAxis(ejeErosion);
        series[k] = s;
    }

    vista_ = new QChartView(chrtGrafico, this);
    vista_->setObjectName("vistaGrafico");
    vista_->setRenderHint(QPainter::Antialiasing);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista_);
    Refrescar(vacio);
}

void TPaginaGrafico::Refrescar(const TGrafico& grafico) {
    double maxX = 0, maxY = 0;
    for (int k = 0; k < 4; ++k) {
        const TSerie& serie = grafico.series[k];
        QList<QPointF> puntos;
        puntos.reserve(qsizetype(serie.puntos.size()));
        for (const TPunto& p : serie.puntos) {
            puntos.append(QPointF(p.x, p.y));
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
        series[k]->replace(puntos);
        series[k]->setName(QString::fromStdString(serie.titulo));
    }
    // Both axes start at 0; an empty chart shows 0..1.
    ejeTiempo->setRange(0, maxX > 0 ? maxX : 1);
    ejeErosion->setRange(0, maxY > 0 ? maxY : 1);
    ejeTiempo->applyNiceNumbers();
    ejeErosion->applyNiceNumbers();
}
