#include "data/xy_list.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/text_file.h"
#include "numeric/fp_guard.h"
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

bool blankLine(const std::string& s) {
    return trimmed(s).empty();
}

// The x and y fields of a data line. A blank separator allows several blanks in a row.
std::vector<std::string> splitFields(const std::string& line, const std::string& separator) {
    std::vector<std::string> fields;
    if (separator.empty()) {
        return {line};
    }
    if (separator == " ") {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
                ++i;
            }
            const std::size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
                ++i;
            }
            if (i > start) {
                fields.push_back(line.substr(start, i - start));
            }
        }
        return fields;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t cut = line.find(separator, start);
        fields.push_back(
            trimmed(line.substr(start, cut == std::string::npos ? std::string::npos : cut - start)));
        if (cut == std::string::npos) {
            return fields;
        }
        start = cut + separator.size();
    }
}

std::optional<float> toFloat(const std::string& text, const std::string& path, int line, FileError& error) {
    const auto value = parseNumberExact(text);  // a comma counts as decimal point
    if (!value) {
        error = formatError(FileErrorKind::InvalidNumber, path, line, text);
        return std::nullopt;
    }
    if (std::fabs(*value) > static_cast<double>(std::numeric_limits<float>::max())) {
        error = formatError(FileErrorKind::ValueOutOfRange, path, line, text);
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

}  // namespace

std::string detectXySeparator(const std::string& line) {
    if (line.find('\t') != std::string::npos) {
        return "\t";
    }
    if (line.find(';') != std::string::npos) {
        return ";";
    }
    if (line.find(',') != std::string::npos) {
        return ",";
    }
    if (line.find(' ') != std::string::npos) {
        return " ";
    }
    return "";
}

std::vector<std::string> xyFileLines(const XyList& list, const std::string& separator) {
    std::vector<std::string> lines;
    std::string comment = list.comment;
    std::replace(comment.begin(), comment.end(), '\r', ' ');
    std::replace(comment.begin(), comment.end(), '\n', ' ');
    lines.push_back(comment);
    for (int i = 1; i <= list.count(); ++i) {
        const XyPoint& p = list.points[static_cast<std::size_t>(i)];
        if (p.active()) {
            lines.push_back(formatNumber(p.x, ".0000000E+00") + separator +
                            formatNumber(p.y, ".0000000E+00"));
        }
    }
    return lines;
}

FileError writeXyFile(const std::string& path, const XyList& list, const std::string& separator) {
    return writeTextFileLines(path, xyFileLines(list, separator));
}

XyFileRead parseXyFile(const std::vector<std::string>& lines, const std::string& path) {
    XyFileRead r;
    if (lines.empty()) {
        return r;  // an empty file is an empty list without a comment
    }
    r.comment = lines[0];
    const std::string separator = lines.size() > 1 ? detectXySeparator(lines[1]) : std::string();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        if (blankLine(lines[i])) {
            continue;
        }
        if (separator.empty()) {
            r.error = formatError(FileErrorKind::MissingSeparator, path, lineNumber);
            r.points.clear();
            return r;
        }
        const std::vector<std::string> fields = splitFields(lines[i], separator);
        if (fields.size() < 2) {
            r.error = formatError(FileErrorKind::MissingSeparator, path, lineNumber);
            r.points.clear();
            return r;
        }
        XyPoint p;
        const auto x = toFloat(fields[0], path, lineNumber, r.error);
        const auto y = x ? toFloat(fields[1], path, lineNumber, r.error) : std::nullopt;
        if (!x || !y) {
            r.points.clear();
            return r;
        }
        p.x = *x;
        p.y = *y;
        r.points.push_back(p);
    }
    return r;
}

XyFileRead readXyFile(const std::string& path) {
    TextFileLines file = readTextFileLines(path);
    if (file.error.failed()) {
        XyFileRead r;
        r.error = file.error;
        return r;
    }
    return parseXyFile(file.lines, path);
}

std::optional<std::string> applyXyFormula(XyList& list, XyFormula f, double w) {
    std::vector<XyPoint> result = list.points;
    const double floatMax = static_cast<double>(std::numeric_limits<float>::max());
    for (std::size_t i = 1; i < result.size(); ++i) {
        XyPoint& p = result[i];
        const double x = p.x, y = p.y;
        double value = 0.0;
        FpFault fault = FpFault::None;
        switch (f) {
            case XyFormula::ExpY:
                value = std::exp(y);
                break;
            case XyFormula::LnY:
                if (y <= 0.0) {
                    fault = FpFault::InvalidOperation;
                }
                value = fault == FpFault::None ? std::log(y) : 0.0;
                break;
            case XyFormula::TimesW:
                value = y * w;
                break;
            case XyFormula::PlusW:
                value = y + w;
                break;
            case XyFormula::Reciprocal:
                if (y == 0.0) {
                    fault = FpFault::DivisionByZero;
                }
                value = fault == FpFault::None ? 1.0 / y : 0.0;
                break;
            case XyFormula::OneMinusX:
                value = 1.0 - x;
                break;
        }
        if (fault == FpFault::None) {
            fault = classifyValue(value);
        }
        if (fault == FpFault::None && std::fabs(value) > floatMax) {
            fault = FpFault::Overflow;  // the list holds 4-byte floats
        }
        if (fault != FpFault::None) {
            return faultDescription(fault);
        }
        (f == XyFormula::OneMinusX ? p.x : p.y) = static_cast<float>(value);
    }
    list.points = std::move(result);
    list.unsaved = true;
    return std::nullopt;
}

void swapXy(XyList& list) {
    for (std::size_t i = 1; i < list.points.size(); ++i) {
        std::swap(list.points[i].x, list.points[i].y);
    }
    list.unsaved = list.unsaved || list.count() > 0;
}

void sortByX(XyList& list) {
    std::stable_sort(list.points.begin() + 1, list.points.end(),
                     [](const XyPoint& a, const XyPoint& b) { return a.x < b.x; });
    list.unsaved = list.unsaved || list.count() > 1;
}

void sortByY(XyList& list) {
    std::stable_sort(list.points.begin() + 1, list.points.end(),
                     [](const XyPoint& a, const XyPoint& b) { return a.y < b.y; });
    list.unsaved = list.unsaved || list.count() > 1;
}

void removeXyRows(XyList& list, int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, list.count());
    if (first > last) {
        return;
    }
    list.points.erase(list.points.begin() + first, list.points.begin() + last + 1);
    list.unsaved = true;
}

void clearXyList(XyList& list) {
    if (list.count() > 0) {
        list.unsaved = true;
    }
    list.points.resize(1);
}

}  // namespace zemtral
