#pragma once
// Files that reach the program from outside its menus (named on the command line, dropped on the
// main window, picked from the recent files), the folders the file dialogs remember across starts,
// and the help topic of each window for F1.
#include <map>
#include <string>

#include "session/project_commands.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "session/window_host.h"

namespace zemtral {

/// @brief What a file is, by its extension in any case: ZD3 data, ZC3 project, XY or LRG list.
enum class OutsideFileKind { Data, Project, Xy, Unknown };

/// @brief The kind of the file at `path` (only the extension counts).
OutsideFileKind outsideFileKind(const std::string& path);

/// @brief The refusal text for a file the program cannot open.
std::string unknownFileKindText(const std::string& path);

/// @brief Loads a ZD3 file as a new data set: the changed-data prompt first (Cancel, or a failed
/// save, ends it), then the same reader and message as "Neu-Laden *ZD3"; a loaded set is surveyed
/// and gives the initial concentrations. A file that cannot be read changes nothing.
bool loadDataFileFromPath(Session& session, UserDialogs& dialogs, const std::string& path);

/// @brief Loads an XY or LRG file into the XY editor's list: the unsaved-list prompt first, then
/// the reader; a file that cannot be read shows its error and changes nothing.
bool loadXyFileFromPath(Session& session, UserDialogs& dialogs, const std::string& path);

/// @brief The start folders of the file dialogs by kind ("data", "project", "xy", "table",
/// "curve", "design", "picture"); empty ones are left out.
std::map<std::string, std::string> rememberedFolders(const Session& session);

/// @brief Takes over remembered start folders that still exist; others keep their start value.
void restoreRememberedFolders(Session& session, const std::map<std::string, std::string>& folders);

/// @brief The help topic F1 shows for a window (the help index when the window has no page).
int helpTopicOfWindow(const Session& session, WindowId id);

}  // namespace zemtral
