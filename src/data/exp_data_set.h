#pragma once
// The experimental data set: measured points, comment, time unit and survey results.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zemtral {

/// @brief One measurement point. A value 0 in c, T or k means "not measured".
struct ExpPoint {
    double t = 0.0;                  ///< time [data-set time unit]
    std::array<double, 6> c{};       ///< cA..cQ at slots 1..5 [mol/l]; element 0 unused
    double T = 0.0;                  ///< temperature [K]
    double k = 0.0;                  ///< rate constant
    float lambda = 0.0f;             ///< property proportional to the concentration
    float res3 = 0.0f, res4 = 0.0f;  ///< reserve values, kept unchanged
    std::int16_t exclude = 0;        ///< 0 active, −1 set inactive by the user

    bool operator==(const ExpPoint&) const = default;
};

/// @brief Largest number of points a set can hold (the count is a 16-bit integer).
inline constexpr int kMaxPointCount = 32767;

/// @brief The one data set of the program. points[0] exists and is never a point: point i
/// (1-based) is points[i], so points.size() == pointCount + 1.
struct ExpDataSet {
    std::vector<ExpPoint> points = std::vector<ExpPoint>(1);
    std::int16_t pointCount = 0;
    std::string dataComment;
    std::string timeUnit = "s";
    double lambdaInf = 0.0;  ///< lambda at infinite time; 0 = no value
    double lambda0 = 0.0;    ///< lambda of the active point at t = 0 (derived)
    std::string dataFilePath;
    std::string dataDir;
    bool dataChanged = false;

    bool operator==(const ExpDataSet&) const = default;
};

/// @brief What SurveyDataSet derives from the set.
struct DataSurvey {
    bool hasCtData = false;      ///< >= 2 points with cA > 0 and a non-zero sum of t
    bool hasKTData = false;      ///< >= 2 points with T > 0 and k > 0
    bool hasCtTData = false;     ///< >= 3 points with cA > 0 and T > 0 and a non-zero sum of t
    bool hasLambdaData = false;  ///< lambdaInf > 0 and a positive sum of lambda
    std::int16_t temperatureCount = 0;
    std::vector<float> temperatureList = std::vector<float>(1);  ///< 1-based, ascending, at most 24
    double tMax = 0.0;
    std::array<bool, 6> shownSpecies{};  ///< slot has a concentration > 0 somewhere
    double lambda0 = 0.0;

    bool operator==(const DataSurvey&) const = default;
};

/// @brief Most distinct temperatures the survey lists.
inline constexpr int kMaxTemperatureCount = 24;

/// @brief The survey of all points 1 .. pointCount, active and inactive alike.
DataSurvey computeDataSurvey(const ExpDataSet& set);

/// @brief Empties the set before a non-appending load: no points, no file path, not changed.
/// The comment, unit and lambda values stay (the load that follows replaces them).
void ClearDataSet(ExpDataSet& set);

/// @brief The part of a path after its last "/" (a "\" of a Windows path counts too).
std::string FileNameOnly(const std::string& path);

/// @brief The directory part of a path (without the trailing "/"); empty when there is none.
std::string directoryOf(const std::string& path);

/// @brief c(i) of the first point with t < 1E-8 for slots 1..5, or 0 when there is none [mol/l].
std::array<float, 6> InitialConcFromData(const ExpDataSet& set);

}  // namespace zemtral
