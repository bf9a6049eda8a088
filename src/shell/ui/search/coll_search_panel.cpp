// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/search/coll_search_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "helpers/coll_settings.h"
#include "shell/coll_doc.h"
#include "shell/search_criteria_form.h"
#include "shell/ui/search/coll_search_panel1.h"
#include "shell/ui/search/coll_search_panel2.h"
#include "shell/ui/search/coll_search_panel_results.h"
#include "store/coll_item.h"

CCollSearchPanel::CCollSearchPanel(QWidget* parent)
    : QWidget(parent),
      tabs(new QTabWidget(this)),
      page1(new CCollSearchPanel1),
      page2(new CCollSearchPanel2),
      searchButton(new QPushButton("Search", this)),
      busyIndicator(new QProgressBar(this)),
      resultsTable(new CCollSearchResultsCtrl(results, this)),
      typingTimer(new QTimer(this)),
      sortJob(std::make_unique<CJob>()) {
    typingTimer->setSingleShot(true);
    setObjectName("SearchPanel");
    tabs->setObjectName("SearchTabs");
    tabs->addTab(page1, "Name and path");
    tabs->addTab(page2, "Date");
    tabs->setCurrentIndex(0);
    tabs->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    searchButton->setObjectName("SearchButton");
    // As wide for "Stop" as for "Search", so that the layout stays still.
    searchButton->setMinimumWidth(searchButton->sizeHint().width() + 24);
    busyIndicator->setObjectName("BusyIndicator");
    busyIndicator->setAccessibleName("Searching");
    busyIndicator->setRange(0, 0);
    busyIndicator->setTextVisible(false);
    busyIndicator->setMaximumWidth(searchButton->minimumWidth());
    QSizePolicy keepPlace = busyIndicator->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    busyIndicator->setSizePolicy(keepPlace);
    busyIndicator->hide();
    resultsTable->setFrameShape(QFrame::StyledPanel);
    resultsTable->setFrameShadow(QFrame::Sunken);

    auto* side = new QVBoxLayout;
    side->addWidget(searchButton);
    side->addWidget(busyIndicator);
    side->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(7, 7, 7, 7);
    grid->setSpacing(7);
    grid->addWidget(tabs, 0, 0);
    grid->addLayout(side, 0, 1);
    grid->addWidget(resultsTable, 1, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);

    setTabOrder(tabs, &page1->GetWordsEdit());
    setTabOrder(&page1->GetCaseCheck(), searchButton);
    setTabOrder(searchButton, resultsTable);
    setFocusProxy(&page1->GetWordsEdit());

    connect(searchButton, &QPushButton::clicked, this, &CCollSearchPanel::OnSearchButton);
    connect(page1, &CCollSearchPanel1::SearchAsked, this, &CCollSearchPanel::StartSearch);
    connect(page1, &CCollSearchPanel1::CriteriaChanged, this, &CCollSearchPanel::OnCriteriaChanged);
    connect(page2, &CCollSearchPanel2::CriteriaChanged, this, &CCollSearchPanel::OnCriteriaChanged);
    connect(typingTimer, &QTimer::timeout, this, &CCollSearchPanel::SearchAsTyped);
    connect(resultsTable, &CCollSearchResultsCtrl::SortAsked, this, &CCollSearchPanel::SortResults);
    connect(resultsTable, &CCollSearchResultsCtrl::ItemCommandAsked, this,
            &CCollSearchPanel::RunItemCommand);
    connect(
        resultsTable, &CCollSearchResultsCtrl::CommandRequested, this,
        [this](CCollCommand command) { RunItemCommand(command, resultsTable->GetSelectedRow()); });
}

CCollSearchPanel::~CCollSearchPanel() {
    // The document may outlive the panel; its search's late calls find it gone (QPointer).
    if (searching && doc != nullptr) {
        doc->StopSearch();
    }
}

void CCollSearchPanel::SetDocument(CCollDoc* document) {
    doc = document;
    shownGeneration = document != nullptr ? document->GetGeneration() : 0;
    page1->SetCollection(document != nullptr ? &document->collection : nullptr);
}

void CCollSearchPanel::ReloadLists() {
    if (doc == nullptr) {
        return;
    }
    if (doc->GetGeneration() != shownGeneration) {
        SetDocument(doc);
    } else {
        page1->FillDiskList();
    }
}

void CCollSearchPanel::SetCountPane(QLabel* pane) {
    countPane = pane;
    if (countPane != nullptr) {
        countPane->setText(QString::fromStdString(SearchCountText(shownCount)));
    }
}

void CCollSearchPanel::OnSearchButton() {
    if (searching) {
        typingTimer->stop();
        StopSearch();
    } else {
        StartSearch();
    }
}

void CCollSearchPanel::OnCriteriaChanged() {
    const CCollSettings* settings = GetSettings();
    if (doc == nullptr || settings == nullptr || !settings->GetSearchAsYouType()) {
        return;
    }
    typingTimer->start(typingDelay);
}

void CCollSearchPanel::SearchAsTyped() {
    if (doc == nullptr) {
        return;
    }
    CSearchForm form;
    page1->ReadForm(form);
    page2->ReadForm(form);
    if (!FormNarrowsSearch(form)) {
        if (searching) {
            ++lastRun;
            doc->StopSearch();
            SetSearching(false);
        }
        ClearResults();
        return;
    }
    // The running search is replaced at once: it unwinds on its own, and nothing of it
    // reaches these results.
    StartSearchWith(form);
}

