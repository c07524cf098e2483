// "Grafico": the chart "Erosión instantánea en el tiempo" with the four
// series of the formula slots, copied from the window's chart model.
#pragma once

#include <array>

#include <QWidget>

struct TGrafico;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

class TPaginaGrafico : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaGrafico(QWidget* padre = nullptr);

    QChart* chrtGrafico;
    std::array<QLineSeries*, 4> series;  // sr1 .. sr4
    QValueAxis* ejeTiempo;
    QValueAxis* ejeErosion;

    // Replaces each series by the model's points in one call, sets its title
    // and fits both axes (from 0) to the data.
    void Refrescar(const TGrafico& grafico);

private:
    QChartView* vista_;
};
