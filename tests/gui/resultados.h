// A problem classified and computed through the window's own controls, and
// the results page as a user reads it: the visible rows from top to bottom.
#pragma once

#include <algorithm>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QTabWidget>

#include "compute/untFilas.h"
#include "comun/untGrupoRadio.h"
#include "pickers/untPaginaComplementaria.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "results/untPaginaResultados.h"

// Phenomenon and obstacle through the wizard, the texts "Campo=texto;..."
// into their fields, "Continuar" on the structure page, the jet answer when
// it is asked (chorro >= 0), then "Calcular" unless the window computed at
// once (protected abutment).
inline void ClasificarYCalcular(TfrmProbTipo& v, int feno, int obst, const QString& textos = {},
                                int chorro = -1) {
    v.tbshNivel0->btnN0->click();
    v.rg0->Item(feno)->click();
    v.btnContAfue01->click();
    v.tbshNivel1->btnN1->click();
    TGrupoRadio* grupo = feno == 0 ? v.rg00 : feno == 1 ? v.rg01 : v.rg02;
    grupo->Item(obst)->click();
    v.btnContAfue12->click();
    for (const QString& par : textos.split(';', Qt::SkipEmptyParts)) {
        const QStringList p = par.split('=');
        v.Campo(p[0].toStdString())->setText(p.value(1));
    }
    v.tbshNivel2->btnN2->click();
    if (chorro >= 0) {
        v.rg000->Item(chorro)->click();
        v.btnContAfue23->click();
    }
    if (v.pgReplanteo->currentIndex() == TfrmProbTipo::kComplementaria) v.tbshNivel3->btnN3->click();
}

struct TFilaVista {
    QString tallo, etiqueta, valor, unidad;
    int y;  // top of the caption label
};

inline std::vector<TFilaVista> FilasVistas(const TPaginaResultados& p) {
    std::vector<TFilaVista> filas;
    for (const TFila& f : FilasDeLaPagina()) {
        const TFilaCampo& c = p.Fila(f.tallo);
        if (!c.edit->isVisibleTo(&p)) continue;
        filas.push_back({QString::fromStdString(f.tallo), c.etiqueta->text(), c.edit->text(), c.unidad->text(),
                         c.etiqueta->y()});
    }
    std::sort(filas.begin(), filas.end(), [](const TFilaVista& a, const TFilaVista& b) { return a.y < b.y; });
    return filas;
}

// "caption=value" of every visible row, top to bottom.
inline QStringList TextosVistos(const TPaginaResultados& p) {
    QStringList t;
    for (const TFilaVista& f : FilasVistas(p)) t << f.etiqueta + "=" + f.valor;
    return t;
}
