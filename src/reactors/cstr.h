#pragma once
// The steady state of an ideally mixed, isothermal continuous stirred-tank reactor: of conversion
// U(A), volume V, volume flow V* and mean residence time t = V/V* two are given.
#include <cstdint>
#include <string>
#include <vector>

#include "core/species.h"
#include "reactors/reactor_common.h"

namespace zemtral {

/// @brief Which two quantities are given ("Vorgabe von zwei Größen").
enum class CstrInputChoice : std::int16_t {
    ConversionAndVolume = 0,     ///< U, V given; V*, t computed
    ConversionAndFlow = 1,       ///< U, V* given; V, t computed
    VolumeAndFlow = 2,           ///< V, V* given; U, t computed
    VolumeAndResidenceTime = 3,  ///< V, t given; U, V* computed
    FlowAndResidenceTime = 4,    ///< V*, t given; U, V computed
};

/// @brief The option captions, by choice.
std::string cstrOptionCaption(CstrInputChoice choice);

/// @brief The fields given (unlocked) for a choice: two of 13 (U), 14 (V), 15 (V*), 16 (t).
std::array<int, 2> cstrGivenFields(CstrInputChoice choice);

/// @brief Inputs of CalcCstr.
struct CstrInputs {
    ReactorKinetics kinetics;
    SpeciesArray c0{};           ///< inlet concentrations [mol/l]
    double conversion = 0.0;     ///< U(A) [1]
    double volume = 0.0;         ///< V [m^3]
    double flow = 0.0;           ///< V* [m^3 per time unit]
    double residenceTime = 0.0;  ///< t = V/V* [time unit]
    CstrInputChoice choice = CstrInputChoice::ConversionAndVolume;
    char decimalSeparator = '.';
};

/// @brief Results of CalcCstr: the completed set U, V, V*, t and the outlet concentrations.
struct CstrResult {
    bool inputRefused = false;       ///< `message` says why (shown by the caller)
    bool calculationFailed = false;  ///< no steady state found ("Berechnungsfehler aufgetreten.")
    std::string failureReason;       ///< why, in German: the line shown after that text
    ReactorMessage message;
    SpeciesArray conc{};         ///< outlet concentrations [mol/l]
    double conversion = 0.0;     ///< U(A) [1]
    double volume = 0.0;         ///< V [m^3]
    double flow = 0.0;           ///< V* [m^3 per time unit]
    double residenceTime = 0.0;  ///< t [time unit]
};

/// @brief The steady-state balances c_in − c_out + r(c_out)·t = 0 of the model's species.
/// Conversion given: c(A) follows from U, t = U·a0/(−r(A)) and the second balance gives the
/// intermediate. Residence time given: models 4 and 12 solve the quadratic of the extent (a
/// discriminant <= 0 fails), the others a Newton iteration on c(A) (at most 500 iterations for a
/// valid result, 0 <= U <= 1). Models whose A balance depends on the intermediate (7, 10, 15, 18)
/// close the other balances for every trial c(A) and, with the conversion given, search t.
CstrResult CalcCstr(const CstrInputs& inputs);

/// @brief The collected "- ..." lines of "Start" (each ending with a line break); empty when the
/// inputs can be computed.
std::string checkCstrInputs(const CstrInputs& inputs);

/// @brief Outcome of the whole "Start" after the checks.
struct CstrOutcome {
    enum class Status { Ok, Refused, Failed };
    Status status = Status::Ok;
    std::vector<ReactorMessage> messages;  ///< in the order they are shown
    CstrResult result;
    ExtentsOfReaction extents{};
    ReactorProtocolValues protocol{};
};

/// @brief "Start" without the window: checks, equilibrium limit (conversion given), CalcCstr,
/// extents and the protocol row (1-14 inlet, outlet, k, U; 15 t; 16 l = 0; 17 V; 18 V*; 19-20 ksi).
CstrOutcome runCstr(const CstrInputs& inputs);

}  // namespace zemtral
