#include "session/xy_editor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "session/protocol_source.h"
#include "support/recording_dialogs.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;

XyList listOf(std::initializer_list<XyPoint> points) {
    XyList list;
    list.points.insert(list.points.end(), points.begin(), points.end());
    return list;
}

// A spreadsheet block grows the list from the current row on; a trailing line break adds no
// point; decimal commas are read; a block pasted into the y column leaves x alone.
TEST(XyEditor, PasteGrowsTheListFromTheCurrentCell) {
    RecordingDialogs dialogs;
    XyList xy = listOf({{1, 10, 0}, {2, 20, -1}, {3, 30, 0}});
    EXPECT_EQ(pasteXyBlock(xy, dialogs, 3, kXyColumnX, "0,5\t1,25\r\n4\t40\r\n5\t-5e-3\r\n"), 3);
    ASSERT_EQ(xy.count(), 5);
    EXPECT_EQ(xy.points[2], (XyPoint{2, 20, -1}));  // rows above the block keep their flag
    EXPECT_EQ(xy.points[3], (XyPoint{0.5f, 1.25f, 0}));
    EXPECT_EQ(xy.points[5], (XyPoint{5, -5e-3f, 0}));
    EXPECT_TRUE(xy.unsaved);

    // In the y column only y changes; the cell beyond y is ignored; an empty cell is 0.
    EXPECT_EQ(pasteXyBlock(xy, dialogs, 1, kXyColumnY, "7\t99\n\t\n\n"), 2);
    EXPECT_EQ(xy.points[1], (XyPoint{1, 7, 0}));
    EXPECT_EQ(xy.points[2], (XyPoint{2, 0, -1}));
    EXPECT_EQ(xy.count(), 5);
    EXPECT_TRUE(dialogs.shown.empty());
}

// A cell that is not a number (or too large for the list) changes nothing and is named.
TEST(XyEditor, PasteRefusesCellsThatAreNotNumbers) {
    RecordingDialogs dialogs;
    const XyList before = listOf({{1, 10, 0}, {2, 20, 0}});
    XyList xy = before;
    EXPECT_EQ(pasteXyBlock(xy, dialogs, 2, kXyColumnX, "3\t30\n4\tvier\n5\tfünf"), 0);
    EXPECT_EQ(xy, before);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, kNotPossibleTitle);
    EXPECT_EQ(dialogs.last().text,
              "Keine gültige Zahl in Zeile 3, Spalte y: 'vier'\r\nEs wurde nichts eingefügt.");
    EXPECT_EQ(pasteXyBlock(xy, dialogs, 1, kXyColumnX, "1e39\t1"), 0);
    EXPECT_EQ(xy, before);
    EXPECT_EQ(dialogs.last().text.rfind("Keine gültige Zahl in Zeile 1, Spalte x: '1e39'", 0), 0u);
}

// The questions name the rows; "No" and a missing selection leave the list as it was.
TEST(XyEditor, RemovalAsksAndNamesTheRows) {
    RecordingDialogs dialogs;
    const XyList before = listOf({{1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {4, 4, 0}});
    XyList xy = before;
    EXPECT_FALSE(eraseXyRows(xy, dialogs, false, std::nullopt));
    EXPECT_EQ(dialogs.last().text, "keine Markierung!");
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(eraseXyRows(xy, dialogs, false, std::make_pair(3, 2)));
    EXPECT_EQ(dialogs.last().text, "Zeilen 2 bis 3 wirklich löschen?");
    EXPECT_EQ(xy, before);
    EXPECT_TRUE(eraseXyRows(xy, dialogs, false, std::make_pair(2, 3)));
    EXPECT_EQ(xy.count(), 2);
    EXPECT_EQ(xy.points[2].x, 4.0f);
    EXPECT_TRUE(eraseXyRows(xy, dialogs, false, std::make_pair(1, 1)));
    EXPECT_EQ(dialogs.last().text, "Zeile 1 wirklich löschen?");
    EXPECT_TRUE(eraseXyRows(xy, dialogs, true, std::nullopt));
    EXPECT_EQ(dialogs.last().text, "wirklich alles löschen?");
    EXPECT_EQ(xy.count(), 0);
}

// Typed points, inactive points and what the diagram gets.
TEST(XyEditor, InputActiveFlagsAndDrawing) {
    RecordingDialogs dialogs;
    XyList xy;
    EXPECT_FALSE(storeXyInput(xy, dialogs, false, 1, "", " "));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(storeXyInput(xy, dialogs, false, 1, "1,5", "-2"), 1);
    EXPECT_EQ(storeXyInput(xy, dialogs, false, 1, "3", "4"), 2);
    EXPECT_EQ(storeXyInput(xy, dialogs, true, 1, "0", "7"), 1);  // edit mode overwrites row 1
    EXPECT_EQ(xy.points[1], (XyPoint{0, 7, 0}));
    EXPECT_FALSE(storeXyInput(xy, dialogs, true, 3, "1", "1"));  // no row 3 to edit

    EXPECT_TRUE(toggleXyActive(xy, dialogs, 2));
    EXPECT_EQ(activeXyPoints(xy), (std::vector<ChartPoint>{{0, 7}}));
    EXPECT_FALSE(xyPointsToDraw(xy, dialogs));
    EXPECT_EQ(dialogs.last().text, "Mindestens 2 aktive Punkte notwendig!");
    EXPECT_TRUE(toggleXyActive(xy, dialogs, 2));
    EXPECT_EQ(xyPointsToDraw(xy, dialogs), (std::vector<ChartPoint>{{0, 7}, {3, 4}}));

    const std::vector<std::string> print = xyPrintLines(xy, DateTime{2026, 12, 9, 8, 5, 0}, ',');
    EXPECT_EQ(print.front(), "Liste XY-Daten vom 09.12.2026 08:05:00");
    EXPECT_EQ(print.size(), 6u);  // heading, rule, column heads, rule, two points
    xy.xyFilePath = "/tmp/mess/kurve.XY";
    EXPECT_EQ(xyPrintLines(xy, DateTime{}, '.').front(), "Liste von XY-Datenfile kurve.XY");
    EXPECT_EQ(xyClipboardText(xy, ','), "0\t7\r\n3\t4\r\n");
}

// The window whose button opened the protocol is its source; else the first open one in order.
TEST(ProtocolSource, ActiveWindowFirstThenTheFixedOrder) {
    const auto open = [](std::initializer_list<WindowId> ids) {
        return [ids = std::vector<WindowId>(ids)](WindowId id) {
            return std::find(ids.begin(), ids.end(), id) != ids.end();
        };
    };
    const auto both = open({WindowId::SimulationSetUp, WindowId::BatchReactor});
    EXPECT_EQ(protocolSourceFor(WindowId::BatchReactor, both), ProtocolSource::BatchReactor);
    EXPECT_EQ(protocolSourceFor(WindowId::Diagram, both), ProtocolSource::Simulation);
    EXPECT_EQ(protocolSourceFor(std::nullopt, open({WindowId::Fitting, WindowId::TubeReactor})),
              ProtocolSource::TubularReactor);
    EXPECT_EQ(protocolSourceFor(std::nullopt, open({})), ProtocolSource::None);
    EXPECT_EQ(windowOfProtocolSource(ProtocolSource::StirredTank), WindowId::StirredTank);
}

}  // namespace
}  // namespace zemtral
