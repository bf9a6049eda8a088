// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's property, settings and about dialogs, opened without a modal loop and
// driven the way a user would: fields, Edit/Apply/OK on a disk whose index file is real, the
// settings applied, and every field named for a screen reader by its label.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "helpers/coll_settings.h"
#include "helpers/date_format.h"
#include "shell/coll_doc.h"
#include "shell/ui/dialogs/coll_about_dlg.h"
#include "shell/ui/dialogs/coll_collection_dlg.h"
#include "shell/ui/dialogs/coll_disk_dlg.h"
#include "shell/ui/dialogs/coll_item_dlg.h"
#include "shell/ui/dialogs/coll_settings_dlg.h"
#include "shell/ui/dialogs/coll_totals_dlg.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"
#include "toolkit/ui/date_edit.h"

namespace {

using Messages = std::vector<std::string>;

constexpr Time32 christmasNoon = 1167066000;  // 2006-12-25 12:00 in New York
const char newYork[] = "EST5EDT,M3.2.0,M11.1.0";

// Every label with a mnemonic leads to a field, and that field carries the label's words as
// its accessible name; every field a user can reach is named.
void ExpectFieldsNamedByLabels(const QWidget& dialog) {
    int labelled = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->text().contains('&')) {
            continue;
        }
        ++labelled;
        ASSERT_NE(label->buddy(), nullptr) << label->text().toStdString();
        QString words = label->text().remove('&');
        if (words.endsWith(':')) {
            words.chop(1);
        }
        EXPECT_EQ(label->buddy()->accessibleName(), words);
        // What a screen reader reads: the field's name, or for a list (whose name is its
        // value on this platform) the label it is labelled by.
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(label->buddy());
        ASSERT_NE(spoken, nullptr);
        if (qobject_cast<const QComboBox*>(label->buddy()) == nullptr) {
            EXPECT_EQ(spoken->text(QAccessible::Name), words);
        } else {
            auto labels = spoken->relations(QAccessible::Label);
            ASSERT_EQ(labels.size(), 1);
            EXPECT_EQ(labels[0].first->object(), label);
        }
    }
    EXPECT_GT(labelled, 0);
    for (const QWidget* field : dialog.findChildren<QWidget*>()) {
        if (qobject_cast<const QLineEdit*>(field) != nullptr ||
            qobject_cast<const QPlainTextEdit*>(field) != nullptr ||
            qobject_cast<const QComboBox*>(field) != nullptr) {
            // The combo box's own line edit belongs to it.
            if (qobject_cast<const QComboBox*>(field->parentWidget()) == nullptr) {
                EXPECT_FALSE(field->accessibleName().isEmpty()) << field->metaObject()->className();
            }
        }
    }
}

std::unique_ptr<CCollDisk> IndexedDisk(const CTempFolder& folder, const std::string& title) {
    CCollDisk scanned;
    auto file = std::make_unique<CCollDiskFile>();
    file->name = "beach.jpg";
    file->size = 3000000000u;
    scanned.content.files.Add(std::move(file));
    scanned.content.folders.Add(std::make_unique<CCollDiskFolder>());
    scanned.ComputeTotals();
    scanned.header.serial = 3000000000u;
    scanned.header.SetLabel("PHOTOS");
    scanned.header.burnDate = christmasNoon;
    scanned.header.SetDescription("Old words");
    std::string path = folder.Path(title + ".cdi");
    EXPECT_TRUE(scanned.SaveIndexFile(path));
    auto disk = CCollDisk::OfIndexFile(path);
    EXPECT_TRUE(disk->ReadHeader());
    return disk;
}

std::string DescriptionOnFile(const std::string& path) {
    auto disk = CCollDisk::OfIndexFile(path);
    EXPECT_TRUE(disk->ReadHeader());
    return disk->header.GetDescription();
}

