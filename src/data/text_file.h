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

/// @brief Reads the whole file as it is (at most kMaxTextFileSize bytes).
FileBytes readFileBytes(const std::string& path);

/// @brief Reads the whole file and splits it into lines (see decodeFileText and splitLines).
TextFileLines readTextFileLines(const std::string& path);

/// @brief Writes `bytes` to `path` atomically: into a temporary file beside the target, flushed
/// to disk, then renamed over the target. A failed write leaves the previous file as it was.
FileError writeFileAtomic(const std::string& path, const std::string& bytes);

/// @brief writeFileAtomic of the lines in Windows-1252, each followed by CR LF.
FileError writeTextFileLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace zemtral
