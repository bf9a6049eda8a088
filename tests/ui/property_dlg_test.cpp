// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/property_dlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"
#include "toolkit/ui/folder_browser.h"

namespace {

// Something like a settings pane. Applying writes its title to `applied` and reports a
// failure, which the dialog ignores.
class CSettingsPane : public CPropertyPane {
public:
    CSettingsPane(const QString& title, std::vector<QString>* applied = nullptr)
        : CPropertyPane(title), applied(applied) {
        auto* form = new QFormLayout(this);
        form->addRow(
            new QLabel("CD Drive ( enter the device or folder of your CD drive: "
                       "/dev/cdrom, /media/cdrom...)"));
        form->addRow(&edit);
        form->addRow(&check);
        form->addRow(new QCheckBox("Eject disk after the scan"));
        form->addRow(new QCheckBox("Remove readonly attribute when copying files from CD"));
        auto* dates = new QComboBox;
        dates->addItems({"mm/dd/yyyy", "dd/mm/yyyy"});
        dates->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        form->addRow("Date format", dates);
    }
    bool Apply() override {
        applied->push_back(GetTitle());
        return false;
    }

    QLineEdit edit{"/dev/cdrom"};
    QCheckBox check{"Reopen last file at startup"};

private:
    std::vector<QString>* applied;
};

void Press(CPropertyDlg& dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

}  // namespace

TEST(PropertyDlg, OkAndEnterApplyEveryPaneInTabOrderEvenThoseNeverShown) {
    std::vector<QString> applied;
    CSettingsPane general("General", &applied);
    CSettingsPane folders("Folders", &applied);
    CPropertyDlg dialog("Settings");
    dialog.AddPane(&general);
    dialog.AddPane(&folders);
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    ASSERT_EQ(dialog.GetTabCtrl()->count(), 2);
    EXPECT_EQ(dialog.GetTabCtrl()->tabText(1), "Folders");
    EXPECT_EQ(dialog.GetCurrentPane(), &general);
    EXPECT_FALSE(folders.isVisible());

    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(applied, (std::vector<QString>{"General", "Folders"}));

    dialog.open();
    QTest::keyClick(&general.edit, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(applied.size(), 4u);
}

TEST(PropertyDlg, CancelAppliesNothingAfterChangesOnEveryTab) {
    std::vector<QString> applied;
    CSettingsPane general("General", &applied);
    CSettingsPane folders("Folders", &applied);
    auto dialog = std::make_unique<CPropertyDlg>("Settings");
    dialog->AddPane(&general);
    dialog->AddPane(&folders);
    dialog->open();
    QTest::keyClicks(&general.edit, "1");
    QTabBar* tabs = dialog->GetTabCtrl()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(dialog->GetCurrentPane(), &folders);
    EXPECT_FALSE(general.isVisible());
    QTest::mouseClick(&folders.check, Qt::LeftButton, {}, QPoint(8, folders.check.height() / 2));
    EXPECT_TRUE(folders.check.isChecked());

    Press(*dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(applied.empty());
    // The panes are the caller's: the dialog lets go of them.
    dialog.reset();
    EXPECT_EQ(general.parentWidget(), nullptr);
}

TEST(PropertyDlg, WithoutPanesStillClosesWithOk) {
    CPropertyDlg dialog("Empty");
    dialog.open();
    EXPECT_EQ(dialog.GetTabCtrl()->count(), 0);
    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(FolderBrowser, AsksThePlatformOnlyForAnExistingRoot) {
    CTempFolder temp;
    CScriptedPlatformUi scripted;
    scripted.chosenFiles = {temp.Path("target")};
    CFolderBrowser browser;
    browser.rootFolder = temp.Path("missing");
    EXPECT_FALSE(browser.Choose());
    browser.rootFolder = temp.Write("file.txt");
    EXPECT_FALSE(browser.Choose());
    EXPECT_TRUE(scripted.calls.empty());

    browser.rootFolder = temp.Path();
    browser.preselectedFolder = temp.Path("target");
    EXPECT_TRUE(browser.Choose());
    EXPECT_EQ(browser.chosenPath, temp.Path("target"));
    EXPECT_EQ(scripted.calls.at(0), "folder: " + temp.Path() + "|" + temp.Path("target"));
    // Cancelled, or no dialogs at all: false, and the last choice stays.
    EXPECT_FALSE(browser.Choose());
    CPlatformUi* installed = SetPlatformUi(nullptr);
    EXPECT_FALSE(browser.Choose());
    SetPlatformUi(installed);
    EXPECT_EQ(browser.chosenPath, temp.Path("target"));
}

// Pictures to look at: TAMBLOR_SCREENSHOTS=folder writes them there.
TEST(PropertyDlg, Screenshot) {
    QString folder = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "TAMBLOR_SCREENSHOTS is not set";
    }
    CSettingsPane general("General");
    CSettingsPane folders("Folders");
    CPropertyDlg dialog("Settings");
    dialog.AddPane(&general);
    dialog.AddPane(&folders);
    dialog.open();
    EXPECT_TRUE(dialog.grab().save(folder + "/property_dlg.png"));
    dialog.reject();
}
