#include "ui/shell/app_start.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "data/app_home.h"
#include "session/tips.h"

// The resources live in the static UI library; they must be registered explicitly.
static void registerBuiltInResources() {
    Q_INIT_RESOURCE(zemtral);
}

namespace zemtral {

void initResources() {
    static const bool done = (registerBuiltInResources(), true);
    (void)done;
}

namespace {

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Copies a built-in resource to the home when the file is missing there.
void seedFromResource(const QString& resource, const QString& target) {
    if (QFile::exists(target)) {
        return;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (QFile::copy(resource, target)) {
        QFile::setPermissions(target,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    } else {
        std::fprintf(stderr, "zemtral: %s konnte nicht angelegt werden\n", target.toLocal8Bit().constData());
    }
}

}  // namespace

bool installGermanQtTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

StartRequest parseStartArguments(QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("ZEMTRAL-3: Kinetik homogener chemischer Reaktionen. Simulation kinetischer Modelle, "
                       "Auswertung experimenteller Daten, ideale Reaktoren und Monte-Carlo-Simulation."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption quitWhenShown(
        QStringLiteral("quit-when-shown"),
        QStringLiteral("Beenden, sobald das Hauptfenster gezeigt ist (Startzeit)."));
    quitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(quitWhenShown);
    parser.addPositionalArgument(
        QStringLiteral("Dateien"),
        QStringLiteral("Datenfile (*.ZD3), Projektfile (*.ZC3) oder x-y-Daten (*.XY), "
                       "die beim Start geladen werden."),
        QStringLiteral("[Dateien...]"));
    parser.process(app);
    StartRequest request;
    request.quitWhenShown = parser.isSet(quitWhenShown);
    for (const QString& file : parser.positionalArguments()) {
        request.files.push_back(file.toStdString());
    }
    return request;
}

bool displayAvailable() {
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

std::string noDisplayHint() {
    return "zemtral: Keine grafische Anzeige gefunden - starten Sie mit \"xvfb-run -a zemtral\" oder nutzen "
           "Sie "
           "zemtral-cli. / No display found - run \"xvfb-run -a zemtral\" or use zemtral-cli.";
}

std::string prepareApplicationHome() {
    initResources();
    const std::string home = applicationHomePath();
    const FileError made = createApplicationHome(home);
    if (made.failed()) {
        std::fprintf(stderr, "zemtral: %s\n", fileErrorDescription(made).c_str());
        return home;
    }
    const std::string resources = resourceDirectory();
    if (!resources.empty()) {
        const SeedResult seeded = seedApplicationHome(home, sampleDataSeeds(resources));
        for (const FileError& error : seeded.errors) {
            std::fprintf(stderr, "zemtral: %s\n", fileErrorDescription(error).c_str());
        }
    }
    // The tips file and the help pages are built into the program.
    const QString homeDir = QString::fromStdString(home);
    seedFromResource(QStringLiteral(":/") + QLatin1String(kTipsFileName),
                     homeDir + QLatin1Char('/') + QLatin1String(kTipsFileName));
    QDirIterator pages(QStringLiteral(":/help"), {QStringLiteral("*.html")});
    while (pages.hasNext()) {
        const QString page = pages.next();
        seedFromResource(page, homeDir + QStringLiteral("/help/") + QFileInfo(page).fileName());
    }
    return home;
}

}  // namespace zemtral
