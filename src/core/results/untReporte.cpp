#include "results/untReporte.h"

#include <algorithm>

#include "problem/untActivacion.h"
#include "problem/untFilasEstructura.h"

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

TControlesFila ControlesDeTallo(std::string_view tallo) {
    const std::string t(tallo);
    return {"lbl" + t, "edt" + t, "lbl" + t + "Unid"};
}

std::vector<TSeccionControles> ControlesEntradas(ProblemCode codigoEstructura, ProblemCode codigo, bool manning) {
    TSeccionControles global{"tbshNivel0", {}};
    for (const char* campo :
         {"AguaDens", "AguaTemp", "SediDensMate", "SediDiamMedi", "ForzAcelGrav", "FlujCaud", "CaucAnchCauc"})
        global.filas.push_back(ControlesDeTallo(campo));
    const char* rugosidad = manning ? "CaucCoefMannCauc" : "AltuRugoCauc";
    TControlesFila opcion = ControlesDeTallo(rugosidad);
    opcion.etiqueta = std::string("rb") + rugosidad;
    global.filas.push_back(opcion);

    TSeccionControles local{"tbshNivel1", {ControlesDeTallo("FlujTiraRest")}};

    TSeccionControles estructura{"tbshNivel2", {}};
    for (std::string_view campo : CamposEstructura(codigoEstructura))
        estructura.filas.push_back(ControlesDeTallo(campo));

    TSeccionControles complementaria{"tbshNivel3", {}};
    for (const TFilaComplementaria& f : FilasComplementarias(codigo))
        complementaria.filas.push_back(ControlesDeTallo(f.campo));

    return {global, local, estructura, complementaria};
}
