#include "session/open_dialog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "data/exp_data_set.h"
#include "session/data_commands.h"

namespace zemtral {
namespace {

std::string upperExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
    return ext;
}

}  // namespace

OpenTextDecision decideOpenDialogText(const std::string& text, const std::string& directory) {
    OpenTextDecision decision;
    if (text.find_first_of("?*") != std::string::npos) {
        decision.action = OpenTextAction::NewPattern;
        decision.path = text;
        return decision;
    }
    if (text.empty()) {
        return decision;
    }
    const std::filesystem::path typed(text);
    const std::filesystem::path full = typed.is_absolute() ? typed : std::filesystem::path(directory) / typed;
    std::error_code ec;
    if (std::filesystem::is_regular_file(full, ec)) {
        decision.action = OpenTextAction::Accept;
        decision.path = full.lexically_normal().string();
    }
    return decision;
}

std::optional<CommentPreview> fileCommentPreview(Session& session, UserDialogs& dialogs,
                                                 const std::string& path) {
    const std::string ext = upperExtension(path);
    if (ext == ".ZD3") {
        if (auto comment = ViewBatchFile(session, dialogs, path)) {
            return CommentPreview{"Datei-Kommentar:", *comment};
        }
    } else if (ext == ".ZC3") {
        if (auto comment = ReadFileComment(session, dialogs, path)) {
            return CommentPreview{"Projekt-Kommentar", *comment};
        }
    }
    return std::nullopt;
}

bool deleteFileAfterQuestion(UserDialogs& dialogs, const std::string& path) {
    const std::string name = FileNameOnly(path);
    if (dialogs.askYesNo("Löschen von Dateien bestätigen", "File " + name + " wirklich löschen?",
                         MessageIcon::Question) != Answer::Yes) {
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::remove(path, ec) || ec) {
        dialogs.showMessage("Löschen von Dateien bestätigen",
                            "Die Datei " + name + " konnte nicht gelöscht werden.", MessageIcon::Critical);
        return false;
    }
    return true;
}

std::string patternOfFilter(const std::string& filter) {
    const auto open = filter.find('(');
    const auto close = filter.find(')', open == std::string::npos ? 0 : open);
    if (open == std::string::npos || close == std::string::npos) {
        return filter.empty() ? "*.*" : filter;
    }
    std::string inside = filter.substr(open + 1, close - open - 1);
    return inside.empty() ? "*.*" : inside;
}

}  // namespace zemtral
