#include "results/untObservaciones.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

TfrmObservaciones::TfrmObservaciones(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmObservaciones");
    setWindowTitle("Ingrese Observaciones");
    setFixedSize(420, 222);

    mmObservaciones = new QPlainTextEdit(this);
    mmObservaciones->setObjectName("mmObservaciones");
    mmObservaciones->setGeometry(12, 12, 396, 128);
    connect(mmObservaciones, &QPlainTextEdit::textChanged, this, [this] { modificado_ = true; });

    chkDetalle = new QCheckBox("Incluir el detalle del cálculo", this);
    chkDetalle->setObjectName("chkDetalle");
    chkDetalle->setGeometry(12, 146, 396, 24);

    // The standard buttons' texts, in the language of Qt's translation.
    bbtnOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                             QCoreApplication::translate("QPlatformTheme", "OK"), this);
    bbtnOk->setObjectName("bbtnOk");
    bbtnOk->setGeometry(116, 180, 88, 28);
    connect(bbtnOk, &QPushButton::clicked, this, &QDialog::accept);

    bbtnCanc = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                               QCoreApplication::translate("QPlatformTheme", "Cancel"), this);
    bbtnCanc->setObjectName("bbtnCanc");
    bbtnCanc->setGeometry(216, 180, 88, 28);
    connect(bbtnCanc, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfrmObservaciones::ObservacionesTexto() const { return mmObservaciones->toPlainText(); }

std::optional<QString> TfrmObservaciones::Observaciones() const {
    if (result() != QDialog::Accepted || !modificado_) return std::nullopt;
    return ObservacionesTexto();
}

bool TfrmObservaciones::IncluirDetalle() const { return result() == QDialog::Accepted && chkDetalle->isChecked(); }

void TfrmObservaciones::showEvent(QShowEvent* e) {
    // Centred on the screen, whatever the owner.
    if (QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(pantalla->availableGeometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(e);
}
