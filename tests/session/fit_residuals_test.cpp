// The residual plot of the fitting window and the single-point calculator of the diagram window.
#include "session/fit_residuals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/number_text.h"
#include "session/evaluation_commands.h"
#include "session/evaluation_curves.h"
#include "session/single_point_calculator.h"
#include "support/recording_dialogs.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;

/// Model `model` measured in every species of its run at 10 times up to 40, made with the
/// session's own constants: the model reproduces every value.
Session exactSession(std::int16_t model) {
    Session s;
    applyModelDefaults(s.state, model);
    s.state.fittingMode = kFittingRateConstants;
    s.state.tEnd = 40.0f;
    SimulationResult truth;
    WorkingState run = s.state;
    EXPECT_EQ(calc_diagramfunctioncT(model, run, truth).errorFlag, 0);
    for (int i = 1; i <= 10; ++i) {
        ExpPoint p;
        p.t = 4.0 * i;
        std::int16_t flag = 0;
        const SpeciesArray c = ConcAtTime(model, p.t, run, truth, flag);
        for (int d = 1; d <= kSlotCount; ++d) {
            p.c[d] = c[d] > 1e-12 ? c[d] : 0.0;
            s.survey.shownSpecies[d] = s.survey.shownSpecies[d] || p.c[d] > 0.0;
        }
        s.data.points.push_back(p);
    }
    s.data.pointCount = 10;
    s.survey.hasCtData = true;
    reloadFitParameters(s);
    return s;
}

TEST(FitResiduals, ExactModelGivesZeroAndTheSignIsMeasuredMinusModel) {
    for (const std::int16_t model : {std::int16_t{6}, std::int16_t{7}}) {  // closed form, integrated
        Session s = exactSession(model);
        const auto residuals = fitResiduals(s);
        ASSERT_TRUE(residuals) << model;
        ASSERT_GE(residuals->size(), 2u);
        int previousSlot = 0;
        for (const SpeciesResiduals& r : *residuals) {
            EXPECT_GT(r.slot, previousSlot);  // slot order
            previousSlot = r.slot;
            ASSERT_EQ(r.t.size(), r.residual.size());
            for (double v : r.residual) {
                EXPECT_NEAR(v, 0.0, 1e-12) << "model " << model << " slot " << r.slot;
            }
        }
        // One measured value raised by 0.01 shows as +0.01 at its time, the others stay 0.
        const int slot = residuals->front().slot;
        s.data.points[3].c[slot] += 0.01;
        const auto moved = fitResiduals(s);
        ASSERT_TRUE(moved);
        const SpeciesResiduals& first = moved->front();
        for (std::size_t i = 0; i < first.t.size(); ++i) {
            EXPECT_NEAR(first.residual[i], first.t[i] == s.data.points[3].t ? 0.01 : 0.0, 1e-12);
        }
        // The residuals follow the fitting window's parameters.
        typeFitParameter(s, 1, formatSingle(static_cast<float>(s.state.rateConst[1] * 2.0)));
        const auto off = fitResiduals(s);
        ASSERT_TRUE(off);
        EXPECT_GT(off->front().residual.back(), 0.0);  // the model's A now decays faster than measured
    }
}

