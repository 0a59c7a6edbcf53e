#pragma once
// What the program's own file-open dialog decides without a widget: the text typed into its name
// field, the comment preview of ZD3 and ZC3 files, and deleting a file after the question.
#include <optional>
#include <string>

#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief What "OK, Laden" does with the text of the file-name field.
enum class OpenTextAction {
    Accept,      ///< the text names an existing file: the dialog closes with it
    NewPattern,  ///< the text holds "?" or "*": it becomes the file list's pattern
    NotFound,    ///< "Datei nicht gefunden"; the former pattern stays
};

struct OpenTextDecision {
    OpenTextAction action = OpenTextAction::NotFound;
    std::string path;  ///< Accept: the file; NewPattern: the pattern
};

/// @brief Decides for the typed `text` in `directory` (a relative name lies in the directory).
OpenTextDecision decideOpenDialogText(const std::string& text, const std::string& directory);

/// @brief The comment preview of a selected file.
struct CommentPreview {
    std::string label;    ///< "Datei-Kommentar:" or "Projekt-Kommentar"
    std::string comment;  ///< the comment line of the file
};

/// @brief By the upper-cased extension: a ZD3 file's first line (it becomes the data set's
/// comment), a ZC3 file's comment (it becomes the project comment); nothing for other files or
/// when the file cannot be read (the reader shows its error).
std::optional<CommentPreview> fileCommentPreview(Session& session, UserDialogs& dialogs,
                                                 const std::string& path);

/// @brief Delete on the file list: "File <name> wirklich löschen?"; on Yes the file is removed.
/// A file that cannot be removed is reported. True when it was removed.
bool deleteFileAfterQuestion(UserDialogs& dialogs, const std::string& path);

/// @brief The pattern of a dialog filter such as "Datenfile (*.ZD3)": "*.ZD3"; "*.*" when none.
std::string patternOfFilter(const std::string& filter);

}  // namespace zemtral
