#include "convertir.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <pybind11/numpy.h>

#include "turmado.h"

std::string Utf8(py::handle texto) {
    const py::object bytes = py::reinterpret_steal<py::object>(PyUnicode_AsUTF8String(texto.ptr()));
    if (!bytes) {
        PyErr_Clear();  // a lone surrogate ("\udcff", a byte that os.fsdecode could not read)
        throw py::value_error("el texto " + py::repr(texto).cast<std::string>() +
                              " no se puede escribir en UTF-8 (tiene un carácter sustituto suelto)");
    }
    return std::string(PyBytes_AS_STRING(bytes.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(bytes.ptr())));
}

std::optional<std::string> TextoDeValor(py::handle valor) {
    if (valor.is_none()) return std::string();
    if (py::isinstance<py::str>(valor)) return Utf8(valor);
    if (py::isinstance<py::bool_>(valor)) return std::string(valor.cast<bool>() ? "1" : "0");
    if (py::isinstance<py::int_>(valor)) return py::str(valor).cast<std::string>();
    if (py::isinstance<py::float_>(valor)) {
        const double x = valor.cast<double>();
        return std::isnan(x) ? std::string() : TextoValor(x);
    }
    // numpy's scalars (np.int64, np.float32 ...) and pandas' missing value.
    if (py::hasattr(valor, "dtype")) {
        const char tipo = valor.attr("dtype").attr("kind").cast<char>();
        if (tipo == 'i' || tipo == 'u') return py::str(valor).cast<std::string>();
        if (tipo == 'b') return std::string(valor.cast<bool>() ? "1" : "0");
        if (tipo == 'f') return TextoDeValor(py::float_(valor.cast<double>()));
    }
    if (py::module_::import("pandas").attr("isna")(valor).cast<py::object>().equal(py::bool_(true)))
        return std::string();
    return std::nullopt;
}

TProblema ProblemaDeArgumentos(int codigo, bool rugosidad, const py::object& chorro, const py::kwargs& campos) {
    TProblema p;
    if (!CodigoDeRespuestas(codigo)) throw py::value_error("codigo: debe ser 0, 1, 2, 3, 11, 12, 21, 22 o 31");
    p.codigo = codigo;
    p.rugosidad = rugosidad;
    if (!chorro.is_none()) {
        // Compared as Python integers: a huge one is no C int.
        const bool cero = chorro.equal(py::int_(0)), uno = chorro.equal(py::int_(1));
        if (!py::isinstance<py::int_>(chorro) || (!cero && !uno)) throw py::value_error("chorro: debe ser 0, 1 o None");
        p.chorro = uno ? 1 : 0;
    }
    for (const auto& [clave, valor] : campos) {
        const std::string nombre = Utf8(py::str(clave));
        const TCampo* campo = BuscarCampo(nombre);
        if (!campo) throw py::type_error("campo desconocido: " + Mostrable(nombre));
        const auto texto = TextoDeValor(valor);
        if (!texto) throw py::type_error(nombre + ": se espera un número o un texto");
        if (!TextoAceptado(*campo, *texto)) LanzarTextoRechazado(nombre, nombre + ": " + std::string(campo->mensaje));
        p.textos[nombre] = *texto;
    }
    return p;
}

