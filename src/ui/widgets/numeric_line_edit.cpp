#include "ui/widgets/numeric_line_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace kombitron::ui {

NumericLineEdit::NumericLineEdit(int maxLength, Mode mode, QWidget* parent) : QLineEdit(parent), mode_(mode)
{
    setMaxLength(maxLength);
    const QString pattern = mode == Mode::Decimal ? QStringLiteral("[0-9.]*,?[0-9.]*") : QStringLiteral("[0-9]*");
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
}

long long NumericLineEdit::value(long long blank) const
{
    const QString t = text().trimmed();
    if (t.isEmpty()) return blank;
    bool ok = false;
    const long long v = t.toLongLong(&ok);
    return ok ? v : blank;
}

void NumericLineEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);

    // Shortcuts (copy, paste, select all) and cursor movement change no digit by themselves.
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    switch (key) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_Tab: case Qt::Key_Backtab:
        QLineEdit::keyPressEvent(event);
        return;
    case Qt::Key_Backspace: case Qt::Key_Delete:
        QLineEdit::keyPressEvent(event);
        emit keyTyped();
        return;
    case Qt::Key_Escape:
        emit keyTyped();
        event->accept();
        return;
    case Qt::Key_Return: case Qt::Key_Enter:
        if (mode_ == Mode::DigitsEnter) {
            emit keyTyped();
            QLineEdit::keyPressEvent(event); // emits returnPressed()
            return;
        }
        break;
    default: break;
    }

    const QString t = event->text();
    bool accepted = t.size() == 1 && t[0].isDigit() && t[0].unicode() < 128;
    if (!accepted && mode_ == Mode::Decimal && t.size() == 1) {
        if (t[0] == QLatin1Char('.')) accepted = true;
        else if (t[0] == QLatin1Char(',')) accepted = !text().contains(QLatin1Char(','));
    }
    if (!accepted) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    emit keyTyped();
}

} // namespace kombitron::ui
