// Shared fixture of the window tests: every message goes to a list instead
// of a box, and a modal dialog that a test did not announce is closed and
// recorded as a failure instead of blocking the test.
#pragma once

#include <functional>

#include <QApplication>
#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include "comun/untMensajes.h"

class TEntorno {
public:
    QStringList mensajes;            // information boxes, in order
    QStringList errores;             // general error handler
    QStringList modalesInesperados;  // class names of unannounced modal dialogs
    QStringList preguntas;           // questions answered by Responder: "text|detail"

    TEntorno() {
        // Settings and application data of the tests go to a folder of
        // their own, never to the user's.
        QStandardPaths::setTestModeEnabled(true);
        // The offscreen platform warns on every window that sizes itself.
        static const QtMessageHandler anterior = qInstallMessageHandler(
            [](QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
                if (!texto.contains("propagateSizeHints")) anterior(tipo, contexto, texto);
            });
        vigia_.setInterval(20);
        QObject::connect(&vigia_, &QTimer::timeout, [this] { Vigilar(); });
    }

    // Call from init(): installs the message hook and starts the watch.
    void Iniciar() {
        mensajes.clear();
        errores.clear();
        modalesInesperados.clear();
        preguntas.clear();
        esperado_ = nullptr;
        InstalarGanchoMensajes([this](QWidget*, const QString& texto, TTipoMensaje tipo) {
            (tipo == TTipoMensaje::Error ? errores : mensajes) << texto;
        });
        vigia_.start();
    }

    // Call from cleanup(): no unannounced modal, no fault left unchecked.
    bool Terminar() {
        vigia_.stop();
        InstalarGanchoMensajes({});
        return modalesInesperados.isEmpty();
    }

    // Announces one modal dialog: `accion` runs on it once it is up and
    // must close it.
    void EsperarModal(std::function<void(QWidget*)> accion) { esperado_ = std::move(accion); }
    bool ModalPendiente() const { return static_cast<bool>(esperado_); }

    // Announces real question boxes, one per answer: each is answered by a
    // click on the button of that object name, through the box's window as
    // the window system delivers it; `despues`, when given, is announced
    // for the modal that follows the last one.  A box more is an
    // unannounced modal.
    void Responder(QStringList botones, std::function<void(QWidget*)> despues = {}) {
        if (botones.isEmpty()) {
            if (despues) EsperarModal(std::move(despues));
            return;
        }
        const QString boton = botones.takeFirst();
        EsperarModal([this, boton, botones, despues](QWidget* w) {
            auto* caja = qobject_cast<QMessageBox*>(w);
            QVERIFY2(caja, qPrintable(QString("se esperaba una pregunta, apareció ") + w->metaObject()->className()));
            preguntas << caja->text() + "|" + caja->informativeText();
            auto* b = caja->findChild<QAbstractButton*>(boton);
            QVERIFY2(b, qPrintable("la pregunta no tiene el botón " + boton));
            Responder(botones, despues);  // the next box may come up before this click returns
            QTest::mouseClick(caja->windowHandle(), Qt::LeftButton, {}, b->mapTo(caja, b->rect().center()));
        });
    }

private:
    void Vigilar() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (esperado_) {
            auto accion = std::move(esperado_);
            esperado_ = nullptr;
            accion(modal);
            return;
        }
        modalesInesperados << modal->metaObject()->className();
        if (auto* d = qobject_cast<QDialog*>(modal))
            d->reject();
        else
            modal->close();
    }

    QTimer vigia_;
    std::function<void(QWidget*)> esperado_;
};
