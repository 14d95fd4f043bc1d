#include "ui/tool_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/bet.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

// The window's Interaction as its jobs see it: a message or a dialog hides the waiting panel
// first, so nothing the player must read sits behind it; the job's next report shows it again.
class ToolWindow::PanelAwareInteraction : public Interaction {
public:
    explicit PanelAwareInteraction(ToolWindow& window) : window_(window) {}

    void message(MessageKind kind, const std::string& text) override
    {
        window_.hidePanel();
        target().message(kind, text);
    }
    bool question(const std::string& text) override
    {
        window_.hidePanel();
        return target().question(text);
    }
    std::string openFileDialog(const FileDialogRequest& request) override
    {
        window_.hidePanel();
        return target().openFileDialog(request);
    }
    std::string saveFileDialog(const FileDialogRequest& request) override
    {
        window_.hidePanel();
        return target().saveFileDialog(request);
    }
    bool openInEditor(const std::string& path, std::string& failure) override
    {
        return target().openInEditor(path, failure);
    }
    bool openWebPage(const std::string& url, std::string& failure) override
    {
        return target().openWebPage(url, failure);
    }
    Progress& progress() override { return target().progress(); }
    StopToken stopToken() const override { return window_.ui_->stopToken(); }

private:
    Interaction& target() { return *window_.ui_; }
    ToolWindow& window_;
};

ToolWindow::ToolWindow(Interaction& ui, const QString& name, const QString& title, bool frameCloseRefused,
                       QWidget* parent)
    : QDialog(parent), ui_(&ui), jobUi_(std::make_unique<PanelAwareInteraction>(*this)),
      frameCloseRefused_(frameCloseRefused)
{
    setObjectName(name);
    setWindowTitle(title);
    setModal(true);
    runner_ = new JobRunner(*jobUi_, this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    content_ = new QWidget(this);
    content_->setObjectName(QStringLiteral("fraContenido"));
    outer->addWidget(content_);
    auto* v = new QVBoxLayout(content_);
    v->setContentsMargins(10, 8, 10, 8);
    v->setSpacing(8);
    body_ = new QVBoxLayout;
    body_->setSpacing(8);
    v->addLayout(body_, 1);
    auto* bottom = new QHBoxLayout;
    commands_ = new QHBoxLayout;
    commands_->setSpacing(8);
    bottom->addLayout(commands_);
    bottom->addStretch();
    imgVolver = makeVolverButton(content_, QStringLiteral("Cerrar"));
    bottom->addWidget(imgVolver);
    v->addLayout(bottom);
    connect(imgVolver, &QToolButton::clicked, this, &ToolWindow::cerrar);

    connect(runner_, &JobRunner::progressed, this, [this](qint64 done, qint64 total) {
        if (!activePanel_) return;
        if (!activePanel_->isVisible()) activePanel_->popUp();
        activePanel_->setProgress(done, total);
    });
    connect(runner_, &JobRunner::captioned, this, [this](const QString& text) {
        if (!activePanel_) return;
        activePanel_->setText(text);
        if (!activePanel_->isVisible()) activePanel_->popUp();
    });
}

ToolWindow::~ToolWindow()
{
    // The runner would go with the children, after the interaction its jobs speak through.
    runner_->stopAndWait();
}

QHBoxLayout* ToolWindow::addRandomPick(QWidget* holder, QComboBox*& cboNumeros, QPushButton*& cmdAzar)
{
    auto* row = new QHBoxLayout(holder);
    cboNumeros = new QComboBox(holder);
    cboNumeros->setObjectName(QStringLiteral("cboNumeros"));
    for (int k = 1; k <= kMaxNumber; ++k) cboNumeros->addItem(QString::number(k));
    cboNumeros->setCurrentIndex(5);
    cboNumeros->setMaxVisibleItems(12);
    cmdAzar = new QPushButton(QStringLiteral("Azar"), holder);
    cmdAzar->setObjectName(QStringLiteral("cmdAzar"));
    cmdAzar->setToolTip(QStringLiteral("Genera X números al azar"));
    row->addWidget(cboNumeros);
    row->addWidget(cmdAzar);
    row->addStretch();
    return row;
}

WaitingPanel* ToolWindow::addWaitingPanel(const QString& name, const QString& textName, const QString& text,
                                          const QString& barName)
{
    return new WaitingPanel(this, name, textName, text, barName);
}

void ToolWindow::beginWork(WaitingPanel* panel, const QString& text)
{
    activePanel_ = panel;
    if (panel) panel->setText(text);
    focusBeforeWork_ = focusWidget();
    content_->setEnabled(false);
}

void ToolWindow::endWork()
{
    hidePanel();
    activePanel_ = nullptr;
    content_->setEnabled(true);
    // Disabling the controls took the focus away; it goes back where the player left it.
    if (focusBeforeWork_ && focusBeforeWork_->isEnabled() && focusBeforeWork_->isVisible())
        focusBeforeWork_->setFocus(Qt::OtherFocusReason);
    focusBeforeWork_ = nullptr;
}

void ToolWindow::hidePanel()
{
    if (activePanel_) activePanel_->hide();
}

void ToolWindow::cerrar()
{
    if (isBusy()) return;
    discard();
    closing_ = true;
    done(QDialog::Accepted);
    closing_ = false;
}

void ToolWindow::reject()
{
    if (isBusy() || frameCloseRefused_) return;
    discard();
    QDialog::reject();
}

void ToolWindow::closeEvent(QCloseEvent* event)
{
    if (isBusy() || (frameCloseRefused_ && !closing_)) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ToolWindow::showEvent(QShowEvent* event)
{
    // A dialog's buttons take Enter by default; here Enter belongs to the boxes that jump with it.
    if (!buttonsSettled_) {
        buttonsSettled_ = true;
        for (QPushButton* button : findChildren<QPushButton*>())
            if (!button->isDefault()) button->setAutoDefault(false);
        // imgVolver is made before the window's own controls: Tab reaches it after the last of
        // them, and the focus starts on the first.
        if (!focusWidget() || focusWidget() == imgVolver)
            for (QWidget* w = imgVolver->nextInFocusChain(); w != imgVolver; w = w->nextInFocusChain())
                if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) {
                    w->setFocus(Qt::TabFocusReason);
                    break;
                }
    }
    QDialog::showEvent(event);
}

} // namespace kombitron::ui
