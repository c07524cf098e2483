// The intro window: shown at start-up and by "About..." of a calculation
// window, modal, closed with "OK".
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TfrmIntro : public QDialog {
    Q_OBJECT
public:
    explicit TfrmIntro(QWidget* owner = nullptr);

    // Creates the window, shows it modally and destroys it after "OK".
    static void Mostrar(QWidget* owner);

    QLabel* imgIntro;     // the JPEG picture beside "TURMADO"
    QPushButton* BitBtn1;  // "OK"

    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* e) override;
};
