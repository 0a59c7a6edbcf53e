#include "data/project_file.h"

#include <filesystem>
#include <limits>

#include <gtest/gtest.h>

#include "data/text_encoding.h"
#include "session/data_commands.h"
#include "session/project_commands.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;
using test::TempHome;

const std::string kData =
    "Versuch 1\r\nmin\r\nh\r\n2\r\n0,0.02,0.02,0,0,0,0,0,0,0,0,0,0\r\n"
    "10,0.01,0.01,0,0,0,0,0,0,0,0,0,0\r\n";

Session freshSession(const TempHome& home) {
    Session s;
    setUpFileLocations(s, home.path());
    return s;
}

TEST(ProjectFile, WrittenLinesAndStableRoundTrip) {
    ProjectContent c;
    c.comment = "Übung \"A + B\" für Gruppe 3";
    c.dataFileName = "/irgendwo/verseifung.ZD3";
    c.modelId = 4;
    c.rateConst = {0, 6.6, 0.2, 1e-20};
    const std::vector<std::string> lines = projectFileLines(c, DateTime{2026, 12, 7, 9, 5, 3});
    const std::vector<std::string> expected = {"#2026-12-07 09:05:03#",
                                               "\"Übung \"A + B\" für Gruppe 3\"",
                                               "\"verseifung.ZD3\"",
                                               "4",
                                               "6.6,0.2,1E-20",
                                               "0",
                                               "0",
                                               "0",
                                               "0",
                                               "0,0,0,0",
                                               "0",
                                               "0",
                                               "0,0",
                                               "\"x\"",
                                               "\"x\""};
    EXPECT_EQ(lines, expected);

    TempHome home;
    const std::string path = home.file("p.ZC3");
    ProjectContent current = c;
    for (int round = 0; round < 3; ++round) {  // saving what was read gives the same file
        ASSERT_FALSE(writeProjectFile(path, current, DateTime{}).failed());
        const ProjectRead r = readProjectFile(path);
        ASSERT_FALSE(r.error.failed()) << fileErrorDescription(r.error);
        EXPECT_EQ(r.content.comment, c.comment);
        EXPECT_EQ(r.content.dataFileName, "verseifung.ZD3");
        EXPECT_EQ(r.content.modelId, 4);
        EXPECT_EQ(r.content.rateConst, c.rateConst);
        current = r.content;
    }
    EXPECT_NE(TempHome::read(path).find("\"\xDC"
                                        "bung"),
              std::string::npos);  // Windows-1252 on disk
}

// A project whose constants lie at the ends of the double range is saved as a file that loads
// again: the largest doubles, rounded to the 15 digits written, stay inside the range.
TEST(ProjectFile, ConstantsAtTheEndsOfTheRangeLoadAgain) {
    ProjectContent c;
    c.modelId = 2;
    c.rateConst = {0, std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::denorm_min()};
    TempHome home;
    const std::string path = home.file("grenzen.ZC3");
    ASSERT_FALSE(writeProjectFile(path, c, DateTime{}).failed());
    const ProjectRead r = readProjectFile(path);
    ASSERT_FALSE(r.error.failed()) << fileErrorDescription(r.error);
    EXPECT_NEAR(r.content.rateConst[1] / c.rateConst[1], 1.0, 1e-14);
    EXPECT_NEAR(r.content.rateConst[2] / c.rateConst[2], 1.0, 1e-14);
    EXPECT_GT(r.content.rateConst[3], 0.0);
}

TEST(ProjectFile, LastSessionPathIsRecognisedInAnyCase) {
    EXPECT_TRUE(isLastSessionPath("/home/u/.local/share/ZEMTRAL/ZemLastSession.ZC3"));
    EXPECT_TRUE(isLastSessionPath("/x/zemlastsession.zc3"));
    EXPECT_FALSE(isLastSessionPath("/x/ZemLastSession.ZC3.bak"));
    EXPECT_FALSE(isLastSessionPath("a.ZC3"));
}

TEST(ProjectFile, WriteAsksForACommentExceptForTheLastSession) {
    TempHome home;
    Session s = freshSession(home);
    s.projectComment = "alt";
    RecordingDialogs dialogs;
    ASSERT_TRUE(WriteProjectFile(s, dialogs, s.lastSessionPath));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(s.projectComment, "ZEMTRAL last session");
    EXPECT_EQ(splitLines(decodeFileText(TempHome::read(s.lastSessionPath)))[1], "\"ZEMTRAL last session\"");
    EXPECT_EQ(splitLines(decodeFileText(TempHome::read(s.lastSessionPath)))[2], "\"\"");  // no data file

    dialogs.texts.push_back(std::string("mein Projekt"));
    ASSERT_TRUE(WriteProjectFile(s, dialogs, home.file("p.ZC3")));
    EXPECT_EQ(dialogs.last().kind, "input");
    EXPECT_EQ(dialogs.last().title, " Datei-Kommentar (optional) ");
    EXPECT_EQ(dialogs.last().text, "Eingabe Kommentartext\r\n<Abbrechen> = kein Kommentar");
    EXPECT_EQ(s.projectComment, "mein Projekt");

    dialogs.texts.push_back(std::nullopt);  // Cancel: no comment
    ASSERT_TRUE(WriteProjectFile(s, dialogs, home.file("p.ZC3")));
    EXPECT_EQ(s.projectComment, "");

    EXPECT_FALSE(WriteProjectFile(s, dialogs, home.file("fehlt/ZemLastSession.ZC3")));
    EXPECT_EQ(dialogs.last().title, "Fehler beim Abspeichern der Sitzungs-Datei");
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Critical);

    dialogs.texts.push_back(home.file("gespeichert"));
    dialogs.texts.push_back(std::string("k"));
    EXPECT_TRUE(SaveProjectAs(s, dialogs));
    EXPECT_TRUE(std::filesystem::exists(home.file("gespeichert.ZC3")));
    EXPECT_EQ(s.projectDir, home.path());
}

