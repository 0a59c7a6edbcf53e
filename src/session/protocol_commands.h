#pragma once
// The protocol window's commands: adding a row, writing the CSV file, closing a protocol (file,
// clipboard, next name). Files without a directory lie in the application home.
#include <string>

#include "data/project_file.h"
#include "data/protocol_table.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief The full path of the current protocol file.
std::string protocolFilePath(const Session& session);

/// @brief "Ergebnis protokollieren": warns when "," is the separator under a decimal-comma
/// locale (the row is added all the same), then stores the 20 values as a new row.
void addProtocolRow(Session& session, UserDialogs& dialogs, const ProtocolValues& values);

/// @brief Writes the protocol file (atomically). A write error shows under
/// "Meldung von schreibProtFileAndClose" and returns false; the rows stay collected.
bool schreibProtFileAndClose(Session& session, UserDialogs& dialogs,
                             const DateTime& date = currentDateTime());

/// @brief "schließen / neues File öffnen": writes collected rows, removes an empty file, puts the
/// file's text with Tab separators into the clipboard, and takes the next free name. When the
/// write fails nothing else happens and false is returned.
bool closeProtocol(Session& session, UserDialogs& dialogs, const DateTime& date = currentDateTime());

}  // namespace zemtral
