#pragma once
// Reading and writing the program's text files: whole files at once, decoded to UTF-8 lines on
// reading, Windows-1252 with CR LF on writing, and every write atomic.
#include <string>
#include <vector>

#include "data/file_errors.h"

namespace zemtral {

/// @brief Largest file the readers accept [bytes]; no file of the program comes near it.
inline constexpr std::size_t kMaxTextFileSize = 64u * 1024u * 1024u;

/// @brief The lines of a text file (UTF-8), or the error that prevented reading it.
struct TextFileLines {
    std::vector<std::string> lines;
    FileError error;
};

/// @brief The bytes of a whole file, or the error that prevented reading it.
struct FileBytes {
    std::string bytes;
    FileError error;
};

/// @brief Reads the whole file as it is, at most kMaxTextFileSize bytes: a larger file (or an
/// endless one such as /dev/zero) is refused with TooLarge before it can exhaust the memory.
FileBytes readFileBytes(const std::string& path);

/// @brief Reads the whole file and splits it into lines (see decodeFileText and splitLines).
TextFileLines readTextFileLines(const std::string& path);

/// @brief Writes `bytes` to `path` atomically: into a temporary file beside the target, flushed
/// to disk, then renamed over the target, and the folder synced. A failed write leaves the
/// previous file as it was. A write-protected target (no write bit in its mode, or no write
/// permission for the user) is refused with ReadOnlyFile and left untouched, also for root. A
/// symbolic link is written through: the file it points to gets the content, the link stays.
FileError writeFileAtomic(const std::string& path, const std::string& bytes);

/// @brief The file a path names after following every symbolic link (also a dangling last one);
/// the path itself when it is no link.
std::string resolveSymbolicLinks(const std::string& path);

/// @brief writeFileAtomic of the lines in Windows-1252, each followed by CR LF.
FileError writeTextFileLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace zemtral
