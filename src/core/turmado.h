// turmado: the calculation core's one door for its front ends.
//
// The window (scour_gui), turmado-calc and the Python module include this
// header and no other core header.  It declares the front door itself (the
// solution of a problem, below) and gathers the parts of the core that a
// front end calls, so that the core can change behind it and a reader finds
// in one place what the front ends may use.  Qt-free; no global state: every
// call works on the values it is given, from any thread.
//
// The contract, topic by topic (each name is documented where it is
// declared):
//
//  Problem      TProblema: the wizard answers (codigo), the jet answer
//               (chorro), the roughness option (rugosidad) and the text of
//               every field (textos).  Files: LeerArchivoProblema,
//               EscribirArchivoProblema, CargarArchivoProblema (TArchivoProblema
//               with the results as saved).  Recovery copies and their locks:
//               untRecuperacion.
//  Fields       Campos(), BuscarCampo: caption, unit, default, bounds and
//               message of each field; TextoAceptado (the check on leaving a
//               field), TextoRechazado (the first rejected text of a problem),
//               EtiquetaCampo (a caption that depends on the problem code).
//  Types        TiposProblema(), TipoEstructura(codigo): one descriptor per
//               structure type with its title, formula slots and rows.
//  Wizard       RecorrerAsistente walks the answers one step at a time as the
//               window does: ElegirEstructura (phenomenon and obstacle),
//               ContinuarEstructura ("Continuar" on the structure page, with
//               the protection check and the next step), the jet answer
//               (CodificarChorro), MostrarComplementarios (complementary page
//               and formula panel).  CamposEstructura and FilasComplementarias
//               list each page's rows; CalcularCodigo/EntrarEnPagina give the
//               code of a page's level, and nothing else writes it.
//  Results      Resolver (below): the wizard walked, "Calcular", the results
//               rows, the record, the curves, the validity warnings and the
//               data warnings in one value; JsonSolucion writes it as the
//               JSON object of turmado-calc --json.  A window that keeps its own
//               record runs the same "Calcular" (Calcular in untCalcular.h)
//               and reads the warnings from AvisosRangos and AvisosDatos.
//  Report       ReporteDelProblema: both pages' texts from the problem, its
//               record and the observations; DisponerReporte lays them out.
//  Studies      Estudiar (a sweep of one field), EstudiarIncertidumbre,
//               EjecutarLote (a batch file, streamed, stable column keys),
//               Validar (formulas against measurements), DetalleCalculo.
//  Errors       ErrorTurmado: every failure carries its kind (TClaseError)
//               and the message for the user.  Resolver never throws it: it
//               hands it back in the solution.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The number syntax, the hydraulic toolkit, texts from outside made safe to
// show, the error type.
#include "general/untError.h"
#include "general/untGeneral.h"
#include "general/untMostrable.h"
#include "general/untNumero.h"

// The problem: record, codes and wizard, field catalogue, page rows, formula
// activation and panel, files, recovery copies, structure types.
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

// What is built on computed problems: validity and data warnings, report,
// chart texts, detail, sweep, batch, uncertainty and validation studies, the
// problem library, tables as workbooks.
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

// ---- The solution of a problem: one road from the answers and texts to
// everything a front end shows.

struct TOpcionesResolver {
    // Refuse first, as TClaseError::TextoRechazado, a text that its field
    // would reject ("<name>: <field's message>").  False when the caller has
    // checked the texts itself.
    bool comprobarTextos = true;
    // The points of the evolution curves (grafico.series); without them the
    // chart's series keep their titles and no points.
    bool curvas = true;
};

struct TSolucion : TResultado {
    // Per formula slot 1 to 4 (index k - 1), the record against the range
    // tables of the slot's formula; read it with the panel's Activa(k).
    TAvisos validez{};
    // The implausible data of the problem, one warning per field at most.
    std::vector<TAvisoDato> datos;
    // What stopped the road, when something did: its kind and message.  The
    // rest of the solution then holds what was reached before (the messages
    // of the way included); the warnings are left empty.
    std::optional<ErrorTurmado> fallo;
};

// The wizard walked for the problem's answers (RecorrerAsistente), then
// "Calcular", the results rows and the warnings.  Throws nothing of its own
// (std::bad_alloc and the like pass through): a failure is the solution's
// `fallo`.
TSolucion Resolver(const TProblema& problema, const TOpcionesResolver& opciones = {});

// The solution as one JSON object, two-space indented, as turmado-calc
// --json prints it and the page's resolver returns it: codigo, titulo,
// filas, ranuras, series, mensajes, avisos, datos, registro (every number of
// the record at full precision) and detalle.
std::string JsonSolucion(const TProblema& problema, const TSolucion& s);

// The figures of a validation as turmado-calc --validar --json prints them:
// {"validacion": {casos, rechazados, formulas}}, two-space indented.
std::string JsonValidacion(const TValidacion& v, const std::vector<TEstadistica>& estadisticas);
