#include "problem/untContinuar.h"

namespace {

// Sets ProtEfec from the check and picks the next step.
TContinuacion Proteccion(TDatosProblema& d, bool suficiente, TSiguiente siSuficiente, TSiguiente siInsuficiente) {
    d.ProtEfec = suficiente ? 1 : 0;
    return {suficiente ? siSuficiente : siInsuficiente, !suficiente};
}

}  // namespace

TContinuacion ContinuarEstructura(TDatosProblema& d, const TTextosCampos& t) {
    using enum TSiguiente;
    d.FlujTiraRest = LeerCampo(t, "FlujTiraRest");
    switch (d.CodiProb) {
        case 11:
            d.Salto.EstrAltuSaltFond = LeerCampo(t, "EstrAltuSaltFond");
            d.Salto.EstrLongPlat = LeerCampo(t, "EstrLongPlat");
            return Proteccion(d, d.Salto.ProtSuficiente(), Complementarios, PreguntarChorro);
        case 12:
            d.Apertura.EstrAltuAper = LeerCampo(t, "EstrAltuAper");
            d.Apertura.EstrLongPlat = LeerCampo(t, "EstrLongPlat");
            return Proteccion(d, d.Apertura.ProtSuficiente(d.FlujTiraRest), Complementarios, Complementarios);
        case 21:
            d.Estribo.EstrLongEstr = LeerCampo(t, "EstrLongEstr");
            d.Estribo.EstrLongPlat = LeerCampo(t, "EstrLongPlat");
            d.Estribo.EstrAnchEstr = LeerCampo(t, "EstrAnchEstr");
            return Proteccion(d, d.Estribo.ProtSuficiente(d.FlujTiraRest), CalcularDirecto, Complementarios);
        case 22:
            d.Pila.EstrAnchPila = LeerCampo(t, "EstrAnchPila");
            d.Pila.EstrLongPila = LeerCampo(t, "EstrLongPila");
            return {Complementarios, false};
        case 31:
            d.Alcantarilla.EstrDiamAper = LeerCampo(t, "EstrDiamAper");
            d.Alcantarilla.EstrCantAper = LeerCampo(t, "EstrCantAper");
            return {Complementarios, false};
        default:
            return {};
    }
}
