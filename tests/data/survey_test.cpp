#include <gtest/gtest.h>

#include "data/exp_data_set.h"
#include "session/data_commands.h"

namespace zemtral {
namespace {

ExpDataSet setOf(const std::vector<ExpPoint>& points) {
    ExpDataSet set;
    set.points.insert(set.points.end(), points.begin(), points.end());
    set.pointCount = static_cast<std::int16_t>(points.size());
    return set;
}

ExpPoint pt(double t, double cA, double T = 0, double k = 0) {
    ExpPoint p;
    p.t = t;
    p.c[1] = cA;
    p.T = T;
    p.k = k;
    return p;
}

TEST(Survey, FlagsNeedEnoughPointsAndNonZeroTimes) {
    EXPECT_EQ(computeDataSurvey(ExpDataSet{}), DataSurvey{});

    DataSurvey s = computeDataSurvey(setOf({pt(0, 1), pt(5, 0.5)}));
    EXPECT_TRUE(s.hasCtData);
    EXPECT_FALSE(s.hasCtTData);
    EXPECT_FALSE(s.hasKTData);
    EXPECT_EQ(s.tMax, 5.0);
    EXPECT_TRUE(s.shownSpecies[1]);
    EXPECT_FALSE(s.shownSpecies[2]);

    EXPECT_FALSE(computeDataSurvey(setOf({pt(0, 1), pt(5, 0)})).hasCtData);  // one cA only
    // All times 0: no c-t data however many concentrations.
    EXPECT_FALSE(computeDataSurvey(setOf({pt(0, 1), pt(0, 0.5), pt(0, 0.2), pt(0, 0.1)})).hasCtData);
    // Times that cancel in the sum count as "all 0" (the sum decides).
    EXPECT_FALSE(computeDataSurvey(setOf({pt(-1, 1), pt(1, 0.5)})).hasCtData);

    s = computeDataSurvey(setOf({pt(0, 1, 300), pt(1, 0.5, 300), pt(2, 0.2, 310)}));
    EXPECT_TRUE(s.hasCtTData);
    EXPECT_FALSE(computeDataSurvey(setOf({pt(0, 1, 300), pt(1, 0.5, 300), pt(2, 0.2, 0)})).hasCtTData);

    EXPECT_TRUE(computeDataSurvey(setOf({pt(0, 0, 300, 1e-3), pt(0, 0, 310, 2e-3)})).hasKTData);
    EXPECT_FALSE(computeDataSurvey(setOf({pt(0, 0, 300, 1e-3), pt(0, 0, 310, 0)})).hasKTData);
}

TEST(Survey, InactivePointsCountButDoNotSetLambda0) {
    ExpPoint a = pt(0, 1), b = pt(0, 1), c = pt(3, 0.5);
    a.lambda = 4.0f;
    b.lambda = 9.0f;
    b.exclude = -1;
    c.exclude = -1;
    c.lambda = 2.0f;
    ExpDataSet set = setOf({a, b, c});
    DataSurvey s = computeDataSurvey(set);
    EXPECT_EQ(s.lambda0, 4.0);
    EXPECT_TRUE(s.hasCtData);  // the inactive point at t = 3 counts for the flag
    EXPECT_FALSE(s.hasLambdaData);
    set.lambdaInf = 1.0;
    EXPECT_TRUE(computeDataSurvey(set).hasLambdaData);

    Session session;
    session.data = set;
    SurveyDataSet(session);
    EXPECT_EQ(session.data.lambda0, 4.0);
    EXPECT_TRUE(session.survey.hasLambdaData);
}

TEST(Survey, DistinctTemperatures) {
    DataSurvey s =
        computeDataSurvey(setOf({pt(0, 0, 310), pt(0, 0, 298.155), pt(0, 0, 298.15), pt(0, 0, 0)}));
    EXPECT_EQ(s.temperatureCount, 2);
    ASSERT_EQ(s.temperatureList.size(), 3u);
    EXPECT_FLOAT_EQ(s.temperatureList[1], 298.15f);
    EXPECT_FLOAT_EQ(s.temperatureList[2], 310.0f);

    std::vector<ExpPoint> many;
    for (int i = 30; i >= 1; --i) {
        many.push_back(pt(0, 0, 270.0 + i));
    }
    s = computeDataSurvey(setOf(many));
    EXPECT_EQ(s.temperatureCount, 24);
    ASSERT_EQ(s.temperatureList.size(), 25u);
    EXPECT_FLOAT_EQ(s.temperatureList[1], 271.0f);
    EXPECT_FLOAT_EQ(s.temperatureList[24], 294.0f);

    EXPECT_EQ(computeDataSurvey(setOf({pt(0, 1), pt(1, 1)})).temperatureCount, 0);
}

TEST(Survey, InitialConcentrationsFromTheFirstPointAtTimeZero) {
    ExpPoint a = pt(2, 0.3), b = pt(1e-9, 0.7), c = pt(0, 0.9);
    b.c[2] = 0.4;
    b.c[5] = 0.1;
    const auto c0 = InitialConcFromData(setOf({a, b, c}));
    EXPECT_FLOAT_EQ(c0[1], 0.7f);
    EXPECT_FLOAT_EQ(c0[2], 0.4f);
    EXPECT_FLOAT_EQ(c0[5], 0.1f);
    EXPECT_EQ(InitialConcFromData(setOf({a})), (std::array<float, 6>{}));
}

TEST(Survey, FileNames) {
    EXPECT_EQ(FileNameOnly("/home/u/daten/verseifung.ZD3"), "verseifung.ZD3");
    EXPECT_EQ(FileNameOnly("C:\\ZEMTRAL\\alt.ZD3"), "alt.ZD3");
    EXPECT_EQ(FileNameOnly("nur.ZD3"), "nur.ZD3");
    EXPECT_EQ(directoryOf("/home/u/a.ZD3"), "/home/u");
    EXPECT_EQ(directoryOf("/a.ZD3"), "/");
    EXPECT_EQ(directoryOf("a.ZD3"), "");
}

}  // namespace
}  // namespace zemtral
