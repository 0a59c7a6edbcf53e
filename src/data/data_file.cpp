#include "data/data_file.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "core/time_units.h"
#include "data/field_reader.h"
#include "data/text_file.h"
#include "numeric/number_text.h"

namespace zemtral {
namespace {

std::string trimmed(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) {
        ++a;
    }
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) {
        --b;
    }
    return s.substr(a, b - a);
}

// The unit field as one of the five unit texts; files written by hand may differ in case.
std::optional<std::string> normalisedUnit(const std::string& text) {
    std::string lower;
    for (const char ch : trimmed(text)) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    if (timeUnitIndex(lower) < 0) {
        return std::nullopt;
    }
    return lower;
}

bool fitsFloat(double v) {
    return std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max());
}

}  // namespace

DataFileRead parseDataFile(const std::vector<std::string>& lines, const std::string& path,
                           int pointsAlready) {
    DataFileRead r;
    FileError& err = r.error;
    DataFileContent& c = r.content;
    if (lines.empty()) {
        err = formatError(FileErrorKind::UnexpectedEnd, path, 1);
        return r;
    }
    c.comment = lines[0];
    // Line 2: the unit is the first field of the line (quotes allowed, blanks ignored).
    if (lines.size() < 2) {
        err = formatError(FileErrorKind::UnexpectedEnd, path, 2);
        return r;
    }
    {
        std::string text = trimmed(lines[1].substr(0, lines[1].find(',')));
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
            text = text.substr(1, text.size() - 2);
        }
        const auto unit = normalisedUnit(text);
        if (!unit) {
            err = formatError(FileErrorKind::UnknownTimeUnit, path, 2, text);
            return r;
        }
        c.timeUnit = *unit;
    }
    // Line 3, the column header, is skipped whatever it says.
    if (lines.size() < 3) {
        err = formatError(FileErrorKind::UnexpectedEnd, path, 3);
        return r;
    }
    FieldReader fields(lines, 3, path);
    const int countLine = fields.lineNumber();
    const auto countField = fields.nextField();
    if (!countField) {
        err = formatError(FileErrorKind::UnexpectedEnd, path, countLine);
        return r;
    }
    const auto count = parseNumberExact(countField->text);
    if (!count || *count < 0 || *count != std::floor(*count) ||
        *count + pointsAlready > static_cast<double>(kMaxPointCount)) {
        err = formatError(FileErrorKind::InvalidCount, path, countField->line, countField->text);
        return r;
    }
    if (!fields.restOfLineBlank()) {
        err = formatError(FileErrorKind::FieldCountMismatch, path, countField->line);
        return r;
    }
    const int m = static_cast<int>(*count);
    c.points.reserve(static_cast<std::size_t>(std::min(m, 4096)));
    for (int i = 0; i < m; ++i) {
        const int startLine = fields.lineNumber();
        double v[kDataFieldsPerPoint];
        for (int f = 0; f < kDataFieldsPerPoint; ++f) {
            const auto value = fields.nextNumber(err);
            if (!value) {
                return r;
            }
            v[f] = *value;
        }
        // Every point ends at a line end; a line with too many or too few fields would shift
        // all following points, so it is refused.
        if (!fields.restOfLineBlank()) {
            err = formatError(FileErrorKind::FieldCountMismatch, path, startLine);
            return r;
        }
        ExpPoint p;
        p.t = v[0];
        for (std::size_t s = 1; s <= 5; ++s) {
            p.c[s] = v[s];
        }
        p.k = v[6];
        p.T = v[7];
        for (const int f : {8, 10, 11}) {
            if (!fitsFloat(v[f])) {
                err = formatError(FileErrorKind::ValueOutOfRange, path, startLine, formatDouble(v[f]));
                return r;
            }
        }
        p.lambda = static_cast<float>(v[8]);
        p.res3 = static_cast<float>(v[10]);
        p.res4 = static_cast<float>(v[11]);
        // Any non-zero flag means inactive; the file itself holds 0 or -1.
        p.exclude = v[12] != 0.0 ? std::int16_t{-1} : std::int16_t{0};
        if (v[9] > 0.0) {
            c.lambdaInf = v[9];
        }
        if (p.t == 0.0 && p.exclude == 0) {
            c.lambda0 = p.lambda;
        }
        c.points.push_back(p);
    }
    if (!fields.atEnd()) {
        const int line = fields.lineNumber();
        const auto extra = fields.nextField();
        err = formatError(FileErrorKind::ExtraData, path, line, extra ? extra->text : std::string());
        return r;
    }
    return r;
}

DataFileRead readDataFile(const std::string& path, int pointsAlready) {
    TextFileLines file = readTextFileLines(path);
    if (file.error.failed()) {
        DataFileRead r;
        r.error = file.error;
        return r;
    }
    return parseDataFile(file.lines, path, pointsAlready);
}

void applyDataFile(ExpDataSet& set, const DataFileContent& content, bool append) {
    if (!append) {
        set.dataComment = content.comment;
    }
    set.timeUnit = content.timeUnit;
    set.points.resize(static_cast<std::size_t>(set.pointCount) + 1);
    set.points.insert(set.points.end(), content.points.begin(), content.points.end());
    set.pointCount = static_cast<std::int16_t>(set.points.size() - 1);
    if (content.lambdaInf > 0.0) {
        set.lambdaInf = content.lambdaInf;
    }
    set.lambda0 = content.lambda0;
}

std::vector<std::string> dataFileLines(const ExpDataSet& set) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(set.pointCount) + 4);
    // The comment never holds a line break; one that slipped in would break the format.
    std::string comment = set.dataComment;
    for (char& ch : comment) {
        if (ch == '\r' || ch == '\n') {
            ch = ' ';
        }
    }
    lines.push_back(comment);
    lines.push_back(set.timeUnit);
    lines.emplace_back(kDataFileHeader);
    lines.push_back(std::to_string(set.pointCount));
    const std::string lambdaInf = formatDouble(set.lambdaInf);
    for (int i = 1; i <= set.pointCount; ++i) {
        const ExpPoint& p = set.points[static_cast<std::size_t>(i)];
        std::string line = formatDouble(p.t);
        for (std::size_t s = 1; s <= 5; ++s) {
            line += ',' + formatDouble(p.c[s]);
        }
        line += ',' + formatDouble(p.k);
        line += ',' + formatDouble(p.T);
        line += ',' + formatSingle(p.lambda);
        line += ',' + lambdaInf;
        line += ',' + formatSingle(p.res3);
        line += ',' + formatSingle(p.res4);
        line += p.exclude != 0 ? ",-1" : ",0";
        lines.push_back(std::move(line));
    }
    return lines;
}

FileError writeDataFile(const std::string& path, const ExpDataSet& set) {
    return writeTextFileLines(path, dataFileLines(set));
}

std::string readFirstLine(const std::string& path, FileError& error) {
    TextFileLines file = readTextFileLines(path);
    if (file.error.failed()) {
        error = file.error;
        return {};
    }
    return file.lines.empty() ? std::string() : file.lines[0];
}

}  // namespace zemtral
