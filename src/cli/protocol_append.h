#pragma once
// Appending one result row to a protocol file on the command line.
#include <optional>
#include <string>
#include <vector>

#include "data/protocol_table.h"

namespace zemtral::cli {

/// @brief The rows of a protocol file written by the program: the line after the first empty line
/// names the columns, every later line holds one row. Nothing when the lines are not a protocol.
std::optional<ProtocolTable> parseProtocolLines(const std::vector<std::string>& lines,
                                                const std::string& separator);

/// @brief Reads `path` when it exists, adds the row and writes the whole file again (atomically)
/// in the program's protocol format, all under an advisory lock of the file so that concurrent
/// appends keep every row. False and a German message when the file is not a protocol or cannot
/// be written.
bool appendProtocolRow(const std::string& path, ProtocolSource source, const ProtocolValues& values,
                       const std::string& separator, std::string& message);

}  // namespace zemtral::cli
