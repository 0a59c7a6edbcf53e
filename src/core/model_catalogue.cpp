#include "core/model_catalogue.h"

#include <array>

#include "core/working_state.h"

namespace zemtral {
namespace {

using M = SolutionMethod;

// Index = model id; entry 0 and entry 19 are empty.
constexpr std::array<ModelInfo, 21> kCatalogue{{
    {0, "", "", "", "", "", M::None},
    {1, "A => P   (n = 0)", "0. Ordnung A => P", "k1", "", "", M::ClosedForm},
    {2, "A => P   (n = 1)", "1. Ordnung A => P", "k1", "", "", M::ClosedForm},
    {3, "2A => P   (n = 2)", "2. Ordnung 2A => P", "k1", "", "", M::ClosedForm},
    {4, "A + B => P   (n = 2)", "2. Ordnung A + B => P", "k1", "", "", M::ClosedForm},
    {5, "A => P   (Autokatalyse)", "Autokatalyse A => P", "k1", "", "", M::ClosedForm, kTraitAutocatalytic},
    {6, "A => C => P", "Folgereaktion 1. Ordnung  A => C => P", "k1", "k2", "", M::ClosedForm},
    {7, "A + B => C; A + C => P", "Konkurrierende Folgereaktion  2. Ordnung", "k1", "k2", "", M::RungeKutta},
    {8, "A <=> P", "Umkehrbare Reaktion 1.Ordnung A <=> P", "k>", "k<", "", M::ClosedForm},
    {9, "A + B => C => P", "Folgereaktion 2. Ordnung  A + B => C => P", "k1", "k2", "", M::RungeKutta},
    {10, "E + S <=> ES => P + E", "Enzymkinetik, MICHAELIS-MENTEN-Mechanismus", "k>", "k<", "k3",
     M::RungeKutta, kTraitEnzyme},
    {11, "A => P; A => Q", "Parallelreaktion  A => P; A => Q", "k1", "k2", "", M::ClosedForm},
    {12, "A + B <=> 2P", "Umkehrbare Reaktion 2. Ordnung  A + B <=> 2P", "k>", "k<", "", M::ClosedForm},
    {13, "A + B => C <=> P", "Folgereaktion 2. Ord. mit nachgelagertem Gleichgewicht", "k1", "k>", "k<",
     M::RungeKutta},
    {14, "A => C <=> P", "Folgereaktion 1. Ordnung  mit Gleichgewicht A => C <=> P", "k1", "k>", "k<",
     M::RungeKutta},
    {15, "A <=> C => P", "Folgereaktion 1. Ordnung  mit Gleichgewicht A <=> C => P", "k>", "k<", "k3",
     M::RungeKutta},
    {16, "A => P + Q (Autokatalyse P)", "Autokatalyse A => P + Q   (Katalysator = P)", "k1", "", "",
     M::ClosedForm, kTraitAutocatalytic},
    {17, "A + B <=> P", "Umkehrbare Reaktion 2. Ordnung  A + B <=> P", "k>", "k<", "", M::ClosedForm},
    {18, "A + B <=> C => P", "Folgereaktion 2. Ordnung mit vorgelagertem Gleichgewicht", "k>", "k<", "k3",
     M::RungeKutta},
    {19, "", "", "", "", "", M::None},
    {20, "A => P, n-ter Ordnung ", "n-te Ordnung A => P ", "k1", "", "", M::RungeKutta, kTraitReactionOrder},
}};

}  // namespace

bool isValidModelId(int id) {
    return id >= 1 && id <= kMaxModelId && id != kReservedModelId;
}

const ModelInfo& modelInfo(int id) {
    if (!isValidModelId(id)) {
        return kCatalogue[kReservedModelId];
    }
    return kCatalogue[static_cast<std::size_t>(id)];
}

std::string modelDisplayText(int id) {
    return std::string(modelInfo(id).displayText);
}

bool isSingleReaction(int id) {
    switch (id) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 8:
        case 12:
        case 16:
        case 17:
        case 20:
            return true;
        default:
            return false;
    }
}

bool isNumericModel(int id) {
    return modelInfo(id).method == SolutionMethod::RungeKutta;
}