void CCollSearchPanel::StartSearch() {
    if (searching || doc == nullptr) {
        return;
    }
    CSearchForm form;
    page1->ReadForm(form);
    page2->ReadForm(form);
    StartSearchWith(form);
}

void CCollSearchPanel::StartSearchWith(const CSearchForm& form) {
    typingTimer->stop();
    ClearResults();
    const CCollSettings* settings = GetSettings();
    CCollSearchCriteria criteria = MakeSearchCriteria(
        form, doc->collection, settings != nullptr && settings->GetSearchWithMemoryMappedFile());
    SetSearching(true);
    QPointer<CCollSearchPanel> alive(this);
    std::uint64_t run = ++lastRun;
    doc->RunSearch(
        criteria,
        [alive, run](CSearchResultList&& batch) {
            if (alive != nullptr && alive->lastRun == run) {
                alive->results.Append(std::move(batch));
                alive->ShowResults(false);
            }
        },
        [alive, run](bool /*succeeded*/) {
            if (alive != nullptr && alive->lastRun == run) {
                alive->OnSearchEnded();
            }
        });
}

void CCollSearchPanel::ClearResults() {
    ++clearings;
    sortJob->Stop();
    results.Clear();
    ShowResults(true);
}

void CCollSearchPanel::OnSearchEnded() {
    SetSearching(false);
    ShowResults(false);
}

void CCollSearchPanel::StopSearch() {
    if (searching && doc != nullptr) {
        doc->StopSearch();
        // The search ends at its next item; the button may be pressed again at once.
        searchButton->setText("Search");
    }
}

void CCollSearchPanel::SetSearching(bool running) {
    searching = running;
    searchButton->setText(running ? "Stop" : "Search");
    busyIndicator->setVisible(running);
    if (running) {
        resultsTable->setCursor(Qt::BusyCursor);
    } else {
        resultsTable->unsetCursor();
    }
    emit SearchingChanged(running);
}

void CCollSearchPanel::ShowResults(bool cleared) {
    if (!cleared && results.GetCount() == shownCount) {
        return;
    }
    shownCount = results.GetCount();
    resultsTable->Refresh(cleared);
    QString text = QString::fromStdString(SearchCountText(shownCount));
    if (countPane != nullptr) {
        countPane->setText(text);
    }
    emit CountTextChanged(text);
}

void CCollSearchPanel::SortResults(int fieldId) {
    int selected = resultsTable->GetSelectedRow();
    bool hasSelection = selected >= 0 && static_cast<std::size_t>(selected) < results.GetCount();
    std::size_t arrival =
        hasSelection ? results.ArrivalOfRow(static_cast<std::size_t>(selected)) : 0;
    int chosen = hasSelection ? selected : -1;
    if (results.GetCount() <= sortInPlaceRows) {
        // A sort of many results still running is dropped with its cursor.
        if (sortJob->IsRunning()) {
            sortJob->Abandon();
            if (!searching) {
                resultsTable->unsetCursor();
            }
        }
        results.Sort(fieldId);
        ShowSorted(chosen, arrival);
        return;
    }
    // A sort asked for while one runs replaces it; the first stops within a few thousand
    // comparisons.
    auto sorted = std::make_shared<std::vector<std::uint32_t>>();
    std::uint64_t clearing = clearings;
    resultsTable->setCursor(Qt::BusyCursor);
    sortJob->Start(
        [sorted, sorter = results.MakeSorter(fieldId)](CJobContext& context) {
            *sorted = sorter([&context] { return context.IsStopRequested(); });
        },
        [this, sorted, clearing, chosen, arrival](const CProblems& /*thrown*/) {
            if (!searching) {
                resultsTable->unsetCursor();
            }
            // Stopped, or the results it sorted are gone.
            if (sorted->empty() || clearing != clearings) {
                return;
            }
            // The selection may have moved meanwhile: the row chosen now is the one kept.
            int row = resultsTable->GetSelectedRow();
            bool hasRow = row >= 0 && static_cast<std::size_t>(row) < results.GetCount();
            std::size_t kept =
                hasRow ? results.ArrivalOfRow(static_cast<std::size_t>(row)) : arrival;
            results.SetOrder(std::move(*sorted));
            ShowSorted(hasRow ? row : chosen, kept);
        });
}

void CCollSearchPanel::ShowSorted(int row, std::size_t arrival) {
    resultsTable->ShowRow(-1);
    if (row >= 0) {
        resultsTable->ShowRow(static_cast<int>(results.RowOfArrival(arrival)));
    }
    resultsTable->viewport()->update();
}

void CCollSearchPanel::UpdateDateFormat() {
    page2->UpdateDateFormat();
    resultsTable->viewport()->update();
}

void CCollSearchPanel::RunItemCommand(CCollCommand command, int row) {
    CCollItem item;
    if (doc == nullptr || !resultsTable->GetItem(row, item)) {
        return;
    }
    if (command == CCollCommand::open) {
        doc->UpdateAllViews(nullptr, CUpdateHint::openItem, &item);
    } else if (command == CCollCommand::copy) {
        doc->UpdateAllViews(nullptr, CUpdateHint::copyItem, &item);
    } else if (command == CCollSearchResultsCtrl::findItemCommand) {
        emit FindRequested(item);
    }
}

void CCollSearchPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && searching) {
        StopSearch();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CCollSearchPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    page1->FillDiskList();
    page2->UpdateDateFormat();
    if (countPane != nullptr) {
        countPane->setText(QString::fromStdString(SearchCountText(shownCount)));
    }
}