namespace {

// The text of one distribution or model error given as a tuple of its parts
// (("lognormal", "*", 0.3), (1, 0.3)): the parts joined by ":"; a text as it is.
std::string TextoDeParametros(const std::string& nombre, const py::handle valor) {
    if (py::isinstance<py::str>(valor)) return Utf8(valor);
    if (!py::isinstance<py::tuple>(valor) && !py::isinstance<py::list>(valor))
        throw py::type_error(nombre + ": se espera un texto o una tupla de sus partes");
    std::string texto;
    for (const py::handle parte : valor) {
        const auto t = TextoDeValor(parte);
        if (!t) throw py::type_error(nombre + ": se espera un texto o una tupla de sus partes");
        texto += (texto.empty() ? "" : ":") + *t;
    }
    return texto;
}

// The texts "NOMBRE=PARAMETROS" of a dict {nombre: parámetros} or of a list
// of such texts; None is no text.
std::vector<std::string> TextosIgual(const char* argumento, const py::object& valor) {
    std::vector<std::string> textos;
    if (valor.is_none()) return textos;
    if (py::isinstance<py::dict>(valor)) {
        for (const auto& [clave, v] : valor.cast<py::dict>()) {
            const std::string nombre = Utf8(py::str(clave));
            textos.push_back(nombre + "=" + TextoDeParametros(nombre, v));
        }
    } else if ((py::isinstance<py::list>(valor) || py::isinstance<py::tuple>(valor))) {
        for (const py::handle x : valor) {
            if (!py::isinstance<py::str>(x))
                throw py::type_error(std::string(argumento) + ": se espera un diccionario o una lista de textos");
            textos.push_back(Utf8(x));
        }
    } else {
        throw py::type_error(std::string(argumento) + ": se espera un diccionario o una lista de textos");
    }
    return textos;
}

// A whole number from minimo to maximo (a Python or numpy integer, not a bool).
std::uint64_t EnteroEntre(const char* nombre, const py::object& valor, std::uint64_t minimo, std::uint64_t maximo) {
    const std::string mensaje =
        std::string(nombre) + ": se espera un número entero de " + std::to_string(minimo) + " a " + std::to_string(maximo);
    if (py::isinstance<py::bool_>(valor) || !PyIndex_Check(valor.ptr())) throw py::value_error(mensaje);
    const py::int_ n = py::reinterpret_steal<py::int_>(PyNumber_Index(valor.ptr()));
    if (PyObject_RichCompareBool(n.ptr(), py::int_(minimo).ptr(), Py_LT) ||
        PyObject_RichCompareBool(n.ptr(), py::int_(maximo).ptr(), Py_GT))
        throw py::value_error(mensaje);
    return n.cast<std::uint64_t>();
}

}  // namespace

unsigned Hilos(const py::object& hilos) {
    if (hilos.is_none()) return 0;
    return static_cast<unsigned>(EnteroEntre("hilos", hilos, 1, kHilosMaximo));
}

std::vector<std::string> TextosInciertos(const py::object& inciertos) {
    std::vector<std::string> textos = TextosIgual("inciertos", inciertos);
    if (textos.empty()) throw py::value_error("inciertos: falta al menos un campo incierto");
    return textos;
}

TOpcionesIncertidumbre OpcionesDeEstudio(const py::object& muestras, const py::object& semilla, const py::object& modelo,
                                         const py::object& fundacion) {
    TOpcionesIncertidumbre o;
    for (const std::string& texto : TextosIgual("modelo", modelo)) {
        const TLecturaModelo l = LeerModelo(texto);
        if (!l.mensaje.empty()) throw py::value_error(l.mensaje);
        o.modelo.emplace_back(l.formula, l.error);
    }
    o.muestras = EnteroEntre("muestras", muestras, kMuestrasMinimo, kMuestrasMaximo);
    o.semilla = EnteroEntre("semilla", semilla, 0, kSemillaMaxima);
    if (!fundacion.is_none()) {
        const auto texto = TextoDeValor(fundacion);
        const auto y = texto ? LeerNumero(*texto) : std::nullopt;
        if (!y || !std::isfinite(*y) || *y <= 0)
            throw py::value_error("fundacion: se espera una profundidad en metros mayor que 0");
        o.fundacion = *y;
    }
    return o;
}

namespace {

// The cells of one input column, read with the interpreter held: numbers
// stay numbers until a worker thread writes them as text.
struct TColumnaEntrada {
    enum { Textos, Reales, Enteros } tipo = Textos;
    std::vector<std::string> textos;
    std::vector<double> reales;
    std::vector<std::int64_t> enteros;

