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
// window's problem, "Incertidumbre..." its uncertainty study and "Detalle del cálculo" the detail of its computation.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <QLabel>
#include <QWidget>

#include "comun/untUbicar.h"

class QFrame;
class QPushButton;
class IVentanaProblema;
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

    IVentanaProblema& ventana_;
    std::vector<TEtiquetaAviso*> avisosDatos_;
    std::map<std::string, TFilaCampo> filas_;
    std::map<std::string, QLabel*> marcas_;
};
