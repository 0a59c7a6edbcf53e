// The main window's commands: start-up values, refusals with an empty data set, the window
// sequences of the commands that pass their checks, and the Exit sequence.
#include "session/main_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_dialogs.h"
#include "support/recording_window_host.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;
using test::RecordingWindowHost;

const std::string kNoDataTail = "\r\nGeben Sie Daten im Dateneditor ein (=> Neueingabe).";

Session startedSession() {
    Session session;
    initStartUp(session, "/home/user/zem", false);
    return session;
}

void addPoint(Session& session, double t, double cA, double T = 0.0, double k = 0.0) {
    ExpPoint p;
    p.t = t;
    p.c[kSlotA] = cA;
    p.T = T;
    p.k = k;
    session.data.points.push_back(p);
    session.data.pointCount = static_cast<std::int16_t>(session.data.points.size() - 1);
}

TEST(MainStartUp, SetsPathsDirectoriesAndModelDefaults) {
    Session session;
    session.state.timeUnit = "min";
    session.data.dataFilePath = "/old/file.ZD3";
    session.shell.tipsRequested = true;
    initStartUp(session, "/home/user/zem", true);
    EXPECT_EQ(session.lastSessionPath, "/home/user/zem/ZemLastSession.ZC3");
    EXPECT_EQ(session.projectDir, "/home/user/zem");
    EXPECT_EQ(session.xy.xyDir, "/home/user/zem");
    EXPECT_FALSE(session.protocol.fileName.empty());
    EXPECT_EQ(session.data.dataDir, "/home/user/zem");
    EXPECT_EQ(session.shell.lineBreak, "\r\n");
    EXPECT_TRUE(session.decimalComma);
    EXPECT_EQ(session.state.timeUnit, "s");
    EXPECT_EQ(session.state.modelId, 2);
    EXPECT_DOUBLE_EQ(session.state.rateConst[1], 0.15);
    EXPECT_DOUBLE_EQ(session.state.rateConst[2], 0.2);
    EXPECT_DOUBLE_EQ(session.state.conc0[kSlotA], 1.0);
    EXPECT_FLOAT_EQ(session.state.tEnd, 100.0f);
    EXPECT_FLOAT_EQ(session.state.mmSettings.s0Max, 0.15f);
    EXPECT_FALSE(session.shell.tipsRequested);
    EXPECT_TRUE(session.data.dataFilePath.empty());
}

TEST(MainCommandsEmptyData, EveryEvaluationRefusesWithItsText) {
    struct Case {
        const char* name;
        bool (*run)(Session&, UserDialogs&, WindowHost&);
        std::string text;
        std::uint8_t fittingMode;  // set before the checks
    };
    const std::vector<Case> cases = {
        {"k fitting", [](Session& s, UserDialogs& d, WindowHost& w) { return startFitting(s, d, w, false); },
         "Keine oder zuwenig experimentelle c-t-Daten." + kNoDataTail, 1},
        {"order fitting",
         [](Session& s, UserDialogs& d, WindowHost& w) { return startFitting(s, d, w, true); },
         "Keine oder zuwenig experimentelle c-t-Daten." + kNoDataTail, 2},
        {"non-isothermal 1",
         [](Session& s, UserDialogs& d, WindowHost& w) { return startNonIsothermalFitting(s, d, w, 1); },
         "Keine oder zuwenig experimentelle t-c-T-Daten." + kNoDataTail, 0},
        {"non-isothermal 2",
         [](Session& s, UserDialogs& d, WindowHost& w) { return startNonIsothermalFitting(s, d, w, 2); },
         "Keine oder zuwenig experimentelle t-c-T-Daten." + kNoDataTail, 0},
        {"Arrhenius", [](Session& s, UserDialogs& d, WindowHost& w) { return startKTEvaluation(s, d, w, 1); },
         "Erst experimentelle Punkte k-T laden oder eingeben!", 0},
        {"Eyring", [](Session& s, UserDialogs& d, WindowHost& w) { return startKTEvaluation(s, d, w, 2); },
         "Erst experimentelle Punkte k-T laden oder eingeben!", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session session = startedSession();
        RecordingDialogs dialogs;
        RecordingWindowHost windows;
        windows.openWindows = {WindowId::Model, WindowId::Diagram};
        EXPECT_FALSE(c.run(session, dialogs, windows));
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.last().title, " Ausführung nicht möglich ");
        EXPECT_EQ(dialogs.last().text, c.text);
        EXPECT_EQ(dialogs.last().icon, MessageIcon::Critical);
        EXPECT_TRUE(windows.calls.empty()) << windows.calls.front();
        EXPECT_EQ(session.state.fittingMode, c.fittingMode);
        EXPECT_EQ(session.state.modelId, 2);
        EXPECT_EQ(session.diagramKind, 0);
    }
}

