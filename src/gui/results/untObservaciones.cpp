#include "results/untObservaciones.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>

TfrmObservaciones::TfrmObservaciones(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmObservaciones");
    setWindowTitle("Ingrese Observaciones");
    setFixedSize(420, 246);

    mmObservaciones = new QPlainTextEdit(this);
    mmObservaciones->setObjectName("mmObservaciones");
    mmObservaciones->setGeometry(12, 12, 396, 128);
    connect(mmObservaciones, &QPlainTextEdit::textChanged, this, [this] { modificado_ = true; });

    chkDetalle = new QCheckBox("Incluir el detalle del cálculo", this);
    chkDetalle->setObjectName("chkDetalle");
    chkDetalle->setGeometry(12, 146, 396, 24);

    chkIncertidumbre = new QCheckBox("Incluir el estudio de incertidumbre", this);
    chkIncertidumbre->setObjectName("chkIncertidumbre");
    chkIncertidumbre->setGeometry(12, 170, 396, 24);
    OfrecerIncertidumbre(false);

    // The standard buttons' texts, in the language of Qt's translation.
    bbtnOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                             QCoreApplication::translate("QPlatformTheme", "OK"), this);
    bbtnOk->setObjectName("bbtnOk");
    bbtnOk->setGeometry(116, 204, 88, 28);
    connect(bbtnOk, &QPushButton::clicked, this, &QDialog::accept);

    bbtnCanc = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                               QCoreApplication::translate("QPlatformTheme", "Cancel"), this);
    bbtnCanc->setObjectName("bbtnCanc");
    bbtnCanc->setGeometry(216, 204, 88, 28);
    connect(bbtnCanc, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfrmObservaciones::ObservacionesTexto() const { return mmObservaciones->toPlainText(); }

void TfrmObservaciones::FijarObservaciones(const QString& texto) {
    const QSignalBlocker sinAviso(mmObservaciones);
    mmObservaciones->setPlainText(texto);
    previas_ = true;
}

std::optional<QString> TfrmObservaciones::Observaciones() const {
    if (result() != QDialog::Accepted || !(modificado_ || previas_)) return std::nullopt;
    return ObservacionesTexto();
}

bool TfrmObservaciones::IncluirDetalle() const { return result() == QDialog::Accepted && chkDetalle->isChecked(); }

void TfrmObservaciones::OfrecerIncertidumbre(bool hay) {
    chkIncertidumbre->setEnabled(hay);
    if (!hay) chkIncertidumbre->setChecked(false);
    chkIncertidumbre->setToolTip(hay ? "El último estudio calculado en una ventana \"Incertidumbre\" abierta de este "
                                       "problema"
                                     : "Calcule antes un estudio con \"Incertidumbre...\" en la página de resultados, "
                                       "y déjelo abierto");
}

bool TfrmObservaciones::IncluirIncertidumbre() const {
    return result() == QDialog::Accepted && chkIncertidumbre->isEnabled() && chkIncertidumbre->isChecked();
}

void TfrmObservaciones::showEvent(QShowEvent* e) {
    // Centred on the screen, whatever the owner.
    if (QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(pantalla->availableGeometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(e);
}
