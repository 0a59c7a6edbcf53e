#pragma once
// The ZC3 project file (also the last-session file): date, comment, data file name, model
// number, three rate constants and reserved fields. Reading is all-or-nothing.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/file_errors.h"

namespace zemtral {

/// @brief Name of the last-session file in the application home.
inline constexpr const char* kLastSessionFileName = "ZemLastSession.ZC3";

/// @brief A local date and time [calendar fields].
struct DateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

/// @brief The current local date and time.
DateTime currentDateTime();

/// @brief What a project file holds.
struct ProjectContent {
    std::string comment;
    std::string dataFileName;  ///< without directory; empty = no data file
    std::int16_t modelId = 2;
    std::array<double, 4> rateConst{};  ///< k(1..3); k(0) unused
};

struct ProjectRead {
    ProjectContent content;
    FileError error;
};

/// @brief True when the path names the last-session file (its last 18 characters, upper-cased,
/// are "ZEMLASTSESSION.ZC3").
bool isLastSessionPath(const std::string& path);

/// @brief The 15 lines of a project file (UTF-8) written at `when`.
std::vector<std::string> projectFileLines(const ProjectContent& content, const DateTime& when);

/// @brief Writes a project file atomically.
FileError writeProjectFile(const std::string& path, const ProjectContent& content, const DateTime& when);

/// @brief Parses the lines of a project file; the quotes the writer puts around the comment are removed.
ProjectRead parseProjectFile(const std::vector<std::string>& lines, const std::string& path);

/// @brief Reads and parses a project file.
ProjectRead readProjectFile(const std::string& path);

/// @brief The comment (line 2, its quotes removed) of a project file: the file-dialog preview.
std::string readProjectComment(const std::string& path, FileError& error);

}  // namespace zemtral
