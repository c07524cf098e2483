#include "results/untReporte.h"

#include <algorithm>

#include "compute/untCalcular.h"
#include "problem/untActivacion.h"
#include "problem/untCampos.h"
#include "problem/untCodigo.h"
#include "problem/untContinuar.h"
#include "problem/untFilasEstructura.h"
#include "results/untAvisos.h"
#include "results/untAvisosDatos.h"
#include "problem/untTipos.h"

namespace {

// Headings and the observations box stand 20 above their row.
constexpr int kAlzadaColumna0 = 20;

TItemReporte Izquierda(std::string texto, TFuenteReporte fuente, int x, int y) {
    return {std::move(texto), fuente, TAlineacion::Izquierda, x, y};
}

}  // namespace

std::vector<TItemReporte> DisponerReporte(const TTextosReporte& textos) {
    std::vector<TItemReporte> items;
    items.push_back(Izquierda(textos.titulo, TFuenteReporte::Titulo, kReporteTituloX, kReporteTituloY));

    int ultima = 0;  // last row used
    int s = 0;
    for (const TSeccionReporte& seccion : textos.secciones) {
        items.push_back(Izquierda(seccion.titulo, TFuenteReporte::Encabezado, kReporteColumnaTitulos,
                                  ReporteFilaY(s, ultima + 1) - kAlzadaColumna0));
        for (const TFilaReporte& f : seccion.filas) {
            const int y = ReporteFilaY(s, ++ultima);
            items.push_back(Izquierda(f.etiqueta, TFuenteReporte::Normal, kReporteColumnaEtiqueta, y));
            items.push_back({f.valor, TFuenteReporte::Normal, TAlineacion::Derecha, kReporteColumnaValor, y});
            items.push_back(Izquierda(f.unidad, TFuenteReporte::Normal, kReporteColumnaUnidad, y));
            if (!f.marca.empty())
                items.push_back(Izquierda(f.marca, TFuenteReporte::Normal, kReporteColumnaMarca, y));
        }
        ++s;
    }

    if (textos.observaciones) {
        items.push_back(Izquierda(kTituloObservaciones, TFuenteReporte::Encabezado, kReporteColumnaTitulos,
                                  ReporteFilaY(s, ultima + 1) - kAlzadaColumna0));
        TItemReporte caja = Izquierda(*textos.observaciones, TFuenteReporte::Caja, kReporteColumnaTitulos,
                                      ReporteFilaY(s, ultima + 2) - kAlzadaColumna0);
        caja.ancho = kReporteCajaAncho;
        caja.alto = kReporteCajaAlto;
        items.push_back(std::move(caja));
    }
    if (!textos.fecha.empty()) {
        constexpr int kPie = kReporteAltoUtil - 26;  // as on the other pages
        items.push_back(Izquierda("Fecha: " + textos.fecha, TFuenteReporte::Normal, kReporteColumnaTitulos, kPie));
        items.push_back({textos.titulo, TFuenteReporte::Normal, TAlineacion::Derecha, kReporteAnchoUtil, kPie});
    }
    return items;
}

std::vector<TItemReporte> DisponerContinuacionObservaciones(std::string resto, std::string_view tituloProblema) {
    // The foot as on "Avisos y gráfico": 26 above the bottom of the printable
    // area, the box ending one line above it.
    constexpr int kPie = kReporteAltoUtil - 26;
    constexpr int kCajaY = kReporteTituloY + 30;
    std::vector<TItemReporte> items;
    items.push_back(
        Izquierda(kTituloObservacionesContinuacion, TFuenteReporte::Encabezado, kReporteColumnaTitulos, kReporteTituloY));
    TItemReporte caja = Izquierda(std::move(resto), TFuenteReporte::Caja, kReporteColumnaTitulos, kCajaY);
    caja.ancho = kReporteCajaAncho;
    caja.alto = kPie - 20 - kCajaY;
    items.push_back(std::move(caja));
    items.push_back(
        {std::string(tituloProblema), TFuenteReporte::Normal, TAlineacion::Derecha, kReporteAnchoUtil, kPie});
    return items;
}

