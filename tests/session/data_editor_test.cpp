// The data editor's work on the data set: paste growth and refusal, stable sorts, the time-unit
// conversion, the removal questions, the number forms of the grid, OK's warning and undo.
#include "session/data_editor.h"

#include <gtest/gtest.h>

#include "support/recording_dialogs.h"
#include "support/recording_window_host.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;
using test::RecordingWindowHost;

ExpDataSet setOf(std::initializer_list<std::array<double, 3>> points) {  // t, cA, T
    ExpDataSet set;
    for (const auto& p : points) {
        ExpPoint point;
        point.t = p[0];
        point.c[kSlotA] = p[1];
        point.T = p[2];
        set.points.push_back(point);
    }
    set.pointCount = static_cast<std::int16_t>(points.size());
    return set;
}

TEST(DataEditorPaste, GrowsTheSetFromTheTargetRowAndKeepsUntouchedCells) {
    ExpDataSet set = setOf({{0, 1, 0}, {1, 0.8, 0}, {2, 0.6, 0}, {3, 0.5, 0}});
    RecordingDialogs dialogs;
    // Three spreadsheet lines (t, cA) with the final line break a spreadsheet adds.
    const PasteOutcome out = pasteIntoDataSet(set, dialogs, "4\t0.4\r\n5\t0.3\r\n6\t0.25\r\n", 5, 2);
    ASSERT_TRUE(out.pasted);
    EXPECT_EQ(set.pointCount, 7);
    EXPECT_EQ(set.points.size(), 8u);
    EXPECT_DOUBLE_EQ(set.points[7].t, 6.0);
    EXPECT_DOUBLE_EQ(set.points[7].c[kSlotA], 0.25);
    EXPECT_TRUE(set.dataChanged);

    // Pasting one column of cB into existing rows changes only that column.
    const ExpDataSet before = set;
    ASSERT_TRUE(pasteIntoDataSet(set, dialogs, "0,5\n\n 2E-3 ", 2, 4).pasted);
    EXPECT_EQ(set.pointCount, 7);
    EXPECT_DOUBLE_EQ(set.points[2].c[kSlotB], 0.5);  // a decimal comma is a decimal point
    EXPECT_DOUBLE_EQ(set.points[3].c[kSlotB], 0.0);  // an empty cell is "not measured"
    EXPECT_DOUBLE_EQ(set.points[4].c[kSlotB], 0.002);
    EXPECT_EQ(set.points[2].t, before.points[2].t);
    EXPECT_EQ(set.points[4].c[kSlotA], before.points[4].c[kSlotA]);

    // A block copied from the grid itself (row number and "aus" first) lands in its columns.
    ASSERT_TRUE(pasteIntoDataSet(set, dialogs, "99\tx\t7.5\t0.125", 8, 0).pasted);
    EXPECT_EQ(set.pointCount, 8);
    EXPECT_DOUBLE_EQ(set.points[8].t, 7.5);
    EXPECT_EQ(set.points[8].exclude, 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(DataEditorPaste, ACellThatIsNoNumberRefusesEverythingAndNamesTheCell) {
    ExpDataSet set = setOf({{0, 1, 0}, {1, 0.8, 0}});
    const ExpDataSet before = set;
    RecordingDialogs dialogs;
    const PasteOutcome out = pasteIntoDataSet(set, dialogs, "2\t0.7\n3\tn.b.\n4\tabc", 2, 2);
    EXPECT_FALSE(out.pasted);
    EXPECT_EQ(set, before);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, kNotPossibleTitle);
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.last().text,
              "Zeile 3, Spalte cA: \"n.b.\" ist keine Zahl.\r\nEs wurde nichts eingefügt.");

    // A German number with a thousands point is not silently read as something else.
    EXPECT_FALSE(pasteIntoDataSet(set, dialogs, "1.234,5", 1, 2).pasted);
    EXPECT_EQ(set, before);
    // Nor may a block grow the set beyond its 16-bit count.
    std::string many;
    for (int i = 0; i < kMaxPointCount; ++i) {
        many += "1\n";
    }
    EXPECT_FALSE(pasteIntoDataSet(set, dialogs, many, 2, 2).pasted);
    EXPECT_EQ(set, before);
}

