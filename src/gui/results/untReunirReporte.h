// "Reporte" of the results page: the observations, then the print preview of
// the report built from the texts the calculation window shows at the moment
// of the press.
#pragma once

#include <optional>

#include <QString>

#include "turmado.h"

class IVentanaProblema;

// The report's texts, built by the core (ReporteDelProblema) from what the
// window holds at this moment: its record, formula panel, the fields' texts
// as typed, the roughness option, whether the results are on show and the
// chart page's view; dated today; with `detalle`, the pages of the
// calculation detail too; with `incertidumbre`, the page of the uncertainty
// study EstudioIncertidumbre finds.
TTextosReporte TextosReporte(IVentanaProblema& ventana, std::optional<QString> observaciones, bool detalle = false,
                             bool incertidumbre = false);

// The report page of the latest study computed in an open "Incertidumbre"
// window of this calculation window whose problem is still the window's
// own; none when there is no such study.
std::optional<TReporteIncertidumbre> EstudioIncertidumbre(IVentanaProblema& ventana, std::string fecha);

// Asks the observations ("Ingrese Observaciones", the box holding
// `observaciones`, the problem's so far) and whether to include the
// calculation detail and the uncertainty study, then shows the preview of
// the report and returns when it is closed.  OK keeps the box's text in
// `observaciones` (none when empty; a change marks the window changed);
// "Cancelar" shows no report and keeps nothing.
void MostrarReporte(IVentanaProblema& ventana, std::optional<QString>& observaciones);