std::string NombreArchivoReporte(std::string_view titulo, std::string_view fecha) {
    std::string nombre(titulo.empty() ? std::string_view("Reporte") : titulo);
    constexpr std::string_view kProhibidos = "/\\:*?\"<>|";
    std::replace_if(
        nombre.begin(), nombre.end(),
        [&](char c) { return static_cast<unsigned char>(c) < 0x20 || kProhibidos.find(c) != std::string_view::npos; },
        '-');
    if (!fecha.empty()) nombre.append(" ").append(fecha);
    return nombre + ".pdf";
}

std::vector<TSeccionCampos> CamposEntradas(ProblemCode codigoEstructura, ProblemCode codigo, bool manning) {
    TSeccionCampos global{kTitulosSecciones[0], {"AguaDens", "AguaTemp", "SediDensMate", "SediDiamMedi",
                                                 "ForzAcelGrav", "FlujCaud", "CaucAnchCauc"}};
    global.campos.push_back(manning ? "CaucCoefMannCauc" : "AltuRugoCauc");

    TSeccionCampos local{kTitulosSecciones[1], {"FlujTiraRest"}};

    TSeccionCampos estructura{kTitulosSecciones[2], {}};
    for (std::string_view campo : CamposEstructura(codigoEstructura)) estructura.campos.push_back(campo);

    TSeccionCampos complementaria{kTitulosSecciones[3], {}};
    for (const TFilaComplementaria& f : FilasComplementarias(codigo)) complementaria.campos.push_back(f.campo);

    return {global, local, estructura, complementaria};
}

namespace {
constexpr unsigned kNivelEstructura = 2;  // the structure page's level of the wizard
}  // namespace

TTextosReporte ReporteDelProblema(const TVentanaReporte& v) {
    const TDatosProblema& d = v.datos;
    const TTipoEstructura* tipo = v.resultados ? TipoEstructura(d.CodiProb) : nullptr;
    TTextosReporte textos;
    textos.titulo = tipo ? tipo->titulo : kTituloSinCalculo;
    for (const TSeccionCampos& s :
         CamposEntradas(CalcularCodigo(kNivelEstructura, d), d.CodiProb, v.manning)) {
        TSeccionReporte seccion{s.titulo, {}};
        for (std::string_view nombre : s.campos) {
            const TCampo& campo = *BuscarCampo(nombre);
            const auto texto = v.textos.find(std::string(nombre));
            seccion.filas.push_back({std::string(EtiquetaCampo(campo, d.CodiProb)),
                                     texto == v.textos.end() ? std::string() : texto->second,
                                     std::string(campo.unidad)});
        }
        textos.secciones.push_back(std::move(seccion));
    }
    TSeccionReporte resultados{kTitulosSecciones[4], {}};
    if (v.resultados) {
        const TAvisos avisos = AvisosRangos(d.CodiProb, d);
        for (TFila& f : FilasResultados(d.CodiProb, d, v.panel)) {
            std::string marca = AvisoDeFila(f, avisos, v.panel).marca;
            resultados.filas.push_back(
                {std::move(f.etiqueta), std::move(f.valor), std::move(f.unidad), std::move(marca)});
        }
    }
    textos.secciones.push_back(std::move(resultados));
    textos.observaciones = v.observaciones;
    textos.fecha = v.fecha;
    textos.avisos = PaginaAvisos(d, v.panel, v.textos, v.grafico, v.fecha);
    if (textos.avisos) {
        textos.avisos->tiempoLog = v.tiempoLog;
        textos.avisos->ocultas = v.ocultas;
    }
    if (v.detalle) textos.detalle = TDetalleReporte{DetalleCalculo(d, v.panel, v.manning), v.fecha};
    return textos;
}

// ---- Second page.

