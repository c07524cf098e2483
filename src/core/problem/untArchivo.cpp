#include "problem/untArchivo.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <fstream>

#include <nlohmann/json.hpp>

#include "general/untMostrable.h"

using Json = nlohmann::ordered_json;

namespace {

[[noreturn]] void Fallar(TFalloArchivo tipo, const std::string& mensaje) { throw ErrorArchivo(tipo, mensaje); }

[[noreturn]] void Danado(const std::string& detalle) {
    Fallar(TFalloArchivo::Danado, "el archivo de problema está dañado: " + detalle);
}

// Line and column (from 1) of a byte offset, for a syntax error.
std::string Posicion(std::string_view texto, std::size_t byte) {
    std::size_t linea = 1, columna = 1;
    for (std::size_t i = 0; i < byte && i < texto.size(); ++i) {
        if (texto[i] == '\n') {
            ++linea;
            columna = 1;
        } else {
            ++columna;
        }
    }
    return "línea " + std::to_string(linea) + ", columna " + std::to_string(columna);
}

// Parses the text; a failure says whether the text was cut short, broken
// inside, or not JSON at all.
Json Analizar(std::string_view texto) {
    const std::size_t inicio = texto.find_first_not_of(" \t\r\n");
    if (inicio == std::string_view::npos) Fallar(TFalloArchivo::Incompleto, "el archivo está vacío");
    try {
        return Json::parse(texto);
    } catch (const Json::parse_error& e) {
        if (texto[inicio] != '{') Fallar(TFalloArchivo::NoEsProblema, "no es un archivo de problema de turmado");
        if (e.byte > texto.size())  // the parser read past the end
            Fallar(TFalloArchivo::Incompleto, "el archivo está incompleto: termina antes de tiempo");
        Danado("error de sintaxis en la " + Posicion(texto, e.byte == 0 ? 0 : e.byte - 1));
    } catch (const Json::exception&) {  // a number beyond the range of any integer or double
        Danado("un número fuera de rango");
    }
}

const Json* Miembro(const Json& j, const char* clave) {
    const auto it = j.find(clave);
    return it == j.end() ? nullptr : &*it;
}

std::string Cadena(const Json& j, const std::string& que) {
    if (!j.is_string()) Danado("«" + que + "» debe ser un texto");
    return j.get<std::string>();
}

int Entero(const Json& j, const std::string& que) {
    const bool cabe = j.is_number_unsigned()  ? j.get<std::uint64_t>() <= INT32_MAX
                      : j.is_number_integer() ? j.get<std::int64_t>() >= INT32_MIN && j.get<std::int64_t>() <= INT32_MAX
                                              : false;
    if (!cabe) Danado("«" + que + "» debe ser un número entero");
    return static_cast<int>(j.get<std::int64_t>());
}

TProblema LeerProblema(const Json& j) {
    TProblema p;
    if (const Json* c = Miembro(j, "codigo")) {
        p.codigo = Entero(*c, "codigo");
        if (!CodigoDeRespuestas(p.codigo)) Danado("«codigo» debe ser 0, 1, 2, 3, 11, 12, 21, 22 o 31");
    }
    if (const Json* c = Miembro(j, "chorro"); c && !c->is_null()) {
        p.chorro = Entero(*c, "chorro");
        if (*p.chorro != 0 && *p.chorro != 1) Danado("«chorro» debe ser 0, 1 o null");
    }
    if (const Json* r = Miembro(j, "rugosidad")) {
        if (!r->is_boolean()) Danado("«rugosidad» debe ser true o false");
        p.rugosidad = r->get<bool>();
    }
    if (const Json* t = Miembro(j, "textos")) {
        if (!t->is_object()) Danado("«textos» debe ser un objeto");
        for (const auto& [nombre, texto] : t->items()) {
            if (!BuscarCampo(nombre)) Danado("campo desconocido en «textos»: " + Mostrable(nombre));
            p.textos[nombre] = Cadena(texto, "textos." + nombre);
        }
    }
    if (const auto rechazo = TextoRechazado(p.textos))
        Fallar(TFalloArchivo::TextoRechazado, "texto no válido en el campo " + *rechazo);
    return p;
}

bool Logico(const Json& j, const std::string& que) {
    if (!j.is_boolean()) Danado("«" + que + "» debe ser true o false");
    return j.get<bool>();
}

// The members of an object that are texts, each into its string; a member
// left out stays empty.
void Textos(const Json& j, const std::string& que,
            std::initializer_list<std::pair<const char*, std::string*>> miembros) {
    for (const auto& [clave, destino] : miembros)
        if (const Json* m = Miembro(j, clave)) *destino = Cadena(*m, que + "." + clave);
}

const Json& Lista(const Json& j, const std::string& que) {
    if (!j.is_array()) Danado("«" + que + "» debe ser una lista");
    return j;
}

TIncertidumbreArchivo LeerIncertidumbre(const Json& j) {
    if (!j.is_object()) Danado("«incertidumbre» debe ser un objeto");
    TIncertidumbreArchivo r;
    Textos(j, "incertidumbre", {{"muestras", &r.muestras}, {"semilla", &r.semilla}, {"fundacion", &r.fundacion}});
    if (const Json* l = Miembro(j, "entradas"))
        for (const Json& x : Lista(*l, "incertidumbre.entradas")) {
            const std::string que = "incertidumbre.entradas";
            if (!x.is_object()) Danado("cada elemento de «" + que + "» debe ser un objeto");
            TEntradaInciertaArchivo e;
            Textos(x, que, {{"campo", &e.campo}, {"distribucion", &e.distribucion}, {"media", &e.media},
                            {"cv", &e.cv}, {"minimo", &e.minimo}, {"moda", &e.moda}, {"maximo", &e.maximo}});
            if (!BuscarCampo(e.campo)) Danado("campo desconocido en «" + que + "»: " + Mostrable(e.campo));
            if (std::find(std::begin(kDistribucionesArchivo), std::end(kDistribucionesArchivo), e.distribucion) ==
                std::end(kDistribucionesArchivo))
                Danado("distribución desconocida en «" + que + "»: " + Mostrable(e.distribucion));
            r.entradas.push_back(std::move(e));
        }
    if (const Json* l = Miembro(j, "modelo"))
        for (const Json& x : Lista(*l, "incertidumbre.modelo")) {
            const std::string que = "incertidumbre.modelo";
            if (!x.is_object()) Danado("cada elemento de «" + que + "» debe ser un objeto");
            TErrorFormulaArchivo f;
            Textos(x, que, {{"formula", &f.formula}, {"sesgo", &f.sesgo}, {"cv", &f.cv}});
            if (const Json* a = Miembro(x, "activo")) f.activo = Logico(*a, que + ".activo");
            r.modelo.push_back(std::move(f));
        }
    return r;
}

Json EscribirIncertidumbre(const TIncertidumbreArchivo& r) {
    Json j;
    Json entradas = Json::array();
    for (const TEntradaInciertaArchivo& e : r.entradas)
        entradas.push_back({{"campo", e.campo}, {"distribucion", e.distribucion}, {"media", e.media}, {"cv", e.cv},
                            {"minimo", e.minimo}, {"moda", e.moda}, {"maximo", e.maximo}});
    j["entradas"] = std::move(entradas);
    Json modelo = Json::array();
    for (const TErrorFormulaArchivo& f : r.modelo)
        modelo.push_back({{"formula", f.formula}, {"activo", f.activo}, {"sesgo", f.sesgo}, {"cv", f.cv}});
    j["modelo"] = std::move(modelo);
    j["muestras"] = r.muestras;
    j["semilla"] = r.semilla;
    j["fundacion"] = r.fundacion;
    return j;
}

TResultadosArchivo LeerResultados(const Json& j) {
    if (!j.is_object()) Danado("«resultados» debe ser un objeto");
    TResultadosArchivo r;
    if (const Json* c = Miembro(j, "codigo")) r.codigo = Entero(*c, "resultados.codigo");
    if (const Json* t = Miembro(j, "titulo")) r.titulo = Cadena(*t, "resultados.titulo");
    if (const Json* f = Miembro(j, "filas")) {
        if (!f->is_array()) Danado("«resultados.filas» debe ser una lista");
        for (const Json& fila : *f) {
            if (!fila.is_array() || fila.size() != 3)
                Danado("cada fila de «resultados.filas» debe ser [título, valor, unidad]");
            r.filas.push_back({"", Cadena(fila[0], "resultados.filas"), Cadena(fila[1], "resultados.filas"),
                               Cadena(fila[2], "resultados.filas")});
        }
    }
    return r;
}

}  // namespace

