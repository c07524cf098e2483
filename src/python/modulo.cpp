// The turmado module for Python: the field catalogue, one problem solved,
// a batch, a sensitivity study and an uncertainty study, over the same core as the window and
// turmado-calc.  Every text a user reads (docstrings, messages) is Spanish.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "turmado.h"
#include "convertir.h"

namespace {

// What resolver() hands back, as Python objects.
struct TResultadoPy {
    int codigo = 0;
    py::object titulo = py::none();
    py::list filas, mensajes, avisos, datos;
    py::dict registro, profundidades;
    py::object curvas = py::none();

    // As turmado-calc prints it: the title, then one row a line.
    std::string Texto() const {
        std::ostringstream os;
        os << "Resultado del problema " << codigo;
        if (!titulo.is_none()) os << ": " << titulo.cast<std::string>();
        for (const py::handle f : filas) {
            const py::tuple t = f.cast<py::tuple>();
            os << "\n  " << t[0].cast<std::string>() << '\t' << t[1].cast<std::string>() << '\t'
               << t[2].cast<std::string>();
        }
        return os.str();
    }
};

// A bound of a field, or None where there is none.
py::object Cota(double x) { return std::abs(x) >= kMaxi ? py::object(py::none()) : py::object(py::float_(x)); }

py::list CamposPy(int codigo, bool rugosidad, const py::object& chorro, const py::kwargs& campos) {
    const TProblema p = ProblemaDeArgumentos(codigo, rugosidad, chorro, campos);
    py::list lista;
    for (std::string_view nombre : CamposDelProblema(p)) {
        const TCampo& c = *BuscarCampo(nombre);
        py::list excluidos;
        for (double x : {c.ex1, c.ex2})
            if (x >= c.lo && x <= c.hi && std::abs(x) < kMaxi) excluidos.append(x);
        py::dict d;
        d["nombre"] = std::string(c.nombre);
        d["etiqueta"] = std::string(c.etiqueta);
        d["unidad"] = std::string(c.unidad);
        d["defecto"] = std::string(c.defecto);
        d["minimo"] = Cota(c.lo);
        d["maximo"] = Cota(c.hi);
        d["excluidos"] = excluidos;
        d["vacio_aceptado"] = c.vacioAceptado || c.sinControl;
        d["texto"] = p.textos.at(std::string(nombre));
        lista.append(d);
    }
    return lista;
}

TResultadoPy ResolverPy(int codigo, bool rugosidad, const py::object& chorro, bool curvas, const py::kwargs& campos) {
    const TProblema p = ProblemaDeArgumentos(codigo, rugosidad, chorro, campos);
    TSolucion r;
    {
        py::gil_scoped_release sinGil;
        r = ::Resolver(p, {.comprobarTextos = false, .curvas = curvas});  // the texts were checked above
    }
    if (r.fallo) throw *r.fallo;
    TResultadoPy s;
    s.codigo = r.d.CodiProb;
    if (r.titulo) s.titulo = py::str(*r.titulo);
    for (const TFila& f : r.filas) s.filas.append(py::make_tuple(f.etiqueta, f.valor, f.unidad));
    for (const std::string& m : r.mensajes) s.mensajes.append(m);
    TDatosProblema::Recorrer(r.d, [&](const char* nombre, const double& v) { s.registro[nombre] = v; });
    const std::vector<TClaveFila> claves = ClavesDeFilas(r.d.CodiProb);
    for (int k = 1; k <= 4; ++k) {
        const std::string_view clave = ClaveErosion(r.d.CodiProb, k);
        if (clave.empty()) continue;
        py::object valor = py::none();
        for (const TFila& f : r.filas)
            if (f.tallo == TalloErosion(k) && f.numero) valor = py::float_(*f.numero);
        s.profundidades[py::str(std::string(clave))] = valor;
    }
    for (int k = 1; k <= 4; ++k) {
        const TAvisoRanura& a = r.validez[k - 1];
        py::list fuera;
        for (const TParametroFuera& x : a.fuera) {
            py::dict d;
            d["parametro"] = x.nombre;
            d["valor"] = x.valor;
            d["unidad"] = x.unidad;
            d["calibracion"] = x.calibracion;
            d["validacion"] = x.validacion;
            fuera.append(d);
        }
        py::dict d;
        d["formula"] = r.panel.Titulo(k);
        d["activa"] = r.panel.Activa(k);
        d["estado"] = NombreEstado(a.estado);
        d["fuera"] = fuera;
        s.avisos.append(d);
    }
    for (const TAvisoDato& a : r.datos) {
        py::dict d;
        d["campo"] = a.campo;
        d["mensaje"] = a.texto;
        s.datos.append(d);
    }
    if (curvas) {
        py::list series;
        for (const TSerie& serie : r.grafico.series) {
            py::array_t<double> t(static_cast<py::ssize_t>(serie.puntos.size()));
            py::array_t<double> y(static_cast<py::ssize_t>(serie.puntos.size()));
            for (std::size_t i = 0; i < serie.puntos.size(); ++i) {
                t.mutable_at(i) = serie.puntos[i].x;
                y.mutable_at(i) = serie.puntos[i].y;
            }
            py::dict d;
            d["titulo"] = serie.titulo;
            d["tiempo_h"] = t;
            d["profundidad_m"] = y;
            series.append(d);
        }
        s.curvas = series;
    }
    return s;
}

// gradacion_fija: None for the default, or a bool.
std::optional<bool> Gradacion(const py::object& v) {
    if (v.is_none()) return std::nullopt;
    if (!py::isinstance<py::bool_>(v)) throw py::type_error("gradacion_fija: se espera True, False o None");
    return v.cast<bool>();
}

py::object Barrido(int codigo, const std::string& campo, const py::object& desde, const py::object& hasta,
                   const py::object& puntos, bool log, const py::object& hilos, const py::object& gradacion,
                   bool rugosidad, const py::object& chorro, const py::kwargs& campos) {
    const TProblema p = ProblemaDeArgumentos(codigo, rugosidad, chorro, campos);
    auto texto = [](const char* nombre, const py::object& v) {
        auto t = TextoDeValor(v);
        if (!t) throw py::type_error(std::string(nombre) + ": se espera un número");
        return *t;
    };
    const TLecturaBarrido l = LeerBarrido(campo, texto("desde", desde), texto("hasta", hasta), texto("puntos", puntos), log);
    if (!l.barrido) throw py::value_error(l.error);
    const std::vector<std::string_view> leidos = CamposDelProblema(p);
    if (std::find(leidos.begin(), leidos.end(), l.barrido->campo) == leidos.end())
        throw py::value_error("el problema no lee el campo " + l.barrido->campo);
    const unsigned n = Hilos(hilos);
    TBarrido b = *l.barrido;
    b.gradacion = Gradacion(gradacion);
    TEstudio e;
    {
        py::gil_scoped_release sinGil;
        e = Estudiar(p, b, n);
    }
    const ProblemCode final = CodigoFinal(p);
    const std::size_t m = e.puntos.size();
    py::dict datos;
    py::array_t<double> valores(static_cast<py::ssize_t>(m));
    for (std::size_t i = 0; i < m; ++i) valores.mutable_at(i) = e.puntos[i].valor;
    datos[py::str(l.barrido->campo)] = valores;
    for (const TEstudio::TFormula& f : e.formulas) {
        const std::string clave(ClaveErosion(final, f.ranura));
        py::array_t<double> ys(static_cast<py::ssize_t>(m));
        py::list estados;
        for (std::size_t i = 0; i < m; ++i) {
            const auto& y = e.puntos[i].profundidades[f.ranura - 1];
            ys.mutable_at(i) = y ? *y : std::nan("");
            estados.append(e.puntos[i].error ? "" : NombreEstado(e.puntos[i].estados[f.ranura - 1]));
        }
        datos[py::str(clave)] = ys;
        datos[py::str(ClaveValidez(clave))] = estados;
    }
    py::list condicion, avisos, error;
    for (const TPuntoBarrido& x : e.puntos) {
        condicion.append(x.condicion);
        avisos.append(UnirAvisosDatos(x.avisos));
        error.append(x.error.value_or(""));
    }
    datos["transporte"] = condicion;
    datos["avisos_datos"] = avisos;
    datos["error"] = error;
    py::object tabla = py::module_::import("pandas").attr("DataFrame")(datos);
    tabla.attr("attrs").cast<py::dict>()["granulometria"] = e.gradacion;
    return tabla;
}

py::object Incertidumbre(int codigo, const py::object& inciertos, const py::object& muestras, const py::object& semilla,
                         const py::object& modelo, const py::object& fundacion, const py::object& hilos,
                         bool conMuestras, const py::object& gradacion, bool rugosidad, const py::object& chorro,
                         const py::kwargs& campos) {
    const TProblema p = ProblemaDeArgumentos(codigo, rugosidad, chorro, campos);
    TOpcionesIncertidumbre o = OpcionesDeEstudio(muestras, semilla, modelo, fundacion);
    o.gradacion = Gradacion(gradacion);
    for (const std::string& texto : TextosInciertos(inciertos)) {
        const TLecturaIncierta l = LeerIncierta(texto, p);
        if (!l.entrada) throw py::value_error(l.error);
        o.entradas.push_back(*l.entrada);
    }
    o.hilos = Hilos(hilos);
    // Ctrl+C stops the study between blocks of samples.
    std::atomic<bool> cancelar{false};
    o.cancelar = &cancelar;
    o.avance = [&](std::size_t, std::size_t) {
        const py::gil_scoped_acquire conGil;
        if (PyErr_CheckSignals() != 0) cancelar = true;
    };
    TEstudioIncertidumbre e;
    {
        py::gil_scoped_release sinGil;
        // The problem alone first, so that its faults are the exceptions of resolver().
        const TSolucion base = ::Resolver(p, {.comprobarTextos = false, .curvas = false});
        if (base.fallo) throw *base.fallo;
        e = EstudiarIncertidumbre(p, o);
    }
    if (cancelar) throw py::error_already_set();
    if (e.error) throw py::value_error(*e.error);
    if (const auto sin = MensajeSinMuestras(e)) throw py::value_error(*sin);
    // As turmado-calc warns of the samples left out of the statistics.
    const py::object avisar = py::module_::import("warnings").attr("warn");
    if (e.rechazadas)
        avisar(std::to_string(e.rechazadas) + " muestras con un valor que su campo no admite, fuera de la "
                                              "estadística (la primera: " + e.primerRechazo + ")");
    if (e.fallidas)
        avisar(std::to_string(e.fallidas) + " muestras cuyo cálculo falló, fuera de la estadística (la primera: " +
               e.primerFallo + ")");

    const std::size_t nf = e.formulas.size();
    auto columna = [&](auto campo) {
        py::array_t<double> a(static_cast<py::ssize_t>(nf));
        for (std::size_t f = 0; f < nf; ++f) a.mutable_at(f) = campo(e.formulas[f]);
        return a;
    };
    py::list formulas;
    for (const TEstadisticaFormula& f : e.formulas) formulas.append(f.titulo);
    py::dict datos;
    datos["formula"] = formulas;
    datos["media"] = columna([](const TEstadisticaFormula& f) { return f.media; });
    datos["desvio"] = columna([](const TEstadisticaFormula& f) { return f.desvio; });
    datos["p05"] = columna([](const TEstadisticaFormula& f) { return f.p05; });
    datos["p50"] = columna([](const TEstadisticaFormula& f) { return f.p50; });
    datos["p90"] = columna([](const TEstadisticaFormula& f) { return f.p90; });
    datos["p95"] = columna([](const TEstadisticaFormula& f) { return f.p95; });
    datos["p99"] = columna([](const TEstadisticaFormula& f) { return f.p99; });
    if (o.fundacion)
        datos["prob_fundacion"] =
            columna([](const TEstadisticaFormula& f) { return f.probFundacion.value_or(std::nan("")); });
    datos["fuera_calibracion"] = columna(
        [](const TEstadisticaFormula& f) { return f.sinRangos ? std::nan("") : f.fueraCalibracion; });
    py::list sinRangos;
    for (const TEstadisticaFormula& f : e.formulas) sinRangos.append(f.sinRangos);
    datos["sin_rangos"] = sinRangos;
    const py::module_ pandas = py::module_::import("pandas");
    py::object resumen = pandas.attr("DataFrame")(datos);
    py::dict attrs = resumen.attr("attrs").cast<py::dict>();
    attrs["muestras"] = e.muestras;
    attrs["rechazadas"] = e.rechazadas;
    attrs["fallidas"] = e.fallidas;
    attrs["semilla"] = o.semilla;
    attrs["primer_rechazo"] = e.primerRechazo;
    attrs["primer_fallo"] = e.primerFallo;
    attrs["granulometria"] = e.gradacion;
    if (!conMuestras) return resumen;

    // Every sample: each input's value, then each formula's depth and the envelope's.
    const std::size_t n = e.muestras, m = e.entradas.size();
    py::dict tabla;
    for (std::size_t k = 0; k < m; ++k) {
        py::array_t<double> a(static_cast<py::ssize_t>(n));
        double* x = a.mutable_data();
        for (std::size_t i = 0; i < n; ++i) x[i] = e.valores[i * m + k];
        tabla[py::str(e.entradas[k].campo)] = a;
    }
    for (std::size_t f = 0; f < nf; ++f)
        tabla[py::str(e.formulas[f].titulo)] =
            py::array_t<double>(static_cast<py::ssize_t>(n), e.profundidades[f].data());
    return py::make_tuple(resumen, pandas.attr("DataFrame")(tabla));
}

}  // namespace

