#pragma once
// The statistics of the last Auto-Fitting as a table of texts: what the fitting window's
// "Statistik" page shows and what it copies to the clipboard as tab-separated lines.
#include <string>
#include <vector>

#include "session/session.h"

namespace zemtral {

/// @brief The names of the fitted parameters p(1..n) (0-based): "k1".."k3"; "k1", "n" in the
/// order fitting; "A", "EA" or "kB/h·exp(s#/R)", "h#" in the temperature fittings.
std::vector<std::string> fitParameterNames(const Session& session);

/// @brief The rows of the table (empty rows separate its blocks): parameters with value, standard
/// deviation and the 95 % interval; the correlation matrix of the free parameters; residual
/// standard deviation and R² per species; the degrees of freedom and t. Empty when no statistics
/// are shown. Numbers carry `decimalSeparator`.
std::vector<std::vector<std::string>> fitStatisticsTable(const Session& session, char decimalSeparator);

/// @brief The table as text: cells separated by tabs, rows ended by CR LF.
std::string tabSeparatedText(const std::vector<std::vector<std::string>>& rows);

}  // namespace zemtral
