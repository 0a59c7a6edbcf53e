#pragma once
// The protocol log: a table of 20 result columns collected row by row, written as a
// separator-delimited CSV file with a few header lines, and its automatic file names.
#include <array>
#include <string>
#include <vector>

#include "data/file_errors.h"
#include "data/project_file.h"

namespace zemtral {

inline constexpr int kProtocolColumnCount = 20;

/// @brief The column names, leading blanks included.
extern const std::array<const char*, kProtocolColumnCount> kProtocolColumnNames;

/// @brief The 20 values a calculation window hands to the protocol.
using ProtocolValues = std::array<double, kProtocolColumnCount>;

/// @brief Which window opened the protocol.
enum class ProtocolSource {
    None = 0,
    Simulation = 1,
    StirredTank = 2,
    BatchReactor = 3,
    TubularReactor = 4,
    Fitting = 5
};

/// @brief The collected rows, stored in single precision.
struct ProtocolTable {
    std::vector<std::array<float, kProtocolColumnCount>> rows;

    bool operator==(const ProtocolTable&) const = default;
};

/// @brief The separator of entry 0, 1, 2 of the choice "Semikolon", "Komma", "Tab".
std::string protocolSeparatorOfEntry(int entry);

/// @brief Adds one row (the values reduced to single precision).
void addProtocolRow(ProtocolTable& table, const ProtocolValues& values);

/// @brief The lines of the protocol file: header lines dated `date`, the names of the columns
/// that hold a non-zero value in some row, one line per row; every header and data line ends
/// with the separator. Numbers in the general format of a 4-byte float with `decimalSeparator`.
std::vector<std::string> protocolFileLines(const ProtocolTable& table, ProtocolSource source,
                                           const DateTime& date, const std::string& separator,
                                           char decimalSeparator);

/// @brief The next free protocol name in `directory` for `date`: yymmdd + a two-digit counter
/// from 01 + ".CSV"; when 01 .. 99 are taken the counter goes on with three digits (100 ...).
std::string SetAutoProtName(const std::string& directory, const DateTime& date);

/// @brief The clipboard text of a protocol file's lines: the separators replaced by Tab, each
/// line followed by CR LF.
std::string protocolClipboardText(const std::vector<std::string>& lines, const std::string& separator);

}  // namespace zemtral
