#include "session/xy_editor.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/exp_data_set.h"
#include "numeric/number_text.h"
#include "session/data_commands.h"

namespace zemtral {
namespace {

bool blank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t cut = text.find(separator, start);
        parts.push_back(text.substr(start, cut == std::string::npos ? std::string::npos : cut - start));
        if (cut == std::string::npos) {
            return parts;
        }
        start = cut + 1;
    }
}

// The lines of a pasted text. Spreadsheets end their block with a line break; the empty line
// after it is not a row of the block and would otherwise add a point (0, 0).
std::vector<std::string> pastedLines(const std::string& text) {
    std::vector<std::string> lines = splitAt(text, '\n');
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
    }
    while (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

const char* columnName(int column) {
    return column == kXyColumnX ? "x" : "y";
}

std::string rowRangeText(int first, int last) {
    return first == last ? "Zeile " + std::to_string(first)
                         : "Zeilen " + std::to_string(first) + " bis " + std::to_string(last);
}

}  // namespace

std::optional<int> storeXyInput(XyList& list, UserDialogs& dialogs, bool editMode, int current,
                                const std::string& xText, const std::string& yText) {
    const bool editable = current >= 1 && current <= list.count();
    if ((blank(xText) && blank(yText)) || (editMode && !editable) ||
        (!editMode && list.count() >= kMaxXyPoints)) {
        dialogs.beep();
        return std::nullopt;
    }
    const float x = toSingle(parseNumber(xText));
    const float y = toSingle(parseNumber(yText));
    if (!std::isfinite(x) || !std::isfinite(y)) {
        dialogs.showMessage(kNotPossibleTitle, "Überlauf", MessageIcon::Critical);
        return std::nullopt;
    }
    int row = current;
    if (editMode) {
        list.points[static_cast<std::size_t>(row)].x = x;
        list.points[static_cast<std::size_t>(row)].y = y;
    } else {
        list.points.push_back(XyPoint{x, y, 0.0f});
        row = list.count();
    }
    list.unsaved = true;
    return row;
}

bool setXyCell(XyList& list, int row, int column, float value) {
    if (row < 1 || row > list.count() || (column != kXyColumnX && column != kXyColumnY)) {
        return false;
    }
    XyPoint& p = list.points[static_cast<std::size_t>(row)];
    (column == kXyColumnX ? p.x : p.y) = value;
    list.unsaved = true;
    return true;
}

int pasteXyBlock(XyList& list, UserDialogs& dialogs, int row, int column, const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    row = std::max(row, 1);
    column = std::clamp(column, kXyColumnX, kXyColumnY);
    const std::vector<std::string> lines = pastedLines(text);
    const int lastRow = row - 1 + static_cast<int>(lines.size());
    if (lastRow > kMaxXyPoints) {
        dialogs.showMessage(kNotPossibleTitle,
                            "Die Liste kann höchstens " + std::to_string(kMaxXyPoints) + " Punkte aufnehmen.",
                            MessageIcon::Critical);
        return 0;
    }
    // Everything is read first; the list changes only when every cell is a number.
    std::vector<XyPoint> points = list.points;
    if (static_cast<int>(points.size()) <= lastRow) {
        points.resize(static_cast<std::size_t>(lastRow) + 1);
    }
    const double floatMax = static_cast<double>(std::numeric_limits<float>::max());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int target = row + static_cast<int>(i);
        const std::vector<std::string> cells = splitAt(lines[i], '\t');
        for (std::size_t j = 0; j < cells.size(); ++j) {
            const int c = column + static_cast<int>(j);
            if (c > kXyColumnY) {
                break;
            }
            double value = 0.0;
            if (!blank(cells[j])) {
                const std::optional<double> read = parseNumberExact(cells[j]);
                if (!read || std::fabs(*read) > floatMax) {
                    dialogs.showMessage(kNotPossibleTitle,
                                        "Keine gültige Zahl in Zeile " + std::to_string(target) +
                                            ", Spalte " + columnName(c) + ": '" + cells[j] + "'" +
                                            kMessageLineBreak + "Es wurde nichts eingefügt.",
                                        MessageIcon::Critical);
                    return 0;
                }
                value = *read;
            }
            XyPoint& p = points[static_cast<std::size_t>(target)];
            (c == kXyColumnX ? p.x : p.y) = static_cast<float>(value);
        }
    }
    list.points = std::move(points);
    list.unsaved = true;
    return static_cast<int>(lines.size());
}

