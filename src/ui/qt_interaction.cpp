#include "ui/qt_interaction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QUrl>

namespace kombitron::ui {

namespace {

QString lastFolder;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString startFolder(const FileDialogRequest& request)
{
    if (!request.initialFolder.empty()) return qs(request.initialFolder);
    if (!lastFolder.isEmpty()) return lastFolder;
    return QDir::homePath();
}

// Qt's Spanish translations leave the kind column of the file dialogs in English ("Folder",
// "Drive"), and a file's kind would come from the MIME database in the system's language: the
// dialogs name the kinds themselves.
class SpanishFileKinds : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override
    {
        if (info.isRoot()) return QStringLiteral("Unidad");
        if (info.isDir()) return QStringLiteral("Carpeta");
        if (info.isFile()) {
            const QString suffix = info.suffix();
            return suffix.isEmpty() ? QStringLiteral("Fichero") : QStringLiteral("Fichero ") + suffix.toUpper();
        }
        return QStringLiteral("Desconocido");
    }
};

enum class DialogKind { Open, OpenMany, Save };

std::vector<std::string> runFileDialog(QWidget* parent, const FileDialogRequest& request, DialogKind kind)
{
    const bool save = kind == DialogKind::Save;
    QFileDialog dialog(parent, qs(request.title), startFolder(request));
    dialog.setObjectName(save ? QStringLiteral("dlgGuardar") : QStringLiteral("dlgAbrir"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    static SpanishFileKinds kinds;
    dialog.setIconProvider(&kinds);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : kind == DialogKind::OpenMany ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QStringList filters = fileDialogNameFilters(request.filters);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex - 1;
        if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    if (!request.initialName.empty()) dialog.selectFile(qs(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    std::vector<std::string> paths;
    for (const QString& path : dialog.selectedFiles()) paths.push_back(path.toStdString());
    lastFolder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
    return paths;
}

std::string firstPath(std::vector<std::string> paths) { return paths.empty() ? std::string() : std::move(paths.front()); }

} // namespace

QStringList fileDialogNameFilters(const std::vector<FileFilter>& filters)
{
    QStringList list;
    for (const auto& f : filters) {
        // Patterns are matched as written on case-sensitive file systems: offer both cases.
        QStringList patterns;
        for (const QString& p : qs(f.pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << p.trimmed();
            if (p.trimmed().toLower() != p.trimmed()) patterns << p.trimmed().toLower();
        }
        list << QStringLiteral("%1 (%2)").arg(qs(f.description), patterns.join(QLatin1Char(' ')));
    }
    return list;
}

QWidget* QtInteraction::dialogParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (owner_) return owner_;
    return QApplication::activeWindow();
}

void QtInteraction::message(MessageKind kind, const std::string& text)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    if (kind == MessageKind::Error) icon = QMessageBox::Critical;
    else if (kind == MessageKind::Warning) icon = QMessageBox::Warning;
    QMessageBox box(icon, QString::fromLatin1(kMessageTitle), qs(text), QMessageBox::Ok, dialogParent());
    box.exec();
}

bool QtInteraction::question(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kMessageTitle), qs(text),
                    QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::string QtInteraction::openFileDialog(const FileDialogRequest& request)
{
    return firstPath(runFileDialog(dialogParent(), request, DialogKind::Open));
}

std::string QtInteraction::saveFileDialog(const FileDialogRequest& request)
{
    return firstPath(runFileDialog(dialogParent(), request, DialogKind::Save));
}

std::vector<std::string> QtInteraction::openFilesDialog(const FileDialogRequest& request)
{
    return runFileDialog(dialogParent(), request, DialogKind::OpenMany);
}

bool QtInteraction::openInEditor(const std::string& path, std::string& failure)
{
    if (!QFileInfo::exists(qs(path))) {
        failure = "no existe el fichero " + path;
        return false;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(qs(path)))) return true;
    failure = "no se pudo abrir el editor de textos; el informe está en " + path;
    return false;
}

bool QtInteraction::openWebPage(const std::string& url, std::string& failure)
{
    const QUrl u(qs(url));
    if (!u.isValid()) {
        failure = "dirección no válida: " + url;
        return false;
    }
    if (QDesktopServices::openUrl(u)) return true;
    failure = "el sistema no pudo abrir " + url;
    return false;
}

bool installSpanishTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_es"), folder)) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

} // namespace kombitron::ui