TEST(MainCommandsFitting, SecondCheckNeedsTwoPoints) {
    Session session = startedSession();
    session.survey.hasCtData = true;  // as a survey of a set with one point could never say
    addPoint(session, 1.0, 0.5);
    RecordingDialogs dialogs;
    RecordingWindowHost windows;
    EXPECT_FALSE(startFitting(session, dialogs, windows, false));
    EXPECT_EQ(dialogs.last().text, "Keine (oder zuwenig) experimentelle c-t-Daten." + kNoDataTail);
}

TEST(MainCommandsFitting, StartRunsTheWindowSequenceAndDrawsTheModel) {
    for (bool orderFitting : {false, true}) {
        SCOPED_TRACE(orderFitting ? "order" : "k");
        Session session = startedSession();
        session.state.modelId = 4;
        addPoint(session, 0.0, 1.0);
        addPoint(session, 10.0, 0.5);
        session.survey.hasCtData = true;
        RecordingDialogs dialogs;
        RecordingWindowHost windows;
        windows.openWindows = {WindowId::Model, WindowId::Diagram, WindowId::SimulationSetUp,
                               WindowId::StirredTank};
        EXPECT_TRUE(startFitting(session, dialogs, windows, orderFitting));
        EXPECT_TRUE(dialogs.shown.empty());
        const std::vector<std::string> expected = {"close diagram",
                                                   "close simulation set-up",
                                                   "close stirred tank",
                                                   "open fitting",
                                                   "close model",
                                                   "open model",
                                                   "focus fitting",
                                                   "setup",
                                                   "draw",
                                                   "focus fitting"};
        EXPECT_EQ(windows.calls, expected);
        EXPECT_EQ(session.state.modelId, orderFitting ? 20 : 4);
        EXPECT_EQ(session.diagramKind, session.state.modelId);  // -9 replaced after the set-up
        EXPECT_TRUE(session.state.showMeasuredPoints);
        EXPECT_EQ(session.state.fittingMode, orderFitting ? 2 : 1);
    }
}

TEST(MainCommandsNonIsothermal, WarnsForOneTemperatureAndNeedsInitialConcentrationForSecondOrder) {
    Session session = startedSession();
    addPoint(session, 1.0, 0.9, 300.0);
    addPoint(session, 2.0, 0.8, 300.0);
    addPoint(session, 3.0, 0.7, 300.0);
    session.survey.hasCtTData = true;
    session.survey.temperatureCount = 1;
    session.state.conc0[kSlotA] = 0.0;
    RecordingDialogs dialogs;
    RecordingWindowHost windows;
    EXPECT_FALSE(startNonIsothermalFitting(session, dialogs, windows, 2));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].title, "Warnung");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.shown[0].text,
              "Ein Datensatz mit nur einer Temperatur kann hier nicht zu einem \r\nsinnvollen Ergebnis "
              "hinsichtlich ARRHENIUS- bzw. EYRING-Parametern führen.");
    EXPECT_EQ(dialogs.shown[1].text, "Für diesen Fall muss die Anfangskonzentration c(A)(0) gegeben sein.");
    EXPECT_FALSE(windows.isOpen(WindowId::Fitting));

    // With c(A)(0) given the second-order fitting starts with model 3, the first order with 2.
    session.state.conc0[kSlotA] = 1.0;
    for (int item : {1, 2}) {
        RecordingDialogs d;
        RecordingWindowHost w;
        EXPECT_TRUE(startNonIsothermalFitting(session, d, w, item));
        EXPECT_EQ(session.state.modelId, item == 1 ? 2 : 3);
        EXPECT_EQ(session.state.fittingMode, item == 1 ? 6 : 7);
        EXPECT_TRUE(w.isOpen(WindowId::Fitting));
        EXPECT_EQ(session.diagramKind, session.state.modelId);
        EXPECT_EQ(w.calls.back(), "focus fitting");
    }
}

