// "Ingrese Observaciones": the free text printed at the foot of the report,
// asked before every report (the box holds the problem's observations of
// the last report, or of its file), OK goes on to the report and "Cancelar"
// or the close box means no report; whether the report adds the pages of the
// calculation detail, and whether it adds the page of the uncertainty study
// (offered only when a study of the window's problem has been computed).
#pragma once

#include <optional>

#include <QDialog>
#include <QString>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class TfrmObservaciones : public QDialog {
    Q_OBJECT
public:
    explicit TfrmObservaciones(QWidget* owner = nullptr);

    QPlainTextEdit* mmObservaciones;
    QCheckBox* chkDetalle;  // "Incluir el detalle del cálculo", unticked at first
    // "Incluir el estudio de incertidumbre", unticked; enabled by OfrecerIncertidumbre.
    QCheckBox* chkIncertidumbre;
    QPushButton* bbtnOk;
    QPushButton* bbtnCanc;

    // The whole text of the box, its lines joined with line breaks.
    QString ObservacionesTexto() const;
    // True once the user changed the box, even if it is empty again.
    bool Modificado() const { return modificado_; }
    // The problem's observations so far, in the box (no change of the user's).
    void FijarObservaciones(const QString& texto);
    // What the report prints after the dialog closed: the text when it
    // closed with OK on an edited box or on one that held observations;
    // none when an empty box was untouched, or after Cancel or the close box.
    std::optional<QString> Observaciones() const;
    // True when the dialog closed with OK and "Incluir el detalle del
    // cálculo" ticked.
    bool IncluirDetalle() const;
    // Enables "Incluir el estudio de incertidumbre" (a study is at hand), or
    // disables it with a tooltip that says how to get one.
    void OfrecerIncertidumbre(bool hay);
    // True when the dialog closed with OK and that box ticked.
    bool IncluirIncertidumbre() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    bool modificado_ = false;
    bool previas_ = false;  // the box was given observations
};
