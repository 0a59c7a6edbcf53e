#pragma once
// What the batch reactor, the stirred tank and the tube share: the kinetics handed to them, the
// extents of reaction, the 20-value protocol row, the input-check lines, the equilibrium limit
// of the conversion and the fill colour of the reactor pictures.
#include <array>
#include <cstdint>
#include <string>

#include "core/species.h"
#include "core/stoich_matrix.h"

namespace zemtral {

/// @brief The model and constants a reactor routine works with.
struct ReactorKinetics {
    std::int16_t model = 2;
    std::array<double, 4> k{};  ///< k(1..3) [per model, time unit of the constants]; k(0) unused
    double order = 1.5;         ///< n of model 20
};

/// @brief The protocol row: 20 values, column i holds entry i + 1 of the list
/// c_A(A..Q), c_E(A..Q), k1, k2, k3, U(A), t, l, V, V*, ksi(1), ksi(2).
using ReactorProtocolValues = std::array<double, 20>;

/// @brief Columns of ReactorProtocolValues (0-based).
enum ProtocolColumn : int {
    kProtocolInitialA = 0,  ///< c_A(A); c_A(B..Q) follow
    kProtocolFinalA = 5,    ///< c_E(A); c_E(B..Q) follow
    kProtocolK1 = 10,       ///< k1; k2, k3 follow
    kProtocolConversion = 13,
    kProtocolTime = 14,
    kProtocolLength = 15,
    kProtocolVolume = 16,
    kProtocolFlow = 17,
    kProtocolKsi1 = 18,
    kProtocolKsi2 = 19,
};

/// @brief ksi(1), ksi(2) [kmol/m^3 = mol/l], 1-based (element 0 unused).
using ExtentsOfReaction = std::array<double, 3>;

/// @brief Which of the species and rate-constant fields the model window shows for a model.
struct ReactorFieldVisibility {
    std::array<bool, 6> species{};  ///< slots 1..5
    bool k2 = false;
    bool k3 = false;
};

ReactorFieldVisibility reactorFieldVisibility(int model);

/// @brief The protocol entries 1..13 (initial, final concentrations and k1..k3) of a reactor,
/// with 0 for the fields the model does not show.
void fillProtocolCommon(ReactorProtocolValues& row, const ReactorKinetics& kinetics, const SpeciesArray& c0,
                        const SpeciesArray& conc);

/// @brief The stoichiometric matrix the reactor balances use. It is the model's matrix, except
/// that model 20 (A => P of order n) counts A with −1: its rate laws give r(P) = −r(A), so the
/// order is not a stoichiometric coefficient (and n = 0 would divide the extent by zero).
StoichMatrix reactorStoichiometry(int model, double order);

/// @brief The extents of reaction from inlet (initial) concentrations c0 and outlet (final)
/// concentrations c [mol/l]. One reaction: ksi(1) = −(a0 − cA)/ν(1, A); two reactions as
/// described per model (models 6, 9, 10, 13, 14, 15, 18: ksi(2) = cP − p0; 7: ksi(1) = b0 − cB,
/// ksi(2) = ksi(1) − (cC − c0); 11: ksi(1) = cP − p0, ksi(2) = cQ − q0).
ExtentsOfReaction ComputeExtents(int model, double order, const SpeciesArray& c0, const SpeciesArray& c);

/// @brief U(A) = (c(A)(0) − c(A)) / c(A)(0) [1].
double conversionOfA(double a0, double cA);

/// @brief Fill colour of the reactor pictures for conversion U: red = (1 − U)·255, green = 255,
/// blue = U·255 (yellow at U = 0, cyan at U = 1). U is clamped to 0..1.
struct FillColour {
    int red = 255, green = 255, blue = 0;
};
FillColour conversionColour(double conversion);

/// @brief "kinet. Modell:  " + model name, for model 20 followed by " (n = " + n as "0.00" + ")".
std::string reactorSchemeLabel(int model, double order, char decimalSeparator = '.');

/// @brief Outcome of the equilibrium limit test of a given conversion (models 8, 12, 17).
struct ConversionLimit {
    enum class Status { NotApplicable, Limited, NumericalError };
    Status status = Status::NotApplicable;
    double maxConversion = 1.0;  ///< U(A)max [1] when Limited
};

/// @brief U(A)max of the equilibrium models from K = k1/k2 and the initial concentrations.
/// Model 8: (K·a0 − p0)/(K + 1)/a0. Models 12 and 17: the equilibrium extent x solves
/// x² + p·x + q = 0 (12: p = (K·a0 + 4·p0 + K·b0)/(4 − K), q = (p0² − K·a0·b0)/(4 − K);
/// 17: p = −a0 − b0 − 1/K, q = a0·b0 − p0/K); U(A)max = x/a0 with the root that is a possible
/// extent, 0 <= x <= min(a0, b0). A negative discriminant is a NumericalError. Model 12 with
/// K = 4 has the linear equation (4·a0 + 4·b0 + 4·p0)·x = 4·a0·b0 − p0².
ConversionLimit equilibriumConversionLimit(int model, const std::array<double, 4>& k, const SpeciesArray& c0);

/// @brief Title of the stirred tank's input checks and of several refusals: " Ausführung nicht möglich ".
inline constexpr const char* kNotPossibleTitleText = " Ausführung nicht möglich ";

/// @brief Title of the input-check messages of the batch reactor and the tube.
inline constexpr const char* kNoExecutionTitle = "keine Ausführung möglich";

/// @brief Text of the numerical error of the equilibrium limit (titled " Ausführung nicht möglich ").
inline constexpr const char* kEquilibriumNumericalErrorText =
    "Numerischer Fehler aufgetreten. Überprüfen Sie die Eingabewerte.";

/// @brief The refusal text when U exceeds U(A)max (titled kNoExecutionTitle).
std::string conversionLimitText(double maxConversion, char decimalSeparator = '.');

/// @brief A message the command shows: title, text, critical icon unless stated otherwise.
struct ReactorMessage {
    std::string title;
    std::string text;
};

/// @brief Result of the equilibrium test of a given conversion: nothing to say, or the message
/// that refuses the calculation.
struct ConversionLimitCheck {
    bool refused = false;
    ReactorMessage message;
};

/// @brief Tests U against the equilibrium limit of models 8, 12 and 17 and words the refusal.
ConversionLimitCheck checkConversionLimit(int model, const std::array<double, 4>& k, const SpeciesArray& c0,
                                          double conversion, char decimalSeparator = '.');

/// @brief Text and title of a result whose c(B) fell below zero (model 7).
inline constexpr const char* kLowInletBText = "Eingangskonzentration von B wurde zu niedrig gewählt";
inline constexpr const char* kFaultyResultTitle = "fehlerhaftes Ergebnis";

/// @brief Text of a failed calculation (titled " Ausführung nicht möglich ").
inline constexpr const char* kCalculationFailedText = "Berechnungsfehler aufgetreten.";

/// @brief True when every concentration is a finite number.
bool allFinite(const SpeciesArray& c);

}  // namespace zemtral