namespace {

// Vertical steps of the second page: a line of 10 pt text (Arial's line
// spacing is 15.3 units), between paragraphs, before a heading.
constexpr int kLineaAvisos = 16, kEntreParrafos = 4, kAntesDeTitulo = 14;
constexpr int kSangria = 20;  // a formula's parameters under its state
constexpr int kAvisosPrimeraY = 110;
constexpr int kPieY = kReporteAltoUtil - 26;
constexpr int kGraficoAltoMaximo = 460, kGraficoAltoMinimo = 200;
// Width of a character for counting the lines of a box: wider than Arial's
// average at 10 pt (about 6.5 units), so that a box is never too short.
constexpr double kAnchoCaracter = 8;

std::size_t Caracteres(std::string_view texto) {
    // UTF-8: count the bytes that start a character.
    return static_cast<std::size_t>(
        std::count_if(texto.begin(), texto.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

int AltoCaja(std::string_view texto, int ancho) {
    const std::size_t porLinea = static_cast<std::size_t>(ancho / kAnchoCaracter);
    const int lineas = static_cast<int>(std::max<std::size_t>(1, (Caracteres(texto) + porLinea - 1) / porLinea));
    return lineas * kLineaAvisos + kEntreParrafos / 2;
}

bool ConCurvas(const TGrafico& grafico) {
    return std::any_of(grafico.series.begin(), grafico.series.end(), [](const TSerie& s) { return !s.puntos.empty(); });
}

std::optional<TPaginaAvisos> PaginaAvisos(const TDatosProblema& d, const TPanelFormulas& panel,
                                          const TTextosCampos& textos, const TGrafico& grafico, std::string fecha) {
    const ProblemCode codigo = d.CodiProb;
    TPaginaAvisos pagina;
    bool aviso = false;
    const TAvisos avisos = AvisosResultado(codigo, d, FilasResultados(codigo, d, panel));
    const TTipoEstructura* tipo = TipoEstructura(codigo);
    for (int k = 1; k <= static_cast<int>(avisos.size()); ++k) {
        const TRanuraTipo* ranura = tipo ? &tipo->ranuras[k - 1] : nullptr;
        // A type without activation computes its formulas whatever the panel says.
        const bool calculada = panel.Activa(k) || (tipo && tipo->sinActivacion && ranura->titulo);
        if (!calculada || (ranura && ranura->interruptor)) continue;
        const TAvisoRanura& a = avisos[k - 1];
        TValidezReporte v{panel.Titulo(k), EstadoAviso(a), {}};
        for (const TParametroFuera& p : a.fuera) v.fuera.push_back(p.texto);
        aviso = aviso || a.estado == TEstadoRango::Validacion || a.estado == TEstadoRango::Fuera ||
                a.estado == TEstadoRango::NoAplicable || a.estado == TEstadoRango::SinErosion;
        pagina.validez.push_back(std::move(v));
    }
    for (TAvisoDato& a : AvisosDatos(codigo, textos, d, panel)) pagina.datos.push_back(std::move(a.texto));
    if (const TTipoEstructura* t = TipoEstructura(codigo); t && t->avisoProteccion)
        pagina.proteccion = kMensajeProteccion;
    if (!aviso && pagina.datos.empty() && !pagina.proteccion && !ConCurvas(grafico)) return std::nullopt;
    pagina.grafico = grafico;
    pagina.fecha = std::move(fecha);
    return pagina;
}

TDisposicionAvisos DisponerPaginaAvisos(const TPaginaAvisos& pagina, std::string_view tituloProblema) {
    TDisposicionAvisos r;
    r.items.push_back(Izquierda(kTituloPaginaAvisos, TFuenteReporte::Titulo, kReporteTituloX, kReporteTituloY));
    int y = kAvisosPrimeraY;
    auto Titulo = [&](const char* texto) {
        if (y > kAvisosPrimeraY) y += kAntesDeTitulo;
        r.items.push_back(Izquierda(texto, TFuenteReporte::Encabezado, kReporteColumnaTitulos, y));
        y += kLineaAvisos + kEntreParrafos;
    };
    auto Parrafo = [&](std::string texto, int x) {
        const int ancho = kReporteAnchoUtil - x;
        const int alto = AltoCaja(texto, ancho);
        TItemReporte caja = Izquierda(std::move(texto), TFuenteReporte::Caja, x, y);
        caja.ancho = ancho;
        caja.alto = alto;
        y += caja.alto + kEntreParrafos;
        r.items.push_back(std::move(caja));
    };
    const int x = kReporteColumnaTitulos + kSangria;
    if (!pagina.validez.empty()) {
        Titulo(kTituloValidez);
        for (const TValidezReporte& v : pagina.validez) {
            Parrafo(v.formula + ": " + v.estado, x);
            for (const std::string& p : v.fuera) Parrafo(p, x + kSangria);
        }
    }
    if (!pagina.datos.empty()) {
        Titulo(kTituloAvisosDatos);
        for (const std::string& a : pagina.datos) Parrafo(a, x);
    }
    if (pagina.proteccion) {
        Titulo(kTituloProteccion);
        Parrafo(*pagina.proteccion, x);
    }
    if (ConCurvas(pagina.grafico)) {
        y += kAntesDeTitulo;
        // Down to the foot; a page crowded with warnings still gets a chart
        // that can be read.
        const int alto = std::max(kGraficoAltoMinimo, std::min(kGraficoAltoMaximo, kPieY - kAntesDeTitulo - y));
        r.grafico = TRectReporte{kReporteColumnaTitulos, y, kReporteAnchoUtil - kReporteColumnaTitulos, alto};
    }
    r.items.push_back(Izquierda("Fecha: " + pagina.fecha, TFuenteReporte::Normal, kReporteColumnaTitulos, kPieY));
    r.items.push_back({std::string(tituloProblema), TFuenteReporte::Normal, TAlineacion::Derecha, kReporteAnchoUtil,
                       kPieY});
    return r;
}

// ---- Pages of the calculation detail.

std::vector<std::vector<TItemReporte>> DisponerPaginasDetalle(const TDetalleReporte& detalle,
                                                              std::string_view tituloProblema) {
    using Tipo = TLineaDetalle::TTipo;
    constexpr int kSangriaNivel = 20;
    // The lowest bottom of a line: a little above the foot.
    constexpr int kFondo = kPieY - kAntesDeTitulo;
    std::vector<std::vector<TItemReporte>> paginas;
    int y = 0;
    std::string encabezado;  // heading of the section being laid out
    auto NuevaPagina = [&] {
        std::vector<TItemReporte>& pagina = paginas.emplace_back();
        pagina.push_back(Izquierda(paginas.size() == 1 ? kTituloDetalle : kTituloDetalleContinuacion,
                                   TFuenteReporte::Titulo, kReporteTituloX, kReporteTituloY));
        pagina.push_back(Izquierda("Fecha: " + detalle.fecha, TFuenteReporte::Normal, kReporteColumnaTitulos, kPieY));
        pagina.push_back({std::string(tituloProblema), TFuenteReporte::Normal, TAlineacion::Derecha,
                          kReporteAnchoUtil, kPieY});
        y = kAvisosPrimeraY;
    };
    auto Encabezado = [&](const std::string& texto) {
        paginas.back().push_back(
            Izquierda(texto, TFuenteReporte::Encabezado, kReporteColumnaTitulos, y));
        y += kLineaAvisos + kEntreParrafos;
    };
    NuevaPagina();
    for (const TLineaDetalle& l : LineasDetalle(detalle.detalle)) {
        switch (l.tipo) {
            case Tipo::Titulo: break;  // the page's own title and foot say it
            case Tipo::Encabezado:
                if (y > kAvisosPrimeraY) y += kAntesDeTitulo;
                // With room for its first line below it.
                if (y + 2 * (kLineaAvisos + kEntreParrafos) > kFondo) NuevaPagina();
                encabezado = l.texto;
                Encabezado(encabezado);
                break;
            case Tipo::Texto: {
                const int x = kReporteColumnaTitulos + kSangriaNivel * l.nivel;
                const int ancho = kReporteAnchoUtil - x;
                const int alto = AltoCaja(l.texto, ancho);
                if (y + alto > kFondo) {
                    NuevaPagina();
                    Encabezado(encabezado + " (continuación)");
                }
                TItemReporte caja = Izquierda(l.texto, TFuenteReporte::Caja, x, y);
                caja.ancho = ancho;
                caja.alto = alto;
                paginas.back().push_back(std::move(caja));
                y += alto;  // closer than the warnings' paragraphs: a list, line after line
                break;
            }
        }
    }
    return paginas;
}
