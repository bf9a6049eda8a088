// SPDX-License-Identifier: GPL-3.0-or-later
// The window a long copy from the drive shows: what is being copied, files and bytes done
// against what the catalogue holds, and a Cancel button (Escape too). The copy runs on the
// window's thread, so the window repaints itself from the copy's progress reports.
#pragma once

#include <QDialog>
#include <chrono>

#include "shell/item_commands.h"

class QLabel;
class QProgressBar;
class QPushButton;

class CCopyProgressDlg : public QDialog, public CCopyProgressSink {
    Q_OBJECT

public:
    explicit CCopyProgressDlg(QWidget* parent = nullptr);

    void Begin(const std::string& source, const CCatalogueTotals& totals, bool known) override;
    bool Update(const CTreeCopyProgress& progress) override;
    void End() override;

    bool IsCancelled() const { return cancelled; }
    // The texts as shown now, for tests and screen readers.
    QString GetFilesText() const;
    QString GetBytesText() const;

    // Escape and the Cancel button: the copy stops at its next report.
    void reject() override;

private:
    void ShowProgress(const CTreeCopyProgress& progress);

    QLabel* sourceLabel;
    QLabel* filesLabel;
    QLabel* bytesLabel;
    QProgressBar* bar;
    QPushButton* cancelButton;
    CCatalogueTotals expected;
    bool expectedKnown = false;
    bool cancelled = false;
    std::chrono::steady_clock::time_point lastShown;
};
