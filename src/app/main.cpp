// The desktop program: the command line, Qt's German texts, the application home, the session,
// the main window, and the files named on the command line.
// `--quit-when-shown` ends the program as soon as the main window is on the screen and prints the
// time since the process started (used by the start-up timing program in bench/).
#include <unistd.h>
#include <QApplication>
#include <QTimer>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "numeric/number_text.h"
#include "session/session.h"
#include "ui/data/data_editor_windows.h"
#include "ui/data/frm_cmn_dlg.h"
#include "ui/data/protocol_xy_windows.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/montecarlo/monte_carlo_windows.h"
#include "ui/reactors/reactor_windows.h"
#include "ui/shell/app_start.h"
#include "ui/shell/mdizem.h"
#include "ui/shell/qt_user_dialogs.h"
#include "ui/evaluation/evaluation_windows.h"
#include "ui/simulation/simulation_windows.h"

namespace {

std::string fileText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double leadingNumber(const std::string& text, std::size_t from = 0) {
    double value = -1.0;
    const char* begin = text.data() + std::min(from, text.size());
    std::from_chars(begin, text.data() + text.size(), value);
    return value;
}

// Seconds since the process started, from its start time in /proc (clock ticks after boot).
double secondsSinceProcessStart() {
    const std::string content = fileText("/proc/self/stat");
    const auto close = content.rfind(')');
    if (close == std::string::npos) {
        return -1.0;
    }
    // Field 22 (starttime) counted from the field after the command name (field 3).
    std::size_t at = close + 2;
    for (int field = 3; field < 22; ++field) {
        at = content.find(' ', at);
        if (at == std::string::npos) {
            return -1.0;
        }
        ++at;
    }
    const double startTicks = leadingNumber(content, at);
    const double uptime = leadingNumber(fileText("/proc/uptime"));
    return uptime - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("ZEMTRAL"));
    QCoreApplication::setOrganizationName(QStringLiteral("ZEMTRAL"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEMTRAL_VERSION));
}

}  // namespace

int main(int argc, char** argv) {
    if (!zemtral::displayAvailable()) {
        // --help and --version work without a screen.
        QCoreApplication app(argc, argv);
        nameApplication();
        zemtral::installGermanQtTranslations(app);
        zemtral::parseStartArguments(app);
        std::fprintf(stderr, "%s\n", zemtral::noDisplayHint().c_str());
        return 2;
    }
    const auto mainStart = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    nameApplication();
    zemtral::installGermanQtTranslations(app);
    const zemtral::StartRequest request = zemtral::parseStartArguments(app);
    zemtral::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zemtral.svg")));

    zemtral::Session session;
    session.appHome = zemtral::prepareApplicationHome();
    zemtral::QtUserDialogs dialogs;
    dialogs.setSampleFolder(session.appHome);
    zemtral::installOwnOpenDialog(dialogs, session);
    zemtral::DiagramWindows diagrams(session, dialogs);
    zemtral::MDIZEM window(session, dialogs);
    zemtral::registerSimulationWindows(window, diagrams);
    zemtral::registerEvaluationWindows(window, diagrams);
    zemtral::registerReactorWindows(window);
    zemtral::registerMonteCarloWindow(window);
    zemtral::registerDataEditorWindow(window);
    zemtral::registerProtocolAndXyWindows(window, diagrams);
    dialogs.setParent(&window);
    window.show();
    if (!request.files.empty()) {
        // Loaded once the window is on the screen, so that a message has its parent.
        QTimer::singleShot(0, &window, [&window, files = request.files] {
            for (const std::string& file : files) {
                window.openFile(file);
            }
        });
    }
    if (request.quitWhenShown) {
        QTimer::singleShot(0, &app, [&] {
            const double inMain =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - mainStart).count();
            const std::string line =
                "main window shown after " + zemtral::formatNumber(secondsSinceProcessStart(), "0.000") +
                " s since process start (" + zemtral::formatNumber(inMain, "0.000") + " s in main)\n";
            std::fputs(line.c_str(), stdout);
            std::fflush(stdout);
            std::_Exit(0);
        });
    }
    return QApplication::exec();
}
