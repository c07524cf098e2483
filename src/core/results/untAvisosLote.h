// The warnings of a computed case as cells of a batch line: per formula slot
// the validity state of its data, then the warnings on implausible data.
#pragma once

#include <string>
#include <vector>

#include "problem/untProblema.h"
#include "results/untAvisosDatos.h"
#include "results/untResolver.h"

// Names of the columns with captions (--columnas textos): "validez1" ...
// "validez4", "avisos_datos".
std::vector<std::string> ColumnasAvisosLote();

// The cells of those columns for a case: each slot's state as turmado-calc
// names it ("calibracion", "validacion", "fuera", "sin_rangos", "no_aplicable",
// "sin_erosion"; every slot
// has one, as under "avisos" of --json), then the data warnings joined with
// " | " (empty when there is none), `otros` after those of the rules.
std::vector<std::string> CeldasAvisosLote(const TProblema& p, const TResultado& r,
                                          const std::vector<TAvisoDato>& otros = {});