TEST(DataEditorSort, EqualKeysKeepTheirOrderAndWholePointsMove) {
    ExpDataSet set = setOf({{5, 0.1, 300}, {1, 0.2, 310}, {5, 0.3, 300}, {1, 0.4, 290}, {0, 0.5, 310}});
    set.points[3].exclude = -1;
    ASSERT_TRUE(sortPointsByTime(set));
    const double expectedA[] = {0.5, 0.2, 0.4, 0.1, 0.3};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_DOUBLE_EQ(set.points[static_cast<std::size_t>(i)].c[kSlotA], expectedA[i - 1]) << i;
    }
    EXPECT_EQ(set.points[5].exclude, -1);  // the inactive mark travels with its point
    EXPECT_FALSE(sortPointsByTime(set));   // already in order: no change to record

    ASSERT_TRUE(sortPointsByTemperature(set));
    const double byT[] = {0.4, 0.1, 0.3, 0.5, 0.2};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_DOUBLE_EQ(set.points[static_cast<std::size_t>(i)].c[kSlotA], byT[i - 1]) << i;
    }
}

TEST(DataEditorTimeUnit, SecondsToMinutesDividesTimesAndUndoRestoresUnitAndRateConstants) {
    Session session;
    session.data = setOf({{0, 1, 0}, {30, 0.5, 0}, {120, 0.25, 0}});
    session.state.rateConst = {0.0, 0.02, 0.5, 0.0};
    DataEditUndo undo;
    undo.record(session);
    changeDataTimeUnit(session, 1);
    EXPECT_EQ(session.data.timeUnit, "min");
    EXPECT_EQ(session.state.timeUnit, "min");
    EXPECT_DOUBLE_EQ(session.data.points[2].t, 0.5);
    EXPECT_DOUBLE_EQ(session.data.points[3].t, 2.0);
    EXPECT_NEAR(session.state.rateConst[1], 1.2, 1e-12);  // 1/s to 1/min
    EXPECT_TRUE(session.data.dataChanged);

    ASSERT_TRUE(undo.undo(session));
    EXPECT_EQ(session.data, setOf({{0, 1, 0}, {30, 0.5, 0}, {120, 0.25, 0}}));
    EXPECT_EQ(session.state.timeUnit, "s");
    EXPECT_EQ(session.state.timeUnitIndex, 0);
    EXPECT_DOUBLE_EQ(session.state.rateConst[1], 0.02);
    EXPECT_FALSE(undo.undo(session));
}

TEST(DataEditorRemove, AsksByRangeAndNoOrNoSelectionChangesNothing) {
    ExpDataSet set = setOf({{0, 1, 0}, {1, 0.8, 0}, {2, 0.6, 0}, {3, 0.5, 0}});
    const ExpDataSet before = set;
    RecordingDialogs dialogs;
    EXPECT_FALSE(removeSelectedPoints(set, dialogs, std::nullopt));
    EXPECT_EQ(dialogs.last().text, "keine Markierung!");
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Critical);

    dialogs.answers = {Answer::No};
    EXPECT_FALSE(removeSelectedPoints(set, dialogs, std::pair{2, 2}));
    EXPECT_EQ(dialogs.last().text, "Zeile 2 wirklich entfernen?");
    EXPECT_EQ(set, before);

    dialogs.answers = {Answer::Yes};
    // The append row below the last point may be part of the selection.
    EXPECT_TRUE(removeSelectedPoints(set, dialogs, std::pair{2, 5}));
    EXPECT_EQ(dialogs.last().kind, "yesno");
    EXPECT_EQ(dialogs.last().text, "Zeilen 2 bis 4 wirklich entfernen?");
    EXPECT_EQ(set.pointCount, 1);
    EXPECT_EQ(set.points.size(), 2u);
    EXPECT_DOUBLE_EQ(set.points[1].c[kSlotA], 1.0);
}

