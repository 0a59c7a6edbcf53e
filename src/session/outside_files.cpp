#include "session/outside_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "data/xy_list.h"
#include "session/data_commands.h"
#include "session/help_topics.h"
#include "session/xy_commands.h"

namespace zemtral {
namespace {

std::string upperExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return extension;
}

// The folder fields of the session, by the key under which they are remembered.
template <typename SessionType, typename Visit>
void forEachFolder(SessionType& session, Visit visit) {
    visit("data", session.data.dataDir);
    visit("project", session.projectDir);
    visit("xy", session.xy.xyDir);
    visit("table", session.diagramWindow.lastTableDir);
    visit("curve", session.diagramWindow.lastXYDir);
    visit("design", session.diagramWindow.lastDesignDir);
    visit("picture", session.diagramWindow.lastPictureDir);
}

}  // namespace

OutsideFileKind outsideFileKind(const std::string& path) {
    const std::string extension = upperExtension(path);
    if (extension == ".ZD3") {
        return OutsideFileKind::Data;
    }
    if (extension == ".ZC3") {
        return OutsideFileKind::Project;
    }
    if (extension == ".XY" || extension == ".LRG") {
        return OutsideFileKind::Xy;
    }
    return OutsideFileKind::Unknown;
}

std::string unknownFileKindText(const std::string& path) {
    return "Die Datei " + FileNameOnly(path) + " kann ZEMTRAL nicht öffnen." + kMessageLineBreak +
           "Geöffnet werden Datenfiles (*.ZD3), Projektfiles (*.ZC3) und x-y-Daten (*.XY, *.LRG).";
}

bool loadDataFileFromPath(Session& session, UserDialogs& dialogs, const std::string& path) {
    if (session.data.dataChanged && session.data.pointCount > 0 && AskSaveChangedData(session, dialogs)) {
        return false;
    }
    if (!LoadChosenDataFile(session, dialogs, path, false)) {
        return false;
    }
    session.data.dataChanged = false;
    SurveyDataSet(session);
    InitialConcFromData(session);
    return true;
}

bool loadXyFileFromPath(Session& session, UserDialogs& dialogs, const std::string& path) {
    if (!confirmCloseXyEditor(session, dialogs)) {
        return false;
    }
    const XyFileRead read = readXyFile(path);
    if (read.error.failed()) {
        dialogs.showMessage("Fehler", fileErrorDescription(read.error), MessageIcon::Critical);
        return false;
    }
    XyList& xy = session.xy;
    xy.xyFilePath = path;
    xy.xyDir = directoryOf(path);
    xy.comment = read.comment;
    xy.points.resize(1);
    xy.points.insert(xy.points.end(), read.points.begin(), read.points.end());
    xy.unsaved = false;
    return true;
}

std::map<std::string, std::string> rememberedFolders(const Session& session) {
    std::map<std::string, std::string> folders;
    forEachFolder(session, [&](const char* key, const std::string& folder) {
        if (!folder.empty()) {
            folders[key] = folder;
        }
    });
    return folders;
}

void restoreRememberedFolders(Session& session, const std::map<std::string, std::string>& folders) {
    forEachFolder(session, [&](const char* key, std::string& folder) {
        const auto it = folders.find(key);
        std::error_code ec;
        if (it != folders.end() && !it->second.empty() && std::filesystem::is_directory(it->second, ec)) {
            folder = it->second;
        }
    });
}

int helpTopicOfWindow(const Session& session, WindowId id) {
    switch (id) {
        case WindowId::Model:
            return kHelpModel;
        case WindowId::DataEditor:
            return kHelpEditData;
        case WindowId::Fitting:
            return kHelpFitting;
        case WindowId::StirredTank:
            return kHelpStirredTankWay + session.cstrInputChoice;
        case WindowId::MonteCarlo:
            return session.shell.monteCarloKind == 2 ? kHelpMonteCarloEquilibrium : kHelpMonteCarloFirstOrder;
        default:
            return kHelpIndex;
    }
}

}  // namespace zemtral
