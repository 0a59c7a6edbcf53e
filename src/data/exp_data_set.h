#pragma once
// The experimental data set: measured points, comment, time unit and survey results.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zemtral {

/// @brief One measurement point. A value 0 in c, T or k means "not measured".
struct ExpPoint {
    double t = 0.0;                 ///< time [data-set time unit]
    std::array<double, 6> c{};      ///< cA..cQ at slots 1..5 [mol/l]; element 0 unused
    double T = 0.0;                 ///< temperature [K]
    double k = 0.0;                 ///< rate constant
    float lambda = 0.0f;            ///< property proportional to the concentration
    float res3 = 0.0f, res4 = 0.0f; ///< reserve values, kept unchanged
    std::int16_t exclude = 0;       ///< 0 active, −1 set inactive by the user
};

/// @brief The one data set of the program. points[0] exists and is never a point: point i
/// (1-based) is points[i], so points.size() == pointCount + 1.
struct ExpDataSet {
    std::vector<ExpPoint> points = std::vector<ExpPoint>(1);
    std::int16_t pointCount = 0;
    std::string dataComment;
    std::string timeUnit = "s";
    double lambdaInf = 0.0;
    double lambda0 = 0.0;
    std::string dataFilePath;
    std::string dataDir;
    bool dataChanged = false;
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
};

}  // namespace zemtral
