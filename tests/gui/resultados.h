// A problem classified and computed through the window's own controls or
// opened as from a file, and the results page as a user reads it: the
// visible rows from top to bottom.
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

// Phenomenon and obstacle through the wizard (only the phenomenon when
// obst < 0), the texts "Campo=texto;..." into their fields, "Continuar" on
// the structure page, the jet answer when it is asked (chorro >= 0): the
// user's clicks, stopping before "Calcular".
inline void Clasificar(TfrmProbTipo& v, int feno, int obst, const QString& textos = {}, int chorro = -1) {
    v.tbshNivel0->btnN0->click();
    v.rg0->Item(feno)->click();
    v.btnContAfue01->click();
    auto escribir = [&] {
        for (const QString& par : textos.split(';', Qt::SkipEmptyParts)) {
            const QStringList p = par.split('=');
            v.Campo(p[0].toStdString())->setText(p.value(1));
        }
    };
    if (obst < 0) return escribir();
    v.tbshNivel1->btnN1->click();
    TGrupoRadio* grupo = feno == 0 ? v.rg00 : feno == 1 ? v.rg01 : v.rg02;
    grupo->Item(obst)->click();
    v.btnContAfue12->click();
    escribir();
    v.tbshNivel2->btnN2->click();
    if (chorro >= 0) {
        v.rg000->Item(chorro)->click();
        v.btnContAfue23->click();
    }
}

// "Calcular" on the complementary page, unless the window computed at once
// (protected abutment) or stopped before it.
inline void CalcularSiFalta(TfrmProbTipo& v) {
    if (v.pgReplanteo->currentIndex() == TfrmProbTipo::kComplementaria) v.tbshNivel3->btnN3->click();
}

// Clasificar, then "Calcular" unless the window computed at once.
inline void ClasificarYCalcular(TfrmProbTipo& v, int feno, int obst, const QString& textos = {},
                                int chorro = -1) {
    Clasificar(v, feno, obst, textos, chorro);
    CalcularSiFalta(v);
}

// The problem that Clasificar's arguments give on this window: its texts
// and roughness option with `textos` over them.
inline TProblema ProblemaDe(const TfrmProbTipo& v, int feno, int obst, const QString& textos = {},
                            int chorro = -1) {
    TProblema p;
    p.codigo = obst < 0 ? feno + 1 : 10 * (feno + 1) + obst + 1;
    if (chorro >= 0) p.chorro = chorro;
    p.rugosidad = !v.OpcionManning();
    p.textos = v.Textos();
    for (const QString& par : textos.split(';', Qt::SkipEmptyParts)) {
        const QStringList t = par.split('=');
        p.textos[t[0].toStdString()] = t.value(1).toStdString();
    }
    return p;
}

// The same problem as ClasificarYCalcular reached the way an opened file
// is, by the core's walk of the wizard with no clicks, then "Calcular"
// unless the window computed at once: for tests that need a computed
// window and not the user's road to it.
inline void AbrirYCalcular(TfrmProbTipo& v, int feno, int obst, const QString& textos = {}, int chorro = -1) {
    v.CargarProblema(ProblemaDe(v, feno, obst, textos, chorro));
    CalcularSiFalta(v);
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
