#include "data/data_file.h"

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <limits>

#include <gtest/gtest.h>

#include "data/text_encoding.h"
#include "data/text_file.h"
#include "session/data_commands.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;
using test::TempHome;

const std::string kHead =
    "Kommentar\r\nmin\r\nt, cA, cB, cC, cP, cQ, k, T, lambda, lamda(inf), res3, res4, exclude(0|-1)\r\n";

ExpPoint makePoint(double t, double cA, double cB = 0, float lambda = 0, std::int16_t exclude = 0) {
    ExpPoint p;
    p.t = t;
    p.c[1] = cA;
    p.c[2] = cB;
    p.lambda = lambda;
    p.exclude = exclude;
    return p;
}

ExpDataSet sampleSet() {
    ExpDataSet set;
    set.dataComment = "Verseifung, 25 °C, Größe λ? nein: Maß";
    set.timeUnit = "min";
    set.lambdaInf = 0.91;
    ExpPoint a = makePoint(0.123456789, 0.02, 0.02, 2.48f);
    a.c[3] = 1e-12;
    a.c[4] = 12345.678901234;
    a.c[5] = -0.5;
    a.k = 6.6;
    a.T = 298.15;
    a.res3 = 1.5f;
    a.res4 = -2.25e-20f;
    ExpPoint b = makePoint(2.5, 0.0157, 0.0156, 2.2f, -1);
    b.T = 1e21;
    set.points.push_back(a);
    set.points.push_back(b);
    set.pointCount = 2;
    return set;
}

// A session whose data set holds two points that a failed load must not touch.
Session sessionWithPoints() {
    Session s;
    s.data.dataComment = "meine Messung";
    s.data.timeUnit = "h";
    s.state.timeUnit = "h";
    s.state.timeUnitIndex = 2;
    s.data.lambdaInf = 3.5;
    s.data.points.push_back(makePoint(0, 1.0, 0, 7.0f));
    s.data.points.push_back(makePoint(1, 0.5));
    s.data.pointCount = 2;
    s.data.dataFilePath = "/irgendwo/alt.ZD3";
    s.data.dataChanged = true;
    return s;
}

TEST(DataFile, RoundTripKeepsEveryFieldAndWritesWindows1252WithCrLf) {
    TempHome home;
    const ExpDataSet set = sampleSet();
    const std::string path = home.file("rund.ZD3");
    ASSERT_FALSE(writeDataFile(path, set).failed());

    const std::string bytes = TempHome::read(path);
    EXPECT_NE(bytes.find("Gr\xF6\xDF"
                         "e"),
              std::string::npos);  // umlauts in the code page
    EXPECT_NE(bytes.find("Ma\xDF\r\nmin\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("Ã"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n2\r\n0.123456789,"), std::string::npos);  // t in full precision
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(bytes[i - 1], '\r');
        }
    }

    const DataFileRead read = readDataFile(path);
    ASSERT_FALSE(read.error.failed()) << fileErrorDescription(read.error);
    EXPECT_EQ(read.content.comment, "Verseifung, 25 °C, Größe ?? nein: Maß");  // λ has no code point there
    EXPECT_EQ(read.content.timeUnit, "min");
    ASSERT_EQ(read.content.points.size(), 2u);
    EXPECT_EQ(read.content.points[0], set.points[1]);
    EXPECT_EQ(read.content.points[1], set.points[2]);
    EXPECT_EQ(read.content.lambdaInf, 0.91);
    EXPECT_EQ(read.content.lambda0, 0.0);  // no active point at t = 0

    // Written again, the read set gives the same lines (the comment lost its λ).
    ExpDataSet again;
    applyDataFile(again, read.content, false);
    std::vector<std::string> expected = dataFileLines(set), actual = dataFileLines(again);
    expected.erase(expected.begin());
    actual.erase(actual.begin());
    EXPECT_EQ(actual, expected);
}

