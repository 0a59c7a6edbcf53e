#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

#include "core/model_catalogue.h"

namespace zemtral {
namespace {

// Every predicate is pinned to the model list the windows, reactors and checks asked for by id
// before it existed; ids outside the catalogue (0, 19, 21, negative) answer false.
struct PredicateRow {
    const char* name;
    std::function<bool(int)> predicate;
    std::set<int> models;
};

TEST(ModelPredicates, EachPredicateHoldsForItsModelListOnly) {
    const PredicateRow rows[] = {
        {"isAutocatalytic", isAutocatalytic, {5, 16}},
        {"isEnzymeKinetics", isEnzymeKinetics, {10}},
        {"hasReactionOrder", hasReactionOrder, {20}},
        {"isSingleEquilibrium", isSingleEquilibrium, {8, 12, 17}},
        {"hasSpeciesB", hasSpeciesB, {4, 7, 9, 10, 12, 13, 17, 18}},
        {"michaelis-menten shown", [](int id) { return isMichaelisMenten(id, true); }, {10}},
        {"michaelis-menten off", [](int id) { return isMichaelisMenten(id, false); }, {}},
    };
    for (const auto& row : rows) {
        for (int id = -3; id <= 72; ++id) {
            EXPECT_EQ(row.predicate(id), row.models.count(id) == 1) << row.name << " id " << id;
        }
    }
}

TEST(ModelPredicates, OrderModelIsOptionZeroAndNumeric) {
    EXPECT_TRUE(hasReactionOrder(kNthOrderModelId));
    EXPECT_TRUE(isNumericModel(kNthOrderModelId));
    EXPECT_TRUE(isValidModelId(kNthOrderModelId));
}

TEST(DiagramKindOfModel, RateKindIsModelPlusFiftyAndBack) {
    for (int id = 1; id <= kMaxModelId; ++id) {
        const int concentration = simulationDiagramKind(id, false);
        const int rate = simulationDiagramKind(id, true);
        EXPECT_EQ(concentration, id);
        EXPECT_EQ(rate, id + 50);
        EXPECT_EQ(isConcentrationKind(concentration), isValidModelId(id)) << id;
        EXPECT_EQ(isRateKind(rate), isValidModelId(id)) << id;
        EXPECT_FALSE(isRateKind(concentration)) << id;
        EXPECT_FALSE(isConcentrationKind(rate)) << id;
        const int expectedModel = isValidModelId(id) ? id : 0;
        EXPECT_EQ(modelOfKind(concentration), expectedModel) << id;
        EXPECT_EQ(modelOfKind(rate), expectedModel) << id;
    }
    // The kinds around the two families belong to neither.
    for (int kind : {-12, -9, -1, 0, 19, 21, 49, 50, 69, 71, 100}) {
        EXPECT_EQ(modelOfKind(kind), 0) << kind;
        EXPECT_FALSE(isConcentrationKind(kind) || isRateKind(kind)) << kind;
    }
}

TEST(RateConstantCaptions, ReversibleStepsNamedPlainOnesKeepTheCallersCaption) {
    const std::array<std::string, 3> plain{"k1", "k2", "k3"};
    const std::array<std::string, 3> fitted{"k1", "n", "k3"};
    using Captions = std::array<std::string, 3>;
    for (int id : {8, 12, 17}) {
        EXPECT_EQ(rateConstantCaptions(id, plain), (Captions{"k>", "k<", "k3"})) << id;
    }
    for (int id : {10, 15, 18}) {
        EXPECT_EQ(rateConstantCaptions(id, plain), (Captions{"k>", "k<", "k3"})) << id;
    }
    for (int id : {13, 14}) {
        EXPECT_EQ(rateConstantCaptions(id, plain), (Captions{"k1", "k>", "k<"})) << id;
    }
    for (int id : {1, 2, 3, 4, 5, 6, 7, 9, 11, 16, 20, 19, 0}) {
        EXPECT_EQ(rateConstantCaptions(id, plain), plain) << id;
        // A caption the fitting mode set (n, Arrhenius-A) is not overwritten by a plain name.
        EXPECT_EQ(rateConstantCaptions(id, fitted), fitted) << id;
    }
    EXPECT_EQ(rateConstantMeaning(14, 3), "k<");
    EXPECT_EQ(rateConstantMeaning(14, 4), "");
}

}  // namespace
}  // namespace zemtral
