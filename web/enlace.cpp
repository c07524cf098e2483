// The page's one entry into the core: turmado_llamar(orden, entrada) takes an
// order name and its argument as JSON text and returns JSON text (allocated
// with malloc; the caller frees it with turmado_liberar).  Every answer is an
// object; a failure is {"error": {"clase": ..., "mensaje": ...}} with the
// message the window would show.  Nothing here computes or formats a result:
// it hands the page what the core's functions return.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include <emscripten.h>
#include <nlohmann/json.hpp>

#include "turmado.h"

namespace {

using Json = nlohmann::ordered_json;

const char* NombreClase(TClaseError c) {
    switch (c) {
        case TClaseError::TextoRechazado: return "TextoRechazado";
        case TClaseError::TextoNoNumerico: return "TextoNoNumerico";
        case TClaseError::Flotante: return "Flotante";
        case TClaseError::Chorro: return "Chorro";
        case TClaseError::Rechazo: return "Rechazo";
        case TClaseError::Archivo: return "Archivo";
        case TClaseError::Escritura: return "Escritura";
    }
    return "";
}

Json Error(const std::string& clase, const std::string& mensaje) {
    return {{"error", {{"clase", clase}, {"mensaje", mensaje}}}};
}

std::string Texto(std::string_view s) { return std::string(s); }

// A problem as the files hold it: {codigo, chorro, rugosidad, textos}; the
// texts not given keep their defaults.
TProblema Problema(const Json& j) {
    TProblema p;
    if (!j.is_object()) throw ErrorTurmado(TClaseError::Rechazo, "el problema debe ser un objeto");
    if (j.contains("codigo") && !j["codigo"].is_null()) p.codigo = j["codigo"].get<int>();
    if (j.contains("chorro") && !j["chorro"].is_null()) p.chorro = j["chorro"].get<int>();
    if (j.contains("rugosidad")) p.rugosidad = j["rugosidad"].get<bool>();
    if (j.contains("textos"))
        for (const auto& [nombre, texto] : j["textos"].items()) p.textos[nombre] = texto.get<std::string>();
    return p;
}

Json ProblemaJson(const TProblema& p) {
    Json textos = Json::object();
    for (const TCampo& c : Campos()) textos[Texto(c.nombre)] = p.textos.at(std::string(c.nombre));
    return {{"codigo", p.codigo},
            {"chorro", p.chorro ? Json(*p.chorro) : Json(nullptr)},
            {"rugosidad", p.rugosidad},
            {"textos", std::move(textos)}};
}

Json Pregunta(const TPregunta& q) {
    Json items = Json::array();
    for (std::string_view i : q.items) items.push_back(Texto(i));
    return {{"nombre", Texto(q.nombre)}, {"titulo", Texto(q.titulo)}, {"items", std::move(items)}};
}

// What never changes: the field catalogue, the wizard's questions, the
// structure page of each code and the fixed messages.
Json Catalogo(const Json&) {
    Json campos = Json::array();
    for (const TCampo& c : Campos())
        campos.push_back({{"nombre", Texto(c.nombre)},
                          {"pagina", c.pagina},
                          {"etiqueta", Texto(c.etiqueta)},
                          {"unidad", Texto(c.unidad)},
                          {"defecto", Texto(c.defecto)},
                          {"ayuda", Texto(c.ayuda)},
                          {"mensaje", Texto(c.mensaje)},
                          {"posteriores", c.reaccion == TReaccion::Posteriores}});
    Json obstaculo = Json::object();
    for (ProblemCode n = 1; n <= 3; ++n) {
        Json q = Pregunta(*PreguntaObstaculo(n));
        Json codigos = Json::array();  // the second-level code of each item, null for an inactive branch
        for (int i = 0; i < static_cast<int>(q["items"].size()); ++i) {
            TDatosProblema d;
            codigos.push_back(ElegirEstructura(d, n * 10 + i + 1) ? Json(n * 10 + i + 1) : Json(nullptr));
        }
        q["codigos"] = std::move(codigos);
        obstaculo[std::to_string(n)] = std::move(q);
    }
    Json estructura = Json::object();
    for (ProblemCode c : {11, 12, 21, 22, 31}) {
        Json filas = Json::array();
        for (std::string_view f : CamposEstructura(c)) filas.push_back(Texto(f));
        estructura[std::to_string(c)] = std::move(filas);
    }
    Json tipos = Json::array();
    for (const TTipoEstructura& t : TiposEstructura())
        tipos.push_back({{"codigo", t.codigo}, {"titulo", t.titulo}, {"descripcion", Texto(t.descripcion)}});
    // The pickers of the complementary page by field: a table of rows whose
    // choice writes its value, or the group factor's nine situations.
    Json selectores = Json::object();
    for (const TCampo& c : Campos()) {
        const std::string_view nombre = SelectorDeCampo(c.nombre);
        if (nombre.empty()) continue;
        Json sel = {{"nombre", Texto(nombre)}};
        if (const TTablaCoef* t = TablaCoef(nombre)) {
            Json filas = Json::array();
            for (const TFilaCoef& f : t->filas) {
                Json celdas = Json::array();
                for (std::string_view x : f.celdas) celdas.push_back(Texto(x));
                filas.push_back({{"celdas", std::move(celdas)}, {"valor", Texto(f.valor)}});
            }
            Json columnas = Json::array();
            for (std::string_view x : t->columnas) columnas.push_back(Texto(x));
            sel["titulo"] = Texto(t->titulo);
            sel["columnas"] = std::move(columnas);
            sel["agrupadas"] = t->agrupadas;
            sel["filas"] = std::move(filas);
        } else {  // the group factor: a value button for the front and for the rear pier
            Json columnas = Json::array();
            for (std::string_view x : ColumnasHiGrup()) columnas.push_back(Texto(x));
            Json filas = Json::array();
            int i = 0;
            for (const TFilaGrupo& f : FilasHiGrup()) {
                ++i;
                filas.push_back({{"celdas", {Texto(f.espaciamiento)}},
                                 {"distribucion", static_cast<int>(f.distribucion)},
                                 {"frontal", Texto(ValorGrupo(i))},
                                 {"trasera", Texto(ValorGrupo(i + 9))}});
            }
            sel["titulo"] = kTituloHiGrup;
            sel["columnas"] = std::move(columnas);
            sel["filas"] = std::move(filas);
        }
        selectores[Texto(c.nombre)] = std::move(sel);
    }
    return {{"campos", std::move(campos)},
            {"selectores", std::move(selectores)},
            {"fenomeno", Pregunta(PreguntaFenomeno())},
            {"obstaculo", std::move(obstaculo)},
            {"chorro", Pregunta(PreguntaChorro())},
            {"estructura", std::move(estructura)},
            {"tipos", std::move(tipos)},
            {"mensajes",
             {{"ramaInactiva", kMensajeRamaInactiva},
              {"proteccion", kMensajeProteccion},
              {"sedimento", kMensajeSedimento}}}};
}

// The check on leaving a field: {aceptado, mensaje}.
Json Campo(const Json& j) {
    const std::string nombre = j.at("nombre").get<std::string>();
    const TCampo* c = BuscarCampo(nombre);
    if (!c) return Error("Rechazo", "campo desconocido: " + Mostrable(nombre));
    const bool ok = TextoAceptado(*c, j.at("texto").get<std::string>());
    return {{"aceptado", ok}, {"mensaje", ok ? "" : Texto(c->mensaje)}};
}

const char* NombreSiguiente(TSiguiente s) {
    switch (s) {
        case TSiguiente::Nada: return "nada";
        case TSiguiente::Complementarios: return "complementarios";
        case TSiguiente::PreguntarChorro: return "chorro";
        case TSiguiente::CalcularDirecto: return "calcular";
    }
    return "";
}

// The road up to the complementary page for a problem: where "Continuar"
// leads, the complementary rows and the formula panel from the texts, and
// the captions of the fields for the code.
Json Recorrer(const Json& j) {
    const TProblema p = Problema(j);
    TDatosProblema d;
    TPanelFormulas panel;
    const TContinuacion c = RecorrerAsistente(d, p, panel);
    const ProblemCode codigo = d.CodiProb ? d.CodiProb : p.codigo;
    Json filas = Json::array();
    if (!FaltaChorro(c, p))
        for (const TFilaComplementaria& f : FilasComplementarias(codigo))
            filas.push_back({{"campo", Texto(f.campo)},
                             {"fila", f.fila},
                             {"grupo", f.grupo},
                             {"categoria", Texto(f.categoria)},
                             {"selector", f.selector}});
    Json ranuras = Json::array();
    for (int k = 1; k <= 4; ++k) {
        Json resaltados = Json::array();
        for (std::string_view campo : CamposResaltados(codigo, k)) resaltados.push_back(Texto(campo));
        ranuras.push_back({{"titulo", panel.Titulo(k)},
                           {"visible", panel.Ranura(k).visible},
                           {"activa", panel.Activa(k)},
                           {"campos", std::move(resaltados)}});
    }
    Json etiquetas = Json::object();
    for (const TCampo& campo : Campos()) etiquetas[Texto(campo.nombre)] = Texto(EtiquetaCampo(campo, codigo));
    return {{"codigo", codigo},
            {"siguiente", NombreSiguiente(c.siguiente)},
            {"proteccionInsuficiente", c.proteccionInsuficiente},
            {"faltaChorro", FaltaChorro(c, p)},
            {"filas", std::move(filas)},
            {"panel", {{"visible", panel.visible}, {"ranuras", std::move(ranuras)}}},
            {"etiquetas", std::move(etiquetas)}};
}

// The solution exactly as turmado-calc --json prints it.
Json Resolver(const Json& j) {
    const TProblema p = Problema(j);
    const TSolucion s = ::Resolver(p);
    if (s.fallo) {
        Json e = Error(NombreClase(s.fallo->Clase()), s.fallo->what());
        e["mensajes"] = s.mensajes;
        return e;
    }
    return Json::parse(JsonSolucion(p, s));
}

// "Calcular" for the page: the solution, and beside it what the results
// and chart pages show made from it by the core (signs and tooltips of the
// rows, the summary line, the data warnings, the detail as text, the legend,
// the curves as CSV).
Json Calcular(const Json& j) {
    const TProblema p = Problema(j);
    const TSolucion s = ::Resolver(p);
    if (s.fallo) {
        Json e = Error(NombreClase(s.fallo->Clase()), s.fallo->what());
        e["mensajes"] = s.mensajes;
        return e;
    }
    Json filas = Json::array();
    for (const TFila& f : s.filas) {
        const TAvisoFila a = AvisoDeFila(f, s.validez, s.panel);
        filas.push_back({{"etiqueta", f.etiqueta}, {"valor", f.valor}, {"unidad", f.unidad}, {"marca", a.marca},
                         {"aviso", a.texto}});
    }
    Json series = Json::array();
    for (const TSerie& serie : s.grafico.series)
        series.push_back({{"titulo", serie.titulo}, {"equilibrios", serie.equilibrios}, {"leyenda", EnLeyenda(serie)}});
    Json datos = Json::array();
    for (const TAvisoDato& a : s.datos) datos.push_back({{"campo", a.campo}, {"mensaje", a.texto}});
    Json vista = {{"titulo", s.titulo ? Json(*s.titulo) : Json(nullptr)},
                  {"filas", std::move(filas)},
                  {"resumen", ResumenAvisos(s.validez, s.panel)},
                  {"datos", std::move(datos)},
                  {"series", std::move(series)},
                  {"graficoVisible", s.grafico.pestanaVisible},
                  {"csvGrafico", CsvGrafico(s.grafico)},
                  {"detalle", TextoDetalle(DetalleCalculo(s.d, s.panel, !p.rugosidad))},
                  {"mensajes", s.mensajes}};
    return {{"solucion", Json::parse(JsonSolucion(p, s))}, {"vista", std::move(vista)}};
}

Json Lectura(const Json& j) {
    return {{"texto", TextoLectura(j.at("titulo").get<std::string>(), j.at("t").get<double>(), j.at("y").get<double>())},
            {"archivo", NombreArchivoGrafico(j.value("tituloProblema", ""), j.value("fecha", ""))}};
}

Json Items(const std::vector<TItemReporte>& items) {
    Json r = Json::array();
    for (const TItemReporte& i : items)
        r.push_back({{"texto", i.texto},
                     {"fuente", static_cast<int>(i.fuente)},
                     {"derecha", i.alineacion == TAlineacion::Derecha},
                     {"x", i.x},
                     {"y", i.y},
                     {"ancho", i.ancho},
                     {"alto", i.alto}});
    return r;
}

// The report's pages as positioned texts (layout units of 1/96 inch inside
// the page margins), as the desktop lays them out: the first page, the
// observations that did not fit, "Avisos y gráfico" with the place of the
// chart, and the detail when asked.
Json Reporte(const Json& j) {
    const TProblema p = Problema(j.at("problema"));
    const TSolucion s = ::Resolver(p);
    const bool resultados = !s.fallo;
    TVentanaReporte v{s.d, s.panel, p.textos, !p.rugosidad, resultados, s.grafico};
    v.tiempoLog = j.value("tiempoLog", false);
    if (j.contains("ocultas"))
        for (int k = 0; k < 4; ++k) v.ocultas[k] = j["ocultas"].at(k).get<bool>();
    if (j.contains("observaciones")) v.observaciones = j["observaciones"].get<std::string>();
    v.detalle = j.value("detalle", false);
    v.fecha = j.value("fecha", "");
    const TTextosReporte t = ReporteDelProblema(v);
    Json paginas = Json::array();
    paginas.push_back({{"items", Items(DisponerReporte(t))}});
    if (t.avisos) {
        const TDisposicionAvisos a = DisponerPaginaAvisos(*t.avisos, t.titulo);
        Json pagina = {{"items", Items(a.items)}};
        if (a.grafico)
            pagina["grafico"] = {{"x", a.grafico->x}, {"y", a.grafico->y}, {"ancho", a.grafico->ancho},
                                 {"alto", a.grafico->alto}};
        paginas.push_back(std::move(pagina));
    }
    if (t.detalle)
        for (const auto& items : DisponerPaginasDetalle(*t.detalle, t.titulo)) paginas.push_back({{"items", Items(items)}});
    return {{"titulo", t.titulo}, {"ancho", kReporteAnchoUtil}, {"alto", kReporteAltoUtil}, {"paginas", std::move(paginas)}};
}

// The progress of a study, posted to the page when the core runs in a worker.
EM_JS(void, turmado_avance, (int hechos, int total), {
    if (typeof WorkerGlobalScope !== "undefined" && self instanceof WorkerGlobalScope)
        postMessage({avance: [hechos, total]});
});

// The fields a sensitivity study may sweep, with the default range of each.
Json CamposBarrido(const Json& j) {
    const TProblema p = Problema(j);
    Json campos = Json::array();
    for (std::string_view n : CamposDelProblema(p)) {
        const auto rango = RangoPorDefecto(p.textos.at(std::string(n)));
        campos.push_back({{"nombre", Texto(n)},
                          {"etiqueta", Texto(EtiquetaCampo(*BuscarCampo(n), CodigoFinal(p)))},
                          {"desde", rango ? Json(TextoValor(rango->first)) : Json("")},
                          {"hasta", rango ? Json(TextoValor(rango->second)) : Json("")}});
    }
    return {{"campos", std::move(campos)}};
}

// A sensitivity study from the texts of its boxes, run on this thread: the
// table as the window shows it, the points for the chart and the CSV.
Json Barrido(const Json& j) {
    const TProblema p = Problema(j.at("problema"));
    const TLecturaBarrido l = LeerBarrido(j.at("campo").get<std::string>(), j.at("desde").get<std::string>(),
                                          j.at("hasta").get<std::string>(), j.at("puntos").get<std::string>(),
                                          j.value("log", false));
    if (!l.barrido) return Error("Rechazo", l.error);
    const TEstudio e = Estudiar(p, *l.barrido, 1, [](std::size_t hechos, std::size_t total) {
        turmado_avance(static_cast<int>(hechos), static_cast<int>(total));
    });
    Json formulas = Json::array();
    for (const TEstudio::TFormula& f : e.formulas)
        formulas.push_back({{"ranura", f.ranura}, {"titulo", f.titulo}, {"etiqueta", f.etiqueta}});
    Json puntos = Json::array();
    for (const TPuntoBarrido& x : e.puntos) {
        Json prof = Json::array();
        for (const auto& v : x.profundidades) prof.push_back(v ? Json(*v) : Json(nullptr));
        Json estados = Json::array();
        for (TEstadoRango r : x.estados) estados.push_back(NombreEstado(r));
        puntos.push_back({{"valor", x.valor},
                          {"error", x.error ? Json(*x.error) : Json(nullptr)},
                          {"profundidades", std::move(prof)},
                          {"estados", std::move(estados)}});
    }
    const TTablaEstudio t = TablaEstudio(*l.barrido, e);
    return {{"formulas", std::move(formulas)},
            {"puntos", std::move(puntos)},
            {"tabla", {{"encabezado", t.encabezado}, {"filas", t.filas}}},
            {"csv", CsvEstudio(*l.barrido, e)}};
}

// The shipped validation sets, by name.
Json ConjuntosDeValidacion(const Json&) {
    Json r = Json::array();
    for (const TConjuntoValidacion& c : ConjuntosValidacion())
        r.push_back({{"nombre", Texto(c.nombre)}, {"archivo", Texto(c.archivo)}});
    return {{"conjuntos", std::move(r)}};
}

// The formulas against measurements: a shipped set (by its file name) or the
// text of a validation file; the figures as turmado-calc --validar --json
// prints them and the per-row CSV of --filas.
Json Validacion(const Json& j) {
    std::string texto;
    if (j.contains("archivo")) {
        for (const TConjuntoValidacion& c : ConjuntosValidacion())
            if (c.archivo == j["archivo"].get<std::string>()) texto = std::string(c.datos());
    } else {
        texto = j.at("texto").get<std::string>();
    }
    std::istringstream entrada(texto);
    const TValidacion v = Validar(entrada, 1);
    if (v.errorArchivo) return Error("Archivo", *v.errorArchivo);
    std::ostringstream filas;
    EscribirFilas(filas, v);
    return {{"figuras", Json::parse(JsonValidacion(v, Estadisticas(v)))}, {"filas", filas.str()}};
}

// A problem file's text opened: the problem, or the reason it cannot be.
Json Abrir(const Json& j) {
    try {
        const TArchivoProblema a = LeerArchivoProblema(j.at("texto").get<std::string>());
        return {{"problema", ProblemaJson(a.problema)}};
    } catch (const ErrorArchivo& e) {
        return Error("Archivo", e.what());
    }
}

// The file's text for a problem, with the results of its last "Calcular"
// when they are given (the title and rows the results page shows).
Json Guardar(const Json& j) {
    TArchivoProblema a;
    a.problema = Problema(j.at("problema"));
    a.guardado = FechaActual();
    if (const TProblema& p = a.problema; j.value("conResultados", false)) {
        const TSolucion s = ::Resolver(p);
        if (!s.fallo && s.titulo) {
            TResultadosArchivo r;
            r.codigo = s.d.CodiProb;
            r.titulo = *s.titulo;
            r.filas = s.filas;
            a.resultados = std::move(r);
        }
    }
    return {{"texto", EscribirArchivoProblema(a)}};
}

// A batch file's text run as turmado-calc --lote does, on this one thread.
Json Lote(const Json& j) {
    std::istringstream entrada(j.at("texto").get<std::string>());
    std::ostringstream salida;
    TOpcionesLote o;
    o.hilos = 1;
    o.numerosCompletos = j.value("completos", false);
    std::vector<std::string> fallos;
    o.fallo = [&](const TFalloLote& f) { fallos.push_back(std::to_string(f.linea) + ": " + f.mensaje); };
    const TResumenLote r = EjecutarLote(entrada, salida, o);
    (void)r;
    return {{"csv", salida.str()}, {"fallos", fallos}};
}

const std::map<std::string, std::function<Json(const Json&)>, std::less<>> kOrdenes = {
    {"catalogo", Catalogo}, {"campo", Campo},   {"recorrer", Recorrer}, {"resolver", Resolver},
    {"calcular", Calcular}, {"lectura", Lectura}, {"abrir", Abrir},     {"guardar", Guardar},
    {"lote", Lote},         {"reporte", Reporte}, {"camposBarrido", CamposBarrido},
    {"barrido", Barrido},   {"conjuntos", ConjuntosDeValidacion}, {"validar", Validacion},
};

char* Copia(const std::string& s) {
    char* c = static_cast<char*>(std::malloc(s.size() + 1));
    std::memcpy(c, s.c_str(), s.size() + 1);
    return c;
}

}  // namespace

extern "C" {

char* turmado_llamar(const char* orden, const char* entrada) {
    Json r;
    try {
        const auto it = kOrdenes.find(std::string_view(orden));
        if (it == kOrdenes.end()) {
            r = Error("Orden", std::string("orden desconocida: ") + orden);
        } else {
            r = it->second(Json::parse(entrada));
        }
    } catch (const ErrorTurmado& e) {
        r = Error(NombreClase(e.Clase()), e.what());
    } catch (const std::exception& e) {
        r = Error("Entrada", e.what());
    }
    return Copia(r.dump());
}

void turmado_liberar(char* texto) { std::free(texto); }

}
