#pragma once
// One input run through the file readers (ZD3, ZC3, XY) with their invariants: nothing
// crashes, a refused file reports an error with a description and leaves the target untouched,
// and an accepted file, written again, is accepted again with what the format can hold of it.
// Shared by the libFuzzer targets (one per reader) and the fixed-seed mutation test; each
// returns false on a broken invariant.
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

inline bool exerciseDataFile(std::string_view bytes) {
    ExpDataSet set;
    set.dataComment = "vorher";
    set.points.push_back(ExpPoint{});
    set.pointCount = 1;
    const ExpDataSet before = set;
    const DataFileRead data = parseDataFile(inputLines(bytes), "fuzz.ZD3", set.pointCount);
    if (data.error.failed()) {
        return !fileErrorDescription(data.error).empty() && set == before;
    }
    applyDataFile(set, data.content, true);
    if (set.pointCount != before.pointCount + static_cast<int>(data.content.points.size()) ||
        set.points.size() != static_cast<std::size_t>(set.pointCount) + 1) {
        return false;
    }
    const std::vector<std::string> written = dataFileLines(set);
    const DataFileRead again = parseDataFile(throughFile(written), "again.ZD3");
    return !again.error.failed() && again.content.points.size() == static_cast<std::size_t>(set.pointCount);
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
    return !again.error.failed() && again.points.size() == xy.points.size();
}

/// @brief All three readers on the same input.
inline bool exerciseReaders(std::string_view bytes) {
    return exerciseDataFile(bytes) && exerciseProjectFile(bytes) && exerciseXyFile(bytes);
}

}  // namespace zemtral::fuzz