std::string xyClipboardText(const XyList& list, char decimalSeparator) {
    std::string text;
    for (int i = 1; i <= list.count(); ++i) {
        const XyPoint& p = list.points[static_cast<std::size_t>(i)];
        text += formatSingle(p.x, decimalSeparator) + "\t" + formatSingle(p.y, decimalSeparator) + "\r\n";
    }
    return text;
}

bool eraseXyRows(XyList& list, UserDialogs& dialogs, bool all, std::optional<std::pair<int, int>> selection) {
    if (all) {
        if (list.count() == 0 || dialogs.askYesNo("Zeile(n) entfernen", "wirklich alles löschen?",
                                                  MessageIcon::Question) != Answer::Yes) {
            return false;
        }
        clearXyList(list);
        return true;
    }
    if (!selection || list.count() == 0) {
        dialogs.showMessage(kNotPossibleTitle, "keine Markierung!", MessageIcon::Critical);
        return false;
    }
    const int first = std::max(1, std::min(selection->first, selection->second));
    const int last = std::min(list.count(), std::max(selection->first, selection->second));
    if (first > last) {
        dialogs.showMessage(kNotPossibleTitle, "keine Markierung!", MessageIcon::Critical);
        return false;
    }
    if (dialogs.askYesNo("Zeile(n) entfernen", rowRangeText(first, last) + " wirklich löschen?",
                         MessageIcon::Question) != Answer::Yes) {
        return false;
    }
    removeXyRows(list, first, last);
    return true;
}

bool toggleXyActive(XyList& list, UserDialogs& dialogs, int row) {
    if (row < 1 || row > list.count()) {
        dialogs.beep();
        return false;
    }
    XyPoint& p = list.points[static_cast<std::size_t>(row)];
    p.flag = p.active() ? -1.0f : 0.0f;
    list.unsaved = true;
    return true;
}

std::vector<std::string> xyPrintLines(const XyList& list, const DateTime& now, char decimalSeparator) {
    std::vector<std::string> lines;
    if (list.xyFilePath.empty()) {
        lines.push_back("Liste XY-Daten vom " + zeroPadded(now.day, 2) + "." + zeroPadded(now.month, 2) +
                        "." + zeroPadded(now.year, 4) + " " + zeroPadded(now.hour, 2) + ":" +
                        zeroPadded(now.minute, 2) + ":" + zeroPadded(now.second, 2));
    } else {
        lines.push_back("Liste von XY-Datenfile " + FileNameOnly(list.xyFilePath));
    }
    if (!list.comment.empty()) {
        lines.push_back(list.comment);
    }
    const std::string rule(60, '-');
    const auto padded = [](std::string text, std::size_t width) {
        if (text.size() < width) {
            text.insert(0, width - text.size(), ' ');
        }
        return text;
    };
    lines.push_back(rule);
    lines.push_back(padded("#", 6) + padded("X", 20) + padded("Y", 20));
    lines.push_back(rule);
    for (int i = 1; i <= list.count(); ++i) {
        const XyPoint& p = list.points[static_cast<std::size_t>(i)];
        std::string line = padded(std::to_string(i), 6) + padded(formatSingle(p.x, decimalSeparator), 20) +
                           padded(formatSingle(p.y, decimalSeparator), 20);
        if (!p.active()) {
            line += "   (inaktiv)";
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<ChartPoint> activeXyPoints(const XyList& list) {
    std::vector<ChartPoint> points;
    for (int i = 1; i <= list.count(); ++i) {
        const XyPoint& p = list.points[static_cast<std::size_t>(i)];
        if (p.active()) {
            points.push_back({p.x, p.y});
        }
    }
    return points;
}

std::optional<std::vector<ChartPoint>> xyPointsToDraw(const XyList& list, UserDialogs& dialogs) {
    std::vector<ChartPoint> points = activeXyPoints(list);
    if (points.size() < 2) {
        dialogs.showMessage(kNotPossibleTitle, "Mindestens 2 aktive Punkte notwendig!",
                            MessageIcon::Critical);
        return std::nullopt;
    }
    return points;
}

}  // namespace zemtral
