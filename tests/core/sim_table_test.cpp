#include "core/sim_table.h"

#include <gtest/gtest.h>

namespace zemtral {
namespace {

SimulationResult smallResult(int points) {
    SimulationResult r;
    r.pointCount = points;
    r.simTime.resize(static_cast<std::size_t>(points));
    for (auto& v : r.simConc) {
        v.assign(static_cast<std::size_t>(points), 0.0);
    }
    for (auto& v : r.simRate) {
        v.assign(static_cast<std::size_t>(points), 0.0f);
    }
    return r;
}

std::string pad(const std::string& s) {
    return s + std::string(14 - s.size(), ' ');
}

TEST(SimulationTable, ConcentrationTableOfModel11) {
    WorkingState state;
    state.modelId = 11;
    state.timeUnit = "min";
    state.intervalCount = 2;
    SimulationResult r = smallResult(3);
    r.simTime = {0.0, 0.5, 1.0};
    r.simConc[kSlotA] = {1.0, 0.25, 0.0625};
    r.simConc[kSlotP] = {0.0, 0.5, 0.625};
    r.simConc[kSlotQ] = {0.0, 0.25, 0.3125};
    r.simConc[kSlotB] = {9, 9, 9};  // not a column of model 11
    const std::string blank(14, ' ');
    const std::string expected = "\r\n      " + pad(" t/min") + "\t" + pad("cA/(mol/l)") + "\t" + pad(" ") +
                                 "\t" + pad("cP/(mol/l)") + "\t" + pad("cQ/(mol/l)") + "\r\n" +  //
                                 "\r\n      " + pad("0.00") + "\t" + pad("1") + "\t" + blank + "\t" +
                                 pad("0") + "\t" + pad("0") +  //
                                 "\r\n      " + pad("0.50") + "\t" + pad("0.25") + "\t" + blank + "\t" +
                                 pad("0.5") + "\t" + pad("0.25") +  //
                                 "\r\n      " + pad("1.00") + "\t" + pad("0.0625") + "\t" + blank + "\t" +
                                 pad("0.625") + "\t" + pad("0.3125");
    EXPECT_EQ(buildSimulationTable(r, state), expected);
}

TEST(SimulationTable, RateAndMichaelisMentenTables) {
    WorkingState state;
    state.modelId = 10;
    state.timeUnit = "s";
    state.intervalCount = 1;
    state.rateDiagram = true;
    SimulationResult r = smallResult(2);
    r.simTime = {0.0, 12345.678};
    r.simRate[kSlotC] = {-1.23456789e-7f, 2.0f};
    std::string text = buildSimulationTable(r, state, ',');
    EXPECT_NE(text.find(pad("rES/(mol/l/s)")), std::string::npos);
    EXPECT_NE(text.find(pad("rE/(mol/l/s)")), std::string::npos);
    EXPECT_NE(text.find("\r\n\r\n\r\n      0,00"), std::string::npos);  // two empty lines
    EXPECT_NE(text.find("12345,68"), std::string::npos);
    EXPECT_NE(text.find("-1,234568E-07 \t"), std::string::npos);  // 13 characters + pad

    state.mmMode = true;
    state.mmSettings.normalised = false;
    r.simTime = {0.0, 0.15};
    r.simRate[kSlotP] = {0.0f, 0.75f};
    text = buildSimulationTable(r, state);
    EXPECT_EQ(text.substr(0, 2 + 6 + 14), "\r\n      " + pad("S(0)/ (mol/l)"));
    EXPECT_NE(text.find(pad("rP/rP,max")), std::string::npos);
    EXPECT_NE(text.find(pad("0.15") + "\t" + std::string(14, ' ')), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 14), pad("0.75"));
}

TEST(SimulationTable, LongValuesAreCutToTheField) {
    WorkingState state;
    state.modelId = 2;
    state.intervalCount = 0;
    SimulationResult r = smallResult(1);
    r.simTime = {123456789012345.0};
    const std::string text = buildSimulationTable(r, state);
    EXPECT_NE(text.find("\r\n      12345678901234\t"), std::string::npos);
    EXPECT_EQ(simulationTableColumns(19), (std::array<int, 4>{kSlotA, 0, 0, 0}));
}

}  // namespace
}  // namespace zemtral
