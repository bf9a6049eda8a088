// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor: the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "shell/ini_location.h"
#include "shell/ui/coll_icons.h"
#include "shell/ui/frame/coll_app.h"

namespace {

// Help and version are answered without a display, so before the window system is touched.
bool OnlyAnswers(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0) {
                return true;
            }
        }
    }
    return false;
}

// The file to open, as the bytes it was given in: a name that is not UTF-8 must reach the
// file system unchanged. Nothing on wrong usage; help and version end the program here.
std::optional<std::string> ReadCommandLine(const QCoreApplication& application, int argc,
                                           char* argv[]) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Catalogues removable disks: browse and search every disk without it in the drive.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        "file", "A collection (.col) to open, or a disk index file (.cdi) to show in a new one.",
        "[file]");
    parser.process(application);
    QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fputs("tamblor: give one file at most; see tamblor --help\n", stderr);
        return std::nullopt;
    }
    if (files.isEmpty()) {
        return std::string();
    }
    for (int i = 1; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == files.front()) {
            return std::string(argv[i]);
        }
    }
    return files.front().toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
    // QApplication takes its own options (-style, -platform...) out of argv first.
    std::unique_ptr<QCoreApplication> application =
        OnlyAnswers(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName("Tamblor");
    QCoreApplication::setApplicationVersion(TAMBLOR_VERSION);
    std::optional<std::string> file = ReadCommandLine(*application, argc, argv);
    if (!file) {
        return 2;
    }
    QApplication::setDesktopFileName("tamblor");
    QApplication::setWindowIcon(GetProgramIcon());

    CCollApp app;
    app.Start(FindIniPath(), *file);
    int status = QApplication::exec();
    app.Finish();
    return status;
}