void Click(QPushButton* button) {
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

void ReplaceText(QPlainTextEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

TEST(CollDialogs, TotalsShowTheCollectionsSumsAndCloseWithEnterOrEscape) {
    CCollection collection;
    for (int i = 0; i < 2; ++i) {
        auto disk = std::make_unique<CCollDisk>("Disk");
        disk->header.totalBytes = 4000000000u;
        disk->header.totalFiles = 600000;
        disk->header.totalFolders = 12;
        collection.AddDisk(std::move(disk));
    }
    CCollTotalsDlg dialog(collection);
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), "Collection totals");
    EXPECT_EQ(dialog.disksField->text(), "2");
    EXPECT_EQ(dialog.foldersField->text(), "24");
    EXPECT_EQ(dialog.filesField->text(), "1,200,000");
    EXPECT_EQ(dialog.totalSizeField->text(), "8,000,000,000");
    EXPECT_TRUE(dialog.totalSizeField->isReadOnly());
    ExpectFieldsNamedByLabels(dialog);
    QAbstractButton* close = dialog.findChild<QDialogButtonBox*>()->buttons().at(0);
    EXPECT_EQ(close->text(), "Close");

    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(CollDialogs, DiskInViewModeEditsAppliesAndOkWritesTheIndexFile) {
    CTimeZone zone(newYork);
    CTempFolder folder;
    CMessageRecorder recorder;
    CCollSettings settings;
    settings.SetDateFormat(CDateFormat::DayFirst());
    auto disk = IndexedDisk(folder, "Holiday");
    CCollDiskDlg dialog(*disk, CCollDiskDlg::Mode::view);
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), "Disk properties");
    EXPECT_EQ(dialog.titleField->text(), "Holiday");
    EXPECT_EQ(dialog.dateField->text(), "25/12/06");
    EXPECT_EQ(dialog.descriptionField->toPlainText(), "Old words");
    EXPECT_EQ(dialog.labelField->text(), "PHOTOS");
    EXPECT_EQ(dialog.serialField->text(), "-1294967296");
    EXPECT_EQ(dialog.totalFilesField->text(), "1");
    EXPECT_EQ(dialog.totalFoldersField->text(), "1");
    EXPECT_EQ(dialog.totalBytesField->text(), "3,000,000,000");
    EXPECT_EQ(dialog.focusWidget(), dialog.titleField);
    EXPECT_TRUE(dialog.titleField->isReadOnly());
    EXPECT_TRUE(dialog.dateField->isReadOnly());
    EXPECT_TRUE(dialog.descriptionField->isReadOnly());
    EXPECT_EQ(dialog.editButton->text(), "&Edit");
    EXPECT_TRUE(dialog.editButton->isEnabled());
    ExpectFieldsNamedByLabels(dialog);

    // Edit, a new date typed the way the format reads, Apply: written, and read-only again.
    Click(dialog.editButton);
    EXPECT_EQ(dialog.editButton->text(), "&Apply");
    EXPECT_TRUE(dialog.titleField->isReadOnly());
    EXPECT_FALSE(dialog.dateField->isReadOnly());
    EXPECT_FALSE(dialog.descriptionField->isReadOnly());
    dialog.dateField->selectAll();
    QTest::keyClicks(dialog.dateField, "1 7 2006");
    ReplaceText(dialog.descriptionField, "Applied words");
    Click(dialog.editButton);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(dialog.editButton->text(), "&Edit");
    EXPECT_TRUE(dialog.descriptionField->isReadOnly());
    EXPECT_EQ(dialog.dateField->text(), "01/07/06");
    EXPECT_EQ(DescriptionOnFile(disk->indexPath), "Applied words");
    EXPECT_TRUE(dialog.isVisible());

    // Edit, a change, then Enter: OK applies it before closing.
    Click(dialog.editButton);
    ReplaceText(dialog.descriptionField, "Words from OK");
    QTest::keyClick(dialog.dateField, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(DescriptionOnFile(disk->indexPath), "Words from OK");
    EXPECT_EQ(disk->header.GetDescription(), "Words from OK");
}

