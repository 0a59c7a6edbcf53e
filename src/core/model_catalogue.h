#pragma once
// The nineteen kinetic models: texts, meaning of the rate constants, how c(t) is obtained.
#include <cstdint>
#include <string>
#include <string_view>

namespace zemtral {

enum class SolutionMethod { None, ClosedForm, RungeKutta };

/// @brief One entry of the model catalogue (ids 1..18 and 20; 19 is reserved and empty).
struct ModelInfo {
    std::int16_t id;
    std::string_view displayText;    ///< entry of the model-name list, e.g. "A => P   (n = 1)"
    std::string_view optionCaption;  ///< caption of the model's option in the model window
    std::string_view k1Meaning;      ///< "k1", "k>" ... ; empty when the model has no such constant
    std::string_view k2Meaning;
    std::string_view k3Meaning;
    SolutionMethod method;
};

inline constexpr std::int16_t kReservedModelId = 19;
inline constexpr std::int16_t kMaxModelId = 20;

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

/// @brief Species label of a slot for the model: "A".."Q", or "E", "S", "ES", "P" for model 10.
std::string_view speciesName(int id, int slot);

}  // namespace zemtral