TEST(ProjectFile, DamagedFilesChangeNothing) {
    TempHome home;
    const std::string good =
        "#d#\r\n\"c\"\r\n\"\"\r\n9\r\n1,2,3\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,"
        "0\r\n\"x\"\r\n\"x\"\r\n";
    std::vector<std::pair<std::string, std::string>> cases = {
        {"truncated", good.substr(0, good.find("0,0,0,0"))},
        {"model 19",
         "#d#\r\n\"c\"\r\n\"\"\r\n19\r\n1,2,3\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,"
         "0\r\n\"x\"\r\n\"x\"\r\n"},
        {"model 0",
         "#d#\r\n\"c\"\r\n\"\"\r\n0\r\n1,2,3\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,"
         "0\r\n\"x\"\r\n\"x\"\r\n"},
        {"bad constant",
         "#d#\r\n\"c\"\r\n\"\"\r\n9\r\n1,zwei,3\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n0,"
         "0\r\n\"x\"\r\n\"x\"\r\n"},
        {"empty", ""},
    };
    ASSERT_FALSE(parseProjectFile(splitLines(good), "g").error.failed());
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        const std::string path = home.write("kaputt.ZC3", text);
        Session s = freshSession(home);
        s.projectComment = "bleibt";
        const Session before = s;
        EXPECT_FALSE(ReadProjectFile(s, path).ok);
        EXPECT_EQ(s.state.modelId, before.state.modelId);
        EXPECT_EQ(s.state.rateConst, before.state.rateConst);
        EXPECT_EQ(s.projectComment, "bleibt");
    }
}

TEST(ProjectFile, LoadingAProjectReplacesTheDataAndKeepsItsConstants) {
    TempHome home;
    std::filesystem::create_directories(home.file("projekte"));
    home.write("projekte/versuch.ZD3", kData);
    Session author = freshSession(home);
    author.state.modelId = 4;
    author.state.rateConst = {0, 6.6, 0, 0};
    author.data.dataFilePath = home.file("projekte/versuch.ZD3");
    RecordingDialogs dialogs;
    dialogs.texts.push_back(std::string("Verseifung"));
    ASSERT_TRUE(WriteProjectFile(author, dialogs, home.file("projekte/versuch.ZC3")));

    Session s = freshSession(home);
    s.data.points.push_back(ExpPoint{});
    s.data.pointCount = 1;
    dialogs = RecordingDialogs{};
    dialogs.texts.push_back(home.file("projekte/versuch.ZC3"));
    const ProjectLoadOutcome out = loadExistingProject(s, dialogs);
    EXPECT_TRUE(out.projectRead);
    EXPECT_TRUE(out.dataLoaded);
    EXPECT_TRUE(out.enableEditData);
    EXPECT_TRUE(out.enableNewDataAndSaveProject);
    EXPECT_TRUE(out.reopenModelWindow);
    EXPECT_EQ(dialogs.last().title, "geladen...");
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Information);
    EXPECT_EQ(dialogs.last().text,
              "...Datenfile: versuch.ZD3\r\n\r\neinsehbar unter \"Daten / exper. Daten Sichten/Editieren\"");
    EXPECT_EQ(s.data.pointCount, 2);  // replaced, not appended
    EXPECT_EQ(s.data.dataComment, "Versuch 1");
    EXPECT_EQ(s.data.dataFilePath, home.file("projekte/versuch.ZD3"));
    EXPECT_EQ(s.state.timeUnit, "min");
    EXPECT_TRUE(s.survey.hasCtData);
    EXPECT_FLOAT_EQ(s.dataC0[1], 0.02f);
    EXPECT_FLOAT_EQ(s.dataC0[2], 0.02f);
    EXPECT_EQ(s.projectComment, "Verseifung");
    EXPECT_EQ(s.projectFileName, "versuch.ZC3");
    EXPECT_EQ(s.projectDir, home.file("projekte"));

    // The model window reselects model 4: its defaults apply, the constants read stay.
    applyModelOnReopen(s);
    EXPECT_EQ(s.state.modelId, 4);
    EXPECT_EQ(s.state.rateConst[1], 6.6);
    EXPECT_FALSE(s.keepRateConstOnReopen);
    applyModelOnReopen(s);  // a later selection applies the defaults again
    EXPECT_EQ(s.state.rateConst[1], 0.15);
}

