#include "results/untAvisos.h"

#include <algorithm>
#include <charconv>

#include "general/untGeneral.h"
#include "general/untNumero.h"
#include "problem/untTipos.h"

namespace {

// The rows of the range tables that mean the same for every type, and the
// record quantity each is compared with, in the record's unit; the table's
// unit is the record's divided by `divisor`.  The rows left out say why.
// The rows whose quantity is a type's own are in its descriptor.
constexpr TMagnitudRango kMagnitudes[]{
    {"Diámetro Medio (d50)", "d50", 1000, [](const TDatosProblema& d) { return d.SediDiamMedi; }, ""},
    {"Tirante en la restitución", "Tirante", 1, [](const TDatosProblema& d) { return d.FlujTiraRest; }, ""},
    // Not compared.
    {"Caudal", "", 1, nullptr,
     "not litres per second: Rajaratnam & Berry, Ruff and Breusers repeat their jet-velocity numbers; "
     "Hoffmans' 0.01/0.92 is far below the 100 l/s and more of a 0.31 m opening at 1.28 m/s"},
    {"Caudal específico", "", 1, nullptr,
     "not litres per second: a discharge per metre of width printed in l/s; 0.002/0.065 and 0.008/0.024 are far "
     "below a jet of 0.31 m/s and more, the step's 1.28/12.0 repeats a culvert velocity range"},
    {"Angulo chorro/sup. libre", "", 1, nullptr,
     "not degrees: 0.1/1.0 and 0.1/1.6 for the angle of a jet with the free surface read as radians"},
    {"Tipo de chorro", "", 1, nullptr, "the data do not determine the kind of jet"},
};

bool Dentro(double valor, const TIntervalo& rango, double divisor) {
    const double inferior = Guardar(static_cast<Ext>(rango.inferior) / divisor);
    const double superior = Guardar(static_cast<Ext>(rango.superior) / divisor);
    return inferior <= valor && valor <= superior;
}

// A value in the table's unit: at most six significant digits, period as
// separator, no trailing zeros ("85", "15.2789").
std::string Numero(double x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

std::string Unidad(std::string_view unidad) {
    if (unidad.size() >= 2 && unidad.front() == '[' && unidad.back() == ']') unidad = unidad.substr(1, unidad.size() - 2);
    return std::string(unidad);
}

}  // namespace

const char* NombreEstado(TEstadoRango estado) {
    switch (estado) {
        case TEstadoRango::Calibracion: return "calibracion";
        case TEstadoRango::Validacion: return "validacion";
        case TEstadoRango::Fuera: return "fuera";
        case TEstadoRango::SinRangos: break;
    }
    return "sin_rangos";
}

const TMagnitudRango* MagnitudRango(std::string_view parametro, ProblemCode codigo) {
    for (const TMagnitudRango& m : kMagnitudes)
        if (m.parametro == parametro) return &m;
    if (const TTipoEstructura* t = TipoEstructura(codigo))
        for (const TMagnitudRango& m : t->magnitudes)
            if (m.parametro == parametro) return &m;
    return nullptr;
}

std::optional<TIntervalo> LeerRango(std::string_view texto) {
    const std::size_t barra = texto.find('/');
    const auto inferior = LeerNumero(texto.substr(0, barra));
    if (!inferior) return std::nullopt;
    if (barra == std::string_view::npos) return TIntervalo{*inferior, *inferior};
    const auto superior = LeerNumero(texto.substr(barra + 1));
    if (!superior) return std::nullopt;
    return TIntervalo{*inferior, *superior};
}

TAvisos AvisosRangos(ProblemCode codigo, const TDatosProblema& d) {
    TAvisos avisos;
    for (int k = 1; k <= static_cast<int>(avisos.size()); ++k) {
        const TTablaRango* tabla = TablaRango(codigo, k);
        if (!tabla) continue;
        TAvisoRanura& aviso = avisos[k - 1];
        bool calibracion = true;
        bool validacion = true;
        std::vector<TParametroFuera> fuera;
        for (const TFilaRango& fila : tabla->filas) {
            const TMagnitudRango* m = MagnitudRango(fila.parametro, codigo);
            if (!m || !m->valor) continue;
            const double valor = m->valor(d);
            const auto cal = LeerRango(fila.calibracion);
            const auto val = LeerRango(fila.validacion);
            if (!cal && !val) continue;
            const bool enCal = cal && Dentro(valor, *cal, m->divisor);
            const bool enVal = val && Dentro(valor, *val, m->divisor);
            if (cal) aviso.conCalibracion = true, calibracion = calibracion && enCal;
            if (val) aviso.conValidacion = true, validacion = validacion && enVal;
            if ((cal && !enCal) || (val && !enVal)) {
                TParametroFuera p{std::string(m->nombre),
                                  static_cast<double>(static_cast<Ext>(valor) * m->divisor),
                                  Unidad(fila.unidad),
                                  cal ? std::string(fila.calibracion) : std::string(),
                                  val ? std::string(fila.validacion) : std::string(),
                                  enCal,
                                  enVal,
                                  {}};
                p.texto = p.nombre + " = " + Numero(p.valor) + " " + p.unidad;
                if (cal) p.texto += ", calibración " + p.calibracion;
                if (val) p.texto += ", validación " + p.validacion;
                fuera.push_back(std::move(p));
            }
        }
        if (aviso.conCalibracion && calibracion)
            aviso.estado = TEstadoRango::Calibracion;
        else if (aviso.conValidacion && validacion)
            aviso.estado = TEstadoRango::Validacion;
        else if (aviso.conCalibracion || aviso.conValidacion)
            aviso.estado = TEstadoRango::Fuera;
        if (aviso.estado == TEstadoRango::Validacion || aviso.estado == TEstadoRango::Fuera)
            aviso.fuera = std::move(fuera);
    }
    return avisos;
}

std::string MarcaAviso(TEstadoRango estado) {
    switch (estado) {
        case TEstadoRango::Validacion: return "◐";
        case TEstadoRango::Fuera: return "⚠";
        default: return "";
    }
}

std::string EstadoAviso(const TAvisoRanura& aviso) {
    switch (aviso.estado) {
        case TEstadoRango::Calibracion: return "Datos dentro del rango de calibración.";
        case TEstadoRango::Validacion:
            return aviso.conCalibracion
                       ? "Datos fuera del rango de calibración, dentro del de validación:"
                       : "La fórmula no tiene rango de calibración; los datos están dentro del de validación.";
        case TEstadoRango::Fuera:
            return !aviso.conValidacion    ? "Datos fuera del rango de calibración (la fórmula no tiene rango de validación):"
                   : !aviso.conCalibracion ? "Datos fuera del rango de validación (la fórmula no tiene rango de calibración):"
                                           : "Datos fuera de los rangos de calibración y validación:";
        case TEstadoRango::SinRangos: break;
    }
    return kMensajeSinRangos;
}

std::string TextoAviso(const TAvisoRanura& aviso) {
    if (aviso.estado != TEstadoRango::Validacion && aviso.estado != TEstadoRango::Fuera) return "";
    std::string texto = EstadoAviso(aviso);
    for (const TParametroFuera& p : aviso.fuera) texto += "\n" + p.texto;
    return texto;
}

std::string ResumenAvisos(const TAvisos& avisos, const TPanelFormulas& panel) {
    // Formulas outside every range they have, by the ranges they have: a
    // formula with one kind of range only is never said to be outside both.
    int ambos = 0, soloCalibracion = 0, soloValidacion = 0;
    for (int k = 1; k <= 4; ++k) {
        const TAvisoRanura& a = avisos[k - 1];
        if (!panel.Activa(k) || a.estado != TEstadoRango::Fuera) continue;
        if (a.conCalibracion && a.conValidacion)
            ++ambos;
        else if (a.conCalibracion)
            ++soloCalibracion;
        else
            ++soloValidacion;
    }
    const std::string marca = MarcaAviso(TEstadoRango::Fuera);
    auto cuantas = [](int n, const char* una, const char* varias) {
        return n == 1 ? std::string(una) : std::to_string(n) + varias;
    };
    auto extrapolacion = [](int n) {
        return n == 1 ? ": su resultado es una extrapolación." : ": sus resultados son extrapolaciones.";
    };
    std::string resumen;
    auto linea = [&](const std::string& texto) { resumen += (resumen.empty() ? "" : "\n") + marca + " " + texto; };
    if (ambos)
        linea("Datos fuera de los rangos de calibración y validación de " + cuantas(ambos, "una fórmula", " fórmulas") +
              extrapolacion(ambos));
    if (soloCalibracion)
        linea("Datos fuera del rango de calibración de " +
              cuantas(soloCalibracion, "una fórmula que no tiene rango de validación",
                      " fórmulas que no tienen rango de validación") +
              extrapolacion(soloCalibracion));
    if (soloValidacion)
        linea("Datos fuera del rango de validación de " +
              cuantas(soloValidacion, "una fórmula que no tiene rango de calibración",
                      " fórmulas que no tienen rango de calibración") +
              extrapolacion(soloValidacion));
    return resumen;
}

TAvisoFila AvisoDeFila(const TFila& fila, const TAvisos& avisos, const TPanelFormulas& panel) {
    constexpr std::string_view kTallo = "OutpErosMaxi";
    if (fila.tallo.size() != kTallo.size() + 1 || !fila.tallo.starts_with(kTallo)) return {};
    const int k = fila.tallo.back() - '0';
    if (k < 1 || k > 4 || !panel.Activa(k)) return {};
    return {MarcaAviso(avisos[k - 1].estado), TextoAviso(avisos[k - 1])};
}
