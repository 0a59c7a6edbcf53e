#pragma once
// The program's persistent settings, typed, over QSettings (organisation and application
// "ZEMTRAL"): the tips at start, the dialogs' folders, the recent files, the main window's place.
#include <QByteArray>
#include <map>
#include <string>
#include <vector>

namespace zemtral {

class ZemSettings {
  public:
    /// @brief "Show Tips at Startup": true unless the stored text is the integer 0 (absent: true).
    static bool showTipsAtStartup();
    static void setShowTipsAtStartup(bool show);

    /// @brief The start folder of the file dialogs by kind of file (see rememberedFolders).
    static std::map<std::string, std::string> folders();
    static void setFolders(const std::map<std::string, std::string>& folders);

    /// @brief The recently used data and project files, newest first.
    static std::vector<std::string> recentFiles();
    static void setRecentFiles(const std::vector<std::string>& files);

    /// @brief The main window's geometry and tool-bar state as QMainWindow saves them.
    static QByteArray mainWindowGeometry();
    static QByteArray mainWindowState();
    static void setMainWindowPlace(const QByteArray& geometry, const QByteArray& state);
};

}  // namespace zemtral
