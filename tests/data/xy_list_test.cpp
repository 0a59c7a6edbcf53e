#include "data/xy_list.h"

#include <cmath>

#include <gtest/gtest.h>

#include "data/text_encoding.h"
#include "session/xy_commands.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;
using test::TempHome;

XyList listOf(std::initializer_list<XyPoint> points) {
    XyList list;
    list.points.insert(list.points.end(), points);
    return list;
}

TEST(XyList, FileFormatWritesActivePointsInMantissaForm) {
    XyList list = listOf({{2.5f, 0.01f, 0.0f}, {1.0f, 2.0f, -1.0f}, {-3.0f, 0.0f, 0.0f}});
    list.comment = "Kurve für Übung";
    EXPECT_EQ(xyFileLines(list, ";"),
              (std::vector<std::string>{"Kurve für Übung", ".2500000E+01;.1000000E-01",
                                        "-.3000000E+01;.0000000E+00"}));
    TempHome home;
    const std::string path = home.file("k.XY");
    ASSERT_FALSE(writeXyFile(path, list, "\t").failed());
    EXPECT_EQ(TempHome::read(path),
              "Kurve f\xFCr \xDC"
              "bung\r\n.2500000E+01\t.1000000E-01\r\n-.3000000E+01\t.0000000E+00\r\n");

    const XyFileRead r = readXyFile(path);
    ASSERT_FALSE(r.error.failed());
    EXPECT_EQ(r.comment, list.comment);
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_EQ(r.points[0], (XyPoint{2.5f, 0.01f, 0.0f}));
    EXPECT_EQ(r.points[1], (XyPoint{-3.0f, 0.0f, 0.0f}));
}

TEST(XyList, SeparatorDetectionAndDecimalCommas) {
    EXPECT_EQ(detectXySeparator("1,5;2,5"), ";");
    EXPECT_EQ(detectXySeparator("1.5,2.5"), ",");
    EXPECT_EQ(detectXySeparator("1,5\t2;5"), "\t");
    EXPECT_EQ(detectXySeparator("1.5 2.5"), " ");
    EXPECT_EQ(detectXySeparator("15"), "");

    XyFileRead r = parseXyFile(splitLines("c\n1,5;2,5\n3;4e-1;ignored\n\n"), "a.XY");
    ASSERT_FALSE(r.error.failed());
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_FLOAT_EQ(r.points[0].x, 1.5f);
    EXPECT_FLOAT_EQ(r.points[0].y, 2.5f);
    EXPECT_FLOAT_EQ(r.points[1].y, 0.4f);

    r = parseXyFile(splitLines("LRG\r\n   1.0    2.0\r\n3.0\t4.0\r\n"), "a.LRG");
    ASSERT_FALSE(r.error.failed());
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_FLOAT_EQ(r.points[1].x, 3.0f);

    EXPECT_EQ(fileErrorDescription(parseXyFile(splitLines("c\n15\n"), "a.XY").error),
              "Kein Trennzeichen (Semikolon, Komma, Tab oder Leerzeichen) in Zeile 2");
    EXPECT_EQ(fileErrorDescription(parseXyFile(splitLines("c\n1;2\n1;x\n"), "a.XY").error),
              "Keine gültige Zahl in Zeile 3: 'x'");
    EXPECT_EQ(fileErrorDescription(parseXyFile(splitLines("c\n1;1e39\n"), "a.XY").error),
              "Zahl außerhalb des zulässigen Bereichs in Zeile 2: '1e39'");
    EXPECT_TRUE(parseXyFile({}, "a.XY").points.empty());
}

