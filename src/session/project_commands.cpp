#include "session/project_commands.h"

#include <filesystem>

#include "core/time_units.h"
#include "data/data_file.h"
#include "data/exp_data_set.h"
#include "data/project_file.h"
#include "data/time_unit_change.h"
#include "session/data_commands.h"

namespace zemtral {
namespace fs = std::filesystem;

namespace {

constexpr const char* kLoadedTitle = "geladen...";

// The data file of a project: beside the project file first, then in the application home.
std::string locateDataFile(const Session& session, const std::string& projectPath, const std::string& name) {
    std::error_code ec;
    const std::string projectDirectory = directoryOf(projectPath);
    const fs::path beside = fs::path(projectDirectory.empty() ? "." : projectDirectory) / name;
    if (fs::exists(beside, ec)) {
        return beside.string();
    }
    if (!session.appHome.empty()) {
        const fs::path inHome = fs::path(session.appHome) / name;
        if (fs::exists(inHome, ec)) {
            return inHome.string();
        }
    }
    return beside.string();
}

// Step 3 of both load commands: the project's data file replaces the data set (after the
// changed-data prompt when the set was changed), then the survey and the initial concentrations.
void loadProjectData(Session& session, UserDialogs& dialogs, const std::string& projectPath,
                     const std::string& dataFileName, ProjectLoadOutcome& outcome) {
    if (dataFileName.empty()) {
        outcome.report = "...kein Datenfile";
        return;
    }
    ExpDataSet& set = session.data;
    if (set.dataChanged && set.pointCount > 0 && AskSaveChangedData(session, dialogs)) {
        outcome.report = "...Datenfile: " + FileNameOnly(dataFileName) + kMessageLineBreak +
                         "nicht geladen, die geänderten Daten bleiben erhalten";
        return;
    }
    const std::string path = locateDataFile(session, projectPath, FileNameOnly(dataFileName));
    const DataFileRead read = readDataFile(path);
    if (read.error.failed()) {
        dialogs.showMessage("Meldung von LoadDataFile", fileErrorDescription(read.error),
                            MessageIcon::Critical);
        outcome.report =
            "...Datenfile: " + FileNameOnly(dataFileName) + kMessageLineBreak + "konnte nicht geladen werden";
        return;
    }
    ClearDataSet(set);
    applyDataFile(set, read.content, false);
    // The shared unit follows the file, as for every load.
    SetTimeUnit(session.state, set, timeUnitIndex(set.timeUnit), std::nullopt);
    SurveyDataSet(session);
    set.dataFilePath = path;
    outcome.dataLoaded = true;
    outcome.enableEditData = true;
    outcome.report = "...Datenfile: " + FileNameOnly(set.dataFilePath) + kMessageLineBreak +
                     kMessageLineBreak + "einsehbar unter \"Daten / exper. Daten Sichten/Editieren\"";
    InitialConcFromData(session);
}

}  // namespace

bool WriteProjectFile(Session& session, UserDialogs& dialogs, const std::string& path) {
    if (!isLastSessionPath(path)) {
        const std::optional<std::string> answer = dialogs.inputText(
            " Datei-Kommentar (optional) ",
            std::string("Eingabe Kommentartext") + kMessageLineBreak + "<Abbrechen> = kein Kommentar",
            session.projectComment);
        session.projectComment = answer.value_or("");
    } else {
        session.projectComment = "ZEMTRAL last session";
    }
    ProjectContent content;
    content.comment = session.projectComment;
    content.dataFileName = FileNameOnly(session.data.dataFilePath);
    content.modelId = session.state.modelId;
    content.rateConst = session.state.rateConst;
    const FileError error = writeProjectFile(path, content, currentDateTime());
    if (error.failed()) {
        dialogs.showMessage("Fehler beim Abspeichern der Sitzungs-Datei", fileErrorDescription(error),
                            MessageIcon::Critical);
        return false;
    }
    return true;
}

ProjectReadResult ReadProjectFile(Session& session, const std::string& path) {
    ProjectReadResult result;
    const ProjectRead read = readProjectFile(path);
    if (read.error.failed()) {
        return result;
    }
    session.projectComment = read.content.comment;
    session.state.modelId = read.content.modelId;
    for (std::size_t i = 1; i <= 3; ++i) {
        session.state.rateConst[i] = read.content.rateConst[i];
    }
    result.ok = true;
    result.dataFileName = read.content.dataFileName;
    return result;
}

bool SaveProjectAs(Session& session, UserDialogs& dialogs) {
    const std::string start = session.projectDir.empty() ? session.appHome : session.projectDir;
    const std::optional<std::string> chosen =
        dialogs.chooseSaveFile("aktuelles Projekt speichern unter ...", start, session.projectFileName,
                               "ZEMTRAL-Projektdatei (*.ZC3)");
    if (!chosen || chosen->empty()) {
        return false;
    }
    const std::string path = withDefaultExtension(*chosen, ".ZC3");
    const bool written = WriteProjectFile(session, dialogs, path);
    session.projectDir = directoryOf(path);
    if (written) {
        rememberRecentFile(session, path);
    }
    return written;
}

OpenProjectResult OpenProjectDialog(Session& session, UserDialogs& dialogs) {
    OpenProjectResult result;
    const std::string start = session.projectDir.empty() ? session.appHome : session.projectDir;
    const std::optional<std::string> chosen =
        dialogs.chooseOpenFile("Projekt laden (*.ZC3)", start, "ZEMTRAL-Projektdatei (*.ZC3)");
    if (!chosen) {
        result.cancelled = true;
        return result;
    }
    session.projectFileName = FileNameOnly(*chosen);
    session.projectDir = directoryOf(*chosen);
    result.path = *chosen;
    if (!result.path.empty()) {
        const ProjectReadResult read = ReadProjectFile(session, result.path);
        result.ok = read.ok;
        result.dataFileName = read.dataFileName;
    }
    return result;
}

void InitialConcFromData(Session& session) {
    session.dataC0 = InitialConcFromData(session.data);
}

void adoptDataStartValues(Session& session) {
    InitialConcFromData(session);
    for (int s = 1; s <= 5; ++s) {
        const float measured = session.dataC0[static_cast<std::size_t>(s)];
        if (measured > 0.0f) {
            session.state.conc0[s] = measured;
        }
    }
}

namespace {

// The steps of both project loads after the file was chosen: data file, report, model window.
ProjectLoadOutcome finishProjectLoad(Session& session, UserDialogs& dialogs,
                                     const OpenProjectResult& opened) {
    ProjectLoadOutcome outcome;
    outcome.projectRead = opened.ok;
    outcome.enableNewDataAndSaveProject = true;
    if (opened.ok) {
        rememberRecentFile(session, opened.path);
        loadProjectData(session, dialogs, opened.path, opened.dataFileName, outcome);
    } else {
        // A damaged file changed nothing; say so instead of reporting "kein Datenfile".
        outcome.report = "...Projektdatei " + FileNameOnly(opened.path) + " konnte nicht gelesen werden";
    }
    dialogs.showMessage(kLoadedTitle, outcome.report, MessageIcon::Information);
    outcome.reopenModelWindow = true;
    return outcome;
}

}  // namespace

ProjectLoadOutcome loadExistingProject(Session& session, UserDialogs& dialogs) {
    const OpenProjectResult opened = OpenProjectDialog(session, dialogs);
    // The model window is reopened in every case; it keeps the constants now in the state
    // (those just read, or the user's own when nothing was read).
    session.keepRateConstOnReopen = session.state.rateConst;
    if (opened.cancelled) {
        ProjectLoadOutcome outcome;
        outcome.cancelled = true;
        outcome.reopenModelWindow = true;
        return outcome;
    }
    return finishProjectLoad(session, dialogs, opened);
}

ProjectLoadOutcome loadProjectFromPath(Session& session, UserDialogs& dialogs, const std::string& path) {
    OpenProjectResult opened;
    session.projectFileName = FileNameOnly(path);
    session.projectDir = directoryOf(path);
    opened.path = path;
    const ProjectReadResult read = ReadProjectFile(session, path);
    opened.ok = read.ok;
    opened.dataFileName = read.dataFileName;
    session.keepRateConstOnReopen = session.state.rateConst;
    return finishProjectLoad(session, dialogs, opened);
}

ProjectLoadOutcome loadLastSession(Session& session, UserDialogs& dialogs) {
    ProjectLoadOutcome outcome;
    const ProjectReadResult read = ReadProjectFile(session, session.lastSessionPath);
    outcome.projectRead = read.ok;
    session.keepRateConstOnReopen = session.state.rateConst;
    if (read.ok) {
        loadProjectData(session, dialogs, session.lastSessionPath, read.dataFileName, outcome);
        outcome.enableNewDataAndSaveProject = true;
    }
    outcome.reopenModelWindow = true;
    dialogs.showMessage(kLoadedTitle, outcome.report, MessageIcon::Information);
    return outcome;
}

ModelSelection applyModelOnReopen(Session& session) {
    const ModelSelection selection = applyModelDefaults(session.state, session.state.modelId);
    if (session.keepRateConstOnReopen) {
        session.state.rateConst = *session.keepRateConstOnReopen;
        session.keepRateConstOnReopen.reset();
    }
    return selection;
}

}  // namespace zemtral
