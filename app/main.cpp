// tunewright: the desktop bench tool, one tab per radio family.
#include <QApplication>
#include <QMessageBox>
#include <cstring>
#include <iostream>

#include "app/app_options.h"
#include "app/main_window.h"
#include "app/qt_ui.h"
#include "app/session.h"
#include "app/single_instance.h"

using namespace tw::app;

int main(int argc, char** argv) {
    // Help needs no display, so it is answered before the GUI starts.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kAppUsage;
            return 0;
        }
    }
    QApplication qt(argc, argv);
    QApplication::setApplicationName("Tunewright");

    AppOptions options;
    std::string why;
    const QStringList qtArgs = QApplication::arguments();
    std::vector<std::string> args;
    for (int i = 1; i < qtArgs.size(); ++i) args.push_back(qtArgs[i].toStdString());
    if (!parseAppOptions(args, options, why)) {
        std::cerr << "tunewright: " << why << "\nTry 'tunewright --help'.\n";
        return 2;
    }

    QtUi ui;
    const SingleInstance instance;
    if (!instance.acquired()) {
        ui.message(kAlreadyRunningMessage);
        return 1;
    }

    Session session(options, ui);
    if (!session.error().empty()) {
        ui.message(session.error());
        return 1;
    }
    MainWindow window(session, options.service);
    ui.setWindow(&window);
    ui.setCancelHandler([&window] { window.requestCancel(); });
    ui.setCancelHoldHandler([&window](bool held) { window.setCancelHeld(held); });
    window.show();
    return QApplication::exec();
}
