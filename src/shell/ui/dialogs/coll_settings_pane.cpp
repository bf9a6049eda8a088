// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/coll_settings_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/settings_edit.h"
#include "shell/ui/dialogs/coll_dlg_fields.h"

CCollSettingsPane::CCollSettingsPane(CCollSettings& settings, QWidget* parent)
    : CPropertyPane("Settings", parent), settings(settings) {
    CCollSettingsValues values = GetSettingsValues(settings);
    auto* layout = new QVBoxLayout(this);

    const QString driveLabel =
        "CD &Drive ( enter the device or folder of your CD drive: /dev/cdrom, /media/cdrom...)";
    auto* driveCaption = new QLabel(driveLabel);
    driveField = new QLineEdit(QString::fromStdString(values.drive));
    driveCaption->setBuddy(driveField);
    driveField->setAccessibleName(AccessibleNameOf(driveLabel));
    layout->addWidget(driveCaption);
    layout->addWidget(driveField);
    layout->addSpacing(driveCaption->fontMetrics().height() / 2);

    openLastFileBox = new QCheckBox("&Reopen last file at startup");
    openLastFileBox->setChecked(values.openLastFile);
    ejectAfterScanBox = new QCheckBox("&Eject disk after the scan");
    ejectAfterScanBox->setChecked(values.ejectAfterScan);
    removeReadOnlyBox = new QCheckBox("Re&move readonly attribute when copying files from CD");
    removeReadOnlyBox->setChecked(values.removeReadOnly);
    layout->addWidget(openLastFileBox);
    layout->addWidget(ejectAfterScanBox);
    layout->addWidget(removeReadOnlyBox);
    searchAsYouTypeBox = new QCheckBox("Search as you &type");
    searchAsYouTypeBox->setChecked(values.searchAsYouType);
    layout->addWidget(searchAsYouTypeBox);
    layout->addSpacing(driveCaption->fontMetrics().height() / 2);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    dateFormatList = new QComboBox;
    for (const std::string& name : GetDateFormatNames()) {
        dateFormatList->addItem(QString::fromStdString(name));
    }
    dateFormatList->setCurrentIndex(
        std::max(0, dateFormatList->findText(QString::fromStdString(values.dateFormat))));
    AddLabelledRow(form, "Date &format", dateFormatList);
    layout->addLayout(form);
    layout->addStretch(1);
}

bool CCollSettingsPane::Apply() {
    CCollSettingsValues values;
    values.drive = driveField->text().toStdString();
    values.openLastFile = openLastFileBox->isChecked();
    values.ejectAfterScan = ejectAfterScanBox->isChecked();
    values.removeReadOnly = removeReadOnlyBox->isChecked();
    values.searchAsYouType = searchAsYouTypeBox->isChecked();
    values.dateFormat = dateFormatList->currentText().toStdString();
    dateFormatChanged = ApplySettingsValues(settings, values);
    return true;
}