TEST(XyList, FormulasApplyToAllPointsOrToNone) {
    XyList list = listOf({{1, 2, 0}, {2, 4, -1}});
    EXPECT_FALSE(applyXyFormula(list, XyFormula::TimesW, 3.0));
    EXPECT_EQ(list.points[2], (XyPoint{2, 12, -1}));
    EXPECT_TRUE(list.unsaved);
    EXPECT_FALSE(applyXyFormula(list, XyFormula::PlusW, -2.0));
    EXPECT_FLOAT_EQ(list.points[1].y, 4.0f);
    EXPECT_FALSE(applyXyFormula(list, XyFormula::Reciprocal, 0));
    EXPECT_FLOAT_EQ(list.points[1].y, 0.25f);
    EXPECT_FALSE(applyXyFormula(list, XyFormula::LnY, 0));
    EXPECT_FLOAT_EQ(list.points[1].y, std::log(0.25f));
    EXPECT_FALSE(applyXyFormula(list, XyFormula::ExpY, 0));
    EXPECT_NEAR(list.points[1].y, 0.25f, 1e-6);
    EXPECT_FALSE(applyXyFormula(list, XyFormula::OneMinusX, 0));
    EXPECT_FLOAT_EQ(list.points[1].x, 0.0f);
    EXPECT_FLOAT_EQ(list.points[2].x, -1.0f);

    const XyList kept = listOf({{1, 2, 0}, {2, 0, 0}, {3, -1, 0}});
    XyList work = kept;
    EXPECT_EQ(
        applyXyFormula(work, XyFormula::LnY, 0),
        std::optional<std::string>("Ungültiges Argument (Logarithmus oder Wurzel einer negativen Zahl)"));
    EXPECT_EQ(work, kept);
    EXPECT_EQ(applyXyFormula(work, XyFormula::Reciprocal, 0),
              std::optional<std::string>("Division durch Null"));
    EXPECT_EQ(work, kept);
    work = listOf({{1, 100, 0}});
    EXPECT_EQ(applyXyFormula(work, XyFormula::ExpY, 0),
              std::optional<std::string>("Überlauf"));  // e^100 > float
    EXPECT_EQ(applyXyFormula(work, XyFormula::TimesW, 1e38), std::optional<std::string>("Überlauf"));

    Session s;
    s.xy = kept;
    RecordingDialogs dialogs;
    EXPECT_FALSE(executeXyFormula(s, dialogs, 1, ""));
    EXPECT_EQ(dialogs.last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(dialogs.last().text,
              "Ungültiges Argument (Logarithmus oder Wurzel einer negativen Zahl)\r\nMit den vorliegenden "
              "Daten ist "
              "diese Aktion nicht ausführbar.");
    EXPECT_EQ(s.xy, kept);
    EXPECT_TRUE(executeXyFormula(s, dialogs, 3, "0,5"));  // W typed with a decimal comma
    EXPECT_FLOAT_EQ(s.xy.points[3].y, -0.5f);
}

TEST(XyList, SwapSortAndRemove) {
    XyList list = listOf({{3, 1, 0}, {1, 3, -1}, {2, 2, 0}, {1, 0, 0}});
    sortByX(list);
    EXPECT_EQ(list.points[1], (XyPoint{1, 3, -1}));  // stable: equal x keep their order
    EXPECT_EQ(list.points[2], (XyPoint{1, 0, 0}));
    EXPECT_EQ(list.points[4], (XyPoint{3, 1, 0}));
    sortByY(list);
    EXPECT_EQ(list.points[1], (XyPoint{1, 0, 0}));
    EXPECT_EQ(list.points[4], (XyPoint{1, 3, -1}));
    swapXy(list);
    EXPECT_EQ(list.points[4], (XyPoint{3, 1, -1}));
    removeXyRows(list, 2, 3);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.points[2], (XyPoint{3, 1, -1}));
    removeXyRows(list, 5, 9);  // outside: nothing
    EXPECT_EQ(list.count(), 2);
    clearXyList(list);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.points.size(), 1u);
}

TEST(XyList, SaveAndLoadCommands) {
    TempHome home;
    Session s;
    s.appHome = home.path();
    RecordingDialogs dialogs;
    EXPECT_FALSE(saveXyFile(s, dialogs));
    EXPECT_EQ(dialogs.beeps, 1);

    s.xy = listOf({{1, 2, 0}, {3, 4, 0}});
    s.xy.unsaved = true;
    s.protocol.separator = ",";
    dialogs.texts.push_back(home.file("kurve"));
    ASSERT_TRUE(saveXyFile(s, dialogs));
    EXPECT_EQ(dialogs.last().title, "(Kurven)punkte speichern unter ...");
    EXPECT_EQ(s.xy.xyFilePath, home.file("kurve.XY"));
    EXPECT_FALSE(s.xy.unsaved);
    EXPECT_EQ(TempHome::read(home.file("kurve.XY")),
              "\r\n.1000000E+01,.2000000E+01\r\n.3000000E+01,.4000000E+01\r\n");

    // A broken file keeps the list; a good one replaces it.
    const XyList before = s.xy;
    dialogs.texts.push_back(home.write("kaputt.XY", "c\r\n1;2\r\n1;zwei\r\n"));
    EXPECT_FALSE(loadXyFile(s, dialogs));
    EXPECT_EQ(dialogs.last().text, "Keine gültige Zahl in Zeile 3: 'zwei'");
    EXPECT_EQ(s.xy.points, before.points);
    dialogs.texts.push_back(home.write("gut.LRG", "neu\r\n5;6\r\n"));
    EXPECT_TRUE(loadXyFile(s, dialogs));
    EXPECT_EQ(s.xy.count(), 1);
    EXPECT_EQ(s.xy.comment, "neu");

    s.xy.unsaved = true;
    dialogs.answers = {Answer::Cancel};
    EXPECT_FALSE(confirmCloseXyEditor(s, dialogs));
    EXPECT_EQ(dialogs.last().text, "Die Daten wurden noch nicht gespeichert.\r\nJetzt speichern?");
    dialogs.answers = {Answer::No};
    EXPECT_TRUE(confirmCloseXyEditor(s, dialogs));
}

}  // namespace
}  // namespace zemtral
