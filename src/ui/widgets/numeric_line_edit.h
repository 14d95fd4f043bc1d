#pragma once

// A text box for numbers (`txt...`): typed keys are filtered and refused ones dropped with a beep.
//   Mode::Digits       digits only; Backspace, Delete and Escape pass
//   Mode::DigitsEnter  the same plus Enter, which emits returnPressed() (fields that jump)
//   Mode::Decimal      digits, "." and "," (at most one "," in the box)
// Cursor keys and the clipboard shortcuts work; pasted text must fit the mode too.
// keyTyped() fires after every accepted key that may change the text (filter windows activate on it).
//
//   auto* t = new NumericLineEdit(3, NumericLineEdit::Mode::DigitsEnter, this);
//   t->setObjectName("txtNumeroGrupo");
//   connect(t, &QLineEdit::returnPressed, ...);

#include <QLineEdit>

namespace kombitron::ui {

class NumericLineEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Mode { Digits, DigitsEnter, Decimal };

    explicit NumericLineEdit(int maxLength, Mode mode = Mode::Digits, QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    // The value, or `blank` when the box is empty (Digits modes).
    long long value(long long blank = 0) const;

signals:
    void keyTyped();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Mode mode_;
};

} // namespace kombitron::ui
