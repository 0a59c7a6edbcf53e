#include "ui/shell/zem_settings.h"

#include <QSettings>
#include <QStringList>

namespace zemtral {
namespace {

constexpr const char* kTipsKey = "Options/Show Tips at Startup";
constexpr const char* kFoldersGroup = "Folders";
constexpr const char* kRecentKey = "Files/Recent";
constexpr const char* kGeometryKey = "MainWindow/Geometry";
constexpr const char* kStateKey = "MainWindow/State";

}  // namespace

bool ZemSettings::showTipsAtStartup() {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    return settings.value(QLatin1String(kTipsKey), QStringLiteral("1")).toString().trimmed().toInt() != 0;
}

void ZemSettings::setShowTipsAtStartup(bool show) {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    settings.setValue(QLatin1String(kTipsKey), show ? QStringLiteral("1") : QStringLiteral("0"));
    settings.sync();
}

std::map<std::string, std::string> ZemSettings::folders() {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    settings.beginGroup(QLatin1String(kFoldersGroup));
    std::map<std::string, std::string> folders;
    for (const QString& key : settings.childKeys()) {
        folders[key.toStdString()] = settings.value(key).toString().toStdString();
    }
    return folders;
}

void ZemSettings::setFolders(const std::map<std::string, std::string>& folders) {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    settings.beginGroup(QLatin1String(kFoldersGroup));
    for (const auto& [kind, folder] : folders) {
        settings.setValue(QString::fromStdString(kind), QString::fromStdString(folder));
    }
    settings.endGroup();
    settings.sync();
}

std::vector<std::string> ZemSettings::recentFiles() {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    std::vector<std::string> files;
    for (const QString& file : settings.value(QLatin1String(kRecentKey)).toStringList()) {
        files.push_back(file.toStdString());
    }
    return files;
}

void ZemSettings::setRecentFiles(const std::vector<std::string>& files) {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    QStringList list;
    for (const std::string& file : files) {
        list << QString::fromStdString(file);
    }
    settings.setValue(QLatin1String(kRecentKey), list);
    settings.sync();
}

QByteArray ZemSettings::mainWindowGeometry() {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    return settings.value(QLatin1String(kGeometryKey)).toByteArray();
}

QByteArray ZemSettings::mainWindowState() {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    return settings.value(QLatin1String(kStateKey)).toByteArray();
}

void ZemSettings::setMainWindowPlace(const QByteArray& geometry, const QByteArray& state) {
    QSettings settings(QStringLiteral("ZEMTRAL"), QStringLiteral("ZEMTRAL"));
    settings.setValue(QLatin1String(kGeometryKey), geometry);
    settings.setValue(QLatin1String(kStateKey), state);
    settings.sync();
}

}  // namespace zemtral
