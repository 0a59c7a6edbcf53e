#pragma once
// Project files and the last-session file: writing with the comment prompt, the all-or-nothing
// reader, the save and open dialogs, and the two load commands of the main window.
#include <string>

#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief Writes the current model, constants, comment and data file name. Asks for a comment
/// unless `path` is the last-session file, which carries "ZEMTRAL last session". A write error
/// shows under "Fehler beim Abspeichern der Sitzungs-Datei"; the previous file stays intact.
bool WriteProjectFile(Session& session, UserDialogs& dialogs, const std::string& path);

/// @brief What ReadProjectFile gives back.
struct ProjectReadResult {
    bool ok = false;
    std::string dataFileName;  ///< as stored: without directory
};

/// @brief Reads comment, model and rate constants. All or nothing: a missing or damaged file
/// changes nothing and shows no message.
ProjectReadResult ReadProjectFile(Session& session, const std::string& path);

/// @brief "aktuelles Projekt speichern unter...": the save dialog, then WriteProjectFile.
bool SaveProjectAs(Session& session, UserDialogs& dialogs);

struct OpenProjectResult {
    bool cancelled = false;
    bool ok = false;
    std::string path;
    std::string dataFileName;
};

/// @brief The first half of "existierendes Projektfile laden": the file dialog and the reader.
OpenProjectResult OpenProjectDialog(Session& session, UserDialogs& dialogs);

/// @brief Sets session.dataC0 from the data set.
void InitialConcFromData(Session& session);

/// @brief Evaluations of measured data start where the data start: every species that the data set
/// measures at t = 0 (dataC0 > 0, refreshed here from the set) takes that start value in the working
/// state; the others keep the working state's.
void adoptDataStartValues(Session& session);

/// @brief What a load command asks of the main window after it has shown "geladen...".
struct ProjectLoadOutcome {
    bool cancelled = false;
    bool projectRead = false;
    bool dataLoaded = false;
    bool enableNewDataAndSaveProject =
        false;  ///< "exper. Daten    NEU Eingabe / Laden", "aktuelles Projekt speichern unter..."
    bool enableEditData = false;     ///< "exper. Daten    Sichten / Editieren"
    bool reopenModelWindow = false;  ///< close and reopen the model window (applyModelOnReopen)
    std::string report;              ///< the text of the "geladen..." box
};

/// @brief "existierendes Projektfile laden".
ProjectLoadOutcome loadExistingProject(Session& session, UserDialogs& dialogs);

/// @brief Loads the project file at `path` as "existierendes Projektfile laden" does after its
/// dialog (a file named on the command line, dropped on the window or picked from the recent files).
ProjectLoadOutcome loadProjectFromPath(Session& session, UserDialogs& dialogs, const std::string& path);

/// @brief "letzte Sitzung laden".
ProjectLoadOutcome loadLastSession(Session& session, UserDialogs& dialogs);

/// @brief The model window's selection of `modelId` when it reopens: the model's defaults, except
/// that the rate constants of a project just loaded are kept (and the request is then cleared).
ModelSelection applyModelOnReopen(Session& session);

}  // namespace zemtral
