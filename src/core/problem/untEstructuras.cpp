#include "untEstructuras.h"

#include "general/untGeneral.h"

bool TEstrSalto::ProtSuficiente() const { return EstrLongPlat > 6 * static_cast<Ext>(EstrAltuSaltFond); }

double TEstrApertura::LongProtRequerida(double y, double a) {
    if (0.3L * y >= a) return Guardar(4.2L * y);
    return Guardar(6 * (static_cast<Ext>(y) - a));
}

bool TEstrApertura::ProtSuficiente(double flujTiraRest) const {
    return EstrLongPlat > LongProtRequerida(flujTiraRest, EstrAltuAper);
}

bool TEstrEstribo::ProtSuficiente(double flujTiraRest) const {
    return EstrLongPlat > 0.5L * flujTiraRest;
}

double TEstrEstribo::RazoCont(double l, double b) { return Guardar(Divi(l, b)); }

double TEstrAlcantarilla::VeloAper(double caudal, double diam, double cantidad) {
    return Guardar(Divi(caudal, kPi * diam * diam / 4 * cantidad));
}
