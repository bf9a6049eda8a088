// SPDX-License-Identifier: GPL-3.0-or-later
// The "Search" page: the criteria on two tabs, the Search button that is Stop while a search
// runs, a busy indicator, and the results table. The document runs the search off the
// window's thread; the table and the count follow its batches rather than each result.
#pragma once

#include <QPointer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <memory>

#include "search/search_result_list.h"
#include "shell/coll_commands.h"
#include "shell/job.h"
#include "store/coll_item.h"

class CCollDoc;
class CCollSearchPanel1;
class CCollSearchPanel2;
class CCollSearchResultsCtrl;
struct CSearchForm;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

class CCollSearchPanel : public QWidget {
    Q_OBJECT

public:
    explicit CCollSearchPanel(QWidget* parent = nullptr);
    ~CCollSearchPanel() override;

    // The document searched, whose disks the disk list offers; not owned.
    void SetDocument(CCollDoc* document);
    // The document changed: its disks are listed again, and a collection that replaced the
    // one listed gets "All" chosen in the disk and type lists, as a new document does.
    void ReloadLists();
    // The status bar's count pane, which shows "%d results"; not owned.
    void SetCountPane(QLabel* pane);

    // The button: starts a search, or stops the one that runs.
    void OnSearchButton();
    // Starts a search with the present criteria; nothing while one runs.
    void StartSearch();
    // The user changed the words or a criterion: with "Search as you type" on, a new search
    // starts `typingDelay` after the last change, in place of the running one, which is left
    // to unwind on its own. A form that asks for nothing clears the results instead.
    void OnCriteriaChanged();
    void StopSearch();
    bool IsSearching() const { return searching; }
    // Sorts the results by a field id, keeping the chosen result chosen: at once when they are
    // few, else off the window's thread, the rows shown sorted when the sort is done (results
    // that arrived meanwhile below them).
    void SortResults(int fieldId);
    bool IsSorting() const { return sortJob->IsRunning(); }
    // Shows the days in the date format of the settings.
    void UpdateDateFormat();

    const CSearchResultList& GetResults() const { return results; }
    CCollSearchPanel1& GetPage1() { return *page1; }
    CCollSearchPanel2& GetPage2() { return *page2; }
    QTabWidget& GetTabs() { return *tabs; }
    QPushButton& GetSearchButton() { return *searchButton; }
    QProgressBar& GetBusyIndicator() { return *busyIndicator; }
    CCollSearchResultsCtrl& GetResultsTable() { return *resultsTable; }

    // How long after the last change a search as you type starts: long enough that a word
    // typed in one go starts one search.
    std::chrono::milliseconds typingDelay{150};
    // Up to this many results are sorted on the window's thread: a few tens of milliseconds.
    std::size_t sortInPlaceRows = 65536;

signals:
    // "%d results" each time the count shown changes.
    void CountTextChanged(const QString& text);
    // Find item in structure: the view shows the item in the browse panel.
    void FindRequested(const CCollItem& item);
    // A search began or ended.
    void SearchingChanged(bool running);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Shows the results received so far: row count, scroll ranges, count text.
    void ShowResults(bool cleared);
    void StartSearchWith(const CSearchForm& form);
    void RunItemCommand(CCollCommand command, int row);
    void SetSearching(bool running);
    void SearchAsTyped();
    void OnSearchEnded();
    void ClearResults();
    // Shows the rows in their new order, keeping the result chosen at `row` chosen.
    void ShowSorted(int row, std::size_t arrival);

    CCollDoc* doc = nullptr;
    QPointer<QLabel> countPane;
    CSearchResultList results;
    QTabWidget* tabs;
    CCollSearchPanel1* page1;
    CCollSearchPanel2* page2;
    QPushButton* searchButton;
    QProgressBar* busyIndicator;
    CCollSearchResultsCtrl* resultsTable;
    QTimer* typingTimer;
    bool searching = false;
    std::size_t shownCount = 0;
    // The document's generation whose disks the lists offer.
    std::uint64_t shownGeneration = 0;
    // Counts the searches started here: a search whose results were cleared while it unwinds
    // is no longer the last one, and what still comes of it is dropped.
    std::uint64_t lastRun = 0;
    // Counts the times the results were cleared: a sort of ones that are gone is dropped.
    std::uint64_t clearings = 0;
    std::unique_ptr<CJob> sortJob;
};