bool TResultadosArchivo::operator==(const TResultadosArchivo& o) const {
    auto igual = [](const TFila& a, const TFila& b) {
        return a.etiqueta == b.etiqueta && a.valor == b.valor && a.unidad == b.unidad;
    };
    return codigo == o.codigo && titulo == o.titulo &&
           std::equal(filas.begin(), filas.end(), o.filas.begin(), o.filas.end(), igual);
}

std::string EscribirArchivoProblema(const TArchivoProblema& a) {
    const TProblema& p = a.problema;
    Json j;
    j["formato"] = kFormatoProblema;
    j["version"] = kVersionProblema;
    j["guardado"] = a.guardado;
    if (!a.archivo.empty()) j["archivo"] = a.archivo;
    j["codigo"] = p.codigo;
    j["chorro"] = p.chorro ? Json(*p.chorro) : Json(nullptr);
    j["rugosidad"] = p.rugosidad;
    Json textos = Json::object();
    for (const TCampo& c : Campos()) {
        const auto it = p.textos.find(c.nombre);
        textos[std::string(c.nombre)] = it == p.textos.end() ? std::string(c.defecto) : it->second;
    }
    j["textos"] = std::move(textos);
    if (a.incertidumbre) j["incertidumbre"] = EscribirIncertidumbre(*a.incertidumbre);
    if (a.observaciones) j["observaciones"] = *a.observaciones;

    std::string texto = j.dump(2, ' ', false, Json::error_handler_t::replace);
    if (!a.resultados) return texto + '\n';

    // The results, appended by hand so that each row takes one line.
    auto compacto = [](const Json& x) { return x.dump(-1, ' ', false, Json::error_handler_t::replace); };
    texto.resize(texto.size() - 2);  // "\n}" closing the object
    texto += ",\n  \"resultados\": {\n    \"codigo\": " + std::to_string(a.resultados->codigo) +
             ",\n    \"titulo\": " + compacto(a.resultados->titulo) + ",\n    \"filas\": [";
    for (std::size_t i = 0; i < a.resultados->filas.size(); ++i) {
        const TFila& f = a.resultados->filas[i];
        texto += (i ? ",\n      [" : "\n      [") + compacto(f.etiqueta) + ", " + compacto(f.valor) + ", " +
                 compacto(f.unidad) + "]";
    }
    texto += a.resultados->filas.empty() ? "]" : "\n    ]";
    return texto + "\n  }\n}\n";
}

