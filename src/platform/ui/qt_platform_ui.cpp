#include "platform/ui/qt_platform_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "platform/ui/display_text.h"

namespace {

const char* const caption = "Tamblor";

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QMessageBox::StandardButton Ask(QWidget* owner, const std::string& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::Icon icon = QMessageBox::Warning) {
    // Messages are formatted from names: they read as the tables show those names.
    QMessageBox box(icon, caption, DisplayText(text), buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString Filter(const CFileDialogOptions& options) {
    if (options.filterPattern.empty()) {
        return QString();
    }
    return DisplayText(options.filterName + " (" + options.filterPattern + ")");
}

QString StartPath(const CFileDialogOptions& options) {
    QString folder = DisplayText(options.initialFolder);
    if (options.initialName.empty()) {
        return folder;
    }
    QString name = DisplayText(options.initialName);
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

}  // namespace

void CQtPlatformUi::ShowMessage(const std::string& text, Icon icon) {
    QMessageBox::Icon shown = QMessageBox::Warning;
    if (icon == Icon::information) {
        shown = QMessageBox::Information;
    } else if (icon == Icon::stop) {
        shown = QMessageBox::Critical;
    }
    Ask(owner, text, QMessageBox::Ok, shown);
}

CPlatformUi::Answer CQtPlatformUi::AskRetryCancel(const std::string& text) {
    return Ask(owner, text, QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry
               ? Answer::retry
               : Answer::cancel;
}

CPlatformUi::Answer CQtPlatformUi::AskOkCancel(const std::string& text) {
    return Ask(owner, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok
               ? Answer::ok
               : Answer::cancel;
}

CPlatformUi::Answer CQtPlatformUi::AskYesNoCancel(const std::string& text) {
    switch (Ask(owner, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Answer::yes;
        case QMessageBox::No:
            return Answer::no;
        default:
            return Answer::cancel;
    }
}

bool CQtPlatformUi::ChooseOpenFiles(const CFileDialogOptions& options,
                                    std::vector<std::string>& paths) {
    QString title = DisplayText(options.title);
    QStringList chosen;
    if (options.multipleSelection) {
        chosen = QFileDialog::getOpenFileNames(owner, title, StartPath(options), Filter(options));
    } else {
        QString one =
            QFileDialog::getOpenFileName(owner, title, StartPath(options), Filter(options));
        if (!one.isEmpty()) {
            chosen << one;
        }
    }
    if (chosen.isEmpty()) {
        return false;
    }
    paths.clear();
    for (const QString& path : chosen) {
        paths.push_back(ToUtf8(path));
    }
    return true;
}

bool CQtPlatformUi::ChooseSaveFile(const CFileDialogOptions& options, std::string& path) {
    QFileDialog dialog(owner, DisplayText(options.title), DisplayText(options.initialFolder),
                       Filter(options));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!options.defaultExtension.empty()) {
        dialog.setDefaultSuffix(DisplayText(options.defaultExtension));
    }
    if (!options.confirmOverwrite) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!options.initialName.empty()) {
        dialog.selectFile(DisplayText(options.initialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    path = ToUtf8(dialog.selectedFiles().front());
    return true;
}

bool CQtPlatformUi::ChooseFolder(const CFolderDialogOptions& options, std::string& path) {
    QString start = DisplayText(options.preselectedFolder.empty() ? options.rootFolder
                                                                  : options.preselectedFolder);
    QString chosen = QFileDialog::getExistingDirectory(owner, DisplayText(options.title), start);
    if (chosen.isEmpty()) {
        return false;
    }
    path = ToUtf8(chosen);
    return true;
}

bool CQtPlatformUi::OpenWithShell(const std::string& path) {
    // Percent-encoded from the bytes, so a name that is not UTF-8 reaches the handler as it
    // lies on the disk instead of as replacement characters.
    if (path.empty() || path[0] != '/') {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(DisplayText(path)));
    }
    QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    return QDesktopServices::openUrl(QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/")));
}

void CQtPlatformUi::SetWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}
