#include "results/untIncertidumbreLote.h"

#include <algorithm>
#include <cmath>

#include "compute/untClaves.h"
#include "general/untGeneral.h"
#include "general/untMostrable.h"
#include "results/untBarrido.h"
#include "results/untCasos.h"

namespace {

// A formula of some structure type: its scour key, the key's middle
// ("pila_csu" of "ys_pila_csu_m") and its caption, the results row's
// between brackets ("CSU").
struct TFormulaLote {
    std::string_view clave;
    std::string_view medio;
    std::string_view titulo;
};

const std::vector<TFormulaLote>& Formulas() {
    static const std::vector<TFormulaLote> formulas = [] {
        std::vector<TFormulaLote> r;
        for (const TClaveFila& f : TodasLasClaves()) {
            if (ClaveValidez(f.clave).empty()) continue;  // not a scour depth
            const std::size_t abre = f.etiqueta.rfind('('), cierra = f.etiqueta.rfind(')');
            r.push_back({f.clave, f.clave.substr(3, f.clave.size() - 5),
                         f.etiqueta.substr(abre + 1, cierra - abre - 1)});
        }
        return r;
    }();
    return formulas;
}

// The captions of the formulas that have a scour row in the result, in slot
// order, as the study finds them.
std::vector<std::string> TitulosActivos(const TResultado& r) {
    std::vector<std::string> titulos;
    for (int k = 1; k <= 4; ++k)
        for (const TFila& f : r.filas)
            if (f.numero && f.tallo == TalloErosion(k)) titulos.push_back(r.panel.Titulo(k));
    return titulos;
}

}  // namespace

std::optional<std::string> ErrorIncertidumbreLote(const TIncertidumbreLote& estudio) {
    std::vector<std::string> campos, formulas;
    for (const std::string& texto : estudio.inciertos) {
        if (auto error = ErrorIncierta(texto)) return "--incierto: " + *error;
        campos.push_back(texto.substr(0, texto.find('=')));
    }
    for (const auto& [titulo, error] : estudio.opciones.modelo) formulas.push_back(titulo);
    if (auto error = ErrorRepetidos(campos, {})) return "--incierto: " + *error;
    if (auto error = ErrorRepetidos({}, formulas)) return "--modelo: " + *error;
    for (const auto& [titulo, error] : estudio.opciones.modelo) {
        const auto& f = Formulas();
        if (std::none_of(f.begin(), f.end(), [&nombre = titulo](const TFormulaLote& x) { return x.titulo == nombre; }))
            return "--modelo: Ninguna estructura tiene la fórmula " + Mostrable(titulo) + ".";
    }
    return std::nullopt;
}

TEstudioLote::TEstudioLote(TIncertidumbreLote estudio, bool textos) : estudio_(std::move(estudio)) {
    const std::optional<double>& fundacion = estudio_.opciones.fundacion;
    // The columns of a formula (or of the envelope), from its key's middle
    // and its caption; a caption already given shares its columns.
    auto agregar = [&](std::string_view medio, std::string_view titulo) {
        std::vector<std::string> nombres;
        if (textos) {
            const std::string t(titulo);
            nombres = {"P50 (" + t + ") [m]", "P95 (" + t + ") [m]"};
            if (fundacion) nombres.push_back("P(ys > " + TextoValor(*fundacion) + " m) (" + t + ")");
        } else {
            const std::string m(medio);
            nombres = {"p50_" + m + "_m", "p95_" + m + "_m"};
            if (fundacion) nombres.push_back("pfund_" + m);
        }
        const auto hay = std::find(columnas_.begin(), columnas_.end(), nombres[0]);
        if (hay != columnas_.end()) return std::size_t(hay - columnas_.begin());
        columnas_.insert(columnas_.end(), nombres.begin(), nombres.end());
        return columnas_.size() - nombres.size();
    };
    for (const TFormulaLote& f : Formulas()) formula_.emplace(f.clave, agregar(f.medio, f.titulo));
    envolvente_ = agregar("envolvente", "envolvente");
    columnas_.push_back(textos ? "Muestras rechazadas" : "muestras_rechazadas");
    columnas_.push_back(textos ? "Mensaje de incertidumbre" : "mensaje_incertidumbre");
}

std::vector<std::string> TEstudioLote::Celdas(const TProblema& p, const TResultado& r, bool completos,
                                              TTrabajadores& trabajadores) const {
    std::vector<std::string> celdas(columnas_.size());
    std::string& mensaje = celdas.back();
    TOpcionesIncertidumbre o = estudio_.opciones;
    o.trabajadores = &trabajadores;
    o.avance = nullptr;
    o.cancelar = nullptr;
    o.entradas.clear();
    for (const std::string& texto : estudio_.inciertos) {
        const TLecturaIncierta l = LeerIncierta(texto, p);
        if (!l.entrada) {
            mensaje = l.error;
            return celdas;
        }
        o.entradas.push_back(*l.entrada);
    }
    // A model error of a formula this line's structure does not have is no
    // error here: it belongs to the lines that have it.
    const std::vector<std::string> activas = TitulosActivos(r);
    std::erase_if(o.modelo, [&](const auto& m) { return std::find(activas.begin(), activas.end(), m.first) == activas.end(); });
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(p, o);
    if (e.error) {
        mensaje = *e.error;
        return celdas;
    }
    celdas[columnas_.size() - 2] = std::to_string(e.rechazadas + e.fallidas);
    if (auto sin = MensajeSinMuestras(e)) {
        mensaje = std::move(*sin);
        return celdas;
    }
    auto numero = [&](double x, int decimales) {
        if (std::isnan(x)) return std::string();
        return completos ? TextoValor(x) : NumeText(x, 0, decimales);
    };
    for (const TEstadisticaFormula& f : e.formulas) {
        std::size_t columna = envolvente_;
        if (f.ranura != 0) {
            const auto it = formula_.find(ClaveErosion(r.d.CodiProb, f.ranura));
            if (it == formula_.end()) continue;  // every scour row has a key: the tests check it
            columna = it->second;
        }
        celdas[columna] = numero(f.p50, 2);
        celdas[columna + 1] = numero(f.p95, 2);
        if (f.probFundacion) celdas[columna + 2] = numero(*f.probFundacion, 4);
    }
    return celdas;
}
