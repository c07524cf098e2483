#include "results/untGraficoTexto.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "general/untCifras.h"
#include "general/untCsv.h"
#include "general/untGeneral.h"
#include "results/untReporte.h"

namespace {

// Shortest decimal text that reads back to the same double.
void Numero(std::string& linea, double x) {
    linea += CifrasCortas(x);
}

}  // namespace

std::string TextoSinCurvas(const TGrafico& grafico, double h) {
    if (std::any_of(grafico.series.begin(), grafico.series.end(), [](const TSerie& s) { return !s.puntos.empty(); }))
        return {};
    std::string lineas;
    for (const TSerie& s : grafico.series)
        for (double ys : s.equilibrios)
            lineas += "\n" + s.titulo + ": ys = " + NumeText(ys, 0, 2) + " m";
    if (lineas.empty())
        return "Sin curvas de evolución: con estos datos ninguna fórmula activa tiene escala de tiempo de la "
               "evolución (la velocidad no supera la de inicio de la erosión que usa su ley de evolución).";
    return "Sin curvas de evolución: la ley de evolución parte del tirante h = " + NumeText(h, 0, 2) +
           " m y solo se traza cuando la erosión de equilibrio ys lo supera; aquí ninguna lo hace:" + lineas;
}

std::string CsvGrafico(const TGrafico& grafico) {
    std::vector<const TSerie*> conPuntos;
    std::size_t filas = 0;
    for (const TSerie& s : grafico.series) {
        if (s.puntos.empty()) continue;
        conPuntos.push_back(&s);
        filas = std::max(filas, s.puntos.size());
    }
    if (conPuntos.empty()) return {};

    std::string texto;
    for (std::size_t k = 0; k < conPuntos.size(); ++k) {
        if (k > 0) texto += ',';
        texto += CeldaCsv(conPuntos[k]->titulo + ": tiempo (hs)") + ',' +
                 CeldaCsv(conPuntos[k]->titulo + ": erosión (m)");
    }
    texto += '\n';
    for (std::size_t i = 0; i < filas; ++i) {
        for (std::size_t k = 0; k < conPuntos.size(); ++k) {
            if (k > 0) texto += ',';
            const std::vector<TPunto>& p = conPuntos[k]->puntos;
            if (i < p.size()) {
                Numero(texto, p[i].x);
                texto += ',';
                Numero(texto, p[i].y);
            } else {
                texto += ',';
            }
        }
        texto += '\n';
    }
    return texto;
}

std::string TextoLectura(const std::string& titulo, double t, double y) {
    int decimales = 0;
    if (t != 0 && std::isfinite(t)) decimales = std::clamp(3 - int(std::floor(std::log10(std::fabs(t)))), 0, 12);
    return titulo + ": t = " + NumeText(t, 0, decimales) + " hs, erosión = " + NumeText(y, 0, 3) + " m";
}

bool EnLeyenda(const TSerie& serie) {
    return !serie.puntos.empty() ||
           std::any_of(serie.equilibrios.begin(), serie.equilibrios.end(), [](double ye) { return ye > 0; });
}

std::string NombreArchivoGrafico(std::string_view titulo, std::string_view fecha) {
    std::string nombre = NombreArchivoReporte(titulo.empty() ? std::string_view("Gráfico") : titulo, fecha);
    nombre.resize(nombre.size() - std::string_view(".pdf").size());
    return nombre;
}
