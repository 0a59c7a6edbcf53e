#include "session/xy_commands.h"

#include "data/exp_data_set.h"
#include "numeric/number_text.h"
#include "session/data_commands.h"

namespace zemtral {

bool executeXyFormula(Session& session, UserDialogs& dialogs, int manipulation, const std::string& wText) {
    if (manipulation < 0 || manipulation > 5) {
        return false;
    }
    const double w = parseNumber(wText);
    const std::optional<std::string> fault =
        applyXyFormula(session.xy, static_cast<XyFormula>(manipulation), w);
    if (fault) {
        dialogs.showMessage(
            kNotPossibleTitle,
            *fault + kMessageLineBreak + "Mit den vorliegenden Daten ist diese Aktion nicht ausführbar.",
            MessageIcon::Critical);
        return false;
    }
    return true;
}

bool saveXyFile(Session& session, UserDialogs& dialogs) {
    XyList& xy = session.xy;
    if (xy.count() == 0) {
        dialogs.beep();
        return false;
    }
    const std::string start = xy.xyDir.empty() ? session.appHome : xy.xyDir;
    const std::optional<std::string> chosen = dialogs.chooseSaveFile(
        "(Kurven)punkte speichern unter ...", start, FileNameOnly(xy.xyFilePath), "x-y-Daten (*.XY)");
    if (!chosen || chosen->empty()) {
        return false;
    }
    const std::string path = withDefaultExtension(*chosen, ".XY");
    xy.xyFilePath = path;
    xy.xyDir = directoryOf(path);
    const FileError error = writeXyFile(path, xy, session.protocol.separator);
    if (error.failed()) {
        dialogs.showMessage("Fehler", fileErrorDescription(error), MessageIcon::Critical);
        return false;
    }
    xy.unsaved = false;
    return true;
}

bool loadXyFile(Session& session, UserDialogs& dialogs) {
    XyList& xy = session.xy;
    const std::string start = xy.xyDir.empty() ? session.appHome : xy.xyDir;
    const std::optional<std::string> chosen =
        dialogs.chooseOpenFile("(Kurven)punkte vom File laden", start, "x-y-Daten (*.XY *.LRG)");
    if (!chosen || chosen->empty()) {
        return false;
    }
    xy.xyFilePath = *chosen;
    xy.xyDir = directoryOf(*chosen);
    const XyFileRead read = readXyFile(*chosen);
    if (read.error.failed()) {
        dialogs.showMessage("Fehler", fileErrorDescription(read.error), MessageIcon::Critical);
        return false;
    }
    xy.comment = read.comment;
    xy.points.resize(1);
    xy.points.insert(xy.points.end(), read.points.begin(), read.points.end());
    xy.unsaved = false;
    return true;
}

bool confirmCloseXyEditor(Session& session, UserDialogs& dialogs) {
    if (!session.xy.unsaved || session.xy.count() == 0) {
        return true;
    }
    const Answer answer = dialogs.askYesNoCancel(
        "WARNUNG",
        std::string("Die Daten wurden noch nicht gespeichert.") + kMessageLineBreak + "Jetzt speichern?",
        MessageIcon::Exclamation);
    if (answer == Answer::Yes) {
        return saveXyFile(session, dialogs);
    }
    return answer == Answer::No;
}

}  // namespace zemtral