// A file that holds the largest doubles is read, and the set, saved again, is a file that loads:
// the 15 digits written stay inside the double range.
TEST(DataFile, LargestDoublesAreSavedAsAFileThatLoads) {
    const DataFileRead first = parseDataFile(
        splitLines(kHead +
                   "1\r\n1.7976931348623157E308,-1.7976931348623157E308,0,0,0,0,1.797693134862315e308,"
                   "0,0,0,0,0,0\r\n"),
        "gross.ZD3");
    ASSERT_FALSE(first.error.failed()) << fileErrorDescription(first.error);
    ExpDataSet set;
    applyDataFile(set, first.content, false);
    const DataFileRead again =
        parseDataFile(splitLines(decodeFileText(encodeFileLines(dataFileLines(set)))), "x.ZD3");
    ASSERT_FALSE(again.error.failed()) << fileErrorDescription(again.error);
    ASSERT_EQ(again.content.points.size(), 1u);
    const ExpPoint& p = again.content.points[0];
    EXPECT_NEAR(p.t / std::numeric_limits<double>::max(), 1.0, 1e-14);
    EXPECT_NEAR(p.c[1] / -std::numeric_limits<double>::max(), 1.0, 1e-14);
    EXPECT_NEAR(p.k / 1.797693134862315e308, 1.0, 1e-14);
}

TEST(DataFile, StreamReaderTolerances) {
    // Quoted fields, a point split over two lines, blank lines, blanks before fields, numbers
    // without leading zero or with exponents, an empty field (0), a trailing comma, LF only.
    const std::string text =
        "\"quoted comment\"\n \"s\" , rest\nheader ignored\n  3  \n"
        ".5, 1.E-1 ,\"2.5e-2\",0,0,0,0,0,0,0,0,0,0\n"
        "\n"
        "1.5,-.25,0,0,\n   0,0,1.5E+02,3.0D+2,0.75,2,,0,-1\n"
        "+2,1,0,0,0,0,0,0,0,0,0,0,0,\n\n";
    const DataFileRead r = parseDataFile(splitLines(text), "x.ZD3");
    ASSERT_FALSE(r.error.failed()) << fileErrorDescription(r.error);
    const auto& p = r.content.points;
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(r.content.comment, "\"quoted comment\"");  // line 1 is taken whole
    EXPECT_EQ(r.content.timeUnit, "s");
    EXPECT_DOUBLE_EQ(p[0].t, 0.5);
    EXPECT_DOUBLE_EQ(p[0].c[1], 0.1);
    EXPECT_DOUBLE_EQ(p[0].c[2], 0.025);
    EXPECT_DOUBLE_EQ(p[1].c[1], -0.25);
    EXPECT_DOUBLE_EQ(p[1].k, 150.0);
    EXPECT_DOUBLE_EQ(p[1].T, 300.0);
    EXPECT_FLOAT_EQ(p[1].lambda, 0.75f);
    EXPECT_EQ(p[1].exclude, -1);
    EXPECT_DOUBLE_EQ(p[2].t, 2.0);
    EXPECT_EQ(r.content.lambdaInf, 2.0);

    // Upper-case units from hand-written files are taken as the unit.
    const DataFileRead upper = parseDataFile(splitLines("c\r\nMIN\r\nh\r\n0\r\n"), "x.ZD3");
    EXPECT_FALSE(upper.error.failed());
    EXPECT_EQ(upper.content.timeUnit, "min");
}

TEST(DataFile, LambdaInfinityTakesTheLastPositiveValueAndLambda0TheLastActiveZeroTime) {
    const std::string text = kHead +
                             "4\r\n"
                             "0,1,0,0,0,0,0,0,5,0.7,0,0,0\r\n"
                             "0,1,0,0,0,0,0,0,6,0.8,0,0,0\r\n"
                             "0,1,0,0,0,0,0,0,9,-1,0,0,-1\r\n"
                             "1,1,0,0,0,0,0,0,3,0,0,0,0\r\n";
    const DataFileRead r = parseDataFile(splitLines(text), "x.ZD3");
    ASSERT_FALSE(r.error.failed());
    EXPECT_EQ(r.content.lambdaInf, 0.8);
    EXPECT_EQ(r.content.lambda0, 6.0);  // the inactive point at t = 0 does not count

    ExpDataSet set;
    set.lambdaInf = 4.0;
    const DataFileRead zeros =
        parseDataFile(splitLines(kHead + "1\r\n1,1,0,0,0,0,0,0,3,0,0,0,0\r\n"), "x.ZD3");
    applyDataFile(set, zeros.content, false);
    EXPECT_EQ(set.lambdaInf, 4.0);  // a file without lambda(inf) keeps the set's value
}

