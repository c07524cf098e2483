// Panel "Fórmulas activas" (pnlFormActi): one entry per formula slot, a
// button btn<k> holding the label lbl<k> with the formula's name, and the
// small range button bbtnRango<k> beside it.  The panel is a picture of the
// core's slot model: it keeps no state of its own, a label is bold because
// its slot is active, and every redraw reads the model again.
#pragma once

#include <array>

#include <QFrame>

class QLabel;
class QPushButton;
class QToolButton;
struct TPanelFormulas;

class TPanelFormActi : public QFrame {
    Q_OBJECT
public:
    TPanelFormActi(const TPanelFormulas& modelo, QWidget* padre);

    QLabel* lbl0;  // "Fórmulas activas"
    // Slot k (1 to 4) is index k - 1.
    std::array<QPushButton*, 4> btn{};
    std::array<QLabel*, 4> lbl{};
    std::array<QToolButton*, 4> bbtnRango{};

    // Shows the model: the panel, each slot's entry and range button when
    // visible, its caption, bold when active; the height reaches the last
    // shown entry.
    void Dibujar();

signals:
    // A formula entry, or its label, was clicked.
    void FormulaPulsada(int k);
    // The range button of slot k was clicked.
    void RangoPulsado(int k);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void DibujarRanuras();
    const TPanelFormulas& modelo_;
};
