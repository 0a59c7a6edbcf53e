#include "diagrams/chart_component.h"

namespace zemtral {

void loadCurveBuffer(ChartComponent& chart, int group, int series, const CurveBuffer& buffer, double xScale,
                     double yScale) {
    const int n = buffer.count();
    std::vector<ChartPoint> points;
    points.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        points.push_back(
            {static_cast<double>(buffer[i].x) / xScale, static_cast<double>(buffer[i].y) / yScale});
    }
    if (chart.seriesCount(group) < series) {
        chart.setSeriesCount(group, series);
    }
    chart.setSeriesData(group, series, points);
}

}  // namespace zemtral
