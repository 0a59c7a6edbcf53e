#include "data/file_errors.h"

#include <cerrno>
#include <cstring>

#include "data/quoted_field.h"

namespace zemtral {

std::string fileErrorDescription(const FileError& e) {
    const std::string n = std::to_string(e.line);
    switch (e.kind) {
        case FileErrorKind::None:
            return "";
        case FileErrorKind::NotFound:
            return "Datei nicht gefunden: " + e.path;
        case FileErrorKind::PathNotFound:
            return "Pfad nicht gefunden: " + e.path;
        case FileErrorKind::AccessDenied:
            return "Zugriff verweigert: " + e.path;
        case FileErrorKind::IsDirectory:
            return "Der Pfad ist ein Ordner, keine Datei: " + e.path;
        case FileErrorKind::ReadOnlyMedium:
            return "Der Datenträger ist schreibgeschützt: " + e.path;
        case FileErrorKind::ReadOnlyFile:
            return "Die Datei ist schreibgeschützt: " + e.path;
        case FileErrorKind::DiskFull:
            return "Kein Speicherplatz mehr auf dem Datenträger: " + e.path;
        case FileErrorKind::TooLarge:
            return "Die Datei ist zu groß: " + e.path;
        case FileErrorKind::ReadFailed:
            return "Fehler beim Lesen der Datei " + e.path + " (" + e.systemText + ")";
        case FileErrorKind::WriteFailed:
            return "Fehler beim Schreiben der Datei " + e.path + " (" + e.systemText + ")";
        case FileErrorKind::UnexpectedEnd:
            return "Unerwartetes Dateiende in Zeile " + n;
        case FileErrorKind::InvalidNumber:
            return "Keine gültige Zahl in Zeile " + n + ": " + quotedField(e.text);
        case FileErrorKind::ValueOutOfRange:
            return "Zahl außerhalb des zulässigen Bereichs in Zeile " + n + ": " + quotedField(e.text);
        case FileErrorKind::InvalidCount:
            return "Ungültige Anzahl der Messpunkte in Zeile " + n + ": " + quotedField(e.text);
        case FileErrorKind::FieldCountMismatch:
            return "Falsche Anzahl von Feldern in Zeile " + n + " (ein Messpunkt hat 13 Felder)";
        case FileErrorKind::ExtraData:
            return "Mehr Daten als angegeben in Zeile " + n + ": " + quotedField(e.text);
        case FileErrorKind::UnknownTimeUnit:
            return "Unbekannte Zeiteinheit in Zeile " + n + ": " + quotedField(e.text);
        case FileErrorKind::InvalidModel:
            return "Ungültige Modellnummer in Zeile " + n + ": " + quotedField(e.text);
        case FileErrorKind::MissingSeparator:
            return "Kein Trennzeichen (Semikolon, Komma, Tab oder Leerzeichen) in Zeile " + n;
    }
    return "";
}

FileError fileErrorFromErrno(int errnoValue, const std::string& path, bool writing) {
    FileError e;
    e.path = path;
    switch (errnoValue) {
        case ENOENT:
            e.kind = writing ? FileErrorKind::PathNotFound : FileErrorKind::NotFound;
            break;
        case ENOTDIR:
            e.kind = FileErrorKind::PathNotFound;
            break;
        case EACCES:
        case EPERM:
            e.kind = FileErrorKind::AccessDenied;
            break;
        case EISDIR:
            e.kind = FileErrorKind::IsDirectory;
            break;
        case EROFS:
            e.kind = FileErrorKind::ReadOnlyMedium;
            break;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            e.kind = FileErrorKind::DiskFull;
            break;
        case EFBIG:
            e.kind = FileErrorKind::TooLarge;
            break;
        default:
            e.kind = writing ? FileErrorKind::WriteFailed : FileErrorKind::ReadFailed;
            e.systemText = std::strerror(errnoValue);
            break;
    }
    return e;
}

FileError formatError(FileErrorKind kind, const std::string& path, int line, const std::string& text) {
    FileError e;
    e.kind = kind;
    e.path = path;
    e.line = line;
    e.text = text;
    return e;
}

}  // namespace zemtral
