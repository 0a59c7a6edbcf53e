#pragma once
// The commands of the three reactor windows apart from their widgets: "Berechnen" of the batch
// reactor and the tube, "Start" of the stirred tank. Each reads the field texts, writes the
// working state and the reactor values of the session, shows its messages and returns the field
// texts to show afterwards.
#include <array>
#include <string>
#include <vector>

#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief Texts of the batch reactor's fields inp(0..14): 0-4 c(0), 5-9 c, 10-12 k, 13 U, 14 t.
using BatchFieldTexts = std::array<std::string, 15>;

/// @brief Texts of the stirred tank's fields inp(0..16): 0-4 inlet, 5-9 outlet, 10-12 k, 13 U,
/// 14 V, 15 V*, 16 t.
using CstrFieldTexts = std::array<std::string, 17>;

/// @brief Texts of the tube's fields inp(0..16): 0-4 inlet, 5-9 outlet, 10-12 k, 13 U, 14 t,
/// 15 l, 16 v.
using TubeFieldTexts = std::array<std::string, 17>;

/// @brief What a reactor command leaves for its window.
template <typename Fields>
struct ReactorCommandResult {
    bool success = false;     ///< results shown: enable "Zeige Reaktionsfortschritt(e)" and "Protokollieren"
    Fields fields{};          ///< the field texts after the command (unchanged on failure)
    double conversion = 0.0;  ///< U(A) for the fill colour of the picture (0 on failure)
};

/// @brief "Berechnen" of the batch reactor with `session.reactorInputChoice`.
ReactorCommandResult<BatchFieldTexts> batchCalculate(Session& session, UserDialogs& dialogs,
                                                     const BatchFieldTexts& fields,
                                                     char decimalSeparator = '.');

/// @brief "Start" of the stirred tank with `session.cstrInputChoice`. Success also starts the stirrer.
ReactorCommandResult<CstrFieldTexts> cstrStart(Session& session, UserDialogs& dialogs,
                                               const CstrFieldTexts& fields, char decimalSeparator = '.');

/// @brief "Berechnen" of the tube with `session.tubeInputChoice`.
ReactorCommandResult<TubeFieldTexts> tubeCalculate(Session& session, UserDialogs& dialogs,
                                                   const TubeFieldTexts& fields, char decimalSeparator = '.');

/// @brief Name of the stirred tank's routine in its "Meldung von ..." titles.
inline constexpr const char* kCstrRoutineName = "CalcCstr";

/// @brief Text of a result too large to be shown or logged in single precision ("Überlauf" ...).
/// The commands show it under "Meldung von " + the routine and count the run as failed, so that
/// no "inf" or "nan" reaches a field or the protocol.
std::string reactorOverflowText();

/// @brief U(A) along the tube: the conversion after `samples` evenly spaced fractions 0..1 of the
/// residence time [time unit], with the session's model, constants and inlet concentrations.
/// Empty when the time is not positive or a value cannot be computed.
std::vector<double> tubeConversionProfile(const Session& session, double residenceTime, int samples);

/// @brief The lines of "Zeige Reaktionsfortschritt(e)": "ksi(1)/(kmol/m^3) =" with its value and,
/// for models with two reactions, the same for ksi(2).
std::string extentsText(int model, const ExtentsOfReaction& extents, char decimalSeparator = '.');

}  // namespace zemtral
