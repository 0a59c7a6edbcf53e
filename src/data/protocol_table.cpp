#include "data/protocol_table.h"

#include <cmath>
#include <filesystem>

#include "numeric/number_text.h"

namespace zemtral {

const std::array<const char*, kProtocolColumnCount> kProtocolColumnNames = {
    "c_A(A)", "c_A(B)", "c_A(C)", "c_A(P)", " c_A(Q)", "c_E(A)", "c_E(B)", "c_E(C)", "c_E(P)",  " c_E(Q)",
    "k1",     " k2",    " k3",    "U(A)",   "t",       " l",     " V",     " V*",    " ksi(1)", " ksi(2)"};

std::string protocolSeparatorOfEntry(int entry) {
    switch (entry) {
        case 1:
            return ",";
        case 2:
            return "\t";
        default:
            return ";";
    }
}

void addProtocolRow(ProtocolTable& table, const ProtocolValues& values) {
    std::array<float, kProtocolColumnCount> row{};
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i] = static_cast<float>(values[i]);
    }
    table.rows.push_back(row);
}

std::vector<std::string> protocolFileLines(const ProtocolTable& table, ProtocolSource source,
                                           const DateTime& date, const std::string& separator,
                                           char decimalSeparator) {
    // A column is written when any row holds a non-zero value in it. The absolute values are
    // summed so that values of both signs cannot cancel and drop a column.
    std::array<bool, kProtocolColumnCount> written{};
    for (const auto& row : table.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            written[i] = written[i] || std::fabs(row[i]) > 0.0f;
        }
    }
    std::vector<std::string> lines;
    lines.emplace_back("ZEMTRAL: Kinetics of chemical reactions");
    lines.push_back("Protocol from " + zeroPadded(date.month, 2) + "-" + zeroPadded(date.day, 2) + "-" +
                    zeroPadded(date.year, 4));
    switch (source) {
        case ProtocolSource::StirredTank:
            lines.emplace_back("Calculation of a Continuous Stirred Tank Reactor (CSTR)");
            break;
        case ProtocolSource::BatchReactor:
            lines.emplace_back("Calculation of a Batch Reactor");
            break;
        case ProtocolSource::TubularReactor:
            lines.emplace_back("Calculation of a Tubular Flow Reactor (TFR)");
            break;
        default:
            break;
    }
    lines.emplace_back(
        "units: [c(i)] = mol/L   [k_1] = 1/s   [k_2] = L/(mol s)   [U(A)] = 1    [t] = s   [l] = m     [v] = "
        "m^3");
    lines.emplace_back("        [ksi()] = kmol/m^3   (extent of reaction)");
    lines.emplace_back("");
    std::string header;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i]) {
            header += kProtocolColumnNames[i];
            header += separator;
        }
    }
    lines.push_back(header);
    for (const auto& row : table.rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (written[i]) {
                line += formatSingle(row[i], decimalSeparator);
                line += separator;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::string SetAutoProtName(const std::string& directory, const DateTime& date) {
    const std::string stem =
        zeroPadded(date.year % 100, 2) + zeroPadded(date.month, 2) + zeroPadded(date.day, 2);
    std::error_code ec;
    for (int counter = 1;; ++counter) {
        const std::string name = stem + zeroPadded(counter, 2) + ".CSV";
        if (!std::filesystem::exists(std::filesystem::path(directory) / name, ec)) {
            return name;
        }
    }
}

std::string protocolClipboardText(const std::vector<std::string>& lines, const std::string& separator) {
    std::string text;
    for (const std::string& line : lines) {
        if (separator.empty()) {
            text += line;
        } else {
            std::size_t start = 0;
            for (;;) {
                const std::size_t cut = line.find(separator, start);
                text += line.substr(start, cut == std::string::npos ? std::string::npos : cut - start);
                if (cut == std::string::npos) {
                    break;
                }
                text += '\t';
                start = cut + separator.size();
            }
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace zemtral
