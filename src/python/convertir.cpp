#include "convertir.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <pybind11/numpy.h>

#include "turmado.h"

std::optional<std::string> TextoDeValor(py::handle valor) {
    if (valor.is_none()) return std::string();
    if (py::isinstance<py::str>(valor)) return valor.cast<std::string>();
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
        if (!py::isinstance<py::int_>(chorro) || (chorro.cast<int>() != 0 && chorro.cast<int>() != 1))
            throw py::value_error("chorro: debe ser 0, 1 o None");
        p.chorro = chorro.cast<int>();
    }
    for (const auto& [clave, valor] : campos) {
        const std::string nombre = py::str(clave);
        const TCampo* campo = BuscarCampo(nombre);
        if (!campo) throw py::type_error("campo desconocido: " + nombre);
        const auto texto = TextoDeValor(valor);
        if (!texto) throw py::type_error(nombre + ": se espera un número o un texto");
        if (!TextoAceptado(*campo, *texto)) LanzarTextoRechazado(nombre, nombre + ": " + std::string(campo->mensaje));
        p.textos[nombre] = *texto;
    }
    return p;
}

unsigned Hilos(const py::object& hilos) {
    if (hilos.is_none()) return 0;
    const std::string mensaje = "hilos: se espera un número entero de 1 a " + std::to_string(kHilosMaximo);
    if (!py::isinstance<py::int_>(hilos) || py::isinstance<py::bool_>(hilos)) throw py::value_error(mensaje);
    const long n = hilos.cast<long>();
    if (n < 1 || n > kHilosMaximo) throw py::value_error(mensaje);
    return static_cast<unsigned>(n);
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
    } else if (tipo == 'i' || tipo == 'u' || tipo == 'b') {
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
    return columna == "transporte" || columna.starts_with("validez_") || columna == "avisos_datos";
}

}  // namespace

py::object Lote(const py::object& tabla, const py::object& hilos, bool textos) {
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
    const std::size_t n = py::len(df);
    std::vector<std::string> nombres;
    std::vector<TColumnaEntrada> entrada;
    const py::list etiquetas = df.attr("columns").attr("tolist")();
    for (std::size_t j = 0; j < etiquetas.size(); ++j) {
        if (!py::isinstance<py::str>(etiquetas[j]))
            throw py::type_error("columna " + py::repr(etiquetas[j]).cast<std::string>() +
                                 ": los nombres de columna son textos");
        nombres.push_back(etiquetas[j].cast<std::string>());
        entrada.push_back(LeerColumna(df.attr("iloc")[py::make_tuple(py::slice(0, n, 1), j)], nombres.back()));
    }

    // The output columns after the input's: "titulo", the fixed ones, "error".
    std::vector<std::string> columnas{"titulo"};
    for (std::string& c : ColumnasLote(TColumnasLote::Claves)) columnas.push_back(std::move(c));
    columnas.push_back("error");
    const std::size_t kTitulo = 0, kAvisos = columnas.size() - 2, kError = columnas.size() - 1;
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
