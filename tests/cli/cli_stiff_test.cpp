// Stiff constants through the command line: the runs that used to take many seconds (or fail
// with a misleading message) now finish with a complete, balanced table.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "numeric/number_text.h"

namespace zemtral::cli {
namespace {

std::vector<std::vector<double>> csvRows(const std::string& text) {
    std::vector<std::vector<double>> rows;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);  // header
    while (std::getline(lines, line)) {
        std::vector<double> row;
        std::size_t start = 0;
        while (start <= line.size()) {
            const std::size_t comma = std::min(line.find(',', start), line.size());
            row.push_back(parseNumber(line.substr(start, comma - start)));
            start = comma + 1;
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(CliStiff, LargeConstantsGiveACompleteBalancedRun) {
    for (const char* k : {"1e6", "1e8"}) {
        std::ostringstream out, err;
        const int code = runCli(
            {"simulate", "--model", "14", "--k1", k, "--k2", k, "--k3", k, "--format", "csv"}, out, err);
        ASSERT_EQ(code, kExitOk) << err.str();
        const auto rows = csvRows(out.str());
        ASSERT_EQ(rows.size(), 201u);
        for (const auto& row : rows) {
            ASSERT_EQ(row.size(), 4u);  // t, cA, cC, cP
            EXPECT_NEAR(row[1] + row[2] + row[3], 1.0, 1e-12);
        }
        // From the first grid point on, A is used up and C <=> P stands at k2 : k3 = 1 : 1.
        EXPECT_NEAR(rows[1][2], 0.5, 1e-9);
        EXPECT_NEAR(rows[200][3], 0.5, 1e-9);
    }
}

}  // namespace
}  // namespace zemtral::cli
