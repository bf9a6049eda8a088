// SPDX-License-Identifier: GPL-3.0-or-later
// The window a long copy from the drive shows: what is being copied, files and bytes done
// against what the catalogue holds, and a Cancel button (Escape too). The copy runs off the
// window's thread and sends its counts in batches; the main window stays usable meanwhile.
#pragma once

#include <QDialog>

#include "shell/item_commands.h"

class QLabel;
class QProgressBar;
class QPushButton;

class CCopyProgressDlg : public QDialog, public CCopyProgressSink {
    Q_OBJECT

public:
    explicit CCopyProgressDlg(QWidget* parent = nullptr);

    void Begin(const std::string& source, const CCatalogueTotals& totals, bool known) override;
    void Update(const CTreeCopyProgress& progress) override;
    void End() override;

    bool IsCancelled() const { return cancelled; }
    // The texts as shown now, for tests and screen readers.
    QString GetFilesText() const;
    QString GetBytesText() const;

    // Escape and the Cancel button: Cancelled is emitted once, for the copy to stop.
    void reject() override;

signals:
    void Cancelled();

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
};
