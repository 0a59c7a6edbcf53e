#pragma once
// Running evaluate, fit or tangent over many data files: files named on the command line or found
// in a directory, run in parallel with one session each, their results gathered in file order.
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_writer.h"

namespace zemtral::cli {

/// @brief The result of one file's run.
struct FileOutcome {
    int code = kExitOk;    ///< kExitOk, kExitRefused or kExitUsage
    Json value;            ///< the result object (formats json and csv)
    std::string text;      ///< the result as the table format prints it, with its line end
    std::string messages;  ///< what the run has to say on stderr
};

/// @brief One file's run of a subcommand. Called from several threads at once: it keeps all its
/// state (its session, its messages) to itself.
using FileCommand = std::function<FileOutcome(const std::string& file)>;

/// @brief One data file or the files of one directory argument.
struct DataFileArgument {
    std::vector<std::string> files;  ///< the file, or the directory's *.ZD3 and *.csv files by name
    bool directory = false;
};

/// @brief The data files of the FILE arguments: a file as given, a directory as its ZD3 and CSV
/// files (any case of the extension) sorted by name. `single` is true for exactly one argument
/// that is not a directory: the result is then printed as for one file.
std::vector<DataFileArgument> expandDataFiles(const std::vector<std::string>& arguments, bool& single);

/// @brief The --jobs option: a whole number of parallel runs, 1 to 64 (1 without it).
std::optional<int> jobsOption(const ParsedArgs& args, std::string& error);

/// @brief Runs `command` for every file on up to `jobs` threads and prints the results in the
/// order of the files: for one file (`single`) the result as the subcommand always printed it;
/// otherwise json an array of objects whose first member "file" names the file, csv a header and
/// one row per file with the file name first and the error text last, table one line per file
/// "FILE: result". A failed file gives its error instead of the result, its messages go to `err`,
/// and the exit code is kExitRefused after all files were run. A usage error ends with its message
/// and kExitUsage, without output.
int runOverFiles(const std::vector<DataFileArgument>& arguments, bool single, int jobs, OutputFormat format,
                 const FileCommand& command, std::ostream& out, std::ostream& err);

/// @brief The members of a JSON object as CSV columns: nested objects give "outer.inner", arrays
/// "name.0", "name.1"; pairs of column name and cell text (null and missing are empty cells).
std::vector<std::pair<std::string, std::string>> csvColumns(const Json& object);

/// @brief A CSV cell: quoted (quotes doubled) when it holds a comma, a quote or a line break.
std::string csvCell(const std::string& text);

}  // namespace zemtral::cli
