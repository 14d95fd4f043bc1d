#pragma once

// A HitSet as the filter windows show it: a read-only box with the comma list of its counts
// ("0,2,3", empty when none) and the "M" / "Modificar" button that edits it in frmAciertos.
// After the dialog closes, edited() carries the new set: store it and activate the filter.
//
//   auto* f = new HitSetField("txtAciertos0124", "cmdModificar0124", "M", this);
//   f->setRange(0, 6);                 // MinimoAcierto / MaximoAcierto; setZeroHidden(true) for 1..6 sets
//   f->setHitSet(state.filters.altosBajos.bajos);
//   connect(f, &HitSetField::edited, this, [&](const HitSet& h) { state...bajos = h; activate(); });

#include <QWidget>

#include "core/state.h"

class QLineEdit;
class QPushButton;

namespace kombitron::ui {

// "0,2,3": the set counts in ascending order.
QString hitSetText(const HitSet& set);

class HitSetField : public QWidget {
    Q_OBJECT
public:
    HitSetField(const QString& textName, const QString& buttonName, const QString& buttonCaption = QStringLiteral("M"),
                QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setZeroHidden(bool hidden) { zeroHidden_ = hidden; }
    void setHitSet(const HitSet& set);
    const HitSet& hitSet() const { return set_; }

    QLineEdit* text() const { return text_; }
    QPushButton* button() const { return button_; }

signals:
    void edited(const kombitron::HitSet& set);

private:
    QLineEdit* text_;
    QPushButton* button_;
    HitSet set_;
    int minimum_ = 0;
    int maximum_ = 6;
    bool zeroHidden_ = false;
};

} // namespace kombitron::ui
