#pragma once
// The nineteen kinetic models: texts, meaning of the rate constants, how c(t) is obtained.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zemtral {

enum class SolutionMethod { None, ClosedForm, RungeKutta };

/// @brief Features of a model that windows, reactors and checks ask about (bit flags).
enum ModelTrait : std::uint8_t {
    kTraitNone = 0,
    kTraitAutocatalytic = 1,  ///< a product catalyses the reaction: it needs a seed c(P)(0) > 0
    kTraitEnzyme = 2,         ///< the species are E, S, ES, P (Michaelis-Menten mechanism)
    kTraitReactionOrder = 4,  ///< the order n of A => P is a parameter of the model
};

/// @brief One entry of the model catalogue (ids 1..18 and 20; 19 is reserved and empty).
struct ModelInfo {
    std::int16_t id;
    std::string_view displayText;    ///< entry of the model-name list, e.g. "A => P   (n = 1)"
    std::string_view optionCaption;  ///< caption of the model's option in the model window
    std::string_view k1Meaning;      ///< "k1", "k>" ... ; empty when the model has no such constant
    std::string_view k2Meaning;
    std::string_view k3Meaning;
    SolutionMethod method;
    std::uint8_t traits = kTraitNone;  ///< ModelTrait flags
};

inline constexpr std::int16_t kReservedModelId = 19;
inline constexpr std::int16_t kMaxModelId = 20;
/// The model A => P of order n (option 0 of the model window).
inline constexpr std::int16_t kNthOrderModelId = 20;

/// @brief The catalogue entry of `id`; the empty entry of id 19 for ids outside the catalogue.
const ModelInfo& modelInfo(int id);

/// @brief True for ids 1..18 and 20.
bool isValidModelId(int id);

/// @brief Display text of the model-name list; empty for id 19 and unknown ids.
std::string modelDisplayText(int id);

/// @brief True for the models described by a single extent of reaction (1-5, 8, 12, 16, 17, 20).
bool isSingleReaction(int id);

/// @brief True for the numerically integrated models 7, 9, 10, 13, 14, 15, 18, 20.
bool isNumericModel(int id);

/// @brief The species mask of a model: five characters "0"/"1" for the slots A, B, C, P, Q.
/// With fitting mode 6 (model 2) or 7 (model 3) only A is in the diagram. Unknown ids: "00000".
std::string modelSpeciesMask(int id, std::uint8_t fittingMode = 0);

/// @brief The parameter mask "0"/"1" for k1, k2, k3 of a model (fitting windows).
std::string modelParameterMask(int id, std::uint8_t fittingMode = 0);

/// @brief True for the autocatalytic models 5 and 16 (a product seed is needed to start).
bool isAutocatalytic(int id);

/// @brief True for the enzyme model 10 (E + S <=> ES => P + E).
bool isEnzymeKinetics(int id);

/// @brief True when the Michaelis-Menten display is on and the model is the enzyme model.
bool isMichaelisMenten(int id, bool mmMode);

/// @brief True for model 20, A => P of order n.
bool hasReactionOrder(int id);

/// @brief True for the single reversible reactions 8, 12 and 17 (k> and k< of one reaction).
bool isSingleEquilibrium(int id);

/// @brief True for the models whose second slot is a reactant (B, or S of the enzyme model):
/// 4, 7, 9, 10, 12, 13, 17, 18.
bool hasSpeciesB(int id);

/// @brief The captions of k1..k3 in the input windows: a model's own name of a constant ("k>",
/// "k<") where it differs from the plain kN, otherwise the caption given in `captions`.
std::array<std::string, 3> rateConstantCaptions(int id, std::array<std::string, 3> captions);

/// @brief A model's name of rate constant `index` (1..3) as in the catalogue; empty when none.
std::string_view rateConstantMeaning(int id, int index);

/// @brief Diagram kinds of a simulation: the model id for the concentration diagram, the model id
/// plus this offset for the rate diagram.
inline constexpr std::int16_t kRateDiagramKindOffset = 50;

/// @brief The diagram kind that shows model `id`: id, or id + 50 for the rate diagram.
constexpr std::int16_t simulationDiagramKind(int id, bool rateDiagram) {
    return static_cast<std::int16_t>(rateDiagram ? id + kRateDiagramKindOffset : id);
}

/// @brief Kinds 1..18 and 20 (concentration-time diagram of a model).
bool isConcentrationKind(int kind);
/// @brief Kinds 51..68 and 70 (rate-time diagram of model kind - 50).
bool isRateKind(int kind);
/// @brief The model whose curves a simulation kind shows (kind or kind - 50); 0 for other kinds.
std::int16_t modelOfKind(int kind);

/// @brief Species label of a slot for the model: "A".."Q", or "E", "S", "ES", "P" for model 10.
std::string_view speciesName(int id, int slot);

}  // namespace zemtral
