// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/qt_platform_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/ui/dialog_path.h"
#include "platform/ui/display_text.h"

namespace {

const char* const caption = "Tamblor";

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

// The folder and name a file dialog starts with, as one path of bytes.
std::string StartBytes(const CFileDialogOptions& options) {
    const std::string& folder = options.initialFolder;
    const std::string& name = options.initialName;
    if (name.empty() || name[0] == '/' || folder.empty()) {
        return name.empty() ? folder : name;
    }
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

// The start of an open dialog: a name is selected where its folder can be entered.
QString OpenDialogStart(const std::string& path) {
    CDialogStart start = DialogStart(path);
    if (start.rest.isEmpty() || start.rest.contains('/')) {
        return start.folder;
    }
    return start.folder.isEmpty() || start.folder.endsWith('/') ? start.folder + start.rest
                                                                : start.folder + '/' + start.rest;
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
    std::string start = StartBytes(options);
    QStringList chosen;
    if (options.multipleSelection) {
        chosen =
            QFileDialog::getOpenFileNames(owner, title, OpenDialogStart(start), Filter(options));
    } else {
        QString one =
            QFileDialog::getOpenFileName(owner, title, OpenDialogStart(start), Filter(options));
        if (!one.isEmpty()) {
            chosen << one;
        }
    }
    if (chosen.isEmpty()) {
        return false;
    }
    paths.clear();
    for (const QString& path : chosen) {
        paths.push_back(ChosenPathBytes(path, start));
    }
    return true;
}

bool CQtPlatformUi::ChooseSaveFile(const CFileDialogOptions& options, std::string& path) {
    std::string start = StartBytes(options);
    // A folder Qt cannot enter (one whose name is not UTF-8) is shown in the name field,
    // beneath the deepest folder it can.
    CDialogStart shown = DialogStart(options.initialName.empty() ? options.initialFolder : start);
    QFileDialog dialog(owner, DisplayText(options.title), shown.folder, Filter(options));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!options.defaultExtension.empty()) {
        dialog.setDefaultSuffix(DisplayText(options.defaultExtension));
    }
    if (!options.confirmOverwrite) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!options.initialName.empty()) {
        dialog.selectFile(shown.rest);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    path = ChosenPathBytes(dialog.selectedFiles().front(), start);
    return true;
}

bool CQtPlatformUi::ChooseFolder(const CFolderDialogOptions& options, std::string& path) {
    const std::string& start =
        options.preselectedFolder.empty() ? options.rootFolder : options.preselectedFolder;
    QString chosen = QFileDialog::getExistingDirectory(owner, DisplayText(options.title),
                                                       DialogStart(start).folder);
    if (chosen.isEmpty()) {
        return false;
    }
    path = ChosenPathBytes(chosen, start);
    return true;
}

bool CQtPlatformUi::OpenWithShell(const std::string& path) {
    // Percent-encoded from the bytes, so a name that is not UTF-8 reaches the handler as it
    // lies on the disk instead of as replacement characters.
    if (path.empty() || path[0] != '/') {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(
            QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())))));
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
