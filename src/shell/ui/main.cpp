// tamblor: the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include "shell/ini_location.h"
#include "shell/ui/coll_app.h"
#include "shell/ui/coll_icons.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tamblor");
    QApplication::setApplicationVersion(TAMBLOR_VERSION);
    QApplication::setDesktopFileName("tamblor");
    QApplication::setWindowIcon(GetProgramIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription("Catalogues removable disks.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("collection", "The collection file (.col) to open.",
                                 "[collection]");
    parser.process(application);
    QStringList files = parser.positionalArguments();
    std::string file = files.isEmpty() ? std::string() : files.front().toStdString();

    CCollApp app;
    if (!app.Start(FindIniPath(), file)) {
        app.Finish();
        return 1;
    }
    int status = QApplication::exec();
    app.Finish();
    return status;
}
