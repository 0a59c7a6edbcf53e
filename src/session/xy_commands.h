#pragma once
// The XY editor's file and formula commands over session.xy; the separator of XY files is the
// protocol separator.
#include <string>

#include "data/xy_list.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief "Ausführen": applies formula `manipulation` (0..5) with W read from `wText`; on a
/// failure shows the fault and "Mit den vorliegenden Daten ist diese Aktion nicht ausführbar."
/// and leaves the list unchanged.
bool executeXyFormula(Session& session, UserDialogs& dialogs, int manipulation, const std::string& wText);

/// @brief "&Speichern *.XY ...": beep without points, otherwise the save dialog and the file.
bool saveXyFile(Session& session, UserDialogs& dialogs);

/// @brief "D&aten laden *.XY | *.LRG": the open dialog, then the file into a new list. A file that
/// cannot be read shows its error and keeps the list.
bool loadXyFile(Session& session, UserDialogs& dialogs);

/// @brief "Schließen <Esc>" with unsaved points: true when the window may close.
bool confirmCloseXyEditor(Session& session, UserDialogs& dialogs);

}  // namespace zemtral
