#pragma once
// The ZD3 experimental data file: comment, time unit, column header, point count and 13 fields
// per point. Reading is all-or-nothing: a file is parsed completely into a DataFileContent, and
// only a complete, valid file is applied to the data set.
#include <string>
#include <vector>

#include "data/exp_data_set.h"
#include "data/file_errors.h"

namespace zemtral {

/// @brief The fixed column header on line 3.
inline constexpr const char* kDataFileHeader =
    "t, cA, cB, cC, cP, cQ, k, T, lambda, lamda(inf), res3, res4, exclude(0|-1)";

/// @brief Number of fields of one point line.
inline constexpr int kDataFieldsPerPoint = 13;

/// @brief Everything a ZD3 file holds.
struct DataFileContent {
    std::string comment;
    std::string timeUnit;          ///< one of "s", "min", "h", "d", "a"
    std::vector<ExpPoint> points;  ///< in file order (0-based here)
    double lambdaInf = 0.0;        ///< the last positive lambda(inf) of the file; 0 = none
    double lambda0 = 0.0;          ///< lambda of the last active point at t = 0; 0 = none
};

struct DataFileRead {
    DataFileContent content;
    FileError error;
};

/// @brief Parses the lines of a ZD3 file. `pointsAlready` is the number of points the set holds
/// when appending: the sum must fit the 16-bit count.
DataFileRead parseDataFile(const std::vector<std::string>& lines, const std::string& path,
                           int pointsAlready = 0);

/// @brief Reads and parses a ZD3 file.
DataFileRead readDataFile(const std::string& path, int pointsAlready = 0);

/// @brief Puts a parsed file into the set: the comment unless appending, the unit always, the
/// points after those present, lambda(inf) when the file has a positive one, lambda0 always.
void applyDataFile(ExpDataSet& set, const DataFileContent& content, bool append);

/// @brief The lines of the ZD3 file of the set (UTF-8; the writer encodes them).
std::vector<std::string> dataFileLines(const ExpDataSet& set);

/// @brief Writes the set as a ZD3 file (atomically, Windows-1252, CR LF).
FileError writeDataFile(const std::string& path, const ExpDataSet& set);

/// @brief The first line of a file: the comment of a ZD3 file (the file-dialog preview).
std::string readFirstLine(const std::string& path, FileError& error);

}  // namespace zemtral
