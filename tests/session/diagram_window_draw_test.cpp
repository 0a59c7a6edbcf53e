#include "session/diagram_window_draw.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <limits>

#include "session/evaluation_commands.h"
#include "support/recording_chart.h"
#include "support/recording_dialogs.h"

namespace zemtral {
namespace {

TEST(CurveSlots, TwentyFourSlotsThenTheCounterStops) {
    DiagramState d;
    for (int expected = 1; expected <= 24; ++expected) {
        const auto slot = allocateCurveSlot(d);
        ASSERT_TRUE(slot.has_value());
        EXPECT_EQ(*slot, expected);
    }
    EXPECT_EQ(d.curveCount, 24);
    EXPECT_FALSE(allocateCurveSlot(d).has_value());
    EXPECT_EQ(d.curveCount, 24);  // set back, not 25
    EXPECT_EQ(tooManyCurvesText(), "Maximal 24 Kurven möglich\r\nLöschen Sie vorhandene Kurven");

    // A freed slot in the middle is the next one given out.
    freeCurveSlot(d, 7);
    freeCurveSlot(d, 7);  // freeing twice does not count twice
    EXPECT_EQ(d.curveCount, 23);
    EXPECT_EQ(allocateCurveSlot(d), std::optional<int>(7));
    EXPECT_EQ(d.curveCount, 24);
}

TEST(CurveSlots, ACounterOfZeroFreesEverySlot) {
    DiagramState d;  // flags start taken, as in a window that never drew
    d.curveCount = 0;
    EXPECT_EQ(allocateCurveSlot(d), std::optional<int>(1));
    d.curveCount = 0;  // the counter was reset (a fresh window): slot 1 is free again
    EXPECT_EQ(allocateCurveSlot(d), std::optional<int>(1));
}

TEST(CurveLabels, PositionAlongTheCurve) {
    CurveBuffer b;
    b.setCount(201);
    for (int i = 1; i <= 201; ++i) {
        b.set(i, static_cast<float>(i - 1) * 0.5f, 1.0f);
    }
    EXPECT_EQ(lastPointBelow(b, 100.0f), 200);  // x = 99.5
    EXPECT_EQ(lastPointBelow(b, 1000.0f), 201);
    EXPECT_EQ(lastPointBelow(b, 0.0f), 0);
    // j/1.2 − 0.18·j·s: 201 points, series 1 → 131; series 4 → 23; far series stay on the curve.
    EXPECT_EQ(curveLabelPoint(201, 1, 201), 131);
    EXPECT_EQ(curveLabelPoint(201, 4, 201), 23);
    EXPECT_EQ(curveLabelPoint(201, 24, 201), 1);
    EXPECT_EQ(curveLabelPoint(0, 1, 201), 1);
    EXPECT_NE(curveSlotColour(1), curveSlotColour(2));
}

TEST(CurveExport, LinesAndClipboardText) {
    const std::vector<ChartPoint> points{{1.5, 0.25}, {0.0, -12345.678}, {2e-7, 1e12}};
    const auto lines = curveExportLines(points, ";");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "\"Kurvenpunkte\"");
    EXPECT_EQ(lines[1], ".1500000E+01;.2500000E+00");
    EXPECT_EQ(lines[2], ".0000000E+00;-.1234568E+05");
    EXPECT_EQ(lines[3], ".2000000E-06;.1000000E+13");
    EXPECT_EQ(curveExportLines(points, "\t")[1], ".1500000E+01\t.2500000E+00");
    // The C library's locale does not change the file.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(curveExportLines(points, ";")[1], ".1500000E+01;.2500000E+00");
        std::setlocale(LC_NUMERIC, "C");
    }
    EXPECT_EQ(curveClipboardText(points, ','), "1,5\t0,25\r\n0\t-12345,68\r\n2E-07\t1E+12\r\n");
}

TEST(CurveExport, SeparatorList) {
    ASSERT_EQ(separatorEntries().size(), 3u);
    EXPECT_EQ(separatorEntries()[1], "Trennzeichen Leerzeichen");
    EXPECT_EQ(separatorForEntry(0), ";");
    EXPECT_EQ(separatorForEntry(1), " ");  // a blank, as the entry says
    EXPECT_EQ(separatorForEntry(2), "\t");
    for (int entry = 0; entry < 3; ++entry) {
        EXPECT_EQ(entryForSeparator(separatorForEntry(entry)), entry);
    }
    EXPECT_EQ(entryForSeparator(","), 0);
}

