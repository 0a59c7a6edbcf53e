#include "ui/shell/app_start.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
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
