#pragma once
// One input run through the file readers (ZD3, ZC3, XY) with their invariants: nothing
// crashes, a refused file reports an error with a description (the readers only return what they
// read, so a refused file cannot reach the program's state), and an accepted file, written
// again, is accepted again with what the format can hold of it:
// every point in its place, doubles to the 15 digits written, floats to a rounding step.
// Shared by the libFuzzer targets (one per reader) and the fixed-seed mutation test; each
// returns false on a broken invariant.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "data/data_file.h"
#include "data/project_file.h"
#include "data/text_encoding.h"
#include "data/xy_list.h"
#include "numeric/number_text.h"

namespace zemtral::fuzz {

inline std::vector<std::string> inputLines(std::string_view bytes) {
    return splitLines(decodeFileText(bytes));
}

// Lines as a file holds them: written in the file encoding and read back.
inline std::vector<std::string> throughFile(const std::vector<std::string>& lines) {
    return splitLines(decodeFileText(encodeFileLines(lines)));
}

// A double as a file holds it: 15 significant digits, so the written texts must agree.
inline bool sameDouble(double a, double b) {
    return formatDouble(a) == formatDouble(b);
}

// A 4-byte float as a file holds it: 7 significant digits read back into a float, which may
// move it by a rounding step of either.
inline bool sameSingle(float a, float b) {
    return a == b ||
           std::fabs(static_cast<double>(a) - static_cast<double>(b)) <=
               2e-6 * std::max(std::fabs(static_cast<double>(a)), std::fabs(static_cast<double>(b)));
}

inline bool exerciseDataFile(std::string_view bytes) {
    ExpDataSet set;
    set.dataComment = "vorher";
    set.points.push_back(ExpPoint{});
    set.pointCount = 1;
    const ExpDataSet before = set;
    const DataFileRead data = parseDataFile(inputLines(bytes), "fuzz.ZD3", set.pointCount);
    if (data.error.failed()) {
        return !fileErrorDescription(data.error).empty();
    }
    applyDataFile(set, data.content, true);
    if (set.pointCount != before.pointCount + static_cast<int>(data.content.points.size()) ||
        set.points.size() != static_cast<std::size_t>(set.pointCount) + 1) {
        return false;
    }
    const std::vector<std::string> written = dataFileLines(set);
    const DataFileRead again = parseDataFile(throughFile(written), "again.ZD3");
    if (again.error.failed() || again.content.points.size() != static_cast<std::size_t>(set.pointCount) ||
        again.content.timeUnit != set.timeUnit) {
        return false;
    }
    // Every point comes back in its place with what the file holds of each field.
    for (std::size_t i = 1; i < set.points.size(); ++i) {
        const ExpPoint& a = set.points[i];
        const ExpPoint& b = again.content.points[i - 1];
        if (!sameDouble(a.t, b.t) || !sameDouble(a.k, b.k) || !sameDouble(a.T, b.T) ||
            a.exclude != b.exclude || !sameSingle(a.lambda, b.lambda) || !sameSingle(a.res3, b.res3) ||
            !sameSingle(a.res4, b.res4)) {
            return false;
        }
        for (std::size_t s = 1; s <= 5; ++s) {
            if (!sameDouble(a.c[s], b.c[s])) {
                return false;
            }
        }
    }
    return set.lambdaInf <= 0.0 || sameDouble(again.content.lambdaInf, set.lambdaInf);
}

inline bool exerciseProjectFile(std::string_view bytes) {
    const ProjectRead project = parseProjectFile(inputLines(bytes), "fuzz.ZC3");
    if (project.error.failed()) {
        return !fileErrorDescription(project.error).empty();
    }
    // The writer keeps 15 significant digits of a constant: a file may carry more, so the
    // constants must agree to the written precision, and a second round must change nothing.
    const std::vector<std::string> written = projectFileLines(project.content, DateTime{});
    const ProjectRead again = parseProjectFile(throughFile(written), "again.ZC3");
    if (again.error.failed() || again.content.modelId != project.content.modelId ||
        projectFileLines(again.content, DateTime{}) != throughFile(written)) {
        return false;
    }
    for (std::size_t i = 1; i <= 3; ++i) {
        if (formatDouble(again.content.rateConst[i]) != formatDouble(project.content.rateConst[i])) {
            return false;
        }
    }
    return true;
}

inline bool exerciseXyFile(std::string_view bytes) {
    const XyFileRead xy = parseXyFile(inputLines(bytes), "fuzz.XY");
    if (xy.error.failed()) {
        return !fileErrorDescription(xy.error).empty() && xy.points.empty();
    }
    XyList list;
    list.points.insert(list.points.end(), xy.points.begin(), xy.points.end());
    const XyFileRead again = parseXyFile(throughFile(xyFileLines(list, ";")), "again.XY");
    if (again.error.failed() || again.points.size() != xy.points.size()) {
        return false;
    }
    for (std::size_t i = 0; i < xy.points.size(); ++i) {
        if (!sameSingle(again.points[i].x, xy.points[i].x) ||
            !sameSingle(again.points[i].y, xy.points[i].y)) {
            return false;
        }
    }
    return true;
}

/// @brief All three readers on the same input.
inline bool exerciseReaders(std::string_view bytes) {
    return exerciseDataFile(bytes) && exerciseProjectFile(bytes) && exerciseXyFile(bytes);
}

}  // namespace zemtral::fuzz
