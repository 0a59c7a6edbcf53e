#pragma once
// The one table of German descriptions of file errors. Readers and writers return a FileError;
// the commands show fileErrorDescription() in their "Meldung von ..." message boxes.
#include <string>

namespace zemtral {

enum class FileErrorKind {
    None,
    NotFound,            ///< the file does not exist
    PathNotFound,        ///< a directory of the path does not exist
    AccessDenied,        ///< no permission
    IsDirectory,         ///< the path names a directory
    ReadOnlyMedium,      ///< the file system is mounted read-only
    ReadOnlyFile,        ///< the file itself is write-protected (no write permission in its mode)
    DiskFull,            ///< no space left
    TooLarge,            ///< larger than any file of the program can be
    ReadFailed,          ///< another error of the system while reading
    WriteFailed,         ///< another error of the system while writing
    UnexpectedEnd,       ///< fewer lines or fields than the format requires
    InvalidNumber,       ///< a field that must be a number is not one
    ValueOutOfRange,     ///< a number too large for its field
    InvalidCount,        ///< a point count that is not an integer 0 .. 32767 or does not fit the set
    FieldCountMismatch,  ///< a point line whose fields do not form whole points of 13 fields
    ExtraData,           ///< more fields after the last announced point
    UnknownTimeUnit,     ///< a time unit other than s, min, h, d, a
    InvalidModel,        ///< a model number other than 1 .. 18 and 20
    MissingSeparator,    ///< an XY line without a separator
};

/// @brief A file error: what went wrong, where, and the text or system message concerned.
struct FileError {
    FileErrorKind kind = FileErrorKind::None;
    std::string path;        ///< the file concerned
    int line = 0;            ///< 1-based line number where the format is broken; 0 = none
    std::string text;        ///< the offending field text
    std::string systemText;  ///< the system's own message for ReadFailed / WriteFailed

    bool failed() const { return kind != FileErrorKind::None; }
};

/// @brief The German description, for example "Datei nicht gefunden: /home/x/a.ZD3",
/// "Unerwartetes Dateiende in Zeile 7", "Keine gültige Zahl in Zeile 5: 'abc'".
std::string fileErrorDescription(const FileError& error);

/// @brief The error of a failed system call with `errnoValue` on `path`; `writing` decides
/// between ReadFailed and WriteFailed for the errors without a kind of their own.
FileError fileErrorFromErrno(int errnoValue, const std::string& path, bool writing);

/// @brief A format error in `line` with the offending `text`.
FileError formatError(FileErrorKind kind, const std::string& path, int line, const std::string& text = {});

}  // namespace zemtral