TEST(MainCommandsKT, IdenticalPairsCountOnce) {
    Session session = startedSession();
    addPoint(session, 0, 0, 300.0, 0.01);
    addPoint(session, 0, 0, 300.0, 0.01);
    session.survey.hasKTData = true;
    RecordingDialogs dialogs;
    RecordingWindowHost windows;
    EXPECT_FALSE(startKTEvaluation(session, dialogs, windows, 1));
    EXPECT_EQ(dialogs.last().text, "mindestens zwei unterschiedliche Paare k - T nötig!");

    addPoint(session, 0, 0, 310.0, 0.02);
    windows.openWindows = {WindowId::Diagram};
    session.diagram.seriesCount = 0;  // as the last drawing left it
    EXPECT_TRUE(startKTEvaluation(session, dialogs, windows, 2));
    EXPECT_EQ(session.diagramKind, -4);
    EXPECT_EQ(session.diagram.seriesCount, 1);  // the set-up leaves it to the caller: one line
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"close diagram", "setup"}));
}

TEST(MainCommandsTangent, MenuFollowsShownSpeciesAndCommandPreparesKind100) {
    Session session = startedSession();
    session.survey.shownSpecies[kSlotA] = true;
    session.survey.shownSpecies[kSlotP] = true;
    const auto enabled = tangentItemsEnabled(session);
    EXPECT_TRUE(enabled[1]);
    EXPECT_FALSE(enabled[2]);
    EXPECT_FALSE(enabled[3]);
    EXPECT_TRUE(enabled[4]);
    EXPECT_FALSE(enabled[5]);

    RecordingWindowHost windows;
    windows.openWindows = {WindowId::Diagram, WindowId::BatchReactor};
    startTangent(session, windows, 4);
    EXPECT_EQ(session.shell.selectedSpecies, 4);
    EXPECT_TRUE(session.evaluationAxisWindow.has_value());  // kind 100 brings its own axis window
    EXPECT_EQ(session.diagramKind, 100);
    EXPECT_TRUE(session.state.showMeasuredPoints);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"close diagram", "close batch reactor", "open tangent",
                                                       "focus tangent", "setup"}));
}

TEST(MainCommandsWindows, ReactorsSimulationMonteCarloCalculator) {
    Session session = startedSession();
    RecordingDialogs dialogs;
    EXPECT_TRUE(reactorMenuOpened(session, dialogs));
    EXPECT_TRUE(dialogs.shown.empty());
    session.state.modelId = 0;
    EXPECT_FALSE(reactorMenuOpened(session, dialogs));
    EXPECT_EQ(dialogs.last().text, "vorher ein kinetisches Modell wählen!");
    EXPECT_EQ(dialogs.last().title, " Ausführung nicht möglich ");
    session.state.modelId = 2;

    RecordingWindowHost windows;
    windows.openWindows = {WindowId::Model, WindowId::SimulationSetUp, WindowId::TubeReactor,
                           WindowId::Fitting, WindowId::StirredTank};
    openReactor(session, windows, WindowId::StirredTank);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"close simulation set-up", "close tube reactor",
                                                       "close fitting", "open stirred tank", "close model",
                                                       "open model", "focus stirred tank"}));

    windows.calls.clear();
    session.state.fittingMode = 1;
    startSimulation(session, windows, true);
    EXPECT_TRUE(session.state.rateDiagram);
    EXPECT_EQ(session.state.fittingMode, 0);
    EXPECT_EQ(windows.calls,
              (std::vector<std::string>{"close stirred tank", "open simulation set-up", "close model",
                                        "open model", "open simulation set-up"}));

    windows.calls.clear();
    windows.openWindows.insert(WindowId::MonteCarlo);
    startMonteCarlo(session, windows, 1);
    EXPECT_EQ(session.shell.monteCarloKind, 2);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"close Monte-Carlo", "open Monte-Carlo"}));

    session.state.fittingMode = 2;
    openCalculator(session, windows, 2);
    EXPECT_EQ(session.shell.kTForm, 2);
    EXPECT_EQ(session.state.fittingMode, 0);
    EXPECT_TRUE(windows.isOpen(WindowId::Calculator));
}

