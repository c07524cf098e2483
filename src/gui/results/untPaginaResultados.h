// "Resultados": the problem title in its frame, the headers "Parámetro",
// "Valor", "Unidades", one row of caption, read-only value and unit per
// result of the code, and the buttons "Reporte", "Imagen" (two for the
// abutment) and, for the confined vortex, the critical-slope table.  Beside
// each formula result whose data lie outside the formula's calibration range
// a marker with a tooltip, and below the rows one summary line when any lies
// outside both ranges.  The page keeps nothing: every show rebuilds it from
// the record and the panel.  After a calculation "Sensibilidad..." opens
// the sensitivity study of the window's problem.
#pragma once

#include <map>
#include <string>

#include <QWidget>

#include "comun/untUbicar.h"

class QFrame;
class QPushButton;
class IVentanaProblema;
struct TAvisoFila;
struct TFila;
struct TPanelFormulas;

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
    QLabel* lblAvisRang;  // summary of the formulas whose data lie outside their ranges

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

private:
    // The validity marker and tooltip of a row on row `numero`; none inside calibration.
    void MostrarAviso(const TFila& fila, const TAvisoFila& aviso, int numero);
    // Places the value and unit columns after a caption column this wide.
    void AjustarColumnas(int anchoParametro);
    // Shows the critical-slope button and turns slot 2 of the panel into
    // the plain entry "Tabla".
    void MostrarTabla(QPushButton* boton, TPanelFormulas& panel);

    IVentanaProblema& ventana_;
    std::map<std::string, TFilaCampo> filas_;
    std::map<std::string, QLabel*> marcas_;
};