TEST(FitResiduals, PlotSetUpWindowAndCurves) {
    RecordingDialogs d;
    Session s = exactSession(6);
    s.data.points[2].c[kSlotA] += 0.02;
    ASSERT_TRUE(startResidualPlot(s, d));
    EXPECT_TRUE(d.shown.empty());
    EXPECT_EQ(s.diagramKind, kKindFitResiduals);
    const std::size_t species = s.evaluation.residuals.size();
    EXPECT_EQ(s.diagram.seriesCount, static_cast<int>(species + 1));
    ASSERT_TRUE(s.evaluationAxisWindow);
    const PlotWindow w = *s.evaluationAxisWindow;
    EXPECT_FLOAT_EQ(w.xMax, 42.0f);  // 1.05 × the last time
    EXPECT_FLOAT_EQ(w.yMax, -w.yMin);
    EXPECT_NEAR(w.yMax, 0.024, 1e-6);  // 1.2 × the largest residual

    // Walking the series down: the species in slot order as single values, the zero line last.
    CurveTable table = evaluationCurveTable(s);
    CurveRequest request;
    request.kind = kKindFitResiduals;
    request.frame.xMin = w.xMin;
    request.frame.xMax = w.xMax;
    request.frame.yMin = w.yMin;
    request.frame.yMax = w.yMax;
    request.state = &s.state;
    request.simulation = &s.simulation;
    request.data = &s.data;
    CurveBuffer buffer;
    std::int16_t series = s.diagram.seriesCount;
    std::vector<std::string> legends;
    while (series > 0) {
        request.series = series;
        const CurveResult r = DrawDiagramCurve(request, buffer, series, table);
        ASSERT_EQ(r.errorFlag, 0) << r.errorText;
        EXPECT_FALSE(r.outside);
        legends.push_back(r.legend);
        if (series == 0) {
            EXPECT_FALSE(r.pointsOnly);
            ASSERT_EQ(buffer.count(), 2);
            EXPECT_EQ(buffer[1].y, 0.0f);
            EXPECT_EQ(buffer[2].x, w.xMax);
        } else {
            EXPECT_TRUE(r.pointsOnly);
        }
    }
    ASSERT_EQ(legends.size(), species + 1);
    EXPECT_EQ(legends.front(), "Residuen c(A) ");
    EXPECT_EQ(legends.back(), "Nulllinie ");

    // An exact fit keeps a window of the data's scale instead of one of rounding noise.
    const PlotWindow exact = residualPlotWindow({SpeciesResiduals{1, {1.0, 2.0}, {0.0, 1e-17}}}, 0.5);
    EXPECT_FLOAT_EQ(exact.yMax, 0.0005f);

    // Nothing to compare: refused with a message, the diagram kind stays.
    s.diagramKind = 6;
    s.evaluation.fitSpecies = {};
    EXPECT_FALSE(startResidualPlot(s, d));
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.last().title, kNotPossibleTitle);
    EXPECT_EQ(s.diagramKind, 6);
}

TEST(SinglePointCalculator, ConcentrationsOfTheLastRunWithinTheDrawnTimeAxis) {
    RecordingDialogs d;
    Session s;
    applyModelDefaults(s.state, 2);  // A => P, closed form
    s.state.conc0[kSlotA] = 1.0;
    s.state.tEnd = 10.0f;
    ASSERT_EQ(calc_diagramfunctioncT(2, s.state, s.simulation).errorFlag, 0);
    const double k = s.state.rateConst[1];
    EXPECT_FALSE(calculateSinglePoint(s, "1", d));  // no curve drawn yet: no time axis
    EXPECT_EQ(d.beeps, 1);
    s.diagram.lastCurveXMax = 10.0f;
    const auto c = calculateSinglePoint(s, "2,5", d);  // a comma is a decimal point
    ASSERT_TRUE(c);
    EXPECT_NEAR((*c)[kSlotA], std::exp(-k * 2.5), 1e-12);
    EXPECT_NEAR((*c)[kSlotA] + (*c)[kSlotP], 1.0, 1e-12);
    EXPECT_FALSE(calculateSinglePoint(s, "-1", d));
    EXPECT_FALSE(calculateSinglePoint(s, "10.5", d));
    EXPECT_EQ(d.beeps, 3);

    // A numerically integrated model is read from the splines of its run.
    applyModelDefaults(s.state, 10);
    EXPECT_FALSE(calculateSinglePoint(s, "1", d));  // the last run is not one of model 10
    ASSERT_EQ(calc_diagramfunctioncT(10, s.state, s.simulation).errorFlag, 0);
    const auto e = calculateSinglePoint(s, "0", d);
    ASSERT_TRUE(e);
    EXPECT_EQ((*e)[kSlotB], s.state.conc0[kSlotB]);

    const auto captions = singlePointCaptions(10);
    EXPECT_EQ(captions[1], "c(E)");
    EXPECT_EQ(captions[3], "c(ES)");
    EXPECT_EQ(singlePointCaptions(4)[3], "c(C)");
    const auto visible = singlePointVisible("10010");
    EXPECT_TRUE(visible[1] && visible[4]);
    EXPECT_FALSE(visible[2] || visible[3] || visible[5]);
}

}  // namespace
}  // namespace zemtral