TEST(CurveExport, DeletePointQuestion) {
    EXPECT_EQ(deletePointQuestion(1.5, 0.25, '.'),
              "Punkt x =1.5,  y =0.25\r\nwirklich löschen?\r\n\r\n(Hinweis: Rechts-Klick auf eine Kurve\r\n"
              "öffnet Kurven-Bearbeitungsfenster)");
}

TEST(DrawCommand, NonIsothermalFittingCurvesCarryTheirTemperatureIntoTheLegend) {
    Session s;
    applyModelDefaults(s.state, 2);
    s.state.fittingMode = kFittingNonIsothermalFirst;
    s.state.tEnd = 50.0f;
    s.diagramKind = 2;
    s.diagram.frame = {0.0f, 0.0f, 50.0f, 1.0f, "", "", ""};
    s.diagram.curveCount = 0;
    test::RecordingChart chart;
    test::RecordingDialogs dialogs;
    const CurveTable curves = simulationCurveTable();
    for (const float temperature : {308.0f, 328.0f}) {
        ASSERT_TRUE(simulateFittingCurve(s, {0.05, temperature, ""}, dialogs));
        s.diagram.seriesCount = 1;
        const DrawCommandResult r = runDrawCommand(s, chart, dialogs, curves, std::nullopt);
        ASSERT_EQ(r.curves.size(), 1u);
        EXPECT_EQ(r.curves[0].legend, temperature == 308.0f ? "c(A) T/K = 308" : "c(A) T/K = 328");
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(CoordinateInput, WindowsTheChartCannotShowAreRefused) {
    EXPECT_TRUE(coordinateInputProblems(0, 100, 0, 1).empty());
    EXPECT_TRUE(coordinateInputProblems(-1e38, 3.4e38, -1e-30, 1e-30).empty());
    EXPECT_EQ(coordinateInputProblems(std::numeric_limits<double>::infinity(), 100, 0, 1),
              (std::vector<std::string>{"- x(min): Zahl außerhalb des darstellbaren Bereichs"}));
    EXPECT_EQ(coordinateInputProblems(0, 100, 0, 1e39),
              (std::vector<std::string>{"- y(max): Zahl außerhalb des darstellbaren Bereichs"}));
    EXPECT_EQ(coordinateInputProblems(100, 100, 2, 1),
              (std::vector<std::string>{"- x(min) muss kleiner als x(max) sein",
                                        "- y(min) muss kleiner als y(max) sein"}));
    // Distinct doubles that are one single: the window would be empty.
    EXPECT_EQ(coordinateInputProblems(1.0, 1.0 + 1e-12, 0, 1).size(), 1u);
}

TEST(CoordinateInput, TextsThatAreNoNumberAndLogarithmicAxesBelowZero) {
    std::array<double, 4> v{};
    EXPECT_TRUE(coordinateTextProblems({" 0,5 ", "1e2", "-3", ""}, false, false, v).empty());
    EXPECT_EQ(v, (std::array<double, 4>{0.5, 100.0, -3.0, 0.0}));  // an empty field is 0
    // "abc" was read as 0 and "2x" as 2 without a word.
    EXPECT_EQ(coordinateTextProblems({"abc", "2x", "0", "1"}, false, false, v),
              (std::vector<std::string>{"- x(min): keine gültige Zahl", "- x(max): keine gültige Zahl"}));
    // Too large stays "außerhalb", not "keine gültige Zahl".
    EXPECT_EQ(coordinateTextProblems({"0", "1", "0", "1e400"}, false, false, v),
              (std::vector<std::string>{"- y(max): Zahl außerhalb des darstellbaren Bereichs"}));
    // A logarithmic axis needs a window above 0; the other axis may include 0.
    EXPECT_EQ(coordinateTextProblems({"0", "10", "0", "1"}, true, false, v),
              (std::vector<std::string>{"- logarithmische x-Achse: x(min) muss größer als 0 sein"}));
    EXPECT_EQ(coordinateTextProblems({"0.1", "10", "-1", "1"}, true, true, v),
              (std::vector<std::string>{"- logarithmische y-Achse: y(min) muss größer als 0 sein"}));
    EXPECT_TRUE(coordinateTextProblems({"1e-3", "10", "1e-9", "1"}, true, true, v).empty());
}

}  // namespace
}  // namespace zemtral
