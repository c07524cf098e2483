#include "results/untDetalleVentana.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "turmado.h"

TfrmDetalle::TfrmDetalle(const TDetalleCalculo& detalle, QWidget* padre) : QWidget(padre, Qt::Window) {
    setObjectName("frmDetalle");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 640);

    mmDetalle = new QPlainTextEdit(this);
    mmDetalle->setObjectName("mmDetalle");
    mmDetalle->setReadOnly(true);
    // A fixed-width face keeps the indentation of the levels exact.
    mmDetalle->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mmDetalle->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Fijar(detalle);

    bbtnCopiar = new QPushButton("Copiar", this);
    bbtnCopiar->setObjectName("bbtnCopiar");
    bbtnCerrar = new QPushButton("Cerrar", this);
    bbtnCerrar->setObjectName("bbtnCerrar");
    connect(bbtnCopiar, &QPushButton::clicked, this, &TfrmDetalle::bbtnCopiarClick);
    connect(bbtnCerrar, &QPushButton::clicked, this, &QWidget::close);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(bbtnCopiar);
    botones->addWidget(bbtnCerrar);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(mmDetalle);
    capa->addLayout(botones);
}

void TfrmDetalle::Fijar(const TDetalleCalculo& detalle) {
    setWindowTitle(detalle.titulo.empty() ? QString(kTituloDetalle)
                                          : QString(kTituloDetalle) + " - " + QString::fromStdString(detalle.titulo));
    const int linea = mmDetalle->verticalScrollBar()->value();
    mmDetalle->setPlainText(QString::fromStdString(TextoDetalle(detalle)));
    mmDetalle->verticalScrollBar()->setValue(linea);
}

QString TfrmDetalle::Texto() const { return mmDetalle->toPlainText(); }

void TfrmDetalle::bbtnCopiarClick() {
    if (QClipboard* portapapeles = QGuiApplication::clipboard()) portapapeles->setText(Texto());
}
