#include "validar.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "turmado.h"
#include "plataforma.h"
#include "tabla.h"

namespace {

constexpr int kSalidaUso = 2;
constexpr int kSalidaEscritura = 4;
constexpr int kSalidaLectura = 5;

// A file name from the command line as messages show it.
std::string Ruta(std::string_view ruta) { return Mostrable(ruta, std::string::npos); }

// True when the two names lead to the same file (links followed).
bool MismoArchivo(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(RutaUtf8(a), RutaUtf8(b), error) && !error;
}

std::string Fijo(double x, int decimales) { return NumeText(x, 0, decimales); }

void Texto(std::ostream& os, const TValidacion& v, const std::vector<TEstadistica>& estadisticas) {
    os << "Casos: " << v.casos << '\n';
    os << "Fórmula\tn\tsesgo\tmediana\tcv\tsubestimados\tr95\n";
    for (const TEstadistica& e : estadisticas)
        os << e.formula << '\t' << e.n << '\t' << Fijo(e.sesgo, 3) << '\t' << Fijo(e.mediana, 3) << '\t'
           << (e.cv ? Fijo(*e.cv, 3) : "-") << '\t' << Fijo(100 * e.subestimados, 1) << " %\t" << Fijo(e.r95, 3)
           << '\n';
    std::size_t rechazadas = 0;
    for (const auto& [mensaje, n] : v.rechazados) rechazadas += n;
    os << "Rechazados: " << rechazadas << '\n';
    for (const auto& [mensaje, n] : v.rechazados) os << n << '\t' << mensaje << '\n';
}

}  // namespace

int EjecutarValidacion(const std::string& ruta, bool json, const std::optional<std::string>& filas, unsigned hilos,
                       const std::string& orden) {
    if (filas && MismoArchivo(ruta, *filas)) {
        std::cerr << "turmado-calc: --filas: " << Ruta(*filas)
                  << " es el archivo que se valida: no se escribe sobre él; elija otro nombre\n";
        return kSalidaUso;
    }
    const int descriptor = AbrirLectura(ruta);
    if (descriptor < 0) {
        std::cerr << "turmado-calc: " << Ruta(ruta) << ": no se puede leer el archivo\n";
        return kSalidaUso;
    }
    struct TCerrar {
        int d;
        ~TCerrar() { CerrarDescriptor(d); }
    } cerrar{descriptor};
    TEntradaDescriptor bufer(descriptor);
    std::istream entrada(&bufer);
    const std::string nombre = Ruta(ruta);
    // Only the ratios are kept, row by row; the rows themselves only for --filas.
    TCocientes cocientes;
    std::vector<TFilaValidacion> guardadas;
    TValidacion v = ValidarPorFilas(
        entrada,
        [&](TFilaValidacion& f) {
            if (f.error) std::cerr << nombre << ':' << f.linea << ": " << *f.error << '\n';
            cocientes.Agregar(f);
            if (filas) guardadas.push_back(std::move(f));
        },
        hilos);
    if (v.errorArchivo) {
        std::cerr << "turmado-calc: " << nombre << ": " << *v.errorArchivo << '\n';
        return kSalidaUso;
    }
    if (v.fallaLectura) {
        std::cerr << "turmado-calc: " << nombre << ": la lectura falló tras la línea " << v.lineasLeidas << " ("
                  << *v.fallaLectura << "): la validación quedó incompleta";
        if (filas) std::cerr << "; no se escribió " << Ruta(*filas);
        std::cerr << '\n';
        return kSalidaLectura;
    }
    if (filas) {
        for (TFilaValidacion& f : guardadas) f.predichas.resize(v.formulas.size());
        v.filas = std::move(guardadas);
        const std::unique_ptr<TSalidaTabla> tabla = AbrirTabla(*filas);
        if (!tabla) return kSalidaEscritura;
        EscribirFilas(tabla->Flujo(), v);
        if (!TerminarTabla(*tabla, *filas, orden)) return kSalidaEscritura;
    }
    const std::vector<TEstadistica> estadisticas = cocientes.Estadisticas(v);
    if (json)
        std::cout << JsonValidacion(v, estadisticas) << '\n';
    else
        Texto(std::cout, v, estadisticas);
    if (estadisticas.empty()) {
        std::cerr << "turmado-calc: " << nombre << ": ninguna fila tiene una erosión calculada y una medida que comparar\n";
        return kSalidaUso;
    }
    return 0;
}
