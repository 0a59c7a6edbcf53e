// The diagram window without widgets: loading, drawing, the half-life marks, measured points,
// coordinates, design files and the option controls, through the document and the offscreen
// diagram that the command-line tool draws with.
#include "session/diagram_document.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "core/working_state.h"
#include "session/data_commands.h"
#include "session/offscreen_diagram.h"
#include "session/picture_output.h"
#include "support/recording_chart.h"
#include "support/recording_dialogs.h"
#include "test_paths.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;

// A session after "c-t-Diagramm zeichnen" for `model` with its default constants.
void simulate(Session& session, std::int16_t model, float tEnd = 100.0f) {
    session.diagramKind = applyModelDefaults(session.state, model).diagramKind;
    session.state.tEnd = tEnd;
    ASSERT_EQ(calc_diagramfunctioncT(session.state.modelId, session.state, session.simulation).errorFlag, 0);
    storeEngineAxisRanges(session.simulation, session.diagram.axisRanges);
}

TEST(DiagramDocument, AFreshDiagramDrawsItsCurvesWithTheDefaultLook) {
    Session session;
    RecordingDialogs dialogs;
    simulate(session, 4);
    OffscreenDiagram diagram(session, dialogs);
    DiagramDocument& document = diagram.open();
    EXPECT_TRUE(dialogs.shown.empty());
    const ChartModel& chart = diagram.chart();
    // A + B => P: three curves walked down from series 3, each with its label at a point of it.
    EXPECT_EQ(document.curvesShown(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(chart.seriesLabel(1, 1), "c(A) ");
    EXPECT_EQ(chart.seriesLabel(1, 2), "c(B) ");
    EXPECT_EQ(chart.seriesLabel(1, 3), "c(P) ");
    EXPECT_EQ(diagram.curveCount(), 3);
    for (int slot = 1; slot <= 3; ++slot) {
        const auto label = chart.label(document.curveLabelId(slot));
        ASSERT_TRUE(label.has_value());
        EXPECT_EQ(label->series, slot);
        EXPECT_GE(label->point, 1);
        EXPECT_LE(label->point, 201);
        EXPECT_EQ(chart.seriesStyle(1, slot).lineColour, curveSlotColour(slot));
    }
    EXPECT_EQ(chart.header(), "Konzentrationsverlauf für die Reaktion 2. Ordnung A + B => P");
    EXPECT_EQ(chart.axis(ChartAxis::Y).title, "c(A), c(B), c(P)/ (mol/l)");
    // The look of a loaded window: complete dotted grey grid, no border, automatic margins of 12.
    for (const ChartAxis a : {ChartAxis::X, ChartAxis::Y}) {
        EXPECT_TRUE(chart.axis(a).gridShown);
        EXPECT_EQ(chart.axis(a).gridPattern, LinePattern::Dotted);
        EXPECT_EQ(chart.axis(a).gridColour, ChartColour{0x808080});
        EXPECT_FALSE(chart.axis(a).gridSpacing.has_value());
    }
    EXPECT_EQ(chart.areas().border, BorderType::None);
    EXPECT_TRUE(chart.areas().margins.automatic);
    EXPECT_EQ(chart.areas().margins.left, 12);
    EXPECT_TRUE(chart.legend().shown);
    EXPECT_EQ(chart.legend().orientation, TextOrientation::Vertical);
    // The axis window is the engine's and is stored for the concentration family.
    EXPECT_EQ(chart.axis(ChartAxis::X).maximum, session.diagram.frame.xMax);
    EXPECT_EQ(session.diagram.axisRanges[1], session.diagram.frame.xMax);
}

TEST(DiagramDocument, HalfLifeMarksAndDeleting) {
    Session session;
    RecordingDialogs dialogs;
    simulate(session, 2, 40.0f);
    OffscreenDiagram diagram(session, dialogs);
    DiagramDocument& document = diagram.open();
    const auto status = document.markHalfLife(HalfLifeSpecies::A);
    ASSERT_TRUE(status.has_value());
    const ChartModel& chart = diagram.chart();
    ASSERT_EQ(chart.pointCount(1, kHalfLifeSeriesA), 2);
    const double tau = chart.point(1, kHalfLifeSeriesA, 1).x;
    EXPECT_NEAR(tau, std::log(2.0) / session.state.rateConst[1], 1e-4);
    EXPECT_EQ(chart.seriesStyle(1, kHalfLifeSeriesA).linePattern, LinePattern::Dashed);
    EXPECT_FALSE(chart.seriesLegendShown(1, kHalfLifeSeriesA));
    EXPECT_EQ(*document.markHalfLife(HalfLifeSpecies::B),
              "Halbwertszeit tau(B) kann unter diesen Bedingungen nicht erreicht werden");
    // The marks are no curves: the curve tabs and the counter do not see them.
    EXPECT_EQ(document.curvesShown(), (std::vector<int>{1, 2}));

    document.setText(DiagramText::ExtraText, "Zusatz", true);
    document.deleteCurve(1);
    EXPECT_EQ(document.curvesShown(), (std::vector<int>{2}));
    EXPECT_EQ(document.curveLabelId(1), 0);
    EXPECT_EQ(session.diagram.curveCount, 1);
    document.deleteEverything();
    EXPECT_TRUE(document.curvesShown().empty());
    EXPECT_EQ(chart.pointCount(1, kHalfLifeSeriesA), 0);
    EXPECT_TRUE(chart.labelIds().empty());
    EXPECT_EQ(document.text(DiagramText::ExtraText).text, "");
    EXPECT_EQ(session.diagram.curveCount, 0);
}

TEST(DiagramDocument, MeasuredPointsFillTheirTabsAndWarnWhenAllAreOutside) {
    Session session;
    RecordingDialogs dialogs;
    ASSERT_TRUE(
        LoadDataFile(session, dialogs, ZEMTRAL_SOURCE_DIR "/resources/samples/zerfall_n2o5.ZD3", false));
    SurveyDataSet(session);
    session.diagramKind = -1;
    OffscreenDiagram diagram(session, dialogs);
    DiagramDocument& document = diagram.open();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(document.pointTabs()[0].visible);
    EXPECT_EQ(document.pointTabs()[0].caption, "c(A)");
    EXPECT_EQ(diagram.chart().seriesLabel(2, 1), "c(A)");
    EXPECT_EQ(diagram.chart().pointCount(2, 1), session.data.pointCount);
    EXPECT_EQ(diagram.chart().seriesStyle(2, 1).linePattern, LinePattern::None);
    EXPECT_TRUE(document.curvesShown().empty());

    // A window far from every point: the points are drawn but none is inside.
    ASSERT_TRUE(document.applyCoordinates({"1000000", "2000000", "5", "6"}));
    EXPECT_FALSE(document.showMeasuredPoints());
    document.deletePointSet(1);
    EXPECT_FALSE(document.pointTabs()[0].visible);
    EXPECT_EQ(diagram.chart().pointCount(2, 1), 0);

    // A simulation that is to show the points but ends before the first one: the user is told.
    simulate(session, 2, 1e-3f);
    session.state.showMeasuredPoints = true;
    diagram.unload();
    diagram.open();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Warnung");
    EXPECT_EQ(
        dialogs.last().text,
        "Alle experimentellen Punkte befinden sich außerhalb des Koordinatenbereichs des Diagramms\r\n"
        "Prüfen Sie, ob die geladenen exper. Punkte zu diesem\r\nDiagramm passen bzw. vergrößern Sie den "
        "Koordinatenbereich.");
}

TEST(DiagramDocument, CoordinatesAreCheckedBeforeTheyAreShown) {
    Session session;
    RecordingDialogs dialogs;
    simulate(session, 2);
    OffscreenDiagram diagram(session, dialogs);
    DiagramDocument& document = diagram.open();
    const DiagramFrame before = session.diagram.frame;
    EXPECT_FALSE(document.applyCoordinates({"5", "5", "0", "1e400"}));
    EXPECT_EQ(dialogs.last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(dialogs.last().text,
              "- y(max): Zahl außerhalb des darstellbaren Bereichs\r\n- x(min) muss kleiner als x(max) sein");
    EXPECT_EQ(session.diagram.frame.xMax, before.xMax);

    SpacingControls spacing;
    spacing.manual = true;
    spacing.texts = {"2,5", "", "abc", "0.1", "-1", "0.5"};
    ASSERT_TRUE(document.applyCoordinates({"0", "50", "0,1", "0.5"}, spacing));
    const AxisSettings x = diagram.chart().axis(ChartAxis::X);
    const AxisSettings y = diagram.chart().axis(ChartAxis::Y);
    EXPECT_EQ(x.maximum, 50.0);
    EXPECT_EQ(y.minimum, static_cast<double>(0.1f));
    EXPECT_EQ(session.diagram.axisRanges[3], 0.5f);
    EXPECT_EQ(x.gridSpacing, std::optional<double>(2.5));  // a typed comma is a decimal point
    EXPECT_FALSE(x.tickSpacing.has_value());
    EXPECT_FALSE(x.digitSpacing.has_value());
    EXPECT_EQ(y.gridSpacing, std::optional<double>(0.1));
    EXPECT_FALSE(y.tickSpacing.has_value());
    spacing.manual = false;
    document.setSpacing(spacing);
    EXPECT_FALSE(diagram.chart().axis(ChartAxis::X).gridSpacing.has_value());

    // A logarithmic x axis over a window from 0 is refused with the usual message and stays
    // linear; above 0 it is switched on, and then x(min) = 0 is refused as well.
    const std::size_t messages = dialogs.shown.size();
    EXPECT_FALSE(document.setLogarithmic(ChartAxis::X, true));
    ASSERT_EQ(dialogs.shown.size(), messages + 1);
    EXPECT_EQ(dialogs.last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(dialogs.last().text, "- logarithmische x-Achse: x(min) muss größer als 0 sein");
    EXPECT_FALSE(diagram.chart().axis(ChartAxis::X).logarithmic);
    ASSERT_TRUE(document.applyCoordinates({"0,5", "50", "0,1", "0.5"}));
    EXPECT_TRUE(document.setLogarithmic(ChartAxis::X, true));
    EXPECT_TRUE(diagram.chart().axis(ChartAxis::X).logarithmic);
    EXPECT_FALSE(document.applyCoordinates({"0", "50", "abc", "0.5"}));
    EXPECT_EQ(dialogs.last().text, "- y(min): keine gültige Zahl");
    EXPECT_FALSE(document.applyCoordinates({"0", "50", "0,1", "0.5"}));
    EXPECT_EQ(dialogs.last().text, "- logarithmische x-Achse: x(min) muss größer als 0 sein");
    EXPECT_EQ(session.diagram.frame.xMin, 0.5f);
    EXPECT_TRUE(document.setLogarithmic(ChartAxis::X, false));
}

TEST(DiagramDocument, ADesignFileBringsBackCurvesLabelsAndControls) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zemtral-document-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    Session session;
    session.appHome = dir.string();
    RecordingDialogs dialogs;
    simulate(session, 9);
    OffscreenDiagram diagram(session, dialogs);
    DiagramDocument& document = diagram.open();
    document.setText(DiagramText::ExtraText, "Zusatz", false);
    document.setLegendControls(LegendControls{true, true, false, true});
    document.setGrid(GridControls{1, true, ChartColour{0x123456}});
    document.setFrame(FrameControls{true, 1, 3, false, {1, 2, 3, 4}});
    document.setYAxisText(YAxisTextControls{true, true});
    // Asked for a name: the design folder is remembered, ".oc2" added.
    dialogs.texts.push_back((dir / "entwurf").string());
    ASSERT_TRUE(document.saveDesign());
    EXPECT_EQ(dialogs.last().kind, "save");
    EXPECT_EQ(dialogs.last().text, dir.string() + "/");
    EXPECT_EQ(session.diagramWindow.lastDesignDir, dir.string());
    ASSERT_TRUE(std::filesystem::exists(dir / "entwurf.oc2"));

    diagram.unload();
    DiagramDocument& fresh = diagram.open();
    fresh.deleteCurves();
    EXPECT_EQ(session.diagram.curveCount, 0);
    EXPECT_EQ(fresh.legendControls(), LegendControls{});
    ASSERT_TRUE(fresh.loadDesign((dir / "entwurf.oc2").string()));
    EXPECT_EQ(fresh.curvesShown(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(session.diagram.curveCount, 4);
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_NE(fresh.curveLabelId(slot), 0);
    }
    EXPECT_EQ(fresh.text(DiagramText::ExtraText).text, "Zusatz");
    EXPECT_EQ(fresh.legendControls(), (LegendControls{true, true, false, true}));
    EXPECT_EQ(fresh.grid(), (GridControls{1, true, ChartColour{0x123456}}));
    EXPECT_EQ(fresh.frame(), (FrameControls{true, 1, 3, false, {1, 2, 3, 4}}));
    EXPECT_TRUE(fresh.yAxisText().digitsVertical);
    EXPECT_TRUE(fresh.yAxisText().titleHorizontal);
    // The next curve takes the fifth slot.
    session.diagram.seriesCount = 1;
    EXPECT_EQ(fresh.draw().curves.at(0).slot, 5);

    EXPECT_FALSE(fresh.loadDesign((dir / "fehlt.oc2").string()));
    EXPECT_EQ(dialogs.last().title, "Meldung von Diagrammgestaltung");
    EXPECT_EQ(dialogs.last().text, "Datei nicht gefunden: " + (dir / "fehlt.oc2").string());
    EXPECT_EQ(fresh.curvesShown().size(), 5u);
    std::filesystem::remove_all(dir);
}

TEST(DiagramDocument, ClicksOnCurves) {
    Session session;
    RecordingDialogs dialogs;
    test::RecordingChart chart;
    const CurveTable curves;
    DiagramDocument document(session, dialogs, curves, chart);
    AxisSettings x;
    x.maximum = 100;
    chart.setAxis(ChartAxis::X, x);
    chart.setSeriesCount(1, 2);
    const std::vector<ChartPoint> points{{10, 0.2}, {50, 0.5}, {90, 0.8}};
    chart.setSeriesData(1, 2, points);
    double px = 0, py = 0;
    chart.pixelOf(points[1], px, py);
    const int ix = static_cast<int>(std::lround(px)), iy = static_cast<int>(std::lround(py));
    EXPECT_EQ(document.click(ix, iy, ChartMouseButton::Right, '.'), std::optional<int>(2));
    EXPECT_FALSE(document.click(ix + 100, iy, ChartMouseButton::Right, '.').has_value());
    // A left click deletes only after the instructions and only on a curve of single points.
    EXPECT_FALSE(document.click(ix, iy, ChartMouseButton::Left, '.').has_value());
    EXPECT_TRUE(dialogs.shown.empty());
    document.startDeletingPoints();
    EXPECT_EQ(dialogs.last().title, "So wird ein einzelner Kurvenpunkt gelöscht");
    document.click(ix, iy, ChartMouseButton::Left, ',');
    EXPECT_EQ(chart.pointCount(1, 2), 3);
    document.setCurveStyle(2, LinePattern::None, 1);
    EXPECT_EQ(chart.seriesStyle(1, 2).symbolShape, SymbolShape::FilledCircle);
    dialogs.answers.push_back(Answer::No);
    document.click(ix, iy, ChartMouseButton::Left, ',');
    EXPECT_EQ(dialogs.last().title, "Löschen eines Kurvenpunktes");
    EXPECT_EQ(dialogs.last().text.substr(0, 24), "Punkt x =50,  y =0,5\r\nwi");
    EXPECT_EQ(chart.pointCount(1, 2), 3);
    document.click(ix, iy, ChartMouseButton::Left, ',');
    EXPECT_EQ(chart.pointCount(1, 2), 2);
    EXPECT_EQ(chart.point(1, 2, 2), points[2]);
    document.setCurveStyle(2, LinePattern::Dotted, 2);
    EXPECT_EQ(chart.seriesStyle(1, 2).symbolShape, SymbolShape::None);
}

TEST(DiagramControls, WhatEachControlGroupDoesToTheChart) {
    ChartModel chart;
    for (const auto& [kind, x, y] :
         {std::tuple{0, false, false}, {1, false, true}, {2, true, false}, {3, true, true}}) {
        applyGridControls(chart, GridControls{kind, false, kChartBlack});
        EXPECT_EQ(chart.axis(ChartAxis::X).gridShown, x);
        EXPECT_EQ(chart.axis(ChartAxis::Y).gridShown, y);
        EXPECT_EQ(gridControlsOf(chart, GridControls{}).kind, kind);
    }
    const std::pair<FrameControls, BorderType> frames[] = {{{true, 0, 1, true, {}}, BorderType::DoubleBar},
                                                           {{true, 1, 1, true, {}}, BorderType::Normal},
                                                           {{true, 2, 1, true, {}}, BorderType::ThreeD},
                                                           {{true, 3, 1, true, {}}, BorderType::None},
                                                           {{false, 1, 1, true, {}}, BorderType::None}};
    for (const auto& [controls, border] : frames) {
        applyFrameControls(chart, controls);
        EXPECT_EQ(chart.areas().border, border);
        // The controls read back from the chart give the same border.
        ChartModel other;
        applyFrameControls(other, frameControlsOf(chart, FrameControls{}));
        EXPECT_EQ(other.areas().border, border);
    }
    OriginControls origins;
    origins.automatic = false;
    origins.x = 3;
    origins.xValue = "2,5";
    origins.y = 0;
    applyOriginControls(chart, origins);
    EXPECT_EQ(chart.axis(ChartAxis::X).origin, AxisOrigin::AtValue);
    EXPECT_EQ(chart.axis(ChartAxis::X).originValue, 2.5);
    EXPECT_EQ(chart.axis(ChartAxis::Y).origin, AxisOrigin::AtMaximum);
    origins.automatic = true;
    applyOriginControls(chart, origins);
    EXPECT_EQ(chart.axis(ChartAxis::Y).origin, AxisOrigin::AutomaticAtMinimum);
    const AreaSettings black = withAreaPreset(AreaSettings{}, AreaPreset::AllBlack);
    EXPECT_EQ(black.plotAreaColour, kChartBlack);
    EXPECT_EQ(withAreaPreset(black, AreaPreset::GreyMargins).plotAreaColour, kChartBlack);
    // "Gesamtblatt schwarz": the legend and the black texts turn white, the coloured curve
    // labels keep their colour; "Gesamtblatt weiß" turns them black again.
    const int text = chart.addLabel(ChartLabel{});
    ChartLabel coloured;
    coloured.foreground = ChartColour{0x0000FF};
    const int curveLabel = chart.addLabel(coloured);
    applyAreaPreset(chart, AreaPreset::AllBlack);
    EXPECT_EQ(chart.areas().innerMarginColour, kChartBlack);
    EXPECT_EQ(chart.legend().foreground, kChartWhite);
    EXPECT_EQ(chart.legend().background, kChartBlack);
    EXPECT_EQ(chart.label(text)->foreground, kChartWhite);
    EXPECT_EQ(chart.label(curveLabel)->foreground, ChartColour{0x0000FF});
    applyAreaPreset(chart, AreaPreset::GreyMargins);  // grey is light: black texts again
    EXPECT_EQ(chart.legend().foreground, kChartBlack);
    applyAreaPreset(chart, AreaPreset::AllBlack);
    applyAreaPreset(chart, AreaPreset::AllWhite);
    EXPECT_EQ(chart.legend().foreground, kChartBlack);
    EXPECT_EQ(chart.legend().background, kChartWhite);
    EXPECT_EQ(chart.label(text)->foreground, kChartBlack);
    EXPECT_EQ(mousePositionText(ChartPoint{1.5, -0.25}, ','), "X = 1,5          Y = -0,25");
    EXPECT_EQ(mousePositionText(std::nullopt, ','), "X =                     Y =");
}

TEST(PictureOutput, PrintPlacementAndFileTypes) {
    // 2 cm from a printable edge 0.5 cm in: 1.5 cm = 354.33 px at 600 dpi.
    const PrintRequest request = printRequestFromCentimetres({2, 0.2, 16, 12}, 600, PrintScaling::FullPage);
    EXPECT_EQ(request.left, 354);
    EXPECT_EQ(request.top, 0);
    EXPECT_EQ(request.width, 3780);
    EXPECT_EQ(request.height, 2835);
    EXPECT_EQ(request.scaling, PrintScaling::FullPage);
    EXPECT_EQ(pictureFileType(PictureFormat::Bitmap).extension, ".BMP");
    EXPECT_EQ(pictureFileType(PictureFormat::Pdf).filter, "PDF-Dokument (*.PDF)");
    EXPECT_EQ(pictureFileType(PictureFormat::Png).extension, ".PNG");
}

}  // namespace
}  // namespace zemtral
