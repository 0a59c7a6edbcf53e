// Changing the time unit of the working state together with the data set it converts.
#include <gtest/gtest.h>

#include "core/working_state.h"
#include "data/exp_data_set.h"
#include "data/time_unit_change.h"

namespace zemtral {
namespace {

TEST(SetTimeUnit, ConvertsDataTimesAndConstantsBothWays) {
    WorkingState state = startUpWorkingState();
    state.rateConst = {0, 0.6, 0.12, 0.006};
    state.tEnd = 30;
    ExpDataSet data;
    for (double t : {0.0, 1.5, 4.0}) {
        ExpPoint p;
        p.t = t;
        data.points.push_back(p);
    }
    data.pointCount = 3;
    SetTimeUnit(state, data, 1);  // no old index: only the unit
    EXPECT_EQ(state.timeUnit, "min");
    EXPECT_EQ(data.timeUnit, "min");
    EXPECT_DOUBLE_EQ(data.points[2].t, 1.5);

    SetTimeUnit(state, data, 0, 1);  // min -> s
    EXPECT_EQ(state.timeUnit, "s");
    EXPECT_EQ(state.timeUnitIndex, 0);
    EXPECT_DOUBLE_EQ(data.points[2].t, 90.0);
    EXPECT_DOUBLE_EQ(data.points[3].t, 240.0);
    EXPECT_DOUBLE_EQ(state.rateConst[1], 0.01);
    EXPECT_DOUBLE_EQ(state.rateConst[3], 0.0001);
    EXPECT_FLOAT_EQ(state.tEnd, 30.0f);

    SetTimeUnit(state, data, 1, 0);  // and back
    EXPECT_DOUBLE_EQ(data.points[2].t, 1.5);
    EXPECT_NEAR(state.rateConst[1], 0.6, 1e-15);
    EXPECT_NEAR(state.rateConst[2], 0.12, 1e-15);

    SetTimeUnit(state, data, 4, 4);  // same unit: nothing converted
    SetTimeUnit(state, data, 3, 3);
    EXPECT_DOUBLE_EQ(data.points[2].t, 1.5);
    SetTimeUnit(state, data, 7, 3);  // outside: ignored
    EXPECT_EQ(state.timeUnit, "d");
}

}  // namespace
}  // namespace zemtral