TEST(ProjectFile, DataFileIsFoundInTheHomeOrReportedMissing) {
    TempHome home;
    home.write("versuch.ZD3", kData);
    ProjectContent c;
    c.dataFileName = "versuch.ZD3";
    c.modelId = 2;
    c.rateConst = {0, 0.3, 0, 0};
    std::filesystem::create_directories(home.file("woanders"));
    ASSERT_FALSE(writeProjectFile(home.file("woanders/p.ZC3"), c, DateTime{}).failed());

    Session s = freshSession(home);
    RecordingDialogs dialogs;
    dialogs.texts.push_back(home.file("woanders/p.ZC3"));
    EXPECT_TRUE(loadExistingProject(s, dialogs).dataLoaded);
    EXPECT_EQ(s.data.dataFilePath, home.file("versuch.ZD3"));

    // Without the data file: the LoadDataFile message, model and constants loaded all the same.
    c.dataFileName = "fehlt.ZD3";
    c.rateConst[1] = 0.45;
    ASSERT_FALSE(writeProjectFile(home.file("woanders/p.ZC3"), c, DateTime{}).failed());
    const ExpDataSet dataBefore = s.data;
    dialogs = RecordingDialogs{};
    dialogs.texts.push_back(home.file("woanders/p.ZC3"));
    const ProjectLoadOutcome out = loadExistingProject(s, dialogs);
    EXPECT_FALSE(out.dataLoaded);
    ASSERT_EQ(dialogs.shown.size(), 3u);  // open dialog, error, report
    EXPECT_EQ(dialogs.shown[1].title, "Meldung von LoadDataFile");
    EXPECT_EQ(dialogs.shown[1].text, "Datei nicht gefunden: " + home.file("woanders/fehlt.ZD3"));
    EXPECT_EQ(dialogs.shown[2].text, "...Datenfile: fehlt.ZD3\r\nkonnte nicht geladen werden");
    EXPECT_EQ(s.data, dataBefore);
    EXPECT_EQ(s.state.rateConst[1], 0.45);
}

TEST(ProjectFile, ChangedDataAreOfferedForSavingBeforeAProjectReplacesThem) {
    TempHome home;
    home.write("versuch.ZD3", kData);
    ProjectContent c;
    c.dataFileName = "versuch.ZD3";
    ASSERT_FALSE(writeProjectFile(home.file("p.ZC3"), c, DateTime{}).failed());
    Session s = freshSession(home);
    s.data.points.push_back(ExpPoint{});
    s.data.pointCount = 1;
    s.data.dataChanged = true;
    const ExpDataSet before = s.data;
    RecordingDialogs dialogs;
    dialogs.texts.push_back(home.file("p.ZC3"));
    dialogs.answers = {Answer::Cancel};
    const ProjectLoadOutcome out = loadExistingProject(s, dialogs);
    EXPECT_FALSE(out.dataLoaded);
    EXPECT_EQ(dialogs.shown[1].title, "WARNUNG");
    EXPECT_EQ(s.data, before);
}

TEST(ProjectFile, LastSessionLoad) {
    TempHome home;
    Session s = freshSession(home);
    s.state.rateConst = {0, 0.7, 0.1, 0};
    const Session before = s;
    RecordingDialogs dialogs;
    // First start: no file yet. An empty report, the state unchanged, constants kept on reopening.
    ProjectLoadOutcome out = loadLastSession(s, dialogs);
    EXPECT_FALSE(out.projectRead);
    EXPECT_FALSE(out.enableNewDataAndSaveProject);
    EXPECT_TRUE(out.reopenModelWindow);
    EXPECT_EQ(dialogs.last().title, "geladen...");
    EXPECT_EQ(dialogs.last().text, "");
    applyModelOnReopen(s);
    EXPECT_EQ(s.state.rateConst, before.state.rateConst);

    // Written at exit without a data file, read back: "...kein Datenfile", constants survive.
    s.state.modelId = 8;
    s.state.rateConst = {0, 0.9, 0.3, 0};
    ASSERT_TRUE(WriteProjectFile(s, dialogs, s.lastSessionPath));
    Session next = freshSession(home);
    out = loadLastSession(next, dialogs);
    EXPECT_TRUE(out.projectRead);
    EXPECT_TRUE(out.enableNewDataAndSaveProject);
    EXPECT_EQ(dialogs.last().text, "...kein Datenfile");
    applyModelOnReopen(next);
    EXPECT_EQ(next.state.modelId, 8);
    EXPECT_EQ(next.state.rateConst, s.state.rateConst);
    EXPECT_EQ(next.projectComment, "ZEMTRAL last session");
}

}  // namespace
}  // namespace zemtral
