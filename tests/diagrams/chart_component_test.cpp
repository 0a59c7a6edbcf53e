// The recording chart keeps the contract the windows rely on: batching, point removal, hit tests,
// save and load of the whole state.
#include <gtest/gtest.h>

#include "support/recording_chart.h"

namespace zemtral {
namespace {

TEST(RecordingChart, BatchingRepaintsOnceAndStateRoundTrips) {
    test::RecordingChart chart;
    {
        ChartUpdateBatch outer(chart);
        {
            ChartUpdateBatch inner(chart);
            chart.setSeriesCount(1, 2);
            const std::vector<ChartPoint> points{{0, 0}, {1, 1}, {2, 4}};
            chart.setSeriesData(1, 2, points);
            chart.setSeriesLabel(1, 2, "c(A) ");
        }
        EXPECT_EQ(chart.repaints, 0);
        chart.setHeader("Titel", ChartFont{}, false);
    }
    EXPECT_EQ(chart.repaints, 1);
    chart.removePoint(1, 2, 2);
    EXPECT_EQ(chart.repaints, 2);
    ASSERT_EQ(chart.pointCount(1, 2), 2);
    EXPECT_EQ(chart.point(1, 2, 2), (ChartPoint{2, 4}));

    ASSERT_TRUE(chart.saveState("/tmp/a.oc2").ok);
    chart.setSeriesLabel(1, 2, "anders");
    chart.setSeriesCount(1, 0);
    ASSERT_TRUE(chart.loadState("/tmp/a.oc2").ok);
    EXPECT_EQ(chart.seriesLabel(1, 2), "c(A) ");
    EXPECT_EQ(chart.header(), "Titel");
    EXPECT_FALSE(chart.loadState("/tmp/b.oc2").ok);
    EXPECT_EQ(chart.seriesLabel(1, 2), "c(A) ");
}

TEST(RecordingChart, HitTesting) {
    test::RecordingChart chart;
    AxisSettings x;
    x.minimum = 0;
    x.maximum = 100;
    AxisSettings y;
    y.minimum = 0;
    y.maximum = 1;
    chart.setAxis(ChartAxis::X, x);
    chart.setAxis(ChartAxis::Y, y);
    const auto centre = chart.dataCoordinatesAt(chart.plotLeft + 200, chart.plotTop + 150);
    ASSERT_TRUE(centre);
    EXPECT_DOUBLE_EQ(centre->x, 50.0);
    EXPECT_DOUBLE_EQ(centre->y, 0.5);
    EXPECT_FALSE(chart.dataCoordinatesAt(0, 0));
    const std::vector<ChartPoint> points{{10, 0.1}, {50, 0.5}};
    chart.setSeriesData(2, 1, points);
    const auto hit = chart.pointAt(chart.plotLeft + 202, chart.plotTop + 150, 5);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->group, 2);
    EXPECT_EQ(hit->point, 2);
    EXPECT_FALSE(chart.pointAt(chart.plotLeft + 300, chart.plotTop + 10, 5));
}

TEST(ChartInk, TextsAreWhiteOnADarkSheetOnly) {
    EXPECT_EQ(inkOn(kChartBlack), kChartWhite);
    EXPECT_EQ(inkOn(kChartWhite), kChartBlack);
    EXPECT_EQ(inkOn(ChartColour{0xC0C0C0}), kChartBlack);  // "Gesamtrand grau"
    EXPECT_EQ(inkOn(ChartColour{15790320}), kChartBlack);  // the light grey of the labels
    EXPECT_EQ(inkOn(ChartColour{0x000080}), kChartWhite);  // navy
    EXPECT_EQ(inkOn(ChartColour{0xFFFF00}), kChartBlack);  // yellow is light although blue is 0
}

}  // namespace
}  // namespace zemtral
