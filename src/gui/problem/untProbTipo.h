// The calculation window "Cálculo para problema específico": six tab pages
// that appear one by one, the wizard's questions below them, and the
// operations that move between the pages.  Each window owns its problem
// record, its formula panel and its chart: what one window answers, reads and
// computes never shows in another.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include <QString>
#include <QWidget>

#include "comun/untMenuHijo.h"
#include "comun/untVentanaProblema.h"
#include "turmado.h"

class QLineEdit;
class QPushButton;
class QTabWidget;
class TControlCampos;
class TGrupoRadio;
class TPaginaGlobal;
class TPaginaLocal;
class TPaginaEstructura;
class TPaginaComplementaria;
class TPaginaResultados;
class TPaginaGrafico;

class TfrmProbTipo : public QWidget, public IVentanaConMenu, public IVentanaProblema {
    Q_OBJECT
public:
    explicit TfrmProbTipo(QWidget* padre = nullptr);
    ~TfrmProbTipo() override;

    QWidget& Ventana() override { return *this; }
    TDatosProblema& Datos() override { return datos_; }
    TPanelFormulas& Panel() override { return panel_; }
    TGrafico& Grafico() { return grafico_; }
    const TGrafico& ModeloGrafico() const override { return grafico_; }
    TMenuHijo& MenuHijo() override { return *menu_; }
    TControlCampos& Campos() override { return *campos_; }

    // The edit of a catalogued field (name without "edt"), or nullptr.
    QLineEdit* Campo(std::string_view nombre) const;
    // Texts of every field as "Calcular" reads them (defaults for fields
    // that have no edit yet).
    TTextosCampos Textos() const override;
    // True when "Coeficiente de Manning" is the selected roughness option.
    bool OpcionManning() const override;
    TVistaVentana Vista() const override;
    TProblema ProblemaActual() const override { return Problema().problema; }

    QTabWidget* pgReplanteo;
    TPaginaGlobal* tbshNivel0;
    TPaginaLocal* tbshNivel1;
    TPaginaEstructura* tbshNivel2;
    TPaginaComplementaria* tbshNivel3;
    TPaginaResultados* tbshProblema;
    TPaginaGrafico* tbshGrafico;

    TGrupoRadio* rg0;    // "Fenómeno dominante"
    TGrupoRadio* rg00;   // "Obstáculo" of code 1
    TGrupoRadio* rg01;   // "Obstáculo" of code 2
    TGrupoRadio* rg02;   // "Obstáculo" of code 3
    TGrupoRadio* rg000;  // "Chorro"
    QPushButton* btnContAfue01;
    QPushButton* btnContAfue12;
    QPushButton* btnContAfue23;

    // Wizard.
    void btnN0Click() override;
    void btnN1Click() override;
    void PreguntarChorro() override;
    void btnContAfue01Click();
    void btnContAfue12Click();
    void btnContAfue23Click();
    void AbrirPaginaSiguiente(int pagina, std::uint8_t viejo, std::uint8_t nuevo);
    void ReiniciarSiCambio(std::uint8_t viejo, std::uint8_t nuevo);
    void MostrarComplementarios() override;
    void CalcularSinComplementarios() override;

    // "Calcular": common computation and the calculator of the current code,
    // then the results page.
    void Calcular() override;
    void AbrirReporte() override;
    void IrACampo(std::string_view campo) override;
    void AltoDePagina(int alto) override;

    // Reactions to a value accepted on leaving a field, given the value
    // saved on entering it (empty: unknown, which counts as a change).
    void InvalidarResultados(QLineEdit* edit, int pagina, std::optional<double> guardado) override;
    void InvalidarPosteriores(QLineEdit* edit, int pagina, std::optional<double> guardado);

    // Empties the four series of the chart model and redraws the chart.
    void LimpiarGrafico();
    // Copies the chart model into the chart view.
    void RefrescarGrafico();

