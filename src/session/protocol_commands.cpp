#include "session/protocol_commands.h"

#include <filesystem>

#include "data/file_errors.h"
#include "data/text_file.h"
#include "numeric/fp_guard.h"
#include "session/data_commands.h"

namespace zemtral {
namespace fs = std::filesystem;

std::string protocolFilePath(const Session& session) {
    const std::string& name = session.protocol.fileName;
    if (name.find('/') != std::string::npos) {
        return name;
    }
    return (fs::path(session.appHome.empty() ? "." : session.appHome) / name).string();
}

void addProtocolRow(Session& session, UserDialogs& dialogs, const ProtocolValues& values) {
    if (session.protocol.separator == "," && session.decimalComma) {
        const std::string br = kMessageLineBreak;
        dialogs.showMessage("Warnung",
                            "Bei Computereinstellung \"Deutschland\" (Dezimalzeichen Komma)" + br +
                                "ist Komma als Dateitrennzeichen nicht sinnvoll; der Clipboard-Inhalt" + br +
                                "ist nicht mehr Excel-kompatibel." + br + "Empfehlung: Semikolon",
                            MessageIcon::Exclamation);
    }
    session.protocol.fileOpen = true;
    addProtocolRow(session.protocol.table, values);
}

bool schreibProtFileAndClose(Session& session, UserDialogs& dialogs, const DateTime& date) {
    const ProtocolState& p = session.protocol;
    const std::vector<std::string> lines =
        protocolFileLines(p.table, p.source, date, p.separator, session.decimalComma ? ',' : '.');
    const FileError error = writeTextFileLines(protocolFilePath(session), lines);
    if (error.failed()) {
        dialogs.showMessage(routineMessageTitle("schreibProtFileAndClose"), fileErrorDescription(error),
                            MessageIcon::Critical);
        return false;
    }
    return true;
}

bool closeProtocol(Session& session, UserDialogs& dialogs, const DateTime& date) {
    ProtocolState& p = session.protocol;
    if (p.fileOpen && !schreibProtFileAndClose(session, dialogs, date)) {
        return false;
    }
    const std::string path = protocolFilePath(session);
    std::error_code ec;
    if (fs::exists(path, ec) && fs::is_regular_file(path, ec) && fs::file_size(path, ec) == 0) {
        fs::remove(path, ec);
    }
    if (fs::exists(path, ec)) {
        const TextFileLines file = readTextFileLines(path);
        if (file.error.failed()) {
            dialogs.showMessage(routineMessageTitle("schreibProtFileAndClose"),
                                fileErrorDescription(file.error), MessageIcon::Critical);
        } else {
            dialogs.setClipboardText(protocolClipboardText(file.lines, p.separator));
        }
    }
    p.fileName = SetAutoProtName(session.appHome, date);
    p.fileOpen = false;
    p.table.rows.clear();
    return true;
}

}  // namespace zemtral
