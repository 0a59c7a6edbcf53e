#pragma once
// The experimental data set's commands: load, append, save, clear, the changed-data prompt, the
// survey and the comment preview of the file dialog. Every message goes through UserDialogs.
#include <string>

#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief The line break inside message texts.
inline constexpr const char* kMessageLineBreak = "\r\n";

/// @brief Sets the file locations of a new session: the application home, the dialogs' start
/// directories (data, project, XY) and the last-session path; the protocol's first file name.
void setUpFileLocations(Session& session, const std::string& appHome);

/// @brief Reads a ZD3 file into the set, replacing the comment or appending. The file is read
/// completely first; a file that cannot be read or is not a valid ZD3 file changes nothing and
/// shows its error under "Meldung von LoadDataFile". The shared time unit follows the file.
bool LoadDataFile(Session& session, UserDialogs& dialogs, const std::string& path, bool append);

/// @brief Writes the whole set as a ZD3 file; errors under "Meldung von WriteDataFile".
bool WriteDataFile(Session& session, UserDialogs& dialogs, const std::string& path);

struct OpenDataResult {
    bool ok = false;
    bool cancelled = false;
};

/// @brief Reads the ZD3 file at `path` into the set (replacing it, or appending). A file that
/// cannot be read changes nothing and shows its error under "Meldung von LoadDataFile"; a loaded
/// file becomes the set's file, its folder the start folder, and the newest recent file.
bool LoadChosenDataFile(Session& session, UserDialogs& dialogs, const std::string& path, bool append);

/// @brief "Neu-Laden *ZD3" (append false) and "&Addiere File *.ZD3" (append true): the file
/// dialog, then the load. A failed load leaves the set as it was.
OpenDataResult OpenDataFileDialog(Session& session, UserDialogs& dialogs, bool append);

/// @brief The save dialog, then WriteDataFile; true when the file was written. A written file
/// becomes the set's file and its directory the start directory; the set is no longer changed.
bool SaveDataFileAs(Session& session, UserDialogs& dialogs);

/// @brief The changed-data prompt: Yes saves (stop when not saved), No goes on, Cancel stops.
bool AskSaveChangedData(Session& session, UserDialogs& dialogs);

/// @brief Runs the survey of the set into session.survey and the set's lambda0.
void SurveyDataSet(Session& session);

/// @brief The file dialog's preview of a ZD3 file: its first line becomes the data set's comment
/// and is returned; a read error shows under "Meldung von ViewBatchFile" and returns nothing.
std::optional<std::string> ViewBatchFile(Session& session, UserDialogs& dialogs, const std::string& path);

/// @brief The file dialog's preview of a ZC3 file: its comment becomes the project comment and is
/// returned; a read error shows under "FEHLER" and returns nothing.
std::optional<std::string> ReadFileComment(Session& session, UserDialogs& dialogs, const std::string& path);

/// @brief Most entries of the recent-files list.
inline constexpr std::size_t kMaxRecentFiles = 8;

/// @brief Puts a loaded or saved data or project file first in the recent-files list (as an
/// absolute path, without duplicates, at most kMaxRecentFiles entries).
void rememberRecentFile(Session& session, const std::string& path);

/// @brief Takes a file out of the recent-files list (it could not be loaded).
void forgetRecentFile(Session& session, const std::string& path);

/// @brief Appends `extension` (".ZD3") to a chosen path that has no extension.
std::string withDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace zemtral