struct BrokenFile {
    const char* name;
    std::string body;  // after the header lines 1..3
    FileErrorKind kind;
    std::string description;
};

TEST(DataFile, BrokenFilesAreRefusedWithLineAndChangeNothing) {
    const std::string good = "1,1,0,0,0,0,0,0,0,0,0,0,0\r\n";
    const std::vector<BrokenFile> cases = {
        {"count too large", "3\r\n" + good + good, FileErrorKind::UnexpectedEnd,
         "Unerwartetes Dateiende in Zeile 7"},
        {"not a number", "2\r\n" + good + "2,abc,0,0,0,0,0,0,0,0,0,0,0\r\n", FileErrorKind::InvalidNumber,
         "Keine gültige Zahl in Zeile 6: 'abc'"},
        {"fourteen fields", "2\r\n1,1,0,0,0,0,0,0,0,0,0,0,0,7\r\n" + good, FileErrorKind::FieldCountMismatch,
         "Falsche Anzahl von Feldern in Zeile 5 (ein Messpunkt hat 13 Felder)"},
        {"twelve fields", "2\r\n1,1,0,0,0,0,0,0,0,0,0,0\r\n" + good, FileErrorKind::FieldCountMismatch,
         "Falsche Anzahl von Feldern in Zeile 5 (ein Messpunkt hat 13 Felder)"},
        {"more points than announced", "1\r\n" + good + good, FileErrorKind::ExtraData,
         "Mehr Daten als angegeben in Zeile 6: '1'"},
        {"negative count", "-1\r\n", FileErrorKind::InvalidCount,
         "Ungültige Anzahl der Messpunkte in Zeile 4: '-1'"},
        {"fractional count", "1.5\r\n" + good, FileErrorKind::InvalidCount,
         "Ungültige Anzahl der Messpunkte in Zeile 4: '1.5'"},
        {"count beyond 16 bits", "40000\r\n" + good, FileErrorKind::InvalidCount,
         "Ungültige Anzahl der Messpunkte in Zeile 4: '40000'"},
        {"no count", "", FileErrorKind::UnexpectedEnd, "Unerwartetes Dateiende in Zeile 4"},
        {"overflowing number", "1\r\n1E999,1,0,0,0,0,0,0,0,0,0,0,0\r\n", FileErrorKind::InvalidNumber,
         "Keine gültige Zahl in Zeile 5: '1E999'"},
        {"lambda beyond a float", "1\r\n1,1,0,0,0,0,0,0,1E+300,0,0,0,0\r\n", FileErrorKind::ValueOutOfRange,
         "Zahl außerhalb des zulässigen Bereichs in Zeile 5: '1E+300'"},
    };
    TempHome home;
    for (const BrokenFile& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = home.write("kaputt.ZD3", kHead + c.body);
        const DataFileRead r = readDataFile(path);
        EXPECT_EQ(r.error.kind, c.kind);
        EXPECT_EQ(fileErrorDescription(r.error), c.description);

        for (const bool append : {false, true}) {
            Session s = sessionWithPoints();
            const Session before = s;
            RecordingDialogs dialogs;
            EXPECT_FALSE(LoadDataFile(s, dialogs, path, append));
            EXPECT_EQ(s.data, before.data);
            EXPECT_EQ(s.state.timeUnit, "h");
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.last().title, "Meldung von LoadDataFile");
            EXPECT_EQ(dialogs.last().text, c.description);
            EXPECT_EQ(dialogs.last().icon, MessageIcon::Critical);
        }
    }
    const DataFileRead unit = parseDataFile(splitLines("c\r\nsek\r\nh\r\n0\r\n"), "x.ZD3");
    EXPECT_EQ(fileErrorDescription(unit.error), "Unbekannte Zeiteinheit in Zeile 2: 'sek'");
}

TEST(DataFile, MissingFileIsReportedWithItsPath) {
    TempHome home;
    Session s = sessionWithPoints();
    const Session before = s;
    RecordingDialogs dialogs;
    const std::string path = home.file("fehlt.ZD3");
    EXPECT_FALSE(LoadDataFile(s, dialogs, path, false));
    EXPECT_EQ(dialogs.last().text, "Datei nicht gefunden: " + path);
    EXPECT_EQ(s.data, before.data);
    EXPECT_FALSE(LoadDataFile(s, dialogs, home.path(), false));
    EXPECT_EQ(dialogs.last().text, "Der Pfad ist ein Ordner, keine Datei: " + home.path());
}

