// The desktop program: the application home, the session, the main window.
// `--quit-when-shown` ends the program as soon as the main window is on the screen and prints the
// time since the process started (used by the start-up timing program in bench/).
#include <unistd.h>
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "session/session.h"
#include "ui/shell/app_start.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/qt_user_dialogs.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/evaluation/evaluation_windows.h"
#include "ui/simulation/simulation_windows.h"

namespace {

// Seconds since the process started, from its start time in /proc (clock ticks after boot).
double secondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = content.rfind(')');
    if (close == std::string::npos) {
        return -1.0;
    }
    // Field 22 (starttime) counted from the field after the command name (field 3).
    const char* p = content.c_str() + close + 2;
    for (int field = 3; field < 22 && *p != '\0'; ++field) {
        p = std::strchr(p, ' ');
        if (p == nullptr) {
            return -1.0;
        }
        ++p;
    }
    const double startTicks = std::strtod(p, nullptr);
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0.0;
    uptimeFile >> uptime;
    return uptime - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
    if (!zemtral::displayAvailable()) {
        std::fprintf(stderr, "%s\n", zemtral::noDisplayHint().c_str());
        return 2;
    }
    const bool quitWhenShown = argc > 1 && std::strcmp(argv[1], "--quit-when-shown") == 0;
    const auto mainStart = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEMTRAL"));
    QApplication::setOrganizationName(QStringLiteral("ZEMTRAL"));
    zemtral::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zemtral.svg")));

    zemtral::Session session;
    session.appHome = zemtral::prepareApplicationHome();
    zemtral::QtUserDialogs dialogs;
    zemtral::DiagramWindows diagrams(session, dialogs);
    zemtral::MDIZEM window(session, dialogs);
    zemtral::registerSimulationWindows(window, diagrams);
    zemtral::registerEvaluationWindows(window, diagrams);
    dialogs.setParent(&window);
    window.show();
    if (quitWhenShown) {
        QTimer::singleShot(0, &app, [&] {
            const double inMain =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - mainStart).count();
            std::printf("main window shown after %.3f s since process start (%.3f s in main)\n",
                        secondsSinceProcessStart(), inMain);
            std::fflush(stdout);
            std::_Exit(0);
        });
    }
    return QApplication::exec();
}
