#pragma once

// The hit-count chooser "ACIERTOS": edits one HitSet (counts 0..6) in a modal dialog.
// Set MinimoAcierto / MaximoAcierto (cells outside are disabled), copy the caller's set into
// `working`, exec(), and copy `working` back: there is no cancel. Callers that do not admit the
// count 0 also call setZeroHidden(true).
//
//   HitSet edited = frmAciertos::edit(current, 0, 6, false, this);   // the usual one-liner

#include <QDialog>

#include <array>

#include "core/state.h"

namespace kombitron::ui {

class MarkCell;
class ImageButton;

class frmAciertos : public QDialog {
    Q_OBJECT
public:
    explicit frmAciertos(QWidget* parent = nullptr);

    int MinimoAcierto = 0;
    int MaximoAcierto = 6;
    HitSet working;

    void setZeroHidden(bool hidden);
    // Show `working` within the current limits (exec() does it too).
    void refresh();
    int exec() override;

    // Open the dialog on `current` and return the edited set.
    static HitSet edit(const HitSet& current, int minimum, int maximum, bool zeroHidden, QWidget* parent);

    MarkCell* lblAciertos[7] = {};
    ImageButton* imgTodos = nullptr;
    ImageButton* imgNinguno = nullptr;
    ImageButton* imgVolver = nullptr;

private:
    bool inRange(int count) const { return count >= MinimoAcierto && count <= MaximoAcierto; }
};

} // namespace kombitron::ui
