#include "validar.h"

#include <fstream>
#include <iostream>

#include "turmado.h"
#include "plataforma.h"
#include "tabla.h"

namespace {

constexpr int kSalidaUso = 2;
constexpr int kSalidaEscritura = 4;

std::string Fijo(double x, int decimales) { return NumeText(x, 0, decimales); }

void Texto(std::ostream& os, const TValidacion& v, const std::vector<TEstadistica>& estadisticas) {
    os << "Casos: " << v.filas.size() << '\n';
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
    std::ifstream archivo(RutaUtf8(ruta), std::ios::binary);
    if (!archivo) {
        std::cerr << "turmado-calc: " << ruta << ": no se puede leer el archivo\n";
        return kSalidaUso;
    }
    const TValidacion v = Validar(archivo, hilos);
    if (v.errorArchivo) {
        std::cerr << "turmado-calc: " << ruta << ": " << *v.errorArchivo << '\n';
        return kSalidaUso;
    }
    if (filas) {
        const std::unique_ptr<TSalidaTabla> tabla = AbrirTabla(*filas);
        if (!tabla) return kSalidaEscritura;
        EscribirFilas(tabla->Flujo(), v);
        if (!TerminarTabla(*tabla, *filas, orden)) return kSalidaEscritura;
    }
    const std::vector<TEstadistica> estadisticas = Estadisticas(v);
    if (json)
        std::cout << JsonValidacion(v, estadisticas) << '\n';
    else
        Texto(std::cout, v, estadisticas);
    return 0;
}
