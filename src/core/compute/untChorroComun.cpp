#include "compute/untChorroComun.h"

#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "problem/untDatos.h"

namespace {
// Relative turbulence intensity below a jet.
constexpr double kInteRelaTurbChorro = 1.5;
}  // namespace

void EntradaEscalon(TDatosProblema& d, const TTextosCampos& t, const TPanelFormulas&) {
    d.PEn.SediDiam90N3 = Guardar(static_cast<Ext>(LeerCampo(t, "SediDiam90N3")) / 1000);
    d.PEn.SediAnguRepo = LeerCampo(t, "SediAnguRepo");
    d.PEn.FlujDifeCargRest = LeerCampo(t, "FlujDifeCargRest");
    d.PEn.FlujAnguChorSupeLibr = LeerCampo(t, "FlujAnguChorSupeLibr");
}

void PreparacionEscalon(TDatosProblema& d, const TPanelFormulas&) {
    d.PEn.ChorVelo = Guardar(Raiz(2 * static_cast<Ext>(d.PEn.FlujDifeCargRest) * d.ForzAcelGrav));
    d.PEn.OutpInteRelaTurb = kInteRelaTurbChorro;
}
