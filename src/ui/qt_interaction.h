#pragma once

// The Interaction of the desktop program, for use on the UI thread: message boxes titled
// "KOMBITRON" with the icon of their kind, Yes/No questions with No as the default button, Qt's
// own file dialogs (in Spanish once installSpanishTranslations() ran) starting in the last folder
// used during the run, reports opened with the desktop's text editor and pages in the browser.
// Dialogs belong to the active modal window, or to the owner given.
// Flows running as jobs talk to it through their JobRunner (ui/job_runner.h).

#include <QString>
#include <QStringList>

#include "core/interaction.h"

class QApplication;
class QWidget;

namespace kombitron::ui {

class QtInteraction : public Interaction {
public:
    explicit QtInteraction(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(MessageKind kind, const std::string& text) override;
    bool question(const std::string& text) override;
    std::string openFileDialog(const FileDialogRequest& request) override;
    std::string saveFileDialog(const FileDialogRequest& request) override;
    std::vector<std::string> openFilesDialog(const FileDialogRequest& request) override;
    bool openInEditor(const std::string& path, std::string& failure) override;
    bool openWebPage(const std::string& url, std::string& failure) override;
    Progress& progress() override { return progress_; }
    // Nothing long runs on the UI thread itself: no stop request ever comes from here.
    StopToken stopToken() const override { return {}; }

private:
    QWidget* dialogParent() const;

    QWidget* owner_;
    Progress progress_;
};

// Name filters of a QFileDialog for a request's filter list; the visible text is the description.
QStringList fileDialogNameFilters(const std::vector<FileFilter>& filters);

// Load Qt's Spanish translations so standard buttons read "Sí" / "No". False when not found.
bool installSpanishTranslations(QApplication& app);

} // namespace kombitron::ui