std::string modelSpeciesMask(int id, std::uint8_t fittingMode) {
    switch (id) {
        case 1:
        case 5:
        case 8:
        case 20:
            return "10010";
        case 2:
            return fittingMode == kFittingNonIsothermalFirst ? "10000" : "10010";
        case 3:
            return fittingMode == kFittingNonIsothermalSecond ? "10000" : "10010";
        case 4:
        case 12:
        case 17:
            return "11010";
        case 6:
        case 14:
        case 15:
            return "10110";
        case 7:
        case 9:
        case 10:
        case 13:
        case 18:
            return "11110";
        case 11:
        case 16:
            return "10011";
        default:
            return "00000";
    }
}

std::string modelParameterMask(int id, std::uint8_t fittingMode) {
    switch (id) {
        case 1:
        case 4:
        case 5:
        case 16:
            return "100";
        case 2:
            return fittingMode == kFittingNonIsothermalFirst ? "110" : "100";
        case 3:
            return fittingMode == kFittingNonIsothermalSecond ? "110" : "100";
        case 20:
            return fittingMode == kFittingOrder ? "110" : "100";
        case 6:
        case 7:
        case 8:
        case 9:
        case 11:
        case 12:
        case 17:
            return "110";
        case 10:
        case 13:
        case 14:
        case 15:
        case 18:
            return "111";
        default:
            return "000";
    }
}

namespace {

bool hasTrait(int id, ModelTrait trait) {
    return (modelInfo(id).traits & trait) != 0;
}

}  // namespace

bool isAutocatalytic(int id) {
    return hasTrait(id, kTraitAutocatalytic);
}

bool isEnzymeKinetics(int id) {
    return hasTrait(id, kTraitEnzyme);
}

bool isMichaelisMenten(int id, bool mmMode) {
    return mmMode && isEnzymeKinetics(id);
}

bool hasReactionOrder(int id) {
    return hasTrait(id, kTraitReactionOrder);
}

bool isSingleEquilibrium(int id) {
    return isSingleReaction(id) && modelInfo(id).k2Meaning == "k<";
}

bool hasSpeciesB(int id) {
    return modelSpeciesMask(id)[1] == '1';
}

std::string_view rateConstantMeaning(int id, int index) {
    const ModelInfo& info = modelInfo(id);
    switch (index) {
        case 1:
            return info.k1Meaning;
        case 2:
            return info.k2Meaning;
        case 3:
            return info.k3Meaning;
        default:
            return {};
    }
}

std::array<std::string, 3> rateConstantCaptions(int id, std::array<std::string, 3> captions) {
    static constexpr std::array<std::string_view, 3> kPlain{"k1", "k2", "k3"};
    for (int i = 0; i < 3; ++i) {
        const std::string_view meaning = rateConstantMeaning(id, i + 1);
        if (!meaning.empty() && meaning != kPlain[static_cast<std::size_t>(i)]) {
            captions[static_cast<std::size_t>(i)] = std::string(meaning);
        }
    }
    return captions;
}

bool isConcentrationKind(int kind) {
    return kind >= 1 && kind <= kMaxModelId && kind != kReservedModelId;
}

bool isRateKind(int kind) {
    return isConcentrationKind(kind - kRateDiagramKindOffset);
}

std::int16_t modelOfKind(int kind) {
    if (isConcentrationKind(kind)) {
        return static_cast<std::int16_t>(kind);
    }
    if (isRateKind(kind)) {
        return static_cast<std::int16_t>(kind - kRateDiagramKindOffset);
    }
    return 0;
}

std::string_view speciesName(int id, int slot) {
    static constexpr std::array<std::string_view, 6> kNames{"", "A", "B", "C", "P", "Q"};
    static constexpr std::array<std::string_view, 6> kEnzymeNames{"", "E", "S", "ES", "P", "Q"};
    if (slot < 1 || slot > 5) {
        return "";
    }
    return isEnzymeKinetics(id) ? kEnzymeNames[static_cast<std::size_t>(slot)]
                                : kNames[static_cast<std::size_t>(slot)];
}

}  // namespace zemtral
