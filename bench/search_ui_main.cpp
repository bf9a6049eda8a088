// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-bench-search-ui: a search of a million items in the program's window (offscreen
// unless a display is asked for), every item a result.
//
//   tamblor-bench-search-ui [--disks D] [--items N]
//       makes D disks of N items each (10 x 100,000 by default) in a temporary folder, then
//       prints: results per second delivered to the panel, how often the table and the
//       count were updated and the longest gap between the ticks of a 5 ms timer on the
//       window's thread (the window's stall), a sort by path during the search (the window's
//       pause, and the time until the rows show sorted), the time from
//       Stop to idle, the memory the results take per result, and a search as you type: from
//       the last key to the first rows shown and to the end.

#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench_data.h"
#include "shell/coll_session.h"
#include "shell/message_sink.h"
#include "shell/ui/frame/coll_frame.h"
#include "shell/ui/frame/coll_view.h"
#include "shell/ui/qt_job_poster.h"
#include "shell/ui/search/coll_search_panel.h"
#include "shell/ui/search/coll_search_panel1.h"
#include "shell/ui/search/coll_search_panel_results.h"
#include "store/coll_disk.h"
#include "store/coll_saver.h"
#include "store/collection.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// Counts the paints of a widget.
class CPaintCounter : public QObject {
public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
    long paints = 0;
};

