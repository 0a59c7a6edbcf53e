#pragma once
// Measured data for the command line: a ZD3 file, or a CSV file from a spreadsheet whose header
// line names the columns.
#include <iosfwd>
#include <optional>
#include <string>

#include "data/exp_data_set.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral::cli {

/// @brief Reads a CSV text: lines starting with "#" before the header are comments; a header line naming the
/// columns (t, cA, cB, cC, cP, cQ, T, k, lambda, and optionally lambdaInf), separator ";", "," or tab (the
/// one of the header), decimal comma or point (a comma only where the separator is not a comma, or inside a
/// quoted cell), empty or missing cells = 0. Nothing and a German message naming the line when a cell is not
/// a number, a column name is unknown or repeated, or a row has more cells than the header.
std::optional<ExpDataSet> parseCsvData(const std::string& text, const std::string& timeUnit,
                                       std::string& error);

/// @brief Loads FILE into the session: "*.ZD3" (any case) through LoadDataFile, anything else as
/// CSV; then the survey, and c0 of the working state from the points at t = 0. False after the
/// message was written to `dialogs`.
bool loadMeasuredData(Session& session, UserDialogs& dialogs, const std::string& path,
                      const std::string& csvTimeUnit);

}  // namespace zemtral::cli
