// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/copy_progress_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "helpers/number_text.h"
#include "platform/ui/display_text.h"

namespace {

// The bar's range is an int: byte counts are shown in units that fit it.
constexpr int barSteps = 1000;

QString CountText(std::uint64_t done, std::uint64_t total, bool known, bool bytes) {
    auto text = [bytes](std::uint64_t value) {
        return QString::fromStdString(bytes ? FormatByteCount(value)
                                            : FormatNumber(static_cast<std::int64_t>(value)));
    };
    QString shown = text(done);
    if (known) {
        shown += " of " + text(total);
    }
    return shown;
}

}  // namespace

CCopyProgressDlg::CCopyProgressDlg(QWidget* parent)
    : QDialog(parent),
      sourceLabel(new QLabel(this)),
      filesLabel(new QLabel(this)),
      bytesLabel(new QLabel(this)),
      bar(new QProgressBar(this)),
      cancelButton(new QPushButton("Cancel", this)) {
    setObjectName("CopyProgress");
    setWindowTitle("Tamblor");
    setAccessibleName("Copying from the disk");
    setWindowModality(Qt::NonModal);
    sourceLabel->setObjectName("CopySource");
    sourceLabel->setWordWrap(true);
    filesLabel->setObjectName("CopyFiles");
    bytesLabel->setObjectName("CopyBytes");
    bar->setObjectName("CopyBar");
    bar->setAccessibleName("Copy progress");
    bar->setRange(0, barSteps);
    bar->setTextVisible(false);
    cancelButton->setObjectName("CopyCancel");
    connect(cancelButton, &QPushButton::clicked, this, &CCopyProgressDlg::reject);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cancelButton, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceLabel);
    layout->addWidget(filesLabel);
    layout->addWidget(bytesLabel);
    layout->addWidget(bar);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

void CCopyProgressDlg::Begin(const std::string& source, const CCatalogueTotals& totals,
                             bool known) {
    expected = totals;
    expectedKnown = known;
    cancelled = false;
    cancelButton->setEnabled(true);
    sourceLabel->setText("Copying " + DisplayText(source));
    ShowProgress(CTreeCopyProgress());
    show();
}

void CCopyProgressDlg::Update(const CTreeCopyProgress& progress) {
    ShowProgress(progress);
}

void CCopyProgressDlg::End() {
    hide();
}

QString CCopyProgressDlg::GetFilesText() const {
    return filesLabel->text();
}

QString CCopyProgressDlg::GetBytesText() const {
    return bytesLabel->text();
}

void CCopyProgressDlg::reject() {
    // The window stays until the copy has stopped; End() hides it.
    if (cancelled) {
        return;
    }
    cancelled = true;
    cancelButton->setEnabled(false);
    emit Cancelled();
}

void CCopyProgressDlg::ShowProgress(const CTreeCopyProgress& progress) {
    std::uint64_t files = progress.files + progress.skipped;
    filesLabel->setText("Files: " + CountText(files, expected.files, expectedKnown, false));
    bytesLabel->setText("Bytes: " + CountText(progress.bytes, expected.bytes, expectedKnown, true));
    if (!expectedKnown) {
        // Nothing to measure against: the bar only shows that work goes on.
        bar->setRange(0, 0);
        return;
    }
    double share = 1.0;
    if (expected.bytes > 0) {
        share = static_cast<double>(progress.bytes) / static_cast<double>(expected.bytes);
    } else if (expected.files > 0) {
        share = static_cast<double>(files) / static_cast<double>(expected.files);
    }
    bar->setValue(static_cast<int>(std::clamp(share, 0.0, 1.0) * barSteps));
}
