#pragma once
// The free x-y list of the XY editor: its file format (comment line, then "x<sep>y" per active
// point in the form ".0000000E+00"), the reader for XY and LRG files, the six formulas, swap,
// sorting and removal of rows.
#include <optional>
#include <string>
#include <vector>

#include "data/file_errors.h"

namespace zemtral {

/// @brief One x-y pair; flag 0 active, -1 inactive (excluded from drawing and saving).
struct XyPoint {
    float x = 0.0f;
    float y = 0.0f;
    float flag = 0.0f;

    bool active() const { return flag == 0.0f; }
    bool operator==(const XyPoint&) const = default;
};

/// @brief The list with its file state. points[0] exists and is never a point.
struct XyList {
    std::vector<XyPoint> points = std::vector<XyPoint>(1);
    std::string comment;     ///< "optionaler File-Kommentar"
    std::string xyFilePath;  ///< last file loaded or saved
    std::string xyDir;       ///< start directory of the XY dialogs
    bool unsaved = false;

    int count() const { return static_cast<int>(points.size()) - 1; }
    bool operator==(const XyList&) const = default;
};

/// @brief The formulas of "Zahlen modifizieren", by index.
enum class XyFormula { ExpY = 0, LnY = 1, TimesW = 2, PlusW = 3, Reciprocal = 4, OneMinusX = 5 };

/// @brief The file separator detected from a line: the last of " ", ",", ";", Tab (in this order
/// of precedence: Tab before ";", ";" before ",", "," before blank) that occurs; empty if none.
std::string detectXySeparator(const std::string& line);

/// @brief Lines of the XY file of the list: the comment, then one "x<sep>y" line per active point.
std::vector<std::string> xyFileLines(const XyList& list, const std::string& separator);

/// @brief Writes the XY file atomically.
FileError writeXyFile(const std::string& path, const XyList& list, const std::string& separator);

/// @brief A read XY or LRG file: comment and points, or the error.
struct XyFileRead {
    std::string comment;
    std::vector<XyPoint> points;  ///< 0-based here
    FileError error;
};

/// @brief Parses XY or LRG file lines: separator from line 2, comment from line 1, one active
/// point per further non-empty line; a comma in a number is a decimal point.
XyFileRead parseXyFile(const std::vector<std::string>& lines, const std::string& path);

/// @brief Reads and parses an XY or LRG file.
XyFileRead readXyFile(const std::string& path);

/// @brief Applies formula `f` with constant `w` to every point, or to none: when any point fails
/// (logarithm of a value not above 0, division by zero, overflow) the list is left as it was and
/// the German fault description is returned.
std::optional<std::string> applyXyFormula(XyList& list, XyFormula f, double w);

/// @brief Exchanges x and y of every point.
void swapXy(XyList& list);
/// @brief Sorts the points ascending by x (stable).
void sortByX(XyList& list);
/// @brief Sorts the points ascending by y (stable).
void sortByY(XyList& list);
/// @brief Removes rows first .. last (1-based, inclusive, clamped to the list).
void removeXyRows(XyList& list, int first, int last);
/// @brief Removes all points.
void clearXyList(XyList& list);

}  // namespace zemtral