TEST(DataFile, OpenDialogLoadsAppendsAndKeepsThePointsWhenTheNewFileIsBroken) {
    TempHome home;
    const std::string good = home.write("gut.ZD3",
                                        "neu\r\ns\r\nh\r\n2\r\n0,2,0,0,0,0,0,0,0,0,0,0,0\r\n"
                                        "5,1,0,0,0,0,0,0,0,0,0,0,0\r\n");
    const std::string broken =
        home.write("sub/kaputt.ZD3", "neu\r\ns\r\nh\r\n3\r\n0,2,0,0,0,0,0,0,0,0,0,0,0\r\n");

    // Cancel changes nothing.
    Session s = sessionWithPoints();
    const Session before = s;
    RecordingDialogs dialogs;
    dialogs.texts.push_back(std::nullopt);
    EXPECT_TRUE(OpenDataFileDialog(s, dialogs, false).cancelled);
    EXPECT_EQ(dialogs.last().title, "Laden experimenteller Daten");
    EXPECT_EQ(s.data, before.data);

    // "Neu-Laden" of a broken file: the message, and the user's points stay.
    dialogs.texts.push_back(broken);
    const OpenDataResult failed = OpenDataFileDialog(s, dialogs, false);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.cancelled);
    EXPECT_EQ(dialogs.last().title, "Meldung von LoadDataFile");
    EXPECT_EQ(s.data.pointCount, 2);
    EXPECT_EQ(s.data.points, before.data.points);
    EXPECT_EQ(s.data.dataFilePath, before.data.dataFilePath);
    EXPECT_TRUE(s.data.dataChanged);

    // A good file replaces the points; the unit becomes the shared unit, not converted.
    dialogs.texts.push_back(good);
    EXPECT_TRUE(OpenDataFileDialog(s, dialogs, false).ok);
    EXPECT_EQ(s.data.pointCount, 2);
    EXPECT_EQ(s.data.dataComment, "neu");
    EXPECT_EQ(s.data.dataFilePath, good);
    EXPECT_EQ(s.data.dataDir, home.path());
    EXPECT_FALSE(s.data.dataChanged);
    EXPECT_EQ(s.state.timeUnit, "s");
    EXPECT_EQ(s.state.timeUnitIndex, 0);
    EXPECT_EQ(s.data.lambdaInf, 3.5);  // the file has none

    // Appending a file in another unit keeps the comment and the times.
    const std::string minutes =
        home.write("min.ZD3", "anderer\r\nmin\r\nh\r\n1\r\n7,0.5,0,0,0,0,0,0,0,0,0,0,0\r\n");
    dialogs.texts.push_back(minutes);
    EXPECT_TRUE(OpenDataFileDialog(s, dialogs, true).ok);
    EXPECT_EQ(dialogs.shown[dialogs.shown.size() - 1].title, "Daten aus gewähltem File anfügen");
    ASSERT_EQ(s.data.pointCount, 3);
    EXPECT_EQ(s.data.points.size(), 4u);
    EXPECT_EQ(s.data.dataComment, "neu");
    EXPECT_EQ(s.data.timeUnit, "min");
    EXPECT_EQ(s.state.timeUnit, "min");
    EXPECT_DOUBLE_EQ(s.data.points[2].t, 5.0);
    EXPECT_DOUBLE_EQ(s.data.points[3].t, 7.0);

    // A count of 0 loads no point but the comment and the unit.
    const std::string empty = home.write("leer.ZD3", "nur Kopf\r\nd\r\nh\r\n0\r\n");
    dialogs.texts.push_back(empty);
    EXPECT_TRUE(OpenDataFileDialog(s, dialogs, false).ok);
    EXPECT_EQ(s.data.pointCount, 0);
    EXPECT_EQ(s.data.dataComment, "nur Kopf");
    EXPECT_EQ(s.data.timeUnit, "d");
}

