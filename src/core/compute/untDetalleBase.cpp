#include "compute/untDetalleBase.h"

namespace detalle {

T Dato(const char* nombre, const char* simbolo, const char* campo, double valor, const char* unidad) {
    return {nombre, simbolo, valor, unidad, "", campo};
}

T Calculado(const char* nombre, const char* simbolo, std::string expresion, const char* campo, double valor,
            const char* unidad) {
    return {nombre, simbolo, valor, unidad, std::move(expresion), campo};
}

T Razon(const char* nombre, const char* simbolo, const char* expresion, Ext valor) {
    return {nombre, simbolo, static_cast<double>(valor), "", expresion, ""};
}

T Erosion(const char* campo, double valor) { return {"Erosión máxima de equilibrio", "ys", valor, "m", "", campo}; }

void Agregar(std::vector<T>& destino, const std::vector<T>& origen) {
    destino.insert(destino.end(), origen.begin(), origen.end());
}

TSeccionDetalle Formula(const TPanelFormulas& panel, int k, std::vector<std::string> ecuacion) {
    TSeccionDetalle s;
    s.titulo = panel.Titulo(k);
    s.ranura = k;
    s.ecuacion = std::move(ecuacion);
    return s;
}

namespace {
constexpr const char* kNotaSinCurva = "ys no supera el tirante h: no se traza la curva de evolución.";
}  // namespace

void Tiempo(TSeccionDetalle& s, bool calculado, const T& tiempo, double ys, double h, const char* sinTiempo) {
    if (!calculado) {
        s.notas.push_back(sinTiempo);
        return;
    }
    s.resultados.push_back(tiempo);
    if (!(h < ys)) s.notas.push_back(kNotaSinCurva);
}

T TermH(const TDatosProblema& d) { return Dato("Tirante", "h", DETALLE_CAMPO(FlujTiraRest), "m"); }
T TermU(const TDatosProblema& d) { return Dato("Velocidad media", "U", DETALLE_CAMPO(FlujVeloMedi), "m/s"); }
T TermUc(const TDatosProblema& d) {
    return Dato("Velocidad crítica de erosión", "Uc", DETALLE_CAMPO(OutpVeloCritEros), "m/s");
}
T TermFr(const TDatosProblema& d) { return Dato("Número de Froude", "Fr", DETALLE_CAMPO(FlujNumeFrou), ""); }
T TermG(const TDatosProblema& d) { return Dato("Aceleración de la gravedad", "g", DETALLE_CAMPO(ForzAcelGrav), "m/s²"); }
T TermQ(const TDatosProblema& d) { return Dato("Caudal", "Q", DETALLE_CAMPO(FlujCaud), "m³/s"); }
T Termq(const TDatosProblema& d) { return Dato("Caudal específico", "q", DETALLE_CAMPO(CaudEspe), "m²/s"); }
T TermDelta(const TDatosProblema& d) {
    return Dato("Densidad relativa sumergida", "Δ", DETALLE_CAMPO(SediDensRela), "");
}
T TermD50(const TDatosProblema& d) { return Dato("Diámetro medio", "d50", DETALLE_CAMPO(SediDiamMedi), "m"); }
T TermUcCorte(const TDatosProblema& d) {
    return Dato("Velocidad de corte crítica", "u*c", DETALLE_CAMPO(VeloCortCrit), "m/s");
}

std::string ExpresionCoefHoffmans(double d90) {
    return Guardar(static_cast<Ext>(d90) * 1000) < 13.6
               ? "(log10 x + 1) · (0.775 · log10 x + 1.7) + 1.3, x = d90 en mm  [x < 13.6]"
               : "6.8  [d90 ≥ 13.6 mm]";
}

std::vector<T> TerminosChorro(const TDatosProblema& d) {
    return {
        Dato("Ángulo de reposo", "φ", DETALLE_CAMPO(PEn.SediAnguRepo), "°"),
        Dato("Ángulo del chorro con la superficie libre", "θ", DETALLE_CAMPO(PEn.FlujAnguChorSupeLibr), "°"),
        Termq(d),
        Dato("Diferencia de carga", "ΔH", DETALLE_CAMPO(PEn.FlujDifeCargRest), "m"),
        TermG(d),
        Calculado("Velocidad del chorro", "Vj", "√(2 · ΔH · g)", DETALLE_CAMPO(PEn.ChorVelo), "m/s"),
    };
}

std::vector<T> TerminosTiempoChorro(const TDatosProblema& d, const char* campoAlfa, double alfa) {
    return {
        Dato("Intensidad relativa de turbulencia", "r0", DETALLE_CAMPO(PEn.OutpInteRelaTurb), ""),
        Calculado("Factor de velocidad", "α", "1 + 3 · r0", campoAlfa, alfa, ""),
    };
}

std::vector<T> TerminosContraccion(const TDatosProblema& d) {
    return {
        Dato("Extensión transversal", "L", DETALLE_CAMPO(Estribo.EstrAnchEstr), "m"),
        Dato("Ancho del cauce", "B", DETALLE_CAMPO(CaucAnchCauc), "m"),
        Calculado("Razón de contracción", "m", "L / B", DETALLE_CAMPO(Estribo.EstrRazoCont), ""),
    };
}

std::vector<T> TerminosTiempoEstribo(const TDatosProblema& d) {
    const double c = d.Estribo.ErosCoefTiem;
    return {
        Dato("Coeficiente de la escala de tiempo", "C", DETALLE_CAMPO(Estribo.ErosCoefTiem), ""),
        Razon("Exceso de la escala de tiempo", "w", "C − Uc / U",
              Seguro([&] { return c - Divi(d.OutpVeloCritEros, d.FlujVeloMedi); })),
        TermDelta(d),
        TermFr(d),
        Dato("Número de Reynolds", "Re", DETALLE_CAMPO(FlujNumeReyn), ""),
    };
}

}  // namespace detalle
