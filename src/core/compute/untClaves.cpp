#include "compute/untClaves.h"
#include "problem/untTipos.h"

#include <algorithm>
#include <array>

namespace {

constexpr TClaveFila kTurbulencia{"OutpInteRelaTurb", "turbulencia", "Intensidad relativa de turbulencia", ""};

constexpr TClaveFila kComunes[] = {
    {"OutpParaMoviCrit", "shields_critico", "Movilidad (Shields) Crítica", ""},
    {"OutpParaMovi", "shields", "Movilidad (Shields)", ""},
    {"CondTran", "transporte", "Condición de transporte", ""},
    {"OutpVeloCritEros", "vc_m_s", "Velocidad crítica de erosión", "[m/s]"},
};

struct TClavesTipo {
    std::vector<ProblemCode> codigos;
    std::vector<TClaveFila> filas;  // the calculator's rows, in page order
};

// One entry per calculator, one line per row: a new formula adds its line.
const std::vector<TClavesTipo>& Tabla() {
    static const std::vector<TClavesTipo> tabla{
        {{kCodigoVorticeEscalon, kCodigoVorticeAlcantarilla},
         {kTurbulencia,
          {"OutpCaudSoliTota", "qs_m2_s", "Caudal sólido total efectivo", "[m^2/s]"},
          {"OutpErosMaxi1", "ys_vortice_dietz_m", "Erosión máxima de equilibrio (Dietz)", "[m]"},
          {"OutpLongFall1", "lf_vortice_dietz_m", "Longitud de falla crítica", "[m]"},
          {"OutpPendTalu", "talud_grados", "Pendiente talud aguas arriba del foso", "[º]"}}},
        {{kCodigoEscalon},
         {kTurbulencia,
          {"OutpErosMaxi1", "ys_escalon_bornmann_julien_m", "Erosión máxima de equilibrio (Bornmann y Julien)",
           "[m]"}}},
        {{kCodigoChorro},
         {kTurbulencia,
          {"OutpErosMaxi1", "ys_chorro_bornmann_julien_m", "Erosión máxima de equilibrio (Bornmann y Julien)",
           "[m]"},
          {"OutpErosMaxi2", "ys_chorro_fahlbusch_m", "Erosión máxima de equilibrio (Fahlbusch)", "[m]"}}},
        {{kCodigoAlcaAncha},
         {kTurbulencia,
          {"OutpErosMaxi1", "ys_alc_ancha_qayoum_m", "Erosión máxima de equilibrio (Qayoum)", "[m]"},
          {"OutpErosMaxi2", "ys_alc_ancha_altinbilek_basmaci_m",
           "Erosión máxima de equilibrio (Altinbilek y Basmaci)", "[m]"},
          {"OutpErosMaxi3", "ys_alc_ancha_breusers_m", "Erosión máxima de equilibrio (Breusers)", "[m]"},
          {"OutpErosMaxi4", "ys_alc_ancha_hoffmans_m", "Erosión máxima de equilibrio (Hoffmans)", "[m]"}}},
        {{kCodigoEstriboProt}, {{"OutpErosMaxi1", "ys_estribo_prot_dietz_m", "Erosión máxima de equilibrio (Dietz)", "[m]"}}},
        {{kCodigoEstribo},
         {{"OutpErosMaxi1", "ys_estribo_ahmad_m", "Erosión máxima de equilibrio (Ahmad)", "[m]"},
          {"OutpErosMaxi2", "ys_estribo_liu_m", "Erosión máxima de equilibrio (Liu)", "[m]"},
          {"OutpErosMaxi3", "ys_estribo_dietz_m", "Erosión máxima de equilibrio (Dietz)", "[m]"},
          {"OutpErosMaxi4", "ys_estribo_breusers_m", "Erosión máxima de equilibrio (Breusers)", "[m]"}}},
        {{kCodigoPila},
         {{"OutpErosMaxi1", "ys_pila_breusers_m", "Erosión máxima de equilibrio (Breusers)", "[m]"},
          {"OutpLongFall1", "lf_pila_breusers_m", "Longitud de falla crítica (Breusers)", "[m]"},
          {"OutpErosMaxi2", "ys_pila_csu_m", "Erosión máxima de equilibrio (CSU)", "[m]"},
          {"OutpLongFall2", "lf_pila_csu_m", "Longitud de falla crítica (CSU)", "[m]"},
          {"OutpErosMaxi3", "ys_pila_johnson_m", "Erosión máxima de equilibrio (Johnson)", "[m]"},
          {"OutpLongFall3", "lf_pila_johnson_m", "Longitud de falla crítica (Johnson)", "[m]"}}},
        {{kCodigoAlcaAngosta},
         {kTurbulencia,
          {"OutpErosMaxi1", "ys_alc_angosta_rajaratnam_berry_m", "Erosión máxima de equilibrio (Rajaratnam y Berry)",
           "[m]"},
          {"OutpErosMaxi2", "ys_alc_angosta_ruff_m", "Erosión máxima de equilibrio (Ruff)", "[m]"},
          {"OutpErosMaxi3", "ys_alc_angosta_breusers_m", "Erosión máxima de equilibrio (Breusers)", "[m]"},
          {"OutpErosMaxi4", "ys_alc_angosta_hoffmans_m", "Erosión máxima de equilibrio (Hoffmans)", "[m]"}}},
    };
    return tabla;
}

const TClavesTipo* Buscar(ProblemCode codigo) {
    for (const TClavesTipo& t : Tabla())
        if (std::find(t.codigos.begin(), t.codigos.end(), codigo) != t.codigos.end()) return &t;
    return nullptr;
}

}  // namespace

std::vector<TClaveFila> ClavesDeFilas(ProblemCode codigo) {
    std::vector<TClaveFila> filas(std::begin(kComunes), std::end(kComunes));
    if (const TClavesTipo* t = Buscar(codigo)) filas.insert(filas.end(), t->filas.begin(), t->filas.end());
    return filas;
}

const std::vector<TClaveFila>& TodasLasClaves() {
    static const std::vector<TClaveFila> claves = [] {
        std::vector<TClaveFila> r(std::begin(kComunes), std::end(kComunes));
        for (const TClavesTipo& t : Tabla())
            for (const TClaveFila& f : t.filas)
                if (std::none_of(r.begin(), r.end(), [&](const TClaveFila& c) { return c.clave == f.clave; }))
                    r.push_back(f);
        return r;
    }();
    return claves;
}

std::string ClaveValidez(std::string_view clave) {
    if (!clave.starts_with("ys_") || !clave.ends_with("_m")) return "";
    return "validez_" + std::string(clave.substr(3, clave.size() - 5));
}

std::string_view ClaveErosion(ProblemCode codigo, int k) {
    const TClavesTipo* t = Buscar(codigo);
    if (!t) return {};
    const std::string tallo = "OutpErosMaxi" + std::to_string(k);
    for (const TClaveFila& f : t->filas)
        if (f.tallo == tallo) return f.clave;
    return {};
}