void LanzarTextoRechazado(const std::string& campo, const std::string& mensaje) {
    const py::object clase = py::module_::import("turmado").attr("TextoRechazado");
    const py::object e = clase(mensaje);
    e.attr("campo") = campo;
    PyErr_SetObject(clase.ptr(), e.ptr());
    throw py::error_already_set();
}

PYBIND11_MODULE(turmado, m) {
    m.doc() = R"(Erosión local junto a estructuras hidráulicas, desde Python.

El mismo cálculo que la ventana de turmado y turmado-calc:

- campos(codigo, ...): los campos que lee un problema, con rótulo, unidad,
  texto por omisión y cotas;
- resolver(codigo, **campos): un problema resuelto (filas de resultados,
  registro a precisión completa, profundidades de equilibrio por clave,
  avisos de validez y de datos; con curvas=True, las curvas de evolución);
- lote(tabla, hilos=None): muchos casos a la vez (un DataFrame o una lista
  de diccionarios, como las líneas de turmado-calc --lote), en todos los
  núcleos; devuelve un DataFrame con las columnas de claves fijas del lote
  (con incierto=..., también las del estudio de incertidumbre de cada caso);
- barrido(codigo, campo, desde, hasta, puntos, ...): el estudio de
  sensibilidad de un campo, como DataFrame;
- incertidumbre(codigo, inciertos, ...): el estudio de incertidumbre de
  campos inciertos y del error de las fórmulas, como DataFrame de
  estadísticas (media, percentiles, probabilidad de superar la fundación).

Los campos se nombran sin el prefijo edt (AguaDens, SediDiamMedi,
FlujTiraRest, EstrAnchPila ...) y se dan como números o como el texto que se
escribiría en el campo (diámetros y rugosidad en mm).

Errores: TextoRechazado (un texto que su campo rechaza; el atributo campo lo
nombra), FalloNumerico (un fallo de coma flotante del cálculo); ValueError y
TypeError para los demás datos que no sirven.)";

    const py::object textoRechazado = py::exception<std::invalid_argument>(m, "TextoRechazado", PyExc_ValueError);
    textoRechazado.attr("__doc__") =
        "Un texto que su campo rechaza, como al salir del campo en la ventana. El atributo campo\n"
        "nombra el campo; el mensaje es el del programa (\"EstrAnchPila: El valor ingresado no es válido.\").";
    const py::object falloNumerico = py::exception<ErrorFlotante>(m, "FalloNumerico", PyExc_ArithmeticError);
    falloNumerico.attr("__doc__") =
        "Un fallo de coma flotante del cálculo (\"Floating point division by zero\", \"Invalid floating\n"
        "point operation\", \"Floating point overflow\"), como lo muestra el programa.";
    // The core's refusals: each its own message.
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const ErrorTurmado& e) {
            // A floating-point fault is FalloNumerico, a file that cannot be
            // read or written an OSError, every other refusal a ValueError.
            PyObject* tipo = PyExc_ValueError;
            switch (e.Clase()) {
                case TClaseError::Flotante: tipo = py::module_::import("turmado").attr("FalloNumerico").ptr(); break;
                case TClaseError::Archivo:
                case TClaseError::Escritura: tipo = PyExc_OSError; break;
                default: break;
            }
            PyErr_SetString(tipo, e.what());
        } catch (const py::cast_error& e) {
            // A value of a type the call does not take: a TypeError, as the
            // module's own checks raise, not pybind11's RuntimeError.
            PyErr_SetString(PyExc_TypeError, "un valor no es del tipo que se espera (número o texto)");
        }
    });

    py::class_<TResultadoPy>(m, "Resultado", R"(Un problema resuelto por resolver().

Atributos:
  codigo         código final del problema, al que llega la clasificación del asistente
  titulo         título de los resultados (None para un código sin calculadora)
  filas          filas de la página de resultados: (rótulo, valor, unidad), textos como se muestran
  registro       cada número del registro del problema por nombre, a precisión completa
                 (las claves de "registro" de turmado-calc --json)
  profundidades  la erosión máxima de equilibrio de cada fórmula por su clave fija
                 (ys_pila_csu_m ...), en m; None para una fórmula inactiva
  avisos         por ranura de fórmula: formula, activa, estado (calibracion, validacion,
                 fuera, sin_rangos) y los parámetros fuera de rango
  datos          avisos de datos inverosímiles: campo y mensaje
  mensajes       mensajes del camino (protección insuficiente ...)
  curvas         con curvas=True, por ranura: titulo, tiempo_h y profundidad_m (arreglos);
                 si no, None)")
        .def_readonly("codigo", &TResultadoPy::codigo)
        .def_readonly("titulo", &TResultadoPy::titulo)
        .def_readonly("filas", &TResultadoPy::filas)
        .def_readonly("registro", &TResultadoPy::registro)
        .def_readonly("profundidades", &TResultadoPy::profundidades)
        .def_readonly("avisos", &TResultadoPy::avisos)
        .def_readonly("datos", &TResultadoPy::datos)
        .def_readonly("mensajes", &TResultadoPy::mensajes)
        .def_readonly("curvas", &TResultadoPy::curvas)
        .def("__repr__", &TResultadoPy::Texto);

    m.def("campos", &CamposPy, py::arg("codigo"), py::kw_only(), py::arg("rugosidad") = false,
          py::arg("chorro") = py::none(),
          R"(Los campos que lee un problema, en el orden de sus páginas.

codigo: respuestas del asistente (0, 1, 2, 3, 11, 12, 21, 22, 31, como --codigo).
rugosidad: True para "Altura de rugosidad" en lugar de "Coeficiente de Manning".
chorro: 0 "impacta sobre superficie libre", 1 "desliza sobre escalón" o None.
Los demás argumentos con nombre son campos (deciden, por ejemplo, si la protección
alcanza y con ello el problema final y sus campos complementarios).

Devuelve una lista de diccionarios: nombre, etiqueta, unidad, defecto (texto por
omisión), minimo y maximo (None sin cota), excluidos (valores no admitidos dentro
de las cotas), vacio_aceptado y texto (el que tendría en este problema).)");

    m.def("resolver", &ResolverPy, py::arg("codigo"), py::kw_only(), py::arg("rugosidad") = false,
          py::arg("chorro") = py::none(), py::arg("curvas") = false,
          R"(Resuelve un problema como "Continuar" y "Calcular" en la ventana.

codigo: respuestas del asistente (0, 1, 2, 3, 11, 12, 21, 22, 31).
rugosidad, chorro: como en campos().
curvas: True para calcular también las curvas de evolución.
Los demás argumentos con nombre son campos, números o textos como se escribirían
(EstrAnchPila=1.5, SediDiamMedi="85"); los no dados conservan su texto por omisión.

Devuelve un Resultado. Lanza TextoRechazado si un campo rechaza su texto,
FalloNumerico ante un fallo de coma flotante y ValueError si falta la respuesta
del chorro o el cálculo rechaza los datos.

>>> turmado.resolver(22, EstrAnchPila=1.5, EstrLongPila=6, EstrFactFormKs=1, EstrFactGrup=1).profundidades
)");

    m.def("lote", &Lote, py::arg("tabla"), py::arg("hilos") = py::none(), py::kw_only(), py::arg("textos") = false,
          py::arg("incierto") = py::none(), py::arg("muestras") = py::none(), py::arg("semilla") = py::none(),
          py::arg("modelo") = py::none(), py::arg("fundacion") = py::none(),
          R"(Muchos casos a la vez, como turmado-calc --lote.

tabla: un DataFrame de pandas (o una lista de diccionarios) cuyas columnas son
campos sin edt y codigo, chorro y rugosidad; cada celda, número o texto, es lo que
se escribiría en el campo; una columna que falta toma su valor por omisión; None o
NaN es una celda vacía.
hilos: hilos de cálculo, de 1 a 256 (None: todos los núcleos). Python queda libre
mientras se calcula.
textos: True para que cada resultado sea el texto que escribe --lote (los decimales
de la página de resultados); por omisión, los números van a precisión completa.
incierto: el estudio de incertidumbre de cada caso, como --lote con --incierto:
{campo: distribución} como en incertidumbre(), MEDIA "*" el valor del caso;
muestras, semilla, modelo y fundacion como allí (solo valen con incierto).

Devuelve un DataFrame con el índice de la tabla: sus columnas, titulo, las columnas
de claves fijas del lote (shields, ys_pila_csu_m, validez_pila_csu ... avisos_datos),
con incierto las del estudio (p50_pila_csu_m, p95_pila_csu_m, pfund_pila_csu con
fundacion ... p50_envolvente_m, muestras_rechazadas, mensaje_incertidumbre: por qué
no se pudo estudiar el caso) y error: vacío en un caso bueno, el mensaje en uno malo (cuyas demás celdas quedan
vacías); un caso malo no detiene los demás. Una columna desconocida o repetida es
un ValueError.)");

    m.def("barrido", &Barrido, py::arg("codigo"), py::arg("campo"), py::arg("desde"), py::arg("hasta"),
          py::arg("puntos"), py::kw_only(), py::arg("log") = false, py::arg("hilos") = py::none(),
          py::arg("gradacion_fija") = py::none(), py::arg("rugosidad") = false, py::arg("chorro") = py::none(),
          R"(Estudio de sensibilidad: un campo del problema de desde a hasta en puntos
valores (2 a 1000), equiespaciados o, con log=True, en escala logarítmica.

Los demás argumentos como en resolver(). Devuelve un DataFrame: el campo, la
erosión máxima de equilibrio de cada fórmula activa por su clave fija (NaN donde
el punto falla) con su validez (validez_...), transporte, avisos_datos (los
avisos de datos inverosímiles del punto, unidos con " | ", como la columna "Avisos
de datos" de --barrido) y error (el mensaje de un punto que el campo rechaza o
cuyo cálculo falla). Al variar SediDiamMedi, gradacion_fija=True mantiene
d84/d50 y d90/d50 (d84 y d90 varían con d50) y False mantiene d84 y d90; None
(por omisión) es True si el problema tiene d84 o d90. attrs["granulometria"]
dice lo que se hizo ("" si no se varía d50).)");

    m.def("incertidumbre", &Incertidumbre, py::arg("codigo"), py::arg("inciertos"), py::kw_only(),
          py::arg("muestras") = kMuestrasPorDefecto, py::arg("semilla") = kSemillaPorDefecto,
          py::arg("modelo") = py::none(), py::arg("fundacion") = py::none(), py::arg("hilos") = py::none(),
          py::arg("con_muestras") = false, py::arg("gradacion_fija") = py::none(), py::arg("rugosidad") = false,
          py::arg("chorro") = py::none(),
          R"(Estudio de incertidumbre, como turmado-calc --incierto: campos del problema
tomados de distribuciones de probabilidad, muestreados por hipercubo latino, y la
erosión máxima de equilibrio de cada fórmula resumida en estadísticas.

inciertos: {campo: distribución}, la distribución como en --incierto:
  "normal:MEDIA:CV", "lognormal:MEDIA:CV", "uniforme:MIN:MAX" o
  "triangular:MIN:MODA:MAX", MEDIA "*" para el valor del campo en este problema
  (CV: desvío / media); o una tupla de esas partes, ("lognormal", "*", 0.3); o
  una lista de textos "CAMPO=DIST".
muestras: de 100 a 1000000. semilla: de 0 a 2**53; la misma semilla da los
  mismos números con cualquier cantidad de hilos, y los de turmado-calc.
modelo: el error propio de las fórmulas, {fórmula: "SESGO:CV"} o {fórmula:
  (sesgo, cv)} con el rótulo de la fórmula ("CSU"), como --modelo: un factor
  lognormal de media SESGO (medida / calculada) y coeficiente de variación CV
  sobre su profundidad. Por omisión ninguno.
fundacion: profundidad de fundación en m: agrega la probabilidad de superarla.
hilos: como en lote(). Python queda libre mientras se calcula; Ctrl+C detiene
  el estudio (KeyboardInterrupt).
con_muestras: True para devolver también cada muestra.
gradacion_fija: con SediDiamMedi incierto, True mantiene d84/d50 y d90/d50 (d84
  y d90 varían con d50) y False mantiene d84 y d90; None (por omisión) es True
  si el problema tiene d84 o d90. attrs["granulometria"] dice lo que se hizo.
Los demás argumentos como en resolver(): los campos dan el problema base.

Devuelve un DataFrame con una fila por fórmula activa y la envolvente (la mayor
profundidad de las fórmulas en cada muestra) y las columnas de --json: formula
("CSU" ... "envolvente"), media, desvio, p05, p50, p90, p95, p99 (en m),
prob_fundacion (con fundacion), fuera_calibracion (la fracción de muestras
fuera del rango de calibración de la fórmula; NaN si no tiene rangos) y
sin_rangos (True si la fórmula no tiene rango de calibración); NaN donde
ninguna muestra tiene profundidad. Su attrs guarda muestras, rechazadas (un valor que su campo no
admite), fallidas (el cálculo falló), semilla, primer_rechazo y primer_fallo
(el mensaje de la primera, o ""); las muestras fuera de la estadística se
avisan además con warnings.warn. Con con_muestras=True devuelve (resumen,
muestras): muestras tiene una fila por muestra, el valor de cada campo incierto
y la profundidad de cada fórmula (con su error propio) y de la envolvente, en
columnas con el rótulo de la fórmula (NaN en una muestra no calculada).

Un texto de distribución o de error que no sirve es un ValueError con el mensaje
de turmado-calc; los campos y fallos del problema, como en resolver().

>>> turmado.incertidumbre(22, {"FlujCaud": "lognormal:*:0.3"}, fundacion=3,
...                       EstrAnchPila=1.5, EstrFactFormKs=1, EstrFactGrup=1)
)");
}