    std::string Celda(std::size_t i) const {
        switch (tipo) {
            case Reales: return std::isnan(reales[i]) ? std::string() : TextoValor(reales[i]);
            case Enteros: return std::to_string(enteros[i]);
            case Textos: break;
        }
        return textos[i];
    }
};

TColumnaEntrada LeerColumna(const py::object& serie, const std::string& nombre) {
    TColumnaEntrada c;
    const char tipo = serie.attr("dtype").attr("kind").cast<char>();
    if (tipo == 'f') {
        c.tipo = TColumnaEntrada::Reales;
        const auto a = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(serie.attr("to_numpy")("float64"));
        c.reales.assign(a.data(), a.data() + a.size());
    } else if ((tipo == 'i' || tipo == 'u' || tipo == 'b') && !serie.attr("hasnans").cast<bool>()) {
        // A nullable integer column (Int64, boolean) with <NA> goes the way
        // of texts below: each NA an empty cell, as in a batch file.
        c.tipo = TColumnaEntrada::Enteros;
        const auto a =
            py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>::ensure(serie.attr("to_numpy")("int64"));
        c.enteros.assign(a.data(), a.data() + a.size());
    } else {
        const py::list valores = serie.attr("tolist")();
        c.textos.reserve(valores.size());
        for (std::size_t i = 0; i < valores.size(); ++i) {
            auto texto = TextoDeValor(valores[i]);
            if (!texto)
                throw py::type_error(nombre + ", fila " + std::to_string(i) + ": se espera un número o un texto");
            c.textos.push_back(std::move(*texto));
        }
    }
    return c;
}

// The texts of the output columns, each once: a column holds a code per
// row, and the few different texts (titles, states, conditions) become one
// Python object each.  Code 0 is the empty text.
class TDiccionario {
public:
    TDiccionario() { Codigo(""); }
    std::uint32_t Codigo(const std::string& texto) {
        const auto [it, nuevo] = codigos_.try_emplace(texto, static_cast<std::uint32_t>(textos_.size()));
        if (nuevo) textos_.push_back(texto);
        return it->second;
    }
    const std::vector<std::string>& Textos() const { return textos_; }

private:
    std::unordered_map<std::string, std::uint32_t> codigos_;
    std::vector<std::string> textos_;
};

// The results columns that hold text whatever the mode: the transport
// condition, besides the validity states and the warnings.
bool ColumnaDeTexto(const std::string& columna) {
    return columna == "transporte" || columna.starts_with("validez_") || columna == "avisos_datos" ||
           columna == "mensaje_incertidumbre";
}

}  // namespace

