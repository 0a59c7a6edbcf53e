// Auto-Fitting as a job on a worker thread: the same result as in one call, one fit at a time,
// stopping keeps the best parameters, a changed model discards the result; the statistics table.
#include "session/auto_fit_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "session/evaluation_commands.h"
#include "session/fit_statistics_table.h"
#include "support/recording_dialogs.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;

/// A => C => P (model 6) measured in A and C at 12 times, made with k1 = 0.12 and k2 = 0.04.
Session consecutiveSession() {
    Session s;
    for (int i = 1; i <= 12; ++i) {
        const double t = 2.5 * i;
        const double a = std::exp(-0.12 * t);
        ExpPoint p;
        p.t = t;
        p.c[kSlotA] = a * (1.0 + 0.01 * std::sin(3.1 * i));
        p.c[kSlotC] = 0.12 / (0.04 - 0.12) * (a - std::exp(-0.04 * t)) * (1.0 + 0.01 * std::cos(2.3 * i));
        s.data.points.push_back(p);
    }
    s.data.pointCount = 12;
    s.survey.hasCtData = true;
    s.survey.shownSpecies = {false, true, false, true, false, false};
    applyModelDefaults(s.state, 6);
    s.state.conc0[kSlotA] = 1.0;
    s.state.fittingMode = kFittingRateConstants;
    s.evaluation.fitSpecies = {false, true, false, true, false, false};
    typeFitParameter(s, 1, "0.2");
    typeFitParameter(s, 2, "0.02");
    return s;
}

TEST(AutoFitJob, WorkerThreadGivesTheResultOfOneCallAndOneFitRunsAtATime) {
    RecordingDialogs d;
    Session direct = consecutiveSession();
    const AutoFitOutcome expected = autoFitting(direct, d);
    ASSERT_TRUE(expected.fit.converged);

    Session s = consecutiveSession();
    std::unique_ptr<AutoFitJob> job = AutoFitJob::begin(s, d);
    ASSERT_TRUE(job);
    EXPECT_TRUE(s.evaluation.autoFitRunning);
    EXPECT_FALSE(AutoFitJob::begin(s, d));  // refused while the first one runs
    EXPECT_EQ(d.beeps, 1);
    std::thread worker([&job] { job->run(); });
    // The window's thread may still read and draw from the session meanwhile.
    const double before = s.state.rateConst[1];
    worker.join();
    EXPECT_EQ(s.state.rateConst[1], before);
    const AutoFitOutcome out = job->finish(d);
    EXPECT_FALSE(s.evaluation.autoFitRunning);
    EXPECT_EQ(out.params, expected.params);
    EXPECT_EQ(s.state.rateConst[1], direct.state.rateConst[1]);
    EXPECT_EQ(s.state.rateConst[2], direct.state.rateConst[2]);
    EXPECT_GT(job->acceptedSteps(), 0);
    EXPECT_EQ(job->bestObjective(), out.fit.objective);
    EXPECT_TRUE(s.evaluation.standardDeviationShown);
    EXPECT_TRUE(s.evaluation.statistics.shown);

    // A job dropped without finishing frees the session for the next fit.
    job = AutoFitJob::begin(s, d);
    ASSERT_TRUE(job);
    job.reset();
    EXPECT_FALSE(s.evaluation.autoFitRunning);
}

TEST(AutoFitJob, StopKeepsTheBestParametersAndAChangedModelDiscardsTheResult) {
    RecordingDialogs d;
    Session s = consecutiveSession();
    std::unique_ptr<AutoFitJob> job = AutoFitJob::begin(s, d);
    job->requestStop();
    job->run();
    const AutoFitOutcome stopped = job->finish(d);
    EXPECT_TRUE(stopped.fit.stopped);
    EXPECT_EQ(s.state.rateConst[1], 0.2);  // stopped before the first step: the start stays
    EXPECT_FALSE(s.evaluation.standardDeviationShown);
    EXPECT_FALSE(s.evaluation.statistics.shown);
    EXPECT_TRUE(d.shown.empty());

    job = AutoFitJob::begin(s, d);
    job->run();
    applyModelDefaults(s.state, 2);  // the model window chose another model meanwhile
    const std::array<double, 4> k = s.state.rateConst;
    EXPECT_TRUE(job->finish(d).discarded);
    EXPECT_EQ(s.state.rateConst, k);
}

