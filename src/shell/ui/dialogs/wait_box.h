// SPDX-License-Identifier: GPL-3.0-or-later
// The small window shown while the program reads a disk: what it is doing, how many folders
// and files it has read so far, and Cancel. While it is up it takes the input of the whole
// program, so that the long operation can let windows repaint without any other command
// starting underneath it; only Cancel (or Escape) gets through.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <cstdint>

class QLabel;
class QPushButton;

class CWaitBox : public QDialog {
    Q_OBJECT

public:
    // Shows the box at once, centred over `owner`, and paints it before returning.
    explicit CWaitBox(const QString& text, QWidget* owner = nullptr);

    void SetText(const QString& text);
    // Shows the counts now.
    void SetCounts(std::int64_t folders, std::int64_t files);
    // For the long operation to call as often as it likes: new counts are shown a few times a
    // second and pending events (repaints, the Cancel click) run at most every few tens of
    // milliseconds, so the calls cost next to nothing in between. False once the user
    // cancelled.
    bool OnProgress(std::int64_t folders, std::int64_t files);
    bool IsCancelled() const { return cancelled; }

    // Escape and the window's close button cancel; the box stays up until its owner ends it.
    void reject() override;
    // Nothing to accept: Enter never closes the box.
    void accept() override {}

    QLabel* iconLabel = nullptr;
    QLabel* textLabel = nullptr;
    QLabel* countsLabel = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    bool cancelled = false;
    QElapsedTimer sincePump;
    QElapsedTimer sinceCounts;
};
