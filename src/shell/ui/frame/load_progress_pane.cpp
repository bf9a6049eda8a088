// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/frame/load_progress_pane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

CLoadProgressPane::CLoadProgressPane(QWidget* window, QWidget* parent)
    : QWidget(parent),
      text(new QLabel(this)),
      bar(new QProgressBar(this)),
      cancel(new QPushButton("Cancel", this)),
      escape(new QShortcut(QKeySequence(Qt::Key_Escape), window)) {
    setObjectName("LoadProgress");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    layout->addWidget(bar);
    layout->addWidget(cancel);
    // Room for the count of a large collection, so that the pane does not jump as it grows.
    text->setMinimumWidth(
        text->fontMetrics().horizontalAdvance("Loading collection... 000000 of 000000 disks"));
    bar->setAccessibleName("Loading collection");
    bar->setTextVisible(false);
    bar->setMaximumWidth(120);
    cancel->setObjectName("CancelLoad");
    cancel->setAccessibleDescription("Stop loading the collection");
    // Only while a load runs: Escape belongs to the panels the rest of the time.
    escape->setEnabled(false);
    connect(cancel, &QPushButton::clicked, this, &CLoadProgressPane::CancelRequested);
    connect(escape, &QShortcut::activated, this, &CLoadProgressPane::CancelRequested);
    hide();
}

void CLoadProgressPane::ShowProgress(const CLoadProgress& progress) {
    escape->setEnabled(progress.loading);
    if (!progress.loading) {
        hide();
        return;
    }
    if (progress.total == 0) {
        text->setText("Loading collection...");
        // Busy until the file has said how many disks it lists.
        bar->setRange(0, 0);
    } else {
        text->setText(QString("Loading collection... %1 of %2 disks")
                          .arg(progress.tried)
                          .arg(progress.total));
        // A bar counts in int: very long lists are shown in proportion.
        constexpr std::size_t steps = 1000;
        bar->setRange(0, static_cast<int>(steps));
        bar->setValue(static_cast<int>(progress.tried * steps / progress.total));
    }
    show();
}