TEST(AutoFitJob, StopDuringAModelRunIsAStopNotAFailure) {
    // E + S <=> ES => P + E measured in S and P: every evaluation integrates the model, so a stop
    // usually arrives inside a run and cuts it short.
    RecordingDialogs d;
    Session s;
    applyModelDefaults(s.state, 10);
    s.state.conc0 = {0, 1e-3, 0.1, 0, 0, 0};
    s.state.rateConst = {0, 1000.0, 10.0, 50.0};
    s.state.tEnd = 60.0f;
    SimulationResult truth;
    ASSERT_EQ(calc_diagramfunctioncT(10, s.state, truth).errorFlag, 0);
    for (int i = 1; i <= 30; ++i) {
        std::int16_t flag = 0;
        ExpPoint p;
        p.t = 2.0 * i;
        const SpeciesArray c = ConcAtTime(10, p.t, s.state, truth, flag);
        p.c[kSlotB] = c[kSlotB] * (1 + 0.005 * std::sin(i));
        p.c[kSlotP] = c[kSlotP] * (1 + 0.005 * std::cos(i));
        s.data.points.push_back(p);
    }
    s.data.pointCount = 30;
    s.survey.shownSpecies = {false, false, true, false, true, false};
    s.state.fittingMode = kFittingRateConstants;
    s.evaluation.fitSpecies = {false, false, true, false, true, false};
    for (int j = 1; j <= 3; ++j) {
        typeFitParameter(s, j, j == 1 ? "600" : j == 2 ? "20" : "30");
    }
    std::unique_ptr<AutoFitJob> job = AutoFitJob::begin(s, d);
    ASSERT_TRUE(job);
    std::atomic<bool> done{false};
    std::thread worker([&job, &done] {
        job->run();
        done = true;
    });
    while (!done && job->acceptedSteps() == 0) {
        std::this_thread::yield();
    }
    job->requestStop();
    worker.join();
    const AutoFitOutcome out = job->finish(d);
    EXPECT_TRUE(out.fit.stopped);
    EXPECT_FALSE(out.fit.evaluationFailed);
    EXPECT_TRUE(d.shown.empty());  // no "not determined" warning for the user's own stop
    EXPECT_EQ(out.fit.objective, job->bestObjective());
    EXPECT_GT(s.state.rateConst[3], 0.0);
}

TEST(FitStatisticsTable, RowsAndClipboardText) {
    RecordingDialogs d;
    Session s = consecutiveSession();
    EXPECT_TRUE(fitStatisticsTable(s, ',').empty());
    s.evaluation.fixed[2] = true;
    autoFitting(s, d);
    const auto rows = fitStatisticsTable(s, ',');
    ASSERT_GE(rows.size(), 10u);
    EXPECT_EQ(rows[0][0], "Parameter");
    EXPECT_EQ(rows[1][0], "k1");
    EXPECT_NE(rows[1][1].find(','), std::string::npos);  // the locale's separator
    EXPECT_EQ(rows[2][0], "k2");
    EXPECT_EQ(rows[2][2], "fixiert");
    EXPECT_EQ(rows[4], (std::vector<std::string>{"Korrelation", "k1"}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"k1", "1,000"}));
    EXPECT_EQ(rows[8][0], "c(A)");
    EXPECT_EQ(rows[9][0], "c(C)");
    EXPECT_EQ(rows[11][1], "23");  // 24 values, one free parameter
    const std::string text = tabSeparatedText({{"a", "b"}, {}, {"c"}});
    EXPECT_EQ(text, "a\tb\r\n\r\nc\r\n");
}

}  // namespace
}  // namespace zemtral
