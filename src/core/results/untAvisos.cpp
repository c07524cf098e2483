#include "results/untAvisos.h"

#include <algorithm>

#include "general/untCifras.h"
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

// The range cells that are not compared with the data, and why, as the
// range window says it below its table.  A row the mapping leaves out
// (kMagnitudes) is never compared; a single cell is left out here.
enum class TColumnaRango { Ambas, Calibracion };
struct TNotaRango {
    std::string_view tabla;  // window name of the table; empty: every table with the row
    std::string_view parametro;
    TColumnaRango columna;
    std::string_view nota;
};
constexpr TNotaRango kNotas[]{
    // Ruff's calibration diameter: a flume's nozzles of centimetres in the
    // source; 3.11 to 830 fits no unit as the size of a culvert.
    {"RangPAGRuff", "Diámetro de la apertura", TColumnaRango::Calibracion,
     "El rango de calibración del diámetro de la apertura (3.11/830 m) no es el tamaño de una alcantarilla en "
     "ninguna unidad: no se compara con los datos; sí el de validación."},
    {"", "Caudal", TColumnaRango::Ambas,
     "Los rangos de caudal no se comparan con los datos: no son caudales en l/s (repiten los de velocidad del "
     "chorro o quedan muy por debajo del caudal de la menor abertura)."},
    {"", "Caudal específico", TColumnaRango::Ambas,
     "Los rangos de caudal específico no se comparan con los datos: no son caudales por metro de ancho en l/s "
     "compatibles con las velocidades del chorro de la tabla."},
    {"", "Angulo chorro/sup. libre", TColumnaRango::Ambas,
     "Los rangos del ángulo no se comparan con los datos: sus cifras (0.1/1.0, 0.1/1.6) no son grados."},
    {"", "Tipo de chorro", TColumnaRango::Ambas,
     "El tipo de chorro no se compara: los datos no lo determinan."},
};

// True when the calibration cell of the table's row is left out alone.
bool CalibracionOmitida(std::string_view tabla, std::string_view parametro) {
    return std::any_of(std::begin(kNotas), std::end(kNotas), [&](const TNotaRango& n) {
        return n.columna == TColumnaRango::Calibracion && n.tabla == tabla && n.parametro == parametro;
    });
}

bool Dentro(double valor, const TIntervalo& rango, double divisor) {
    const double inferior = Guardar(static_cast<Ext>(rango.inferior) / divisor);
    const double superior = Guardar(static_cast<Ext>(rango.superior) / divisor);
    return inferior <= valor && valor <= superior;
}

// A value in the table's unit: at most six significant digits, period as
// separator, no trailing zeros ("85", "15.2789").
std::string Numero(double x) {
    return CifrasGenerales(x, 6);
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
        case TEstadoRango::NoAplicable: return "no_aplicable";
        case TEstadoRango::SinErosion: return "sin_erosion";
        case TEstadoRango::SinRangos: break;
    }
    return "sin_rangos";
}

std::vector<std::string> NotasRango(const TTablaRango& tabla) {
    std::vector<std::string> notas;
    for (const TNotaRango& n : kNotas) {
        if (!n.tabla.empty() && n.tabla != tabla.nombre) continue;
        const bool tiene = std::any_of(tabla.filas.begin(), tabla.filas.end(),
                                       [&](const TFilaRango& f) { return f.parametro == n.parametro; });
        if (tiene) notas.emplace_back(n.nota);
    }
    return notas;
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
            const bool calOmitida = CalibracionOmitida(tabla->nombre, fila.parametro);
            const auto cal = calOmitida ? std::nullopt : LeerRango(fila.calibracion);
            const auto val = LeerRango(fila.validacion);
            if (!cal && !val) continue;
            const bool enCal = cal && Dentro(valor, *cal, m->divisor);
            const bool enVal = val && Dentro(valor, *val, m->divisor);
            if (cal) aviso.conCalibracion = true, calibracion = calibracion && enCal;
            // Without its calibration cell the row's only range is the
            // validation one: data outside it are not calibrated either.
            if (calOmitida && val) calibracion = calibracion && enVal;
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

std::string FueraDeRegimen(ProblemCode codigo, int k, const TDatosProblema& d) {
    // A clear-water law, such as the abutment's "Dietz" (the confined
    // vortex's ys = (beta U - Uc) h / Uc): in live bed it keeps growing with
    // U/Uc (tens of metres in a sand bed at U/Uc = 7) where the scour stays
    // near its live-bed equilibrium.
    const TTipoEstructura* t = TipoEstructura(codigo);
    if (!t || k < 1 || k > static_cast<int>(t->ranuras.size()) || !t->ranuras[k - 1].soloAguasClaras ||
        !(d.FlujVeloMedi > d.OutpVeloCritEros))
        return {};
    const Ext razon = static_cast<Ext>(d.FlujVeloMedi) / d.OutpVeloCritEros;
    return "La fórmula es de aguas claras (U/Uc ≤ 1) y el flujo la excede: U/Uc = " +
           NumeText(static_cast<double>(razon), 0, 2) +
           ". Su resultado crece con U/Uc sin límite y no es una erosión de equilibrio en lecho vivo.";
}

TAvisos AvisosResultado(ProblemCode codigo, const TDatosProblema& d, const std::vector<TFila>& filas) {
    TAvisos avisos = AvisosRangos(codigo, d);
    for (int k = 1; k <= 4; ++k) {
        TAvisoRanura& a = avisos[k - 1];
        if (std::string motivo = FueraDeRegimen(codigo, k, d); !motivo.empty()) {
            a.estado = TEstadoRango::NoAplicable;
            a.motivo = std::move(motivo);
        }
    }
    constexpr std::string_view kTallo = "OutpErosMaxi";
    for (const TFila& f : filas) {
        if (!f.numero || !(*f.numero < 0) || f.tallo.size() != kTallo.size() + 1 || !f.tallo.starts_with(kTallo))
            continue;
        const int k = f.tallo.back() - '0';
        if (k < 1 || k > 4) continue;
        avisos[k - 1].estado = TEstadoRango::SinErosion;
        avisos[k - 1].motivo = "La fórmula da " + NumeText(*f.numero, 0, 2) +
                               " m: un valor negativo no es una profundidad; no hay erosión local.";
    }
    return avisos;
}

std::string MarcaAviso(TEstadoRango estado) {
    switch (estado) {
        case TEstadoRango::Validacion: return "◐";
        case TEstadoRango::Fuera:
        case TEstadoRango::NoAplicable: return "⚠";
        default: return "";
    }
}

std::string EstadoAviso(const TAvisoRanura& aviso) {
    switch (aviso.estado) {
        case TEstadoRango::NoAplicable:
        case TEstadoRango::SinErosion: return aviso.motivo;
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
    if (aviso.estado == TEstadoRango::NoAplicable || aviso.estado == TEstadoRango::SinErosion) return aviso.motivo;
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
    if (k < 1 || k > 4) return {};
    // A result that is no depth, or not one for this flow, is marked even in
    // a slot the panel does not activate (the protected abutment's "Dietz").
    const TEstadoRango e = avisos[k - 1].estado;
    if (!panel.Activa(k) && e != TEstadoRango::NoAplicable && e != TEstadoRango::SinErosion) return {};
    return {MarcaAviso(avisos[k - 1].estado), TextoAviso(avisos[k - 1])};
}
