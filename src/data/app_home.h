#pragma once
// The application home: the directory where the last-session file, the protocol files and the
// sample data live and where the file dialogs start. `$ZEMTRAL_HOME` if set, otherwise
// `$XDG_DATA_HOME/ZEMTRAL`, otherwise ~/.local/share/ZEMTRAL.
#include <string>
#include <vector>

#include "data/file_errors.h"

namespace zemtral {

/// @brief The path of the application home (not created here).
std::string applicationHomePath();

/// @brief Creates the application home with its parents when missing.
FileError createApplicationHome(const std::string& home);

/// @brief The directory of the program's resource files (samples/, help/, the tips file):
/// `$ZEMTRAL_RESOURCES` if set, else share/zemtral beside the installed program, else the
/// installation directory configured at build time, else the source tree's resources/.
/// Empty when none of them exists.
std::string resourceDirectory();

/// @brief One file to copy into the home: `source` (absolute) to `target` (relative to the home).
struct SeedFile {
    std::string source;
    std::string target;
};

/// @brief The result of seeding: how many files were copied and the errors of those that failed.
struct SeedResult {
    int copied = 0;
    std::vector<FileError> errors;
};

/// @brief Copies every file of `files` whose target is missing in `home`; existing files,
/// changed by the user or not, are never touched. Target directories are created.
SeedResult seedApplicationHome(const std::string& home, const std::vector<SeedFile>& files);

/// @brief The sample data files (*.ZD3) of resourceDir/samples, to the top of the home.
std::vector<SeedFile> sampleDataSeeds(const std::string& resourceDir);

}  // namespace zemtral
