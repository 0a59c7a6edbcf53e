#include "session/outside_files.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "session/data_commands.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"
#include "test_paths.h"

namespace zemtral {
namespace {

namespace fs = std::filesystem;
using test::RecordingDialogs;

const std::string kSample = std::string(ZEMTRAL_SOURCE_DIR) + "/resources/samples/verseifung.ZD3";

TEST(OutsideFiles, KindFollowsTheExtensionInAnyCase) {
    EXPECT_EQ(outsideFileKind("/a/verseifung.ZD3"), OutsideFileKind::Data);
    EXPECT_EQ(outsideFileKind("b.zd3"), OutsideFileKind::Data);
    EXPECT_EQ(outsideFileKind("Projekt.Zc3"), OutsideFileKind::Project);
    EXPECT_EQ(outsideFileKind("kurve.xy"), OutsideFileKind::Xy);
    EXPECT_EQ(outsideFileKind("alt.LRG"), OutsideFileKind::Xy);
    EXPECT_EQ(outsideFileKind("ZD3"), OutsideFileKind::Unknown);
    EXPECT_EQ(outsideFileKind("daten.ZD3.bak"), OutsideFileKind::Unknown);
}

TEST(OutsideFiles, DataLoadSurveysAndRemembersAndAFailedLoadChangesNothing) {
    test::TempHome home;
    Session session;
    RecordingDialogs dialogs;
    ASSERT_TRUE(loadDataFileFromPath(session, dialogs, kSample));
    EXPECT_GT(session.data.pointCount, 0);
    EXPECT_TRUE(session.survey.hasCtData);
    EXPECT_FLOAT_EQ(session.dataC0[1], 0.02f);  // c(A) of the point at t = 0
    EXPECT_EQ(session.data.dataDir, fs::path(kSample).parent_path().lexically_normal().string());
    EXPECT_EQ(session.shell.recentFiles,
              std::vector<std::string>{fs::path(kSample).lexically_normal().string()});

    // Changed data: Cancel keeps everything; a missing file changes nothing either.
    session.data.dataChanged = true;
    const ExpDataSet before = session.data;
    dialogs.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(loadDataFileFromPath(session, dialogs, home.file("fehlt.ZD3")));
    EXPECT_EQ(dialogs.last().kind, "yesnocancel");
    dialogs.answers.push_back(Answer::No);
    EXPECT_FALSE(loadDataFileFromPath(session, dialogs, home.file("fehlt.ZD3")));
    EXPECT_EQ(dialogs.last().title, "Meldung von LoadDataFile");
    EXPECT_EQ(session.data, before);
}

TEST(OutsideFiles, RecentFilesAreUniqueNewestFirstAndBounded) {
    test::TempHome home;
    Session session;
    for (int i = 0; i < 12; ++i) {
        rememberRecentFile(session, home.file("d" + std::to_string(i) + ".ZD3"));
    }
    rememberRecentFile(session, home.file("d5.ZD3"));
    ASSERT_EQ(session.shell.recentFiles.size(), kMaxRecentFiles);
    EXPECT_EQ(session.shell.recentFiles[0], home.file("d5.ZD3"));
    EXPECT_EQ(session.shell.recentFiles[1], home.file("d11.ZD3"));
    EXPECT_EQ(
        std::count(session.shell.recentFiles.begin(), session.shell.recentFiles.end(), home.file("d5.ZD3")),
        1);
    forgetRecentFile(session, home.file("d5.ZD3"));
    EXPECT_EQ(session.shell.recentFiles[0], home.file("d11.ZD3"));
}

TEST(OutsideFiles, RememberedFoldersRoundTripAndVanishedFoldersAreIgnored) {
    test::TempHome home;
    fs::create_directories(home.file("daten"));
    Session original;
    original.data.dataDir = home.file("daten");
    original.diagramWindow.lastPictureDir = home.path();
    original.projectDir = home.file("weg");  // no longer exists at the next start
    Session next;
    next.projectDir = "/start";
    restoreRememberedFolders(next, rememberedFolders(original));
    EXPECT_EQ(next.data.dataDir, home.file("daten"));
    EXPECT_EQ(next.diagramWindow.lastPictureDir, home.path());
    EXPECT_EQ(next.projectDir, "/start");
    EXPECT_EQ(rememberedFolders(next),
              (std::map<std::string, std::string>{
                  {"data", home.file("daten")}, {"picture", home.path()}, {"project", "/start"}}));
}

}  // namespace
}  // namespace zemtral