TArchivoProblema LeerArchivoProblema(std::string_view texto) {
    if (texto.size() > kTamanoMaximoProblema)
        Fallar(TFalloArchivo::NoEsProblema, "no es un archivo de problema de turmado (demasiado grande)");
    const Json j = Analizar(texto);
    const Json* formato = j.is_object() ? Miembro(j, "formato") : nullptr;
    if (!formato || *formato != kFormatoProblema)
        Fallar(TFalloArchivo::NoEsProblema, "no es un archivo de problema de turmado");

    const Json* version = Miembro(j, "version");
    if (!version) Danado("falta «version»");
    const int v = Entero(*version, "version");
    if (v > kVersionProblema)
        Fallar(TFalloArchivo::VersionNueva, "el archivo usa la versión " + std::to_string(v) +
                                                " del formato, más nueva que la que lee este programa (" +
                                                std::to_string(kVersionProblema) + ")");
    if (v < 1) Danado("«version» debe ser 1 o mayor");

    TArchivoProblema a;
    a.problema = LeerProblema(j);
    if (const Json* g = Miembro(j, "guardado")) a.guardado = Cadena(*g, "guardado");
    if (const Json* r = Miembro(j, "archivo")) a.archivo = Cadena(*r, "archivo");
    if (const Json* r = Miembro(j, "resultados"); r && !r->is_null()) a.resultados = LeerResultados(*r);
    if (const Json* r = Miembro(j, "incertidumbre"); r && !r->is_null()) a.incertidumbre = LeerIncertidumbre(*r);
    if (const Json* r = Miembro(j, "observaciones"); r && !r->is_null())
        a.observaciones = Cadena(*r, "observaciones");
    return a;
}

TArchivoProblema CargarArchivoProblema(const std::filesystem::path& ruta) {
    std::error_code ec;
    if (!std::filesystem::exists(ruta, ec)) Fallar(TFalloArchivo::Lectura, "el archivo no existe");
    if (!std::filesystem::is_regular_file(ruta, ec)) Fallar(TFalloArchivo::Lectura, "no es un archivo");
    std::ifstream f(ruta, std::ios::binary);
    if (!f) Fallar(TFalloArchivo::Lectura, "no se puede leer el archivo");
    std::string texto(kTamanoMaximoProblema + 1, '\0');
    f.read(texto.data(), static_cast<std::streamsize>(texto.size()));
    if (f.bad()) Fallar(TFalloArchivo::Lectura, "no se puede leer el archivo");
    texto.resize(static_cast<std::size_t>(f.gcount()));
    return LeerArchivoProblema(texto);
}

std::string FechaActual() {
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &ahora);  // the same thread-safe conversion, arguments the other way round
#else
    localtime_r(&ahora, &local);
#endif
    char texto[32];
    std::strftime(texto, sizeof texto, "%Y-%m-%d %H:%M", &local);
    return texto;
}
