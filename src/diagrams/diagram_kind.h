#pragma once
// The diagram kinds and their table of titles, axis captions, series counts and point legends.
#include <cstdint>
#include <optional>
#include <string>

#include "core/model_catalogue.h"
#include "core/working_state.h"

namespace zemtral {

/// @brief Which diagram is drawn: 1..18, 20 concentration-time of a model; 51..68, 70 rate-time
/// (50 + model); 100 one species against time; negative kinds the measured-data diagrams.
using DiagramKind = std::int16_t;

inline constexpr DiagramKind kKindRateOffset = kRateDiagramKindOffset;
inline constexpr DiagramKind kKindSingleSpecies = 100;
inline constexpr DiagramKind kKindMeasuredConcentrations = -1;
inline constexpr DiagramKind kKindMeasuredRateConstants = -2;
inline constexpr DiagramKind kKindArrhenius = -3;
inline constexpr DiagramKind kKindEyring = -4;
inline constexpr DiagramKind kKindFirstOrderLinear = -5;
inline constexpr DiagramKind kKindSecondOrderLinear = -6;
inline constexpr DiagramKind kKindWilkinson = -7;
inline constexpr DiagramKind kKindSecondOrderUnequal = -8;
inline constexpr DiagramKind kKindFittingPoints = -9;
inline constexpr DiagramKind kKindLambdaFirstOrder = -10;
inline constexpr DiagramKind kKindLambdaSecondOrder = -11;
/// The residuals (measured − model) of the fitted species against t after a fit, with a zero line.
inline constexpr DiagramKind kKindFitResiduals = -12;

/// @brief What besides the kind decides the texts of a diagram.
struct DiagramTextContext {
    std::string timeUnit = "s";  ///< ends the time caption and the rate captions
    std::uint8_t fittingMode = kFittingNone;
    bool mmMode = false;  ///< Michaelis-Menten display of model 10
    std::int16_t modelId = 2;
    MichaelisMentenSettings mmSettings;
    std::uint8_t selectedSpecies = 1;  ///< slot 1..5 of kind 100
    bool equalStartConc = true;        ///< c(A)(0) = c(B)(0) for kind −6
    double lambda0 = 0.0;              ///< lambda(0) of the data set; 0 = not measured
    char decimalSeparator = '.';       ///< for the KM value in the Michaelis-Menten title
};

/// @brief The kind table's entry. A field left empty is not set by the kind: the previous
/// caption (or series count) stays.
struct DiagramKindTexts {
    std::optional<std::int16_t> seriesCount;  ///< set for kinds 1-18, 20, 51-68, 70 only
    std::optional<std::string> title;
    std::optional<std::string> xCaption;
    std::optional<std::string> yCaption;
    bool pointLegend = false;  ///< the kind shows the legend of the measured point sets
};

/// @brief Title, captions, series count and point legend of `kind` in `context`.
DiagramKindTexts diagramKindTexts(DiagramKind kind, const DiagramTextContext& context);

/// @brief The context of the kind texts taken from the working state.
DiagramTextContext textContextFrom(const WorkingState& state);

}  // namespace zemtral