TEST(CollDialogs, DiskCancelStoresNothingAndAFailedApplyKeepsTheEdit) {
    CTimeZone zone(newYork);
    CTempFolder folder;
    CMessageRecorder recorder;
    auto disk = IndexedDisk(folder, "Holiday");
    {
        CCollDiskDlg dialog(*disk, CCollDiskDlg::Mode::view);
        dialog.open();
        Click(dialog.editButton);
        ReplaceText(dialog.descriptionField, "Dropped words");
        dialog.dateField->setText("12/26/06");
        QTest::keyClick(dialog.dateField, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(disk->header.GetDescription(), "Old words");
    EXPECT_EQ(disk->header.burnDate, christmasNoon);
    EXPECT_EQ(DescriptionOnFile(disk->indexPath), "Old words");

    // The index file gone: Apply reports it and the dialog stays in editing with the text.
    std::filesystem::remove(disk->indexPath);
    CCollDiskDlg dialog(*disk, CCollDiskDlg::Mode::view);
    dialog.open();
    Click(dialog.editButton);
    ReplaceText(dialog.descriptionField, "Kept words");
    Click(dialog.editButton);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_NE(recorder.messages[0].find(disk->indexPath), std::string::npos);
    EXPECT_EQ(dialog.editButton->text(), "&Apply");
    EXPECT_FALSE(dialog.descriptionField->isReadOnly());
    EXPECT_EQ(dialog.descriptionField->toPlainText(), "Kept words");
    Click(dialog.okButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(recorder.messages.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(disk->indexPath));
}

TEST(CollDialogs, NewDiskFormLimitsTypingChecksOkAndHasNoApply) {
    CTimeZone zone(newYork);
    CMessageRecorder recorder;
    CCollDisk disk;
    disk.header.burnDate = christmasNoon;
    CCollDiskDlg dialog(disk, CCollDiskDlg::Mode::newDisk);
    dialog.open();
    EXPECT_FALSE(dialog.editButton->isEnabled());
    EXPECT_EQ(dialog.editButton->text(), "&Edit");
    EXPECT_FALSE(dialog.titleField->isReadOnly());
    EXPECT_FALSE(dialog.dateField->isReadOnly());
    EXPECT_FALSE(dialog.descriptionField->isReadOnly());
    EXPECT_EQ(dialog.focusWidget(), dialog.titleField);

    QTest::keyClicks(dialog.titleField, QString(64, 't'));
    EXPECT_EQ(dialog.titleField->text(), QString(63, 't'));
    QTest::keyClicks(dialog.descriptionField, QString(256, 'd'));
    EXPECT_EQ(dialog.descriptionField->toPlainText(), QString(255, 'd'));
    // The limit is the header's bytes: a two-byte letter does not fit in the last one.
    dialog.descriptionField->textCursor().deletePreviousChar();
    QKeyEvent accent(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier,
                     QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(dialog.descriptionField, &accent);
    EXPECT_EQ(dialog.descriptionField->toPlainText().size(), 254);
    // Text put in whole is let through and refused by OK with the message.
    dialog.descriptionField->setPlainText(QString(256, 'p'));

    dialog.titleField->setText("Holiday");
    Click(dialog.okButton);
    dialog.descriptionField->setPlainText("New disk");
    dialog.dateField->setText("13/13/06");
    Click(dialog.okButton);
    EXPECT_EQ(recorder.messages,
              (Messages{"Description is too long, it can be 255 characters at most",
                        "Invalid burn date"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(disk.title, "");

    dialog.dateField->setText("12/25/06");
    Click(dialog.okButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(disk.title, "Holiday");
    EXPECT_EQ(disk.header.GetDescription(), "New disk");
    EXPECT_EQ(disk.header.burnDate, christmasNoon);
}

TEST(CollDialogs, FileAndFolderShowNameTimesSizeAndAnEmptyPath) {
    CTimeZone zone(newYork);
    CCollDiskFile file;
    file.name = "caf\xC3\xA9.jpg";
    file.creationTime = christmasNoon;
    file.accessTime = CCollDiskItem::unknownTime;
    file.modifyTime = christmasNoon;
    file.size = 1234567;
    CCollItemDlg fileDialog(file);
    fileDialog.show();
    EXPECT_EQ(fileDialog.windowTitle(), "File properties");
    EXPECT_EQ(fileDialog.heading->text(), "File");
    EXPECT_EQ(fileDialog.nameField->text(), QString::fromUtf8("caf\xC3\xA9.jpg"));
    EXPECT_FALSE(fileDialog.modifiedField->text().isEmpty());
    EXPECT_EQ(fileDialog.accessedField->text(), "");
    ASSERT_NE(fileDialog.sizeField, nullptr);
    EXPECT_EQ(fileDialog.sizeField->text(), "1,234,567");
    EXPECT_EQ(fileDialog.pathField->text(), "");
    ExpectFieldsNamedByLabels(fileDialog);
    QTest::keyClick(fileDialog.nameField, Qt::Key_Return);
    EXPECT_FALSE(fileDialog.isVisible());

    CCollDiskFolder folder;
    folder.name = "Photos";
    CCollItemDlg folderDialog(folder);
    folderDialog.show();
    EXPECT_EQ(folderDialog.windowTitle(), "Folder properties");
    EXPECT_EQ(folderDialog.heading->text(), "Folder");
    EXPECT_EQ(folderDialog.sizeField, nullptr);
    EXPECT_EQ(folderDialog.findChildren<QLineEdit*>().size(), 5);
    QTest::keyClick(&folderDialog, Qt::Key_Escape);
    EXPECT_FALSE(folderDialog.isVisible());
}

TEST(CollDialogs, CollectionOkHandsTheDescriptionToTheDocumentAndEscapeDoesNot) {
    CTempFolder folder;
    CMessageRecorder recorder;
    CCollSettings settings;
    CCollDoc doc;
    doc.collection.description = "Old description";
    doc.collection.AddDisk(std::make_unique<CCollDisk>("A"));
    std::string path = folder.Write("Music.col", "Old description\n\n");
    doc.SetPathName(path);
    doc.SetModifiedFlag(false);

    CCollCollectionDlg dialog(doc);
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), "Collection properties");
    EXPECT_EQ(dialog.fileField->text().toStdString(), path);
    EXPECT_FALSE(dialog.creationField->text().isEmpty());
    EXPECT_FALSE(dialog.modifiedField->text().isEmpty());
    EXPECT_EQ(dialog.disksField->text(), "1");
    EXPECT_EQ(dialog.descriptionField->toPlainText(), "Old description");
    EXPECT_EQ(dialog.focusWidget(), dialog.descriptionField);
    ExpectFieldsNamedByLabels(dialog);

    ReplaceText(dialog.descriptionField, "Dropped");
    QTest::keyClick(dialog.descriptionField, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(doc.collection.description, "Old description");
    EXPECT_FALSE(doc.IsModified());

    dialog.open();
    dialog.descriptionField->setPlainText("First line\nSecond line");
    Click(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(doc.collection.description, "First line\nSecond line");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(CollDialogs, SettingsApplyIntoTheSettingsAndReportOnlyARealDateFormatChange) {
    CCollSettings settings;
    settings.SetDrive("/dev/cdrom");
    settings.SetRemoveReadOnly(true);
    int redraws = 0;
    CCollSettingsDlg dialog(settings);
    dialog.onDateFormatChanged = [&redraws] { ++redraws; };
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), "Tamblor settings");
    ASSERT_EQ(dialog.GetTabCtrl()->count(), 1);
    EXPECT_EQ(dialog.GetTabCtrl()->tabText(0), "Settings");
    CCollSettingsPane& pane = dialog.GetPane();
    EXPECT_EQ(pane.driveField->text(), "/dev/cdrom");
    EXPECT_FALSE(pane.openLastFileBox->isChecked());
    EXPECT_TRUE(pane.removeReadOnlyBox->isChecked());
    ASSERT_EQ(pane.dateFormatList->count(), 2);
    EXPECT_EQ(pane.dateFormatList->itemText(0), "mm/dd/yyyy");
    EXPECT_EQ(pane.dateFormatList->itemText(1), "dd/mm/yyyy");
    EXPECT_EQ(pane.dateFormatList->currentIndex(), 0);
    EXPECT_EQ(pane.driveField->accessibleName(),
              "CD Drive ( enter the device or folder of your CD drive: /dev/cdrom, "
              "/media/cdrom...)");
    ExpectFieldsNamedByLabels(dialog);

    // Nothing changed: OK applies, and no date needs drawing again.
    QTest::keyClick(pane.driveField, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(redraws, 0);

    dialog.open();
    pane.driveField->setText("/media/cdrom ");
    pane.ejectAfterScanBox->setChecked(true);
    pane.removeReadOnlyBox->setChecked(false);
    pane.dateFormatList->setCurrentIndex(1);
    QTest::keyClick(pane.driveField, Qt::Key_Return);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(settings.GetDrive(), "/media/cdrom ");
    EXPECT_TRUE(settings.GetEjectAfterScan());
    EXPECT_FALSE(settings.GetRemoveReadOnly());
    EXPECT_EQ(settings.GetDateFormat(), &CDateFormat::DayFirst());

    // Cancel after a change applies nothing.
    dialog.open();
    pane.dateFormatList->setCurrentIndex(0);
    QTest::keyClick(pane.driveField, Qt::Key_Escape);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(settings.GetDateFormat(), &CDateFormat::DayFirst());
}

TEST(CollDialogs, AboutShowsTheIconVersionAndLicence) {
    CCollAboutDlg dialog;
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), "Tamblor");
    EXPECT_EQ(dialog.version->text(), "Tamblor Version 0.02");
    EXPECT_TRUE(dialog.licence->text().contains(
        "GNU General Public License, version 3 or (at your option) any later version"));
    EXPECT_FALSE(dialog.icon->pixmap().isNull());
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Pictures to look at: TAMBLOR_SCREENSHOTS=folder writes them there.
TEST(CollDialogs, Screenshots) {
    QString shots = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (shots.isEmpty()) {
        GTEST_SKIP() << "TAMBLOR_SCREENSHOTS is not set";
    }
    CTimeZone zone(newYork);
    CTempFolder folder;
    CCollSettings settings;
    auto save = [&shots](QWidget& dialog, const QString& name) {
        dialog.show();
        EXPECT_TRUE(dialog.grab().save(shots + "/" + name + ".png")) << name.toStdString();
        dialog.hide();
    };

    CCollDoc doc;
    auto disk = IndexedDisk(folder, "Holiday 2006");
    disk->header.SetDescription("Photos and videos from the summer holiday in Portugal.");
    CCollDisk* shown = doc.collection.AddDisk(std::move(disk));
    doc.collection.description = "Family photos\nBacked up every spring";
    doc.SetPathName(folder.Write("Family collection.col", "\n"));

    CCollTotalsDlg totals(doc.collection);
    save(totals, "coll_totals_dlg");
    CCollDiskDlg view(*shown, CCollDiskDlg::Mode::view);
    save(view, "coll_disk_dlg_view");
    CCollDisk scanned;
    scanned.header.burnDate = christmasNoon;
    CCollDiskDlg fresh(scanned, CCollDiskDlg::Mode::newDisk);
    save(fresh, "coll_disk_dlg_new");
    CCollDiskFile file;
    file.name = "beach.jpg";
    file.creationTime = file.accessTime = file.modifyTime = christmasNoon;
    file.size = 2345678;
    CCollItemDlg fileDialog(file);
    save(fileDialog, "coll_item_dlg_file");
    CCollDiskFolder subfolder;
    subfolder.name = "Photos";
    CCollItemDlg folderDialog(subfolder);
    save(folderDialog, "coll_item_dlg_folder");
    CCollCollectionDlg collection(doc);
    save(collection, "coll_collection_dlg");
    CCollSettingsDlg settingsDialog(settings);
    save(settingsDialog, "coll_settings_dlg");
    CCollAboutDlg about;
    save(about, "coll_about_dlg");
}