std::string MakeCollection(const std::filesystem::path& folder, unsigned disks, unsigned items) {
    CCollection collection;
    for (unsigned i = 0; i < disks; ++i) {
        CBenchRandom random(20080412u * 1000003u + i);
        std::string path = (folder / ("Disc-" + std::to_string(i + 1) + ".cdi")).string();
        std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(path);
        MakeTree(random, items, disk->content);
        FillHeader(random, *disk);
        WriteIndexUnsynced(*disk, path);
        disk->content.Clear();
        collection.AddDisk(std::move(disk));
    }
    std::string col = (folder / "Million.col").string();
    if (!CCollSaver(collection).Save(col)) {
        std::exit(1);
    }
    return col;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    unsigned disks = 10;
    unsigned items = 100000;
    for (int i = 1; i < argc; i += 2) {
        unsigned* value = std::strcmp(argv[i], "--disks") == 0   ? &disks
                          : std::strcmp(argv[i], "--items") == 0 ? &items
                                                                 : nullptr;
        char* end = nullptr;
        unsigned long number = i + 1 < argc ? std::strtoul(argv[i + 1], &end, 10) : 0;
        if (value == nullptr || end == argv[i + 1] || *end != '\0' || number == 0) {
            std::fprintf(stderr, "usage: tamblor-bench-search-ui [--disks D] [--items N]\n");
            return 2;
        }
        *value = static_cast<unsigned>(number);
    }
    QApplication app(argc, argv);
    CQtJobPoster jobPoster;
    SetMessageSink([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("tamblor-bench-search-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::string col = MakeCollection(folder, disks, items);

    CCollSession session;
    session.Load((folder / "Tamblor.ini").string());
    CCollFrame frame(session);
    frame.resize(1000, 700);
    frame.show();
    bool opened = false;
    {
        QEventLoop opening;
        session.OpenAtStartup(col, [&](bool done) {
            opened = done;
            opening.quit();
        });
        if (session.doc.IsLoading()) {
            opening.exec();
        }
    }
    if (!opened) {
        return 1;
    }
    frame.GetView().GetTabCtrl().setCurrentIndex(1);
    CCollSearchPanel& panel = frame.GetView().GetSearchPanel();
    panel.SetCountPane(&frame.GetCountPane());
    CPaintCounter tablePaints;
    panel.GetResultsTable().viewport()->installEventFilter(&tablePaints);
    long countChanges = 0;
    QObject::connect(&panel, &CCollSearchPanel::CountTextChanged, [&] { ++countChanges; });
    QEventLoop loop;
    Clock::time_point ended{};
    QObject::connect(&panel, &CCollSearchPanel::SearchingChanged, [&](bool running) {
        if (!running) {
            ended = Clock::now();
            loop.quit();
        }
    });
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();

    // The window's stall: the longest gap between the ticks of a 5 ms timer while the whole
    // search runs, every item a result.
    Clock::time_point lastTick{};
    Clock::duration longestGap{};
    long ticks = 0;
    long longGaps = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        Clock::time_point now = Clock::now();
        longestGap = std::max(longestGap, now - lastTick);
        if (now - lastTick > std::chrono::milliseconds(20)) {
            ++longGaps;
        }
        lastTick = now;
        ++ticks;
    });
    Clock::time_point start = Clock::now();
    lastTick = start;
    ticker.start();
    panel.StartSearch();
    loop.exec();
    ticker.stop();
    longestGap = std::max(longestGap, ended - lastTick);
    std::size_t count = panel.GetResults().GetCount();
    double seconds = Milliseconds(ended - start) / 1000;
    std::printf("results delivered: %zu in %.0f ms, %.0f results/s\n", count, seconds * 1000,
                static_cast<double>(count) / seconds);
    std::printf(
        "window stall: %ld ticks of a 5 ms timer, longest gap %.1f ms, %ld gaps over 20 ms; "
        "table painted %ld times, count shown %ld times (last \"%s\")\n",
        ticks, Milliseconds(longestGap), longGaps, tablePaints.paints, countChanges,
        frame.GetCountPane().text().toUtf8().constData());
    std::printf("memory of the results: %.1f bytes per result (%.1f MiB)\n",
                static_cast<double>(panel.GetResults().GetMemoryUsed()) /
                    static_cast<double>(std::max<std::size_t>(count, 1)),
                static_cast<double>(panel.GetResults().GetMemoryUsed()) / (1 << 20));

    // A sort by path while the search runs, 60 ms in, as a double-click on the header asks:
    // the window's pause in the call, the time until the rows show sorted, and the longest gap
    // between ticks meanwhile.
    double sortCallMs = 0;
    std::size_t sortedCount = 0;
    Clock::time_point sortAsked{};
    Clock::time_point sortShown{};
    QTimer sortWatch;
    sortWatch.setInterval(1);
    QObject::connect(&sortWatch, &QTimer::timeout, [&] {
        if (sortAsked != Clock::time_point{} && sortShown == Clock::time_point{} &&
            !panel.IsSorting()) {
            sortShown = Clock::now();
            sortWatch.stop();
        }
    });
    QTimer::singleShot(60, [&] {
        sortAsked = Clock::now();
        sortedCount = panel.GetResults().GetCount();
        panel.SortResults(FieldPath);
        sortCallMs = Milliseconds(Clock::now() - sortAsked);
        sortWatch.start();
    });
    longestGap = {};
    lastTick = Clock::now();
    ticker.start();
    panel.StartSearch();
    loop.exec();
    while (sortShown == Clock::time_point{} && sortAsked != Clock::time_point{}) {
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ticker.stop();
    std::printf(
        "sort by path during the search (%zu results): the call %.1f ms, shown sorted after "
        "%.1f ms, longest gap between ticks %.1f ms\n",
        sortedCount, sortCallMs, Milliseconds(sortShown - sortAsked), Milliseconds(longestGap));

    // Stop 20 ms in, pressed as the user presses it, and time until idle.
    Clock::time_point stopAt{};
    QTimer::singleShot(20, [&] {
        if (panel.IsSearching()) {
            stopAt = Clock::now();
            panel.GetSearchButton().click();
        }
    });
    panel.StartSearch();
    loop.exec();
    if (stopAt == Clock::time_point{}) {
        std::printf("stop to idle: the search ended before the Stop\n");
    } else {
        std::printf("stop to idle: %.2f ms (%zu results kept)\n", Milliseconds(ended - stopAt),
                    panel.GetResults().GetCount());
    }

    // Search as you type: the words typed key by key as the user types them, a timer's tick
    // apart, the search left to start by itself. Timed from the last key to the first rows
    // shown and to the end.
    QLineEdit& words = panel.GetPage1().GetWordsEdit();
    words.clear();
    Clock::time_point lastKey{};
    Clock::time_point started{};
    Clock::time_point firstRows{};
    QObject::connect(&panel, &CCollSearchPanel::SearchingChanged, [&](bool running) {
        if (running) {
            started = Clock::now();
        }
    });
    QObject::connect(&panel, &CCollSearchPanel::CountTextChanged, [&] {
        if (firstRows == Clock::time_point{} && started != Clock::time_point{} &&
            panel.GetResults().GetCount() > 0) {
            firstRows = Clock::now();
        }
    });
    const std::string typed = "ph";
    for (std::size_t i = 0; i < typed.size(); ++i) {
        QTimer::singleShot(static_cast<int>(10 * i), [&, key = typed[i]] {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(key)));
            QApplication::sendEvent(&words, &press);
            lastKey = Clock::now();
        });
    }
    loop.exec();
    std::printf(
        "search as you type \"%s\": %zu results; from the last key to the search's start %.1f "
        "ms, to the first rows %.1f ms, to the end %.1f ms\n",
        words.text().toUtf8().constData(), panel.GetResults().GetCount(),
        Milliseconds(started - lastKey), Milliseconds(firstRows - lastKey),
        Milliseconds(ended - lastKey));
    std::filesystem::remove_all(folder);
    return 0;
}
