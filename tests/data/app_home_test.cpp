#include "data/app_home.h"

#include <stdlib.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "session/data_commands.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"
#include "test_paths.h"

namespace zemtral {
namespace {

using test::TempHome;

TEST(AppHome, PathComesFromTheEnvironment) {
    TempHome home;
    EXPECT_EQ(applicationHomePath(), home.path());
    ::unsetenv("ZEMTRAL_HOME");
    ::setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(applicationHomePath(), "/tmp/xdg/ZEMTRAL");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_NE(applicationHomePath().find("/.local/share/ZEMTRAL"), std::string::npos);
    ::setenv("ZEMTRAL_HOME", home.path().c_str(), 1);
    EXPECT_FALSE(createApplicationHome(home.file("a/b")).failed());
    EXPECT_TRUE(std::filesystem::is_directory(home.file("a/b")));
}

TEST(AppHome, SeedingCopiesOnlyMissingFilesAndTheSamplesLoad) {
    TempHome home;
    const std::vector<SeedFile> seeds = sampleDataSeeds(std::string(ZEMTRAL_SOURCE_DIR) + "/resources");
    ASSERT_EQ(seeds.size(), 5u);
    home.write("verseifung.ZD3", "meine Änderung");
    const SeedResult first = seedApplicationHome(home.path(), seeds);
    EXPECT_EQ(first.copied, 4);
    EXPECT_TRUE(first.errors.empty());
    EXPECT_EQ(TempHome::read(home.file("verseifung.ZD3")), "meine Änderung");
    EXPECT_EQ(seedApplicationHome(home.path(), seeds).copied, 0);
    const SeedResult missing = seedApplicationHome(home.path(), {{home.file("gibtsnicht"), "sub/x.txt"}});
    EXPECT_EQ(missing.copied, 0);
    ASSERT_EQ(missing.errors.size(), 1u);

    // Each sample offers the evaluation it was made for.
    test::RecordingDialogs dialogs;
    const auto survey = [&](const char* name) {
        Session s;
        EXPECT_TRUE(
            LoadDataFile(s, dialogs, std::string(ZEMTRAL_SOURCE_DIR) + "/resources/samples/" + name, false));
        SurveyDataSet(s);
        return s;
    };
    Session s = survey("verseifung.ZD3");
    EXPECT_TRUE(s.survey.hasCtData);
    EXPECT_TRUE(s.survey.shownSpecies[1] && s.survey.shownSpecies[2]);
    EXPECT_EQ(s.data.timeUnit, "min");
    // 1/c(A) rises linearly with slope k = 6.6 l/(mol min): check the least-squares slope.
    double st = 0, sy = 0, stt = 0, sty = 0;
    const int n = s.data.pointCount;
    for (int i = 1; i <= n; ++i) {
        const double t = s.data.points[i].t, y = 1.0 / s.data.points[i].c[1];
        st += t, sy += y, stt += t * t, sty += t * y;
    }
    EXPECT_NEAR((n * sty - st * sy) / (n * stt - st * st), 6.6, 0.3);
    EXPECT_TRUE(survey("zerfall_n2o5.ZD3").survey.hasCtData);
    EXPECT_TRUE(survey("arrhenius_n2o5.ZD3").survey.hasKTData);
    s = survey("verseifung_leitfaehigkeit.ZD3");
    EXPECT_TRUE(s.survey.hasLambdaData);
    EXPECT_NEAR(s.data.lambdaInf, 0.91, 1e-12);
    EXPECT_GT(s.data.lambda0, 2.4);
    s = survey("nichtisotherm_n2o5.ZD3");
    EXPECT_TRUE(s.survey.hasCtTData);
    EXPECT_EQ(s.survey.temperatureCount, 3);
    EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace zemtral