TEST(DataFile, SaveAsWritesTheSetAndFailedWritesKeepThePreviousFile) {
    TempHome home;
    Session s;
    s.data = sampleSet();
    s.data.dataChanged = true;
    RecordingDialogs dialogs;
    dialogs.texts.push_back(home.file("neu"));  // no extension: ".ZD3" is added
    EXPECT_TRUE(SaveDataFileAs(s, dialogs));
    EXPECT_EQ(dialogs.last().title, "Datenfile speichern unter ...");
    EXPECT_EQ(s.data.dataFilePath, home.file("neu.ZD3"));
    EXPECT_EQ(s.data.dataDir, home.path());
    EXPECT_FALSE(s.data.dataChanged);
    const std::string written = TempHome::read(home.file("neu.ZD3"));
    EXPECT_FALSE(written.empty());

    // A directory that does not exist.
    EXPECT_FALSE(WriteDataFile(s, dialogs, home.file("gibtsnicht/x.ZD3")));
    EXPECT_EQ(dialogs.last().title, "Meldung von WriteDataFile");
    EXPECT_EQ(dialogs.last().text, "Pfad nicht gefunden: " + home.file("gibtsnicht/x.ZD3"));

    // A write that fails half-way (file-size limit): the old file is untouched, no temporary stays.
    for (int i = 0; i < 200; ++i) {
        s.data.points.push_back(makePoint(i, 1.0 / (i + 1)));
    }
    s.data.pointCount = static_cast<std::int16_t>(s.data.points.size() - 1);
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = WriteDataFile(s, dialogs, home.file("neu.ZD3"));
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(ok);
    EXPECT_EQ(dialogs.last().text, "Die Datei ist zu groß: " + home.file("neu.ZD3"));
    EXPECT_EQ(TempHome::read(home.file("neu.ZD3")), written);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(home.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);

    // Cancel writes nothing.
    dialogs.texts.push_back(std::nullopt);
    EXPECT_FALSE(SaveDataFileAs(s, dialogs));
}

TEST(DataFile, ChangedDataPrompt) {
    TempHome home;
    Session s;
    s.data = sampleSet();
    RecordingDialogs dialogs;
    dialogs.answers = {Answer::Cancel};
    EXPECT_TRUE(AskSaveChangedData(s, dialogs));
    EXPECT_EQ(dialogs.last().title, "WARNUNG");
    EXPECT_EQ(dialogs.last().text, "Die experimentellen Daten wurden geändert.\r\nJetzt speichern?");
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Exclamation);
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(AskSaveChangedData(s, dialogs));
    dialogs.answers = {Answer::Yes};
    dialogs.texts.push_back(std::nullopt);  // the save dialog is cancelled: stay
    EXPECT_TRUE(AskSaveChangedData(s, dialogs));
    dialogs.answers = {Answer::Yes};
    dialogs.texts.push_back(home.file("gesichert.ZD3"));
    EXPECT_FALSE(AskSaveChangedData(s, dialogs));
    EXPECT_TRUE(std::filesystem::exists(home.file("gesichert.ZD3")));
}

TEST(DataFile, CommentPreviews) {
    TempHome home;
    Session s;
    RecordingDialogs dialogs;
    const std::string zd3 = home.write("v.ZD3",
                                       "Gr\xF6\xDF"
                                       "e\r\nmin\r\n");
    EXPECT_EQ(ViewBatchFile(s, dialogs, zd3), std::optional<std::string>("Größe"));
    EXPECT_EQ(s.data.dataComment, "Größe");
    EXPECT_FALSE(ViewBatchFile(s, dialogs, home.file("nicht.ZD3")));
    EXPECT_EQ(dialogs.last().title, "Meldung von ViewBatchFile");

    const std::string zc3 = home.write("p.ZC3", "#2026-12-08 10:00:00#\r\n\"Übung 3\"\r\n\"\"\r\n");
    EXPECT_EQ(ReadFileComment(s, dialogs, zc3), std::optional<std::string>("Übung 3"));
    EXPECT_EQ(s.projectComment, "Übung 3");
    EXPECT_FALSE(ReadFileComment(s, dialogs, home.write("kurz.ZC3", "#x#\r\n")));
    EXPECT_EQ(dialogs.last().title, "FEHLER");
    EXPECT_EQ(dialogs.last().text, "Unerwartetes Dateiende in Zeile 2");
}

}  // namespace
}  // namespace zemtral
