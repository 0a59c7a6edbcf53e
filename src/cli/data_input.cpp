#include "cli/data_input.h"

#include <algorithm>
#include <cctype>

#include "core/time_units.h"
#include "data/quoted_field.h"
#include "data/text_encoding.h"
#include "data/text_file.h"
#include "data/time_unit_change.h"
#include "numeric/number_text.h"
#include "session/data_commands.h"
#include "session/project_commands.h"

namespace zemtral::cli {
namespace {

// The cells of a CSV line. A cell in double quotes may hold the separator (a spreadsheet quotes
// "0,5" when the separator is a comma); two quotes inside stand for one.
std::vector<std::string> splitFields(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quoted) {
            if (ch == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == separator) {
            fields.push_back(field);
            field.clear();
        } else {
            field += ch;
        }
    }
    fields.push_back(field);
    return fields;
}

std::string trimmed(std::string s) {
    const auto notBlank = [](char ch) { return ch != ' ' && ch != '\t' && ch != '"'; };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notBlank));
    s.erase(std::find_if(s.rbegin(), s.rend(), notBlank).base(), s.end());
    return s;
}

// Column of a header name; -1 for an unknown name.
int columnOf(const std::string& name) {
    static const char* const kNames[] = {"t", "cA", "cB", "cC", "cP", "cQ", "T", "k", "lambda", "lambdaInf"};
    for (int i = 0; i < 10; ++i) {
        if (name == kNames[i]) {
            return i;
        }
    }
    if (name == "lambda(inf)") {
        return 9;
    }
    return -1;
}

bool endsWithZd3(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return std::toupper(ch); });
    return ext == ".ZD3";
}

}  // namespace

std::optional<ExpDataSet> parseCsvData(const std::string& text, const std::string& timeUnit,
                                       std::string& error) {
    std::vector<std::string> lines = zemtral::splitLines(text);
    // Comment lines before the header ("# model and constants" of a generated data set).
    std::size_t comments = 0;
    while (comments < lines.size() && !lines[comments].empty() && lines[comments][0] == '#') {
        ++comments;
    }
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(comments));
    if (lines.empty()) {
        error = "Keine Kopfzeile in der CSV-Datei";
        return std::nullopt;
    }
    const std::string& header = lines[0];
    char separator = ',';
    if (header.find(';') != std::string::npos) {
        separator = ';';
    } else if (header.find('\t') != std::string::npos) {
        separator = '\t';
    }
    std::vector<int> columns;
    for (const std::string& name : splitFields(header, separator)) {
        const int column = columnOf(trimmed(name));
        if (column < 0) {
            error = "Unbekannte Spalte in Zeile " + std::to_string(comments + 1) + ": " +
                    quotedField(trimmed(name));
            return std::nullopt;
        }
        // Two columns of one quantity would leave it to chance which of them counts.
        if (std::find(columns.begin(), columns.end(), column) != columns.end()) {
            error = "Doppelte Spalte in Zeile " + std::to_string(comments + 1) + ": " +
                    quotedField(trimmed(name));
            return std::nullopt;
        }
        columns.push_back(column);
    }
    ExpDataSet set;
    set.timeUnit = timeUnit;
    for (std::size_t l = 1; l < lines.size(); ++l) {
        if (trimmed(lines[l]).empty()) {
            continue;
        }
        const std::vector<std::string> fields = splitFields(lines[l], separator);
        // More cells than named columns: a value would be dropped unseen (an unquoted decimal
        // comma in a comma-separated file splits one number into two cells).
        if (fields.size() > columns.size()) {
            error = "Zeile " + std::to_string(l + 1 + comments) + " hat mehr Felder als die Kopfzeile";
            return std::nullopt;
        }
        ExpPoint point;
        for (std::size_t f = 0; f < fields.size() && f < columns.size(); ++f) {
            const std::string cell = trimmed(fields[f]);
            double value = 0.0;
            if (!cell.empty()) {
                const auto number = parseNumberExact(cell);
                if (!number) {
                    error = "Keine gültige Zahl in Zeile " + std::to_string(l + 1 + comments) + ": " +
                            quotedField(cell);
                    return std::nullopt;
                }
                value = *number;
            }
            switch (columns[f]) {
                case 0:
                    point.t = value;
                    break;
                case 6:
                    point.T = value;
                    break;
                case 7:
                    point.k = value;
                    break;
                case 8:
                    point.lambda = static_cast<float>(value);
                    break;
                case 9:
                    if (value > 0.0) {
                        set.lambdaInf = value;
                    }
                    break;
                default:
                    point.c[static_cast<std::size_t>(columns[f])] = value;
                    break;
            }
        }
        if (set.points.size() > 32767) {
            error = "Zu viele Messpunkte in Zeile " + std::to_string(l + 1 + comments);
            return std::nullopt;
        }
        set.points.push_back(point);
    }
    set.pointCount = static_cast<std::int16_t>(set.points.size() - 1);
    return set;
}

bool loadMeasuredData(Session& session, UserDialogs& dialogs, const std::string& path,
                      const std::string& csvTimeUnit) {
    if (endsWithZd3(path)) {
        if (!LoadDataFile(session, dialogs, path, false)) {
            return false;
        }
    } else {
        // The same size limit as the data-file reader: a huge or endless input (a device, a
        // pipe) is refused instead of filling the memory.
        const FileBytes file = readFileBytes(path);
        if (file.error.failed()) {
            dialogs.showMessage("Meldung von LoadDataFile", fileErrorDescription(file.error),
                                MessageIcon::Critical);
            return false;
        }
        std::string error;
        auto set = parseCsvData(decodeFileText(file.bytes), csvTimeUnit, error);
        if (!set) {
            dialogs.showMessage("Meldung von LoadDataFile", error, MessageIcon::Critical);
            return false;
        }
        set->dataFilePath = path;
        session.data = std::move(*set);
        SetTimeUnit(session.state, session.data, timeUnitIndex(session.data.timeUnit), std::nullopt);
    }
    SurveyDataSet(session);
    adoptDataStartValues(session);
    return true;
}

}  // namespace zemtral::cli
