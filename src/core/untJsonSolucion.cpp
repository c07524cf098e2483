#include "turmado.h"

#include <nlohmann/json.hpp>

namespace {

// The detail as data: per section its title, slot, equation lines, terms,
// results and notes.
nlohmann::ordered_json JsonDetalle(const TDetalleCalculo& detalle) {
    auto terminos = [](const std::vector<TTerminoDetalle>& lista) {
        nlohmann::ordered_json t = nlohmann::ordered_json::array();
        for (const TTerminoDetalle& x : lista)
            t.push_back({{"nombre", x.nombre}, {"simbolo", x.simbolo}, {"valor", x.valor}, {"unidad", x.unidad},
                         {"expresion", x.expresion}, {"campo", x.campo}});
        return t;
    };
    nlohmann::ordered_json secciones = nlohmann::ordered_json::array();
    for (const TSeccionDetalle& s : detalle.secciones)
        secciones.push_back({{"titulo", s.titulo}, {"ranura", s.ranura}, {"ecuacion", s.ecuacion},
                             {"terminos", terminos(s.terminos)}, {"resultados", terminos(s.resultados)},
                             {"notas", s.notas}});
    return {{"titulo", detalle.titulo}, {"secciones", std::move(secciones)}};
}

nlohmann::ordered_json Json(const TProblema& problema, const TSolucion& r) {
    nlohmann::ordered_json j;
    j["codigo"] = r.d.CodiProb;
    j["titulo"] = r.titulo ? nlohmann::ordered_json(*r.titulo) : nlohmann::ordered_json(nullptr);
    j["filas"] = nlohmann::ordered_json::array();
    for (const TFila& f : r.filas) j["filas"].push_back({f.etiqueta, f.valor, f.unidad});
    j["ranuras"] = nlohmann::ordered_json::array();
    for (const TRanura& s : r.panel.ranuras)
        j["ranuras"].push_back({{"titulo", s.titulo}, {"visible", s.visible}, {"activa", s.activa}});
    j["series"] = nlohmann::ordered_json::array();
    for (const TSerie& s : r.grafico.series) {
        nlohmann::ordered_json puntos = nlohmann::ordered_json::array();
        for (const TPunto& p : s.puntos) puntos.push_back({p.x, p.y});
        j["series"].push_back({{"titulo", s.titulo}, {"puntos", std::move(puntos)}});
    }
    j["mensajes"] = r.mensajes;
    j["avisos"] = nlohmann::ordered_json::array();
    for (const TAvisoRanura& a : r.validez) {
        nlohmann::ordered_json fuera = nlohmann::ordered_json::array();
        for (const TParametroFuera& p : a.fuera)
            fuera.push_back({{"parametro", p.nombre}, {"valor", p.valor}, {"unidad", p.unidad},
                             {"calibracion", p.calibracion}, {"validacion", p.validacion}});
        j["avisos"].push_back({{"estado", NombreEstado(a.estado)}, {"fuera", std::move(fuera)}});
    }
    j["datos"] = nlohmann::ordered_json::array();
    for (const TAvisoDato& a : r.datos)
        j["datos"].push_back({{"campo", a.campo}, {"mensaje", a.texto}});
    nlohmann::ordered_json registro;
    TDatosProblema::Recorrer(r.d, [&](const char* nombre, const double& v) { registro[nombre] = v; });
    j["registro"] = std::move(registro);
    j["detalle"] = JsonDetalle(DetalleCalculo(r.d, r.panel, !problema.rugosidad));
    return j;
}

// The validation's figures: cases, rejected rows by message, per formula its
// statistics.
nlohmann::ordered_json Json(const TValidacion& v, const std::vector<TEstadistica>& estadisticas) {
    nlohmann::ordered_json j;
    j["casos"] = v.casos;
    j["rechazados"] = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < v.rechazados.size(); ++i)
        j["rechazados"].push_back(
            {{"mensaje", v.rechazados[i].first}, {"filas", v.rechazados[i].second}, {"lineas", v.lineasRechazadas[i]}});
    j["formulas"] = nlohmann::ordered_json::array();
    for (const TEstadistica& e : estadisticas)
        j["formulas"].push_back({{"formula", e.formula},
                                 {"clave", e.clave},
                                 {"n", e.n},
                                 {"sesgo", e.sesgo},
                                 {"mediana", e.mediana},
                                 {"cv", e.cv ? nlohmann::ordered_json(*e.cv) : nlohmann::ordered_json(nullptr)},
                                 {"subestimados", e.subestimados},
                                 {"r95", e.r95}});
    return {{"validacion", std::move(j)}};
}

}  // namespace

std::string JsonSolucion(const TProblema& problema, const TSolucion& s) { return Json(problema, s).dump(2); }

std::string JsonValidacion(const TValidacion& v, const std::vector<TEstadistica>& estadisticas) {
    return Json(v, estadisticas).dump(2);
}