TEST(MainCommandsData, NewDataSetEmptiesTheSetAndEditNeedsPoints) {
    Session session = startedSession();
    RecordingWindowHost windows;
    editDataSet(session, windows);
    EXPECT_TRUE(windows.calls.empty());

    addPoint(session, 0.0, 1.0);
    addPoint(session, 1.0, 0.5);
    session.data.lambdaInf = 3.0;
    session.data.dataFilePath = "/x/verseifung.ZD3";
    editDataSet(session, windows);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"open data editor"}));

    newDataSet(session, windows);
    EXPECT_EQ(session.data.pointCount, 0);
    EXPECT_EQ(session.data.points.size(), 1u);
    EXPECT_EQ(session.data.lambdaInf, 0.0);
    EXPECT_TRUE(session.data.dataFilePath.empty());
}

TEST(MainCommandsHelp, TipsAndCopyright) {
    Session session = startedSession();
    RecordingWindowHost windows;
    showTips(session, windows);
    EXPECT_TRUE(session.shell.tipsRequested);
    EXPECT_TRUE(windows.isOpen(WindowId::Tip));
    const std::string text = copyrightText(session);
    const auto at = text.find("Version 3.3.");
    ASSERT_NE(at, std::string::npos);
    EXPECT_GT(text.size(), at + std::string("Version 3.3.").size());  // followed by the revision
}

struct ExitRecord {
    int prompts = 0;
    std::vector<std::string> written;
};

ExitSteps recordingSteps(ExitRecord& record, bool stay) {
    return {[&record, stay] {
                ++record.prompts;
                return stay;
            },
            [&record](const std::string& path) {
                record.written.push_back(path);
                return true;
            },
            nullptr,
            nullptr};
}

TEST(MainExit, PromptOnlyForChangedDataAndStayKeepsTheSessionFileUnwritten) {
    Session session = startedSession();
    {
        ExitRecord record;
        EXPECT_TRUE(runExit(session, recordingSteps(record, true)));
        EXPECT_EQ(record.prompts, 0);  // nothing changed
        EXPECT_EQ(record.written, std::vector<std::string>{"/home/user/zem/ZemLastSession.ZC3"});
    }
    session.data.dataChanged = true;
    {
        ExitRecord record;  // changed, but no points: nothing to save
        EXPECT_TRUE(runExit(session, recordingSteps(record, true)));
        EXPECT_EQ(record.prompts, 0);
    }
    addPoint(session, 0.0, 1.0);
    {
        ExitRecord record;  // Cancel (or Yes without saving): the program stays
        EXPECT_FALSE(runExit(session, recordingSteps(record, true)));
        EXPECT_EQ(record.prompts, 1);
        EXPECT_TRUE(record.written.empty());
    }
    {
        ExitRecord record;  // No, or Yes and saved: the last-session file is written
        EXPECT_TRUE(runExit(session, recordingSteps(record, false)));
        EXPECT_EQ(record.prompts, 1);
        EXPECT_EQ(record.written.size(), 1u);
    }
}

// Work that lives only in windows is asked for before anything else: Cancel on the unsaved XY list
// keeps the program, and protocol rows that cannot be written are not dropped without a question.
TEST(MainExit, UnsavedXyListAndUnwritableProtocolRowsKeepTheProgram) {
    Session session = startedSession();
    RecordingDialogs dialogs;
    session.xy.unsaved = true;
    session.xy.points.push_back(XyPoint{});
    dialogs.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(runExit(session, exitStepsFor(session, dialogs)));
    EXPECT_EQ(dialogs.last().title, "WARNUNG");
    session.xy.unsaved = false;

    session.appHome = "/nonexistent/zemtral-home";
    session.protocol.fileName = "/nonexistent/zemtral-home/prot.csv";
    session.protocol.fileOpen = true;
    session.protocol.table.rows.push_back({});
    dialogs.answers.push_back(Answer::No);
    EXPECT_FALSE(keepProtocolRowsAtExit(session, dialogs));
    EXPECT_EQ(dialogs.last().title, "Protokoll");
    EXPECT_EQ(session.protocol.table.rows.size(), 1u);  // the rows are still there
    dialogs.answers.push_back(Answer::Yes);
    EXPECT_TRUE(keepProtocolRowsAtExit(session, dialogs));
}

TEST(MainExit, UnwritableSessionFileStillEnds) {
    Session session = startedSession();
    ExitSteps steps{nullptr, [](const std::string&) { return false; }, nullptr, nullptr};
    EXPECT_TRUE(runExit(session, steps));
}

}  // namespace
}  // namespace zemtral
