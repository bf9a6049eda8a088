// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/wait_box.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "helpers/number_text.h"
#include "shell/ui/coll_icons.h"

namespace {

// The counts change this often: a few times a second is readable, more is flicker.
constexpr qint64 countsMilliseconds = 250;

QString Counted(std::int64_t count, const char* one, const char* many) {
    return QString::fromStdString(FormatNumber(count)) + ' ' + (count == 1 ? one : many);
}

}  // namespace

CWaitBox::CWaitBox(const QString& text, QWidget* owner) : QDialog(owner) {
    setWindowTitle("Tamblor");
    setWindowModality(Qt::NonModal);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    QIcon programIcon = GetProgramIcon();
    int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize);
    iconLabel = new QLabel;
    iconLabel->setPixmap(programIcon.pixmap(iconSize, iconSize));
    top->addWidget(iconLabel, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    top->addLayout(texts, 1);
    textLabel = new QLabel;
    textLabel->setAlignment(Qt::AlignCenter);
    textLabel->setWordWrap(true);
    texts->addWidget(textLabel);
    countsLabel = new QLabel;
    countsLabel->setAlignment(Qt::AlignCenter);
    texts->addWidget(countsLabel);
    // The icon's width again on the right, so the texts sit in the middle of the box.
    top->addSpacing(iconSize);

    layout->addSpacing(fontMetrics().height() / 2);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    cancelButton = new QPushButton("Cancel");
    // An Enter meant for the window that was active a moment ago must not throw a long scan
    // away: Cancel takes Space, a click or Escape.
    cancelButton->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    connect(cancelButton, &QPushButton::clicked, this, &CWaitBox::reject);

    SetText(text);
    SetCounts(0, 0);
    // The first batch is shown as soon as it comes; the pace applies from then on.
    sinceCounts.invalidate();
    // Wide enough for the counts of a large disk, so the box does not grow while it counts.
    int textWidth =
        std::max(fontMetrics().horizontalAdvance(text),
                 fontMetrics().horizontalAdvance("Read so far: 999,999 folders, 9,999,999 files"));
    textLabel->setMinimumWidth(textWidth);
    countsLabel->setMinimumWidth(textWidth);
    adjustSize();
    cancelButton->setFocus();
    show();
}

void CWaitBox::SetText(const QString& text) {
    textLabel->setText(text);
    textLabel->setAccessibleName(text);
}

void CWaitBox::SetCounts(std::int64_t folders, std::int64_t files) {
    QString counts = "Read so far: " + Counted(folders, "folder", "folders") + ", " +
                     Counted(files, "file", "files");
    countsLabel->setText(counts);
    countsLabel->setAccessibleName(counts);
    sinceCounts.start();
}

void CWaitBox::OnProgress(std::int64_t folders, std::int64_t files) {
    if (!sinceCounts.isValid() || sinceCounts.elapsed() >= countsMilliseconds) {
        SetCounts(folders, files);
    }
}

void CWaitBox::reject() {
    if (cancelled) {
        return;
    }
    cancelled = true;
    cancelButton->setEnabled(false);
    SetText("Stopping...");
    emit Cancelled();
}
