#include "session/data_commands.h"

#include <algorithm>
#include <filesystem>

#include "core/time_units.h"
#include "data/data_file.h"
#include "data/project_file.h"
#include "data/protocol_table.h"
#include "data/time_unit_change.h"
#include "numeric/fp_guard.h"

namespace zemtral {

void setUpFileLocations(Session& session, const std::string& appHome) {
    session.appHome = appHome;
    session.data.dataDir = appHome;
    session.projectDir = appHome;
    session.xy.xyDir = appHome;
    session.lastSessionPath = (std::filesystem::path(appHome) / kLastSessionFileName).string();
    session.protocol.separator = ";";
    session.protocol.fileName = SetAutoProtName(appHome, currentDateTime());
}

bool LoadDataFile(Session& session, UserDialogs& dialogs, const std::string& path, bool append) {
    ExpDataSet& set = session.data;
    const DataFileRead read = readDataFile(path, append ? set.pointCount : 0);
    if (read.error.failed()) {
        dialogs.showMessage(routineMessageTitle("LoadDataFile"), fileErrorDescription(read.error),
                            MessageIcon::Critical);
        return false;
    }
    applyDataFile(set, read.content, append);
    // The unit is shared with the working state.
    SetTimeUnit(session.state, set, timeUnitIndex(set.timeUnit), std::nullopt);
    return true;
}

bool WriteDataFile(Session& session, UserDialogs& dialogs, const std::string& path) {
    const FileError error = writeDataFile(path, session.data);
    if (error.failed()) {
        dialogs.showMessage(routineMessageTitle("WriteDataFile"), fileErrorDescription(error),
                            MessageIcon::Critical);
        return false;
    }
    return true;
}

bool LoadChosenDataFile(Session& session, UserDialogs& dialogs, const std::string& path, bool append) {
    ExpDataSet& set = session.data;
    // The file is read before the set is cleared, so a failed "Neu-Laden" keeps the points.
    const DataFileRead read = readDataFile(path, append ? set.pointCount : 0);
    if (read.error.failed()) {
        dialogs.showMessage(routineMessageTitle("LoadDataFile"), fileErrorDescription(read.error),
                            MessageIcon::Critical);
        return false;
    }
    if (!append) {
        ClearDataSet(set);
    }
    applyDataFile(set, read.content, append);
    SetTimeUnit(session.state, set, timeUnitIndex(set.timeUnit), std::nullopt);
    set.dataFilePath = path;
    set.dataDir = directoryOf(path);
    rememberRecentFile(session, path);
    return true;
}

OpenDataResult OpenDataFileDialog(Session& session, UserDialogs& dialogs, bool append) {
    OpenDataResult result;
    const std::string title = append ? "Daten aus gewähltem File anfügen" : "Laden experimenteller Daten";
    ExpDataSet& set = session.data;
    const std::string start = set.dataDir.empty() ? session.appHome : set.dataDir;
    const std::optional<std::string> chosen = dialogs.chooseOpenFile(title, start, "Datenfile (*.ZD3)");
    if (!chosen) {
        result.cancelled = true;
        return result;
    }
    if (chosen->empty()) {
        return result;
    }
    set.dataDir = directoryOf(*chosen);  // the dialog starts there next time, loaded or not
    result.ok = LoadChosenDataFile(session, dialogs, *chosen, append);
    return result;
}

void rememberRecentFile(Session& session, const std::string& path) {
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).lexically_normal().string();
    const std::string& entry = ec ? path : absolute;
    auto& list = session.shell.recentFiles;
    list.erase(std::remove(list.begin(), list.end(), entry), list.end());
    list.insert(list.begin(), entry);
    if (list.size() > kMaxRecentFiles) {
        list.resize(kMaxRecentFiles);
    }
}

void forgetRecentFile(Session& session, const std::string& path) {
    auto& list = session.shell.recentFiles;
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
}

std::string withDefaultExtension(const std::string& path, const std::string& extension) {
    const std::string name = FileNameOnly(path);
    return name.find('.') == std::string::npos ? path + extension : path;
}

bool SaveDataFileAs(Session& session, UserDialogs& dialogs) {
    ExpDataSet& set = session.data;
    const std::string start = set.dataDir.empty() ? session.appHome : set.dataDir;
    const std::optional<std::string> chosen = dialogs.chooseSaveFile(
        "Datenfile speichern unter ...", start, FileNameOnly(set.dataFilePath), "Datenfile (*.ZD3)");
    if (!chosen || chosen->empty()) {
        return false;
    }
    const std::string path = withDefaultExtension(*chosen, ".ZD3");
    if (!WriteDataFile(session, dialogs, path)) {
        return false;
    }
    rememberRecentFile(session, path);
    set.dataFilePath = path;
    set.dataDir = directoryOf(path);
    set.dataChanged = false;
    return true;
}

bool AskSaveChangedData(Session& session, UserDialogs& dialogs) {
    const Answer answer = dialogs.askYesNoCancel(
        "WARNUNG",
        std::string("Die experimentellen Daten wurden geändert.") + kMessageLineBreak + "Jetzt speichern?",
        MessageIcon::Exclamation);
    switch (answer) {
        case Answer::Yes:
            return !SaveDataFileAs(session, dialogs);
        case Answer::No:
            return false;
        default:
            return true;
    }
}

void SurveyDataSet(Session& session) {
    session.survey = computeDataSurvey(session.data);
    session.data.lambda0 = session.survey.lambda0;
}

std::optional<std::string> ViewBatchFile(Session& session, UserDialogs& dialogs, const std::string& path) {
    FileError error;
    std::string comment = readFirstLine(path, error);
    if (error.failed()) {
        dialogs.showMessage(routineMessageTitle("ViewBatchFile"), fileErrorDescription(error),
                            MessageIcon::Critical);
        return std::nullopt;
    }
    session.data.dataComment = comment;
    return comment;
}

std::optional<std::string> ReadFileComment(Session& session, UserDialogs& dialogs, const std::string& path) {
    FileError error;
    std::string comment = readProjectComment(path, error);
    if (error.failed()) {
        dialogs.showMessage("FEHLER", fileErrorDescription(error), MessageIcon::Critical);
        return std::nullopt;
    }
    session.projectComment = comment;
    return comment;
}

}  // namespace zemtral
