// "Resultados": the problem title in its frame, the headers "Parámetro",
// "Valor", "Unidades", one row of caption, read-only value and unit per
// result of the code, and the buttons "Reporte", "Imagen" (two for the
// abutment) and, for the confined vortex, the critical-slope table.  Beside
// each formula result whose data lie outside the formula's calibration range
// a marker with a tooltip, and below the rows the summary of the formulas
// outside their ranges, then the warnings on implausible data, each naming
// its field; a click on one takes the user to that field.  The page keeps
// nothing: every show rebuilds it from the record, the panel and the texts.
// After a calculation "Sensibilidad..." opens the sensitivity study of the
// window's problem, "Incertidumbre..." its uncertainty study and "Detalle del
// cálculo" the detail of its computation: one window of each, which the
// button brings forward once open, kept in front of the calculation window.
// Each follows the problem's next "Calcular" (the detail shows the new one,
// a study window studies the new problem and says when the study it shows
// is of the earlier one); while the data have changed since the last
// "Calcular", each says so at its top.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include "comun/untUbicar.h"

class QFrame;
class QPushButton;
class IVentanaProblema;
class TfrmDetalle;
class TfrmIncertidumbre;
class TfrmSensibilidad;
struct TIncertidumbreArchivo;
struct TAvisoFila;
struct TFila;
struct TPanelFormulas;

// One warning on implausible data: its text, and a click anywhere on it
// asks for its field.
class TEtiquetaAviso : public QLabel {
    Q_OBJECT
public:
    TEtiquetaAviso(const QString& texto, std::string campo, QWidget* padre);
    const std::string& Campo() const { return campo_; }

signals:
    void Pulsada(const std::string& campo);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::string campo_;
};

class TPaginaResultados : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaResultados(IVentanaProblema& ventana);

    QLabel* lblProbTipo;  // "Problema", then the title of the code
    QFrame* bvlProblema;  // the frame drawn 4 pixels around the title
    QLabel* lblProbPara;
    QLabel* lblProbValo;
    QLabel* lblProbUnid;
    QPushButton* bbtnReporte;
    QPushButton* bbtnShowPUno;
    QPushButton* bbtnShowPDos;
    QPushButton* bbtnPdteCrit;
    QPushButton* bbtnSensibilidad;  // "Sensibilidad..."
    QPushButton* bbtnIncertidumbre;  // "Incertidumbre..."
    QPushButton* bbtnDetalle;       // "Detalle del cálculo"
    QLabel* lblAvisRang;  // summary of the formulas whose data lie outside their ranges

    // The warnings on implausible data of the last show, top to bottom
    // (lblAvisDato1, lblAvisDato2 ...).
    const std::vector<TEtiquetaAviso*>& AvisosDatos() const { return avisosDatos_; }

    // The validity marker beside the value of the row with this stem (lbl<stem>Avis).
    QLabel* Marca(const std::string& tallo) const { return marcas_.at(tallo); }

    // The controls of the row with this stem (lbl<stem>, edt<stem>, lbl<stem>Unid).
    const TFilaCampo& Fila(const std::string& tallo) const { return filas_.at(tallo); }

    // Show event: code at level 4, every control hidden, then the title,
    // headers and buttons of the code and its rows from row 2 on.
    void tbshProblemaShow();
    // The title of the results, framed by bvlProblema.
    void PonerTitulo(const QString& titulo);

    void bbtnReporteClick();
    void bbtnShowPUnoClick();
    void bbtnShowPDosClick();
    void bbtnPdteCritClick();
    // Opens a sensitivity window over a copy of the window's problem.
    void bbtnSensibilidadClick();
    // Opens an uncertainty window over a copy of the window's problem.
    void bbtnIncertidumbreClick();
    // Opens a window with the detail of the computed problem.
    void bbtnDetalleClick();

    // The side windows while they are open (null otherwise).
    TfrmSensibilidad* VentanaSensibilidad() const;
    TfrmIncertidumbre* VentanaIncertidumbre() const;
    TfrmDetalle* VentanaDetalle() const;
    // After a "Calcular" that computed: each open side window takes the
    // problem as it is now, and the note of changed data goes.
    void SeguirProblema();
    // The data changed after the last "Calcular": each open side window says
    // at its top that it shows the state of that calculation.
    void MarcarAnteriores();
    // The uncertainty study's set-up: the open window's, or the one it had
    // when it closed, or the one of the problem's file; none before any.
    std::optional<TIncertidumbreArchivo> AjusteIncertidumbre() const;
    // The set-up read from the problem's file (or none), which is also the
    // one saved from now on.
    void FijarAjusteIncertidumbre(const std::optional<TIncertidumbreArchivo>& ajuste);
    // The set-up went to the problem's file; and whether it changed since.
    void AjusteGuardado();
    bool AjusteCambiado() const;

private:
    // The validity marker and tooltip of a row on row `numero`; none inside calibration.
    void MostrarAviso(const TFila& fila, const TAvisoFila& aviso, int numero);
    void AgregarContraMediciones(const TFila& fila, int codigo);
    // Places the value and unit columns after a caption column this wide.
    void AjustarColumnas(int anchoParametro);
    // Shows the critical-slope button and turns slot 2 of the panel into
    // the plain entry "Tabla".
    void MostrarTabla(QPushButton* boton, TPanelFormulas& panel);

    // The summary and the data warnings from `y` down, then the buttons
    // below them (never above their usual row).
    void MostrarAvisosAbajo(int y, const std::string& resumen);

    // Shows an open side window again, in front.
    static void Traer(QWidget* w);
    std::vector<QWidget*> LateralesAbiertas() const;

    IVentanaProblema& ventana_;
    QPointer<TfrmSensibilidad> sensibilidad_;
    QPointer<TfrmIncertidumbre> incertidumbre_;
    QPointer<TfrmDetalle> detalle_;
    std::shared_ptr<TIncertidumbreArchivo> ajuste_;  // once there is one
    std::shared_ptr<TIncertidumbreArchivo> guardado_;  // as in the problem's file; none there
    std::shared_ptr<TIncertidumbreArchivo> inicial_;   // of a window opened with none: no change of the user's
    std::vector<TEtiquetaAviso*> avisosDatos_;
    std::map<std::string, TFilaCampo> filas_;
    std::map<std::string, QLabel*> marcas_;
};
