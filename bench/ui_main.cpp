// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-bench-ui: times what a user waits for in the desktop program, in the program's own
// window (on the offscreen platform unless a display is asked for), up to the moment it has
// painted the result.
//
//   tamblor-bench-ui COLLECTION.col FLAT.cdi [--runs N]
//       opening the collection until its disks are shown, and the longest gap a 5 ms timer on
//       the window's thread saw meanwhile (the load runs on a job's thread; the gap is how
//       long the window could not answer); choosing a disk whose root holds the files of
//       FLAT.cdi's largest folder until they are shown; sorting them by name and by size.
//       Medians of N runs in milliseconds (the choosing and sorting run on the window's
//       thread).

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "shell/coll_session.h"
#include "shell/message_sink.h"
#include "shell/ui/browse/coll_browse_panel.h"
#include "shell/ui/browse/coll_disks_ctrl.h"
#include "shell/ui/browse/coll_files_ctrl.h"
#include "shell/ui/frame/coll_frame.h"
#include "shell/ui/frame/coll_view.h"
#include "shell/ui/qt_job_poster.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "toolkit/table_column.h"
#include "toolkit/table_model.h"

namespace {

using Clock = std::chrono::steady_clock;

double Time(const std::function<void()>& work) {
    Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The files of the largest top-level folder of `flatPath`, moved to the root of a disk of
// their own.
std::string MakeRootFlatDisk(const std::string& flatPath, const std::string& folder) {
    CCollDisk disk;
    disk.indexPath = flatPath;
    disk.ReadHeader();
    disk.LoadContent();
    CCollDisk flat("Flat");
    flat.header = disk.header;
    for (const auto& top : disk.content.folders) {
        while (!top->content.files.empty()) {
            flat.content.files.Add(top->content.files.RemoveAt(top->content.files.size() - 1));
        }
    }
    flat.ComputeTotals();
    std::string path = folder + "/Flat.cdi";
    if (!flat.SaveIndexFile(path)) {
        std::exit(1);
    }
    return path;
}

int ColumnOf(CTableWnd& table, int id) {
    const auto& columns = table.GetVisibleColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i]->id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Runs the event loop until the document's command has finished its job.
void WaitFor(const std::function<void(CCollDoc::Finished)>& command) {
    QEventLoop loop;
    bool finished = false;
    command([&](bool) {
        finished = true;
        loop.quit();
    });
    if (!finished) {
        loop.exec();
    }
}

// The longest time between two ticks of a 5 ms timer on the window's thread while it runs.
class CGapWatch {
public:
    CGapWatch() {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            Clock::time_point now = Clock::now();
            longest = std::max(longest, now - last);
            last = now;
        });
    }
    void Start() {
        longest = {};
        last = Clock::now();
        timer.start();
    }
    double Stop() {
        timer.stop();
        longest = std::max(longest, Clock::now() - last);
        return std::chrono::duration<double, std::milli>(longest).count();
    }

private:
    QTimer timer;
    Clock::time_point last;
    Clock::duration longest{};
};

// Gives access to the header double-click a user makes.
class CSortingFiles : public CCollFilesCtrl {
public:
    static void SortBy(CCollFilesCtrl& files, int column) {
        (files.*&CSortingFiles::OnHeaderDoubleClick)(column);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    CQtJobPoster jobPoster;
    if (argc < 3) {
        std::fprintf(stderr, "usage: tamblor-bench-ui COLLECTION.col FLAT.cdi [--runs N]\n");
        return 2;
    }
    std::string collection = std::filesystem::absolute(argv[1]).string();
    std::string flatSource = std::filesystem::absolute(argv[2]).string();
    int runs = argc >= 5 && std::string(argv[3]) == "--runs" ? std::max(1, std::atoi(argv[4])) : 5;
    SetMessageSink([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });

    std::filesystem::path work = std::filesystem::temp_directory_path() / "tamblor-bench-ui";
    std::filesystem::create_directories(work);
    std::string flat = MakeRootFlatDisk(flatSource, work.string());

    std::vector<double> open;
    std::vector<double> openGap;
    CGapWatch gapWatch;
    std::vector<double> choose;
    std::vector<double> sortName;
    std::vector<double> sortSize;
    for (int run = 0; run < runs; ++run) {
        CCollSession session;
        session.Load(std::string());
        CCollFrame frame(session);
        frame.resize(1100, 760);
        frame.show();
        QApplication::processEvents();
        CCollBrowsePanel& browse = frame.GetView().GetBrowsePanel();

        open.push_back(Time([&] {
            gapWatch.Start();
            WaitFor([&](CCollDoc::Finished finished) {
                session.doc.OpenCollection(collection, std::move(finished));
            });
            openGap.push_back(gapWatch.Stop());
            frame.repaint();
        }));
        WaitFor([&](CCollDoc::Finished finished) {
            session.doc.InsertDisks({flat}, std::move(finished));
        });
        CCollDisk* disk = session.doc.collection.disks[session.doc.collection.disks.size() - 1];
        choose.push_back(Time([&] {
            session.doc.SelectDisk(disk);
            browse.GetDisksCtrl().ShowRow(static_cast<int>(session.doc.collection.disks.size()) -
                                          1);
            frame.repaint();
        }));
        CCollFilesCtrl& files = browse.GetFilesCtrl();
        if (files.GetModel()->GetRowCount() < 100000) {
            std::fprintf(stderr, "the flat disk shows %d files\n", files.GetModel()->GetRowCount());
            return 1;
        }
        sortSize.push_back(Time([&] {
            CSortingFiles::SortBy(files, ColumnOf(files, 4));
            frame.repaint();
        }));
        sortName.push_back(Time([&] {
            CSortingFiles::SortBy(files, ColumnOf(files, 0));
            frame.repaint();
        }));
        session.doc.SetModifiedFlag(false);
    }
    std::printf(
        "open_ms %.3f\nopen_longest_gap_ms %.3f\nchoose_ms %.3f\nsort_name_ms %.3f\n"
        "sort_size_ms %.3f\n",
        Median(open), Median(openGap), Median(choose), Median(sortName), Median(sortSize));
    std::filesystem::remove_all(work);
    return 0;
}