TEST(DataEditorGrid, NumberFormsTitlesAndCellEdits) {
    ExpDataSet set = setOf({{0.1, 0.000002, 298.15}});
    EXPECT_EQ(dataCellText(set.points[1], 3, ','), "2,000000E-06");
    EXPECT_EQ(dataCellText(set.points[1], 3, '.'), "2.000000E-06");
    EXPECT_EQ(dataCellText(set.points[1], 2, '.'), "0.1");  // single precision, not 0.100000001
    EXPECT_EQ(dataCellText(set.points[1], 9, ','), "298,15");
    EXPECT_EQ(dataGridHeader(2, "min"), " Zeit t/min");

    EXPECT_EQ(dataEditorTitle(set), "(unbenannt) Experimentelle Daten, Editieren von Messpunkten  ");
    set.dataFilePath = "/home/u/zerfall.ZD3";
    EXPECT_EQ(dataEditorTitle(set, true), "(zerfall.ZD3) Experimentelle Daten, Editieren von Datensätzen  ");
    EXPECT_EQ(dataEditorTitle(ExpDataSet{}), "(unbenannt) Eingabe von Messpunkten  ");
    EXPECT_EQ(addModeCaption(0), "Hinzufügen von Messpunkt #1");
    EXPECT_EQ(editModeCaption(2, 7), "Editieren Messpunkt #2 (von 7)");

    EXPECT_TRUE(storeCellText(set, 1, 8, "1,5e2"));
    EXPECT_FLOAT_EQ(set.points[1].lambda, 150.0f);
    EXPECT_FALSE(storeCellText(set, 2, 3, "1"));  // no such point
    EXPECT_FALSE(storeCellText(set, 1, 1, "1"));  // the "aus" column holds no number
}

TEST(DataEditorStore, AddsOrEditsAndTheNoteComesOnceForNonIsothermalPoints) {
    ExpDataSet set;
    std::array<std::string, kInputFieldCount> fields{"0", "1", "", "", "", "", "", "300", ""};
    StoredPoint s = storeInputPoint(set, fields, "0,25", false, 1, true);
    EXPECT_TRUE(s.stored);
    EXPECT_TRUE(s.showNote);
    EXPECT_EQ(set.pointCount, 1);
    EXPECT_DOUBLE_EQ(set.lambdaInf, 0.25);
    fields = {"10", "0,5", "", "", "", "", "", "", ""};
    s = storeInputPoint(set, fields, "", true, 1, false);
    EXPECT_EQ(s.index, 1);
    EXPECT_EQ(set.pointCount, 1);
    EXPECT_DOUBLE_EQ(set.points[1].c[kSlotA], 0.5);
    EXPECT_DOUBLE_EQ(set.points[1].T, 0.0);
    const ExpDataSet before = set;
    fields = {"0", "-1", "", "", "", "", "", "", ""};  // sums to -1: nothing is stored
    EXPECT_FALSE(storeInputPoint(set, fields, "", false, 1, false).stored);
    EXPECT_EQ(set, before);
}

TEST(DataEditorCommands, DrawingRefusalsAndTheNonIsothermalWarningOfOk) {
    Session session;
    RecordingDialogs dialogs;
    RecordingWindowHost windows;
    session.data = setOf({{0, 1, 0}});
    EXPECT_FALSE(drawMeasuredPoints(session, dialogs, windows, false));
    EXPECT_EQ(dialogs.last().text, "mindestens 2 c-t-Punkte notwendig!");
    EXPECT_EQ(dialogs.beeps, 1);
    session.data = setOf({{0, 1, 0}, {5, 0.5, 0}});
    session.data.points[1].exclude = session.data.points[2].exclude = -1;
    EXPECT_FALSE(drawMeasuredPoints(session, dialogs, windows, false));
    EXPECT_EQ(dialogs.last().text, "alle Daten inaktiv gesetzt");
    session.data.points[2].exclude = 0;
    EXPECT_TRUE(drawMeasuredPoints(session, dialogs, windows, false));
    EXPECT_EQ(session.diagramKind, -1);
    EXPECT_EQ(windows.calls.back(), "setup");
    EXPECT_FALSE(drawMeasuredPoints(session, dialogs, windows, true));
    EXPECT_EQ(dialogs.last().text, "mindestens 2 k-T-Punkte notwendig!");

    // Two temperatures and tMax = 300: the question; Yes keeps the window open.
    session.data = setOf({{0, 1, 300}, {150, 0.6, 300}, {300, 0.4, 320}});
    dialogs.answers = {Answer::Yes};
    EXPECT_EQ(finishDataEditor(session, dialogs), FinishOutcome::StayOpen);
    EXPECT_EQ(dialogs.last().title, " Warnung für nicht-isothermes Fitting ");
    EXPECT_NE(dialogs.last().text.find("\r\n\r\nJetzt die Zeiteinheit ändern?"), std::string::npos);
    dialogs.answers = {Answer::No};
    EXPECT_EQ(finishDataEditor(session, dialogs), FinishOutcome::Close);
    EXPECT_DOUBLE_EQ(session.evaluation.activation.arrheniusA, 100.0);
    EXPECT_FLOAT_EQ(session.dataC0[kSlotA], 1.0f);
}

}  // namespace
}  // namespace zemtral