    // ---- The problem file (untProbArchivo.cpp).
    // The problem as its file keeps it: the answers as far as the visible
    // tabs go, the roughness option, every text, and the results page when
    // it is visible.
    TArchivoProblema Problema() const;
    // A saved problem in a new window: the texts and the roughness option,
    // then the core's walk of the wizard with its answers ("Continuar" on
    // the structure page and the jet answer included), shown as the user's
    // clicks would leave the window: ready for "Calcular", the jet question
    // open when its answer is missing, the protected abutment computed.
    // The code is one that the answers can lead to (the file reader
    // refuses any other).
    void CargarProblema(const TProblema& p);
    // A saved problem with what its file keeps beside it: the uncertainty
    // study's set-up and the report's observations.
    void CargarProblema(const TArchivoProblema& a);
    // The report's observations, as last accepted or read from the file.
    const std::optional<QString>& Observaciones() const { return observaciones_; }
    // Ctrl+S, "&Guardar problema...": the focused field is checked as if it
    // were left, then the problem goes to the window's file, chosen in the
    // save dialog the first time.  False when nothing was saved.
    bool GuardarProblema();
    // Saves to `ruta`, which becomes the window's file; the window is
    // unchanged after it and its recovery copy goes.
    bool GuardarProblemaEn(const QString& ruta);
    const QString& RutaArchivo() const { return rutaArchivo_; }
    // The window's file, shown in its title.
    void FijarRutaArchivo(const QString& ruta);

    // ---- Changes (untProbArchivo.cpp).
    // True when the problem changed since the window was created, opened or
    // saved: the window's modified flag, set where an accepted change is
    // handled, a value typed in a field and not yet checked, or another
    // set-up of the uncertainty study.
    bool Cambiado() const;
    // What the question about unsaved changes calls the problem: its file,
    // or its title when it has none.
    QString NombreProblema() const;
    // A changed window asks whether to save; true when it may close ("No
    // guardar", or a save that happened).
    bool PreguntarAlCerrar();
    // Writes a changed window to its recovery file; what went wrong, or
    // empty (also when nothing was written: unchanged, or a text the field
    // will reject is being typed, and the last copy stays).
    QString GuardarRecuperacion();
    // Removes the recovery file (after a save, and when the window goes).
    void BorrarRecuperacion();
    const QString& RutaRecuperacion() const { return rutaRecuperacion_; }

signals:
    // After a save: the file written.
    void guardado(const QString& ruta);

protected:
    // A window closed while a message box is up closes once the box is gone:
    // destroying it would pull the stack frames that show the box from under it.
    // A changed window asks first, and stays open on "Cancelar" or a save
    // that did not happen.
    void closeEvent(QCloseEvent* e) override;

private:
    static constexpr int kAltoPaginas = 372;  // usual height of the tab widget

    void PaginaCambiada(int nueva);
    void MostrarPagina(int pagina);
    void OcultarPagina(int pagina);
    void tbshNivel1Show();
    void tbshNivel0Hide();
    void tbshNivel1Hide();
    void tbshNivel2Hide();  // also the hide event of "Datos Complementarios"

    void AbrirPregunta(TGrupoRadio* grupo, QPushButton* boton);
    void OcultarBotonesContinuar();
    void AjustarPreguntas();
    // Hides every tab after `pagina`, then activates the last visible page
    // counting down from "Grafico".
    void OcultarPosteriores(int pagina);
    // "Cálculo para problema específico", with the file's name when there
    // is one, and the changed marker.
    void ActualizarTitulo();

    TDatosProblema datos_{};  // zero-filled with the window, destroyed with it
    TPanelFormulas panel_;
    TGrafico grafico_;
    TMenuHijo* menu_;
    TControlCampos* campos_;
    QWidget* zonaPreguntas_;
    int paginaActual_ = kGlobal;
    // The code of the wizard answers that stand (as TProblema::codigo: 0,
    // the phenomenon 1 to 3, or phenomenon and obstacle 11 to 31): set by
    // each answer, cut back when a change sends the wizard back.  A saved
    // problem takes its code from here.
    ProblemCode respuestas_ = 0;
    QString rutaArchivo_;  // the file the problem was opened from or saved to
    QString rutaRecuperacion_;  // its copy for the case of a crash, once written
    std::optional<QString> observaciones_;  // of the report, kept with the problem
};
