#include "results/untDetalle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "compute/untCalcular.h"
#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untCifras.h"
#include "general/untGeneral.h"
#include "problem/untTipos.h"
#include "results/untAvisos.h"

namespace {

using T = TTerminoDetalle;
using namespace detalle;

// θc of the Shields curve, by the branch of D* that applies.
std::string ExpresionShields(double dAdim) {
    if (!(dAdim > 4)) return "0.24 / D*  [D* ≤ 4]";
    if (!(dAdim > 10)) return "0.14 · D*^(−0.64)  [4 < D* ≤ 10]";
    if (!(dAdim > 20)) return "0.04 · D*^(−0.1)  [10 < D* ≤ 20]";
    if (!(dAdim > 150)) return "0.013 · D*^0.29  [20 < D* ≤ 150]";
    return "0.055  [D* > 150]";
}

TSeccionDetalle SeccionComun(const TDatosProblema& d, bool manning) {
    TSeccionDetalle s;
    s.titulo = kTituloCalculoComun;
    s.terminos = {
        Dato("Densidad del agua", "ρ", DETALLE_CAMPO(AguaDens), "kg/m³"),
        Dato("Temperatura del agua", "T", DETALLE_CAMPO(AguaTemp), "°C"),
        Dato("Densidad del sedimento", "ρs", DETALLE_CAMPO(SediDensMate), "kg/m³"),
        Dato("Diámetro medio", "d50", DETALLE_CAMPO(SediDiamMedi), "m"),
        Dato("Aceleración de la gravedad", "g", DETALLE_CAMPO(ForzAcelGrav), "m/s²"),
        Dato("Caudal", "Q", DETALLE_CAMPO(FlujCaud), "m³/s"),
        Dato("Ancho del cauce", "B", DETALLE_CAMPO(CaucAnchCauc), "m"),
        Dato("Tirante", "h", DETALLE_CAMPO(FlujTiraRest), "m"),
    };
    if (manning) {
        s.terminos.push_back(Dato("Coeficiente de Manning", "n", DETALLE_CAMPO(CaucCoefMannCauc), "s/m^(1/3)"));
    } else {
        s.terminos.push_back(Dato("Altura de rugosidad", "ks", DETALLE_CAMPO(AltuRugoCauc), "m"));
        s.terminos.push_back(Calculado("Coeficiente de Manning", "n", "0.4 · h^(1/6) / (√g · ln(12 · h / ks))",
                                       DETALLE_CAMPO(CaucCoefMannCauc), "s/m^(1/3)"));
    }
    Agregar(s.terminos,
            {
                Calculado("Viscosidad cinemática", "ν", "4.0e-5 / (T + 20)", DETALLE_CAMPO(AguaViscCine), "m²/s"),
                Calculado("Caudal específico", "q", "Q / B", DETALLE_CAMPO(CaudEspe), "m²/s"),
                Calculado("Densidad relativa sumergida", "Δ", "(ρs − ρ) / ρ", DETALLE_CAMPO(SediDensRela), ""),
                Calculado("Diámetro adimensional", "D*", "d50 · (Δ · g / ν²)^(1/3)", DETALLE_CAMPO(SediDiamAdim), ""),
                Calculado("Movilidad (Shields) crítica", "θc", ExpresionShields(d.SediDiamAdim),
                          DETALLE_CAMPO(OutpParaMoviCrit), ""),
                Calculado("Velocidad de corte crítica", "u*c", "√(θc · d50 · g · Δ)", DETALLE_CAMPO(VeloCortCrit),
                          "m/s"),
                Calculado("Coeficiente de Chézy", "C", "h^(1/6) / n", DETALLE_CAMPO(CoefChez), "m^(1/2)/s"),
                Calculado("Relación de velocidades", "√g/C", "√g / C", DETALLE_CAMPO(RelaVeloCort), ""),
                Calculado("Velocidad media", "U", "q / h", DETALLE_CAMPO(FlujVeloMedi), "m/s"),
                Calculado("Velocidad de corte", "u*", "(√g/C) · U", DETALLE_CAMPO(FlujVeloCort), "m/s"),
                Calculado("Movilidad (Shields)", "θ", "u*² / (Δ · g · d50)", DETALLE_CAMPO(OutpParaMovi), ""),
                Calculado("Número de Froude", "Fr", "U / √(g · h)", DETALLE_CAMPO(FlujNumeFrou), ""),
                Calculado("Número de Reynolds", "Re", "U · h / ν", DETALLE_CAMPO(FlujNumeReyn), ""),
                Calculado("Velocidad crítica de erosión", "Uc", "u*c / (√g/C)", DETALLE_CAMPO(OutpVeloCritEros),
                          "m/s"),
            });
    s.notas.push_back(LechoVivo(d) ? "Condición de transporte: Lecho vivo (θ > θc)."
                                   : "Condición de transporte: Aguas claras (θ ≤ θc).");
    return s;
}

#undef DETALLE_CAMPO

std::string LineaTermino(const T& t) {
    std::string s = t.nombre + ": " + t.simbolo + " = ";
    if (!t.expresion.empty()) s += t.expresion + " = ";
    s += NumeroDetalle(t.valor);
    if (t.unidad == "°") s += t.unidad;  // 30°, as angles are written
    else if (!t.unidad.empty()) s += " " + t.unidad;
    return s;
}

}  // namespace

