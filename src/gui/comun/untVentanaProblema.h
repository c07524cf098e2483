// What a page of the calculation window asks of its window: the problem
// record, the formula panel, the chart model, the field control, the texts
// of the fields and the steps of the wizard that a page's buttons start.  The calculation
// window implements it; a test can give a page a small stand-in instead.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "turmado.h"

class QLineEdit;
class QWidget;
class TControlCampos;

// What the window shows beyond its problem: whether the results are on
// show, and the chart page's view (logarithmic time, the curves hidden with
// a click on the legend, slot k at k - 1).
struct TVistaVentana {
    bool resultados = false;
    bool tiempoLog = false;
    std::array<bool, 4> ocultas{};
};

class IVentanaProblema {
public:
    // Page indices of the window's tab widget pgReplanteo.
    enum TPagina { kGlobal = 0, kLocal, kEstructura, kComplementaria, kResultados, kGrafico, kPaginas };

    virtual ~IVentanaProblema() = default;

    // The window's widget: owner of the message boxes and dialogs that a page
    // opens.
    virtual QWidget& Ventana() = 0;
    virtual TDatosProblema& Datos() = 0;
    virtual TPanelFormulas& Panel() = 0;
    virtual TControlCampos& Campos() = 0;
    // The chart model that "Calcular" fills (the report draws it).
    virtual const TGrafico& ModeloGrafico() const = 0;
    // Texts of every field as "Calcular" reads them.
    virtual TTextosCampos Textos() const = 0;
    // True when "Coeficiente de Manning" is the selected roughness option.
    virtual bool OpcionManning() const = 0;
    // The window's problem as its file keeps it (answers, option, texts): a
    // copy for work outside the window, such as a sensitivity study.
    virtual TProblema ProblemaActual() const = 0;
    virtual TVistaVentana Vista() const = 0;

    // The wizard's steps that the pages' buttons start.
    virtual void btnN0Click() = 0;
    virtual void btnN1Click() = 0;
    virtual void PreguntarChorro() = 0;
    virtual void MostrarComplementarios() = 0;
    // Protected abutment: the complementary page's show event and
    // "Calcular", without showing the complementary tab.
    virtual void CalcularSinComplementarios() = 0;
    virtual void Calcular() = 0;
    // "Reporte": the observations, then the preview of the report.
    virtual void AbrirReporte() = 0;
    // Takes the user to a field (name without "edt"), as a click on a data
    // warning does: the field's page becomes the active one and the field
    // gets the focus.  Nothing happens when the page's tab is hidden.
    virtual void IrACampo(std::string_view campo) = 0;
    // A page needs this height (pixels) to show all it holds (the results
    // with their warnings): the window's pages grow to it, never below their
    // usual height.
    virtual void AltoDePagina(int alto) = 0;
    // Reaction to a value accepted on leaving a field, given the value saved
    // on entering it (empty: unknown, which counts as a change).
    virtual void InvalidarResultados(QLineEdit* edit, int pagina, std::optional<double> guardado) = 0;
};
