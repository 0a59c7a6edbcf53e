#pragma once
// Everything a chart holds, as plain data: what the chart model keeps, what a design file
// stores and what a renderer draws.
#include <string>
#include <utility>
#include <vector>

#include "diagrams/chart_component.h"

namespace zemtral {

/// @brief The complete state of a chart.
struct ChartState {
    /// @brief One series of a chart group.
    struct Series {
        std::vector<ChartPoint> points;
        SeriesStyle style;
        std::string label;  ///< legend text; empty: no legend entry
        bool legendShown = true;
        bool visible = true;
    };
    std::vector<Series> groups[2];                   ///< group 1 curves, group 2 point sets
    std::vector<std::pair<int, ChartLabel>> labels;  ///< by id, in the order they were added
    int nextLabelId = 1;
    std::string header;
    ChartFont headerFont{"Arial", 10.0f, true};
    bool headerFramed = false;
    AxisSettings axes[2];  ///< x, y
    LegendSettings legend;
    AreaSettings areas;
};

/// @brief Default style of a new series: group 1 lines, group 2 filled circles without a line.
SeriesStyle defaultSeriesStyle(int group);

}  // namespace zemtral
