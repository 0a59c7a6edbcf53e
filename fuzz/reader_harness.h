#pragma once
// One input run through the three file readers (ZD3, ZC3, XY) with their invariants: nothing
// crashes, a refused file reports an error with a description and leaves the target untouched,
// and an accepted file, written again, is accepted again with the same points. Shared by the
// libFuzzer target and the fixed-seed mutation test; returns false on a broken invariant.
#include <string_view>

#include "data/data_file.h"
#include "data/project_file.h"
#include "data/text_encoding.h"
#include "data/xy_list.h"

namespace zemtral::fuzz {

inline bool exerciseReaders(std::string_view bytes) {
    const std::vector<std::string> lines = splitLines(decodeFileText(bytes));

    ExpDataSet set;
    set.dataComment = "vorher";
    set.points.push_back(ExpPoint{});
    set.pointCount = 1;
    const ExpDataSet before = set;
    const DataFileRead data = parseDataFile(lines, "fuzz.ZD3", set.pointCount);
    if (data.error.failed()) {
        if (fileErrorDescription(data.error).empty() || !(set == before)) {
            return false;
        }
    } else {
        applyDataFile(set, data.content, true);
        if (set.pointCount != before.pointCount + static_cast<int>(data.content.points.size()) ||
            set.points.size() != static_cast<std::size_t>(set.pointCount) + 1) {
            return false;
        }
        const DataFileRead again =
            parseDataFile(splitLines(decodeFileText(encodeFileLines(dataFileLines(set)))), "again.ZD3");
        if (again.error.failed() || again.content.points.size() != static_cast<std::size_t>(set.pointCount)) {
            return false;
        }
    }

    const ProjectRead project = parseProjectFile(lines, "fuzz.ZC3");
    if (project.error.failed()) {
        if (fileErrorDescription(project.error).empty()) {
            return false;
        }
    } else {
        const ProjectRead again = parseProjectFile(
            splitLines(decodeFileText(encodeFileLines(projectFileLines(project.content, DateTime{})))),
            "again.ZC3");
        if (again.error.failed() || again.content.modelId != project.content.modelId ||
            again.content.rateConst != project.content.rateConst) {
            return false;
        }
    }

    const XyFileRead xy = parseXyFile(lines, "fuzz.XY");
    if (xy.error.failed()) {
        if (fileErrorDescription(xy.error).empty() || !xy.points.empty()) {
            return false;
        }
    } else {
        XyList list;
        list.points.insert(list.points.end(), xy.points.begin(), xy.points.end());
        const XyFileRead again =
            parseXyFile(splitLines(decodeFileText(encodeFileLines(xyFileLines(list, ";")))), "again.XY");
        if (again.error.failed() || again.points.size() != xy.points.size()) {
            return false;
        }
    }
    return true;
}

}  // namespace zemtral::fuzz
