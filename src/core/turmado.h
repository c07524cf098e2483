// The one door of the calculation core for its front ends: the window
// (scour_gui), turmado-calc and the Python module include this header and no
// other core header.  It holds no code of its own: it gathers the parts of
// the core that a front end uses, so that the core can change behind it and
// a reader finds in one place what the front ends may call.  Qt-free.
#pragma once


// The number syntax, the hydraulic toolkit, texts from outside made safe to show.
#include "general/untGeneral.h"
#include "general/untMostrable.h"
#include "general/untNumero.h"

// The problem: record, codes and wizard, field catalogue, page rows, formula activation and panel, files, recovery copies.
#include "problem/untActivacion.h"
#include "problem/untArchivo.h"
#include "problem/untAsistente.h"
#include "problem/untCampos.h"
#include "problem/untCodigo.h"
#include "problem/untCoeficientes.h"
#include "problem/untContinuar.h"
#include "problem/untDatos.h"
#include "problem/untFilasEstructura.h"
#include "problem/untFormulas.h"
#include "problem/untInvalidar.h"
#include "problem/untProblema.h"
#include "problem/untRecuperacion.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// "Calcular" and the keys of the results rows.
#include "compute/untCalcular.h"
#include "compute/untClaves.h"
#include "compute/untFilas.h"

// What is built on computed problems: the resolver, validity and data warnings, report, chart texts, detail, sweep, batch, uncertainty and validation studies, the problem library, tables as workbooks.
#include "results/untArchivoSalida.h"
#include "results/untAvisos.h"
#include "results/untAvisosDatos.h"
#include "results/untBarrido.h"
#include "results/untBiblioteca.h"
#include "results/untDetalle.h"
#include "results/untGraficoTexto.h"
#include "results/untIncertidumbre.h"
#include "results/untIncertidumbreAnalisis.h"
#include "results/untIncertidumbreLote.h"
#include "results/untLibro.h"
#include "results/untLote.h"
#include "results/untPendientes.h"
#include "results/untRangos.h"
#include "results/untReporte.h"
#include "results/untResolver.h"
#include "results/untValidacion.h"
