#include "ui/filters/filter_window.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

#include "core/filter_rows.h"
#include "core/interaction.h"
#include "core/state.h"
#include "ui/widgets/image_button.h"

namespace kombitron::ui {

namespace {

// Sees the key presses of the numeric fields before their key filter does.
class KeyWatcher : public QObject {
public:
    KeyWatcher(QObject* parent, std::function<void()> typed) : QObject(parent), typed_(std::move(typed)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool typing = !key->text().isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                                key->key() == Qt::Key_Escape;
            // Tab, the arrows and the modifiers move about without typing.
            if (typing && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) typed_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> typed_;
};

} // namespace

FilterWindow::FilterWindow(AppState& state, Interaction& ui, FilterId id, const QString& caption, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui), position_(static_cast<int>(id))
{
    setObjectName(QString::fromUtf8(filterInfo(id).windowClass));
    setWindowTitle(caption);
    setModal(true);
    // No help button, no resizing grip: a fixed panel of controls.
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    body_ = new QVBoxLayout;
    body_->setSpacing(8);
    outer->addLayout(body_);

    commands_ = new QHBoxLayout;
    imgActivar = new ActivationButton(this);
    imgVolver = makeVolverButton(this);
    commands_->addWidget(imgActivar);
    commands_->addStretch();
    commands_->addWidget(imgVolver);
    outer->addLayout(commands_);
    // The frame draws the caption with its buttons beside it: a window narrower than that cuts
    // its own title ("PARES ... PARES").
    // The controls keep their own width, centred, when the caption widens the window.
    outer->addSpacerItem(new QSpacerItem(minimumWidthForCaption(caption, font()), 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
    outer->setAlignment(body_, Qt::AlignHCenter);

    connect(imgActivar, &QToolButton::clicked, this, [this] {
        toggleRow(row());
        refreshActivation();
    });
    connect(imgVolver, &QToolButton::clicked, this, &FilterWindow::requestClose);
    refreshActivation();
}

int minimumWidthForCaption(const QString& caption, const QFont& font)
{
    // Title bars use a bold face, about the size of the window's text, and keep room for the
    // window's icon and its close, minimise and maximise buttons.
    QFont title = font;
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption) + 150;
}

std::string& FilterWindow::row() { return state_.filterRows[static_cast<size_t>(position_)]; }

std::vector<uint8_t> FilterWindow::baseNumbers() const
{
    std::vector<uint8_t> numbers;
    for (int n = 1; n <= 49; ++n)
        if (state_.base.markedNumbers[static_cast<size_t>(n)]) numbers.push_back(static_cast<uint8_t>(n));
    return numbers;
}

void FilterWindow::addCommand(QWidget* command) { commands_->insertWidget(commands_->indexOf(imgActivar) + 1, command); }

void FilterWindow::refreshActivation() { imgActivar->setActive(isRowActive(row())); }

void FilterWindow::activate()
{
    setRowActive(row(), true);
    refreshActivation();
}

void FilterWindow::activateOnKeys(QWidget* field)
{
    if (!keyWatcher_) keyWatcher_ = new KeyWatcher(this, [this] { activate(); });
    field->installEventFilter(keyWatcher_);
}

bool FilterWindow::acceptCheck(const std::string& message)
{
    if (message.empty()) return true;
    ui_.error(message);
    return false;
}

void FilterWindow::requestClose()
{
    if (closing()) done(QDialog::Accepted);
}

void FilterWindow::reject()
{
    // The frame's close box and Escape arrive here.
    if (!closeBoxIgnored_) requestClose();
}

void FilterWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Keys left over by the fields never close the window or press a button.
        event->accept();
        return;
    default: QDialog::keyPressEvent(event);
    }
}

void FilterWindow::showEvent(QShowEvent* event)
{
    // Enter in a numeric field must not press a button of the window.
    for (auto* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    refreshActivation();
    QDialog::showEvent(event);
}

} // namespace kombitron::ui
