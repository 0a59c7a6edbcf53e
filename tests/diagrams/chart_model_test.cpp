// The chart model: what its view is told, what goes with removed series, the design file through
// the model, and output without a view.
#include "diagrams/chart_model.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

namespace zemtral {
namespace {

// A view that keeps what it was told.
struct CountingView : ChartView {
    std::vector<ChartChange> changes;
    void chartChanged(const ChartChange& change) override { changes.push_back(change); }
    ChartOutput copyPictureToClipboard(PictureFormat) override { return {}; }
    ChartOutput writePicture(const std::string&, PictureFormat) override { return {true, "geschrieben"}; }
    ChartOutput print(const PrintRequest&) override { return {}; }
    std::optional<ChartPoint> dataCoordinatesAt(int px, int py) const override {
        return ChartPoint{double(px), double(py)};
    }
    std::optional<ChartHit> pointAt(int, int, int) const override { return std::nullopt; }
};

TEST(ChartModel, TheViewIsToldOncePerBatchWithEverythingThatChanged) {
    ChartModel model;
    CountingView view;
    model.setView(&view);
    ASSERT_EQ(view.changes.size(), 1u);
    EXPECT_EQ(view.changes[0].parts, unsigned(ChartChange::kAll));
    {
        ChartUpdateBatch outer(model);
        ChartUpdateBatch inner(model);
        model.setSeriesCount(1, 3);
        const std::vector<ChartPoint> points{{0, 1}, {1, 0.5}};
        model.setSeriesData(1, 2, points);
        model.setSeriesLabel(1, 3, "c(P) ");
        model.setAxis(ChartAxis::X, AxisSettings{});
    }
    ASSERT_EQ(view.changes.size(), 2u);
    const ChartChange& batch = view.changes[1];
    EXPECT_EQ(batch.parts, unsigned(ChartChange::kSeries | ChartChange::kLabels | ChartChange::kAxes));
    EXPECT_EQ(batch.seriesChanged, (std::vector<std::pair<int, int>>{{1, 2}, {1, 3}}));
    // Outside a batch every change is told at once; a series that does not exist changes nothing.
    model.setHeader("Titel", ChartFont{}, true);
    model.setSeriesLabel(2, 9, "nichts");
    ASSERT_EQ(view.changes.size(), 3u);
    EXPECT_EQ(view.changes[2].parts, unsigned(ChartChange::kDecor));
    EXPECT_TRUE(model.headerFramed());
    EXPECT_EQ(model.dataCoordinatesAt(3, 4), (std::optional<ChartPoint>{ChartPoint{3, 4}}));
    model.setView(nullptr);
}

TEST(ChartModel, SeriesAndTheirLabels) {
    ChartModel model;
    EXPECT_EQ(model.axis(ChartAxis::Y).titleOrientation, TextOrientation::Vertical);
    model.setSeriesCount(2, 1);
    EXPECT_EQ(model.seriesStyle(2, 1), defaultSeriesStyle(2));
    EXPECT_EQ(model.seriesStyle(2, 1).linePattern, LinePattern::None);
    model.setSeriesCount(1, 5);
    const std::vector<ChartPoint> points{{0, 0}, {1, 1}, {2, 4}, {3, 9}};
    model.setSeriesData(1, 5, points);
    model.removePoint(1, 5, 2);
    EXPECT_EQ(model.pointCount(1, 5), 3);
    EXPECT_EQ(model.point(1, 5, 2), (ChartPoint{2, 4}));
    EXPECT_EQ(model.point(1, 5, 9), ChartPoint{});
    ChartLabel onFive;
    onFive.attachment = LabelAttachment::DataPoint;
    onFive.series = 5;
    ChartLabel onTwo = onFive;
    onTwo.series = 2;
    ChartLabel free;
    const int five = model.addLabel(onFive);
    const int two = model.addLabel(onTwo);
    const int text = model.addLabel(free);
    EXPECT_EQ(model.labelIds(), (std::vector<int>{1, 2, 3}));
    // Shrinking the group takes the labels of the removed series with it.
    model.setSeriesCount(1, 4);
    EXPECT_FALSE(model.label(five).has_value());
    EXPECT_TRUE(model.label(two).has_value());
    EXPECT_TRUE(model.label(text).has_value());
    model.removeLabel(two);
    EXPECT_EQ(model.addLabel(free), 4);  // ids are never given twice
}

TEST(ChartModel, DesignFileRoundTripAndOutputWithoutAView) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zemtral-model-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "d.oc2").string();
    ChartModel model;
    model.setSeriesCount(1, 2);
    const std::vector<ChartPoint> points{{0.5, 0.25}};
    model.setSeriesData(1, 2, points);
    model.setSeriesLabel(1, 2, "c(A) ");
    ASSERT_TRUE(model.saveState(path).ok);

    ChartModel other;
    CountingView view;
    other.setView(&view);
    ASSERT_TRUE(other.loadState(path).ok);
    EXPECT_EQ(other.seriesLabel(1, 2), "c(A) ");
    EXPECT_EQ(view.changes.back().parts, unsigned(ChartChange::kAll));
    EXPECT_EQ(view.changes.back().seriesChanged, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}}));
    // A file that fails to load leaves the chart as it was.
    const ChartOutput missing = other.loadState((dir / "fehlt.oc2").string());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(other.pointCount(1, 2), 1);
    EXPECT_TRUE(other.writePicture("x.png", PictureFormat::Png).ok);
    other.setView(nullptr);

    const ChartOutput noView = model.writePicture((dir / "x.png").string(), PictureFormat::Png);
    EXPECT_FALSE(noView.ok);
    EXPECT_EQ(noView.errorText, "Das Diagramm wird nicht angezeigt.");
    EXPECT_FALSE(model.print(PrintRequest{}).ok);
    EXPECT_FALSE(model.pointAt(1, 1, 5).has_value());
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zemtral
