#include "data/exp_data_set.h"

#include <algorithm>
#include <utility>

namespace zemtral {

DataSurvey computeDataSurvey(const ExpDataSet& set) {
    DataSurvey s;
    const int n = set.pointCount;
    float sumT = 0.0f;  // the times are summed in single precision, as the original does
    double sumLambda = 0.0;
    int nKT = 0, nA = 0, nAT = 0;
    for (int i = 1; i <= n; ++i) {
        const ExpPoint& p = set.points[static_cast<std::size_t>(i)];
        sumT += static_cast<float>(p.t);
        sumLambda += p.lambda;
        s.tMax = std::max(s.tMax, p.t);
        if (p.t == 0.0 && p.exclude == 0) {
            s.lambda0 = p.lambda;
        }
        nKT += (p.T > 0.0 && p.k > 0.0) ? 1 : 0;
        nA += p.c[1] > 0.0 ? 1 : 0;
        nAT += (p.c[1] > 0.0 && p.T > 0.0) ? 1 : 0;
        for (int m = 1; m <= 5; ++m) {
            s.shownSpecies[static_cast<std::size_t>(m)] =
                s.shownSpecies[static_cast<std::size_t>(m)] || p.c[static_cast<std::size_t>(m)] > 0.0;
        }
    }
    s.hasKTData = nKT > 1;
    s.hasCtData = nA > 1 && sumT != 0.0f;
    s.hasCtTData = nAT > 2 && sumT != 0.0f;
    s.hasLambdaData = set.lambdaInf > 0.0 && sumLambda > 0.0;

    // Distinct temperatures: sorted ascending, a value within 0.01 K of its sorted predecessor
    // counts with it.
    std::vector<double> sorted;
    sorted.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        sorted.push_back(set.points[static_cast<std::size_t>(i)].T);
    }
    std::sort(sorted.begin(), sorted.end());
    int count = 0;
    if (!sorted.empty() && sorted[0] > 0.0) {
        s.temperatureList.push_back(static_cast<float>(sorted[0]));
        count = 1;
    }
    for (std::size_t v = 1; v < sorted.size(); ++v) {
        if (sorted[v] > 0.0 && sorted[v - 1] + 0.01 < sorted[v]) {
            if (count < kMaxTemperatureCount) {
                s.temperatureList.push_back(static_cast<float>(sorted[v]));
            }
            ++count;
        }
    }
    s.temperatureCount = static_cast<std::int16_t>(std::min(count, kMaxTemperatureCount));
    return s;
}

void ClearDataSet(ExpDataSet& set) {
    set.pointCount = 0;
    set.points.resize(1);
    set.dataFilePath.clear();
    set.dataChanged = false;
}

std::string FileNameOnly(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string directoryOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) {
        return {};
    }
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::array<float, 6> InitialConcFromData(const ExpDataSet& set) {
    std::array<float, 6> c0{};
    for (int i = 1; i <= set.pointCount; ++i) {
        const ExpPoint& p = set.points[static_cast<std::size_t>(i)];
        if (p.t < 1e-8) {
            for (std::size_t m = 1; m <= 5; ++m) {
                c0[m] = static_cast<float>(p.c[m]);
            }
            break;
        }
    }
    return c0;
}

}  // namespace zemtral