py::object Lote(const py::object& tabla, const py::object& hilos, bool textos, const py::object& incierto,
                const py::object& muestras, const py::object& semilla, const py::object& modelo,
                const py::object& fundacion) {
    const py::module_ pandas = py::module_::import("pandas");
    py::object df;
    if (py::isinstance(tabla, pandas.attr("DataFrame")))
        df = tabla;
    else if (py::isinstance<py::list>(tabla) || py::isinstance<py::tuple>(tabla))
        df = pandas.attr("DataFrame")(py::list(tabla));
    else
        throw py::type_error("tabla: se espera un DataFrame de pandas o una lista de diccionarios");

    TOpcionesLote opciones;
    opciones.hilos = Hilos(hilos);
    std::vector<std::string> delEstudio;
    if (!incierto.is_none()) {
        auto oDefecto = [](const py::object& x, std::uint64_t defecto) { return x.is_none() ? py::int_(defecto) : x; };
        TIncertidumbreLote estudio{TextosInciertos(incierto),
                                   OpcionesDeEstudio(oDefecto(muestras, kMuestrasPorDefecto),
                                                     oDefecto(semilla, kSemillaPorDefecto), modelo, fundacion)};
        if (const auto error = ErrorIncertidumbreLote(estudio)) throw py::value_error(*error);
        delEstudio = TEstudioLote(estudio, false).Columnas();
        opciones.incertidumbre = std::move(estudio);
        // The study's numbers at full precision, unless the texts of --lote are asked for.
        opciones.numerosCompletos = !textos;
    } else if (!muestras.is_none() || !semilla.is_none() || !modelo.is_none() || !fundacion.is_none()) {
        throw py::value_error("muestras, semilla, modelo y fundacion solo valen con incierto");
    }
    const std::size_t n = py::len(df);
    std::vector<std::string> nombres;
    std::vector<TColumnaEntrada> entrada;
    const py::list etiquetas = df.attr("columns").attr("tolist")();
    for (std::size_t j = 0; j < etiquetas.size(); ++j) {
        if (!py::isinstance<py::str>(etiquetas[j]))
            throw py::type_error("columna " + py::repr(etiquetas[j]).cast<std::string>() +
                                 ": los nombres de columna son textos");
        nombres.push_back(Utf8(etiquetas[j]));
        entrada.push_back(LeerColumna(df.attr("iloc")[py::make_tuple(py::slice(0, n, 1), j)], nombres.back()));
    }

    // The output columns after the input's: "titulo", the fixed ones, the
    // study's, "error".
    std::vector<std::string> columnas{"titulo"};
    for (std::string& c : ColumnasLote(TColumnasLote::Claves)) columnas.push_back(std::move(c));
    const std::size_t kAvisos = columnas.size() - 1;
    columnas.insert(columnas.end(), delEstudio.begin(), delEstudio.end());
    columnas.push_back("error");
    const std::size_t kTitulo = 0, kError = columnas.size() - 1;
    std::vector<bool> numerica(columnas.size(), false);
    std::vector<py::array_t<double>> arreglos(columnas.size());
    std::vector<double*> numeros(columnas.size(), nullptr);
    std::vector<std::vector<std::uint32_t>> codigos(columnas.size());
    for (std::size_t c = 0; c < columnas.size(); ++c) {
        numerica[c] = !textos && c != kTitulo && c != kError && !ColumnaDeTexto(columnas[c]);
        if (numerica[c]) {
            arreglos[c] = py::array_t<double>(static_cast<py::ssize_t>(n));
            numeros[c] = arreglos[c].mutable_data();
            std::fill(numeros[c], numeros[c] + n, std::nan(""));
        } else {
            codigos[c].assign(n, 0);
        }
    }

    TDiccionario diccionario;
    std::mutex mutex;
    {
        py::gil_scoped_release sinGil;
        EjecutarTabla(
            nombres, n,
            [&](std::size_t i, std::vector<std::string>& celdas) {
                celdas.reserve(entrada.size());
                for (const TColumnaEntrada& c : entrada) celdas.push_back(c.Celda(i));
            },
            [&](std::size_t i, TCasoTabla& caso) {
                for (const auto& [c, celda] : caso.celdas)
                    if (numerica[c + 1] && celda.numero) numeros[c + 1][i] = *celda.numero;
                const std::lock_guard<std::mutex> cerrojo(mutex);
                if (caso.error) {
                    codigos[kError][i] = diccionario.Codigo(*caso.error);
                    return;
                }
                codigos[kTitulo][i] = diccionario.Codigo(caso.titulo);
                for (const auto& [c, celda] : caso.celdas)
                    if (!numerica[c + 1]) codigos[c + 1][i] = diccionario.Codigo(celda.texto);
                codigos[kAvisos][i] = diccionario.Codigo(caso.avisos);
            },
            opciones);
    }

    const py::module_ numpy = py::module_::import("numpy");
    py::object todos = numpy.attr("empty")(diccionario.Textos().size(), "object");
    for (std::size_t k = 0; k < diccionario.Textos().size(); ++k)
        todos[py::int_(k)] = py::str(diccionario.Textos()[k]);
    py::dict datos;
    for (std::size_t j = 0; j < nombres.size(); ++j)
        datos[py::str(nombres[j])] = df.attr("iloc")[py::make_tuple(py::slice(0, n, 1), j)].attr("array").attr("copy")();
    for (std::size_t c = 0; c < columnas.size(); ++c) {
        if (numerica[c])
            datos[py::str(columnas[c])] = arreglos[c];
        else
            datos[py::str(columnas[c])] =
                todos.attr("take")(py::array_t<std::uint32_t>(static_cast<py::ssize_t>(n), codigos[c].data()));
    }
    // The arrays are the table's own: not copied again into blocks.
    return pandas.attr("DataFrame")(datos, py::arg("index") = df.attr("index"), py::arg("copy") = false);
}
