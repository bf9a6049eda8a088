// SPDX-License-Identifier: GPL-3.0-or-later
// The small window shown while the program reads a disk: what it is doing, how many folders
// and files it has read so far, and Cancel. It leaves the main window usable: the work runs
// off the window's thread, and the commands that need the drive are disabled meanwhile.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <cstdint>

class QLabel;
class QPushButton;

class CWaitBox : public QDialog {
    Q_OBJECT

public:
    // Shows the box at once, centred over `owner`.
    explicit CWaitBox(const QString& text, QWidget* owner = nullptr);

    void SetText(const QString& text);
    // Shows the counts now.
    void SetCounts(std::int64_t folders, std::int64_t files);
    // For the work's batches, however often they come: new counts are shown a few times a
    // second, more would only flicker.
    void OnProgress(std::int64_t folders, std::int64_t files);
    bool IsCancelled() const { return cancelled; }

    // Escape, Cancel and the window's close button: Cancelled is emitted once, and the box
    // stays up until its owner ends it.
    void reject() override;
    // Nothing to accept: Enter never closes the box.
    void accept() override {}

    QLabel* iconLabel = nullptr;
    QLabel* textLabel = nullptr;
    QLabel* countsLabel = nullptr;
    QPushButton* cancelButton = nullptr;

signals:
    void Cancelled();

private:
    bool cancelled = false;
    QElapsedTimer sinceCounts;
};
