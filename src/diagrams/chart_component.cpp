#include "diagrams/chart_component.h"

namespace zemtral {

ChartColour inkOn(ChartColour background) {
    // Rec. 709 weights of the three channels; a grey of 0x80 counts as light.
    const double r = (background.rgb >> 16) & 0xFFu;
    const double g = (background.rgb >> 8) & 0xFFu;
    const double b = background.rgb & 0xFFu;
    const double luminance = (0.2126 * r + 0.7152 * g + 0.0722 * b) / 255.0;
    return luminance < 0.5 ? kChartWhite : kChartBlack;
}

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