TDetalleCalculo DetalleCalculo(const TDatosProblema& d, const TPanelFormulas& panel, bool manning) {
    TDetalleCalculo detalle;
    if (const TTipoEstructura* t = TipoEstructura(d.CodiProb)) detalle.titulo = t->titulo;
    detalle.secciones.push_back(SeccionComun(d, manning));
    if (const TTipoEstructura* t = TipoEstructura(d.CodiProb); t && t->detalle)
        t->detalle(d, panel, detalle.secciones);
    // What the results say of themselves: a formula on a flow it is not for,
    // a negative result that is no depth.
    for (TSeccionDetalle& s : detalle.secciones) {
        if (s.ranura == 0) continue;
        if (const std::string motivo = FueraDeRegimen(d.CodiProb, s.ranura, d); !motivo.empty())
            s.notas.push_back("⚠ " + motivo);
        for (const T& r : s.resultados)
            if (r.simbolo == "ys" && r.valor < 0)
                s.notas.push_back("Sin erosión: la fórmula da ys = " + NumeText(r.valor, 0, 2) +
                                  " m; un valor negativo no es una profundidad.");
    }
    return detalle;
}

std::string NumeroDetalle(double valor) {
    if (valor == 0) return "0";  // -0 as well
    if (std::isnan(valor)) return "no definido";
    if (std::isinf(valor)) return valor > 0 ? "∞" : "−∞";
    constexpr int kCifras = 6;
    // The decimal exponent after rounding to six significant digits.
    const std::string cientifico = CifrasCientificas(valor, kCifras - 1);
    const std::size_t e = cientifico.find('e');
    const int exponente = std::atoi(cientifico.c_str() + e + 1);
    auto SinCeros = [](std::string s) {
        if (s.find('.') == std::string::npos) return s;
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
        return s;
    };
    if (exponente >= -4 && exponente < 9) {
        return SinCeros(CifrasFijas(valor, std::max(0, kCifras - 1 - exponente)));
    }
    return SinCeros(cientifico.substr(0, e)) + "e" + std::to_string(exponente);
}

std::vector<TLineaDetalle> LineasDetalle(const TDetalleCalculo& detalle) {
    using Tipo = TLineaDetalle::TTipo;
    std::vector<TLineaDetalle> lineas;
    lineas.push_back({Tipo::Titulo, 0,
                      detalle.titulo.empty() ? std::string(kTituloDetalle)
                                             : std::string(kTituloDetalle) + ": " + detalle.titulo});
    for (const TSeccionDetalle& s : detalle.secciones) {
        lineas.push_back({Tipo::Encabezado, 0, s.titulo});
        if (!s.ecuacion.empty()) {
            lineas.push_back({Tipo::Texto, 1, "Ecuación:"});
            for (const std::string& e : s.ecuacion) lineas.push_back({Tipo::Texto, 2, e});
        }
        // The common section is all terms: no sub-heading.
        const bool comun = s.ranura == 0;
        if (!s.terminos.empty() && !comun) lineas.push_back({Tipo::Texto, 1, "Términos:"});
        for (const T& t : s.terminos) lineas.push_back({Tipo::Texto, comun ? 1 : 2, LineaTermino(t)});
        if (!s.resultados.empty()) lineas.push_back({Tipo::Texto, 1, "Resultados:"});
        for (const T& t : s.resultados) lineas.push_back({Tipo::Texto, 2, LineaTermino(t)});
        for (const std::string& n : s.notas) lineas.push_back({Tipo::Texto, 1, n});
    }
    return lineas;
}

std::string TextoDetalle(const TDetalleCalculo& detalle) {
    std::string texto;
    for (const TLineaDetalle& l : LineasDetalle(detalle)) {
        if (l.tipo == TLineaDetalle::TTipo::Encabezado) texto += '\n';
        texto.append(2 * static_cast<std::size_t>(l.nivel), ' ');
        texto += l.texto;
        texto += '\n';
    }
    return texto;
}
