#pragma once
// The commands of the three reactor windows apart from their widgets: "Berechnen" of the batch
// reactor and the tube, "Start" of the stirred tank. Each reads the field texts, writes the
// working state and the reactor values of the session, shows its messages and returns the field
// texts to show afterwards.
#include <array>
#include <string>
#include <vector>

#include "session/model_commands.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief The texts of a reactor window's input fields by meaning. A reactor uses the fields it
/// has: the batch reactor no volume, flow, length or velocity; the tube no volume or flow; the
/// stirred tank no length or velocity.
struct ReactorInputTexts {
    std::array<std::string, kSlotCount> start;   ///< c(0) of A..Q (inlet of the flow reactors)
    std::array<std::string, kSlotCount> result;  ///< c of A..Q after the reactor
    std::array<std::string, 3> rateConstants;    ///< k1..k3
    std::string conversion;                      ///< U(A)
    std::string time;                            ///< reaction time; residence time of the tank
    std::string volume;                          ///< V (stirred tank)
    std::string flow;                            ///< V* (stirred tank)
    std::string length;                          ///< l (tube)
    std::string velocity;                        ///< v (tube)

    bool operator==(const ReactorInputTexts&) const = default;
};

/// @brief Number of input fields inp(0..n-1) of a reactor window: 15 for the batch reactor, 17 for
/// the tube and the stirred tank; 0 for the other windows.
int reactorFieldCount(CalcWindowKind kind);

/// @brief The text of field inp(index) of a reactor window: 0-4 c(0), 5-9 c, 10-12 k, 13 U; then
/// 14 t (batch reactor), 14 t, 15 l, 16 v (tube), 14 V, 15 V*, 16 t (stirred tank).
/// Null for an index the window does not have.
std::string* reactorField(ReactorInputTexts& texts, CalcWindowKind kind, int index);
const std::string* reactorField(const ReactorInputTexts& texts, CalcWindowKind kind, int index);

/// @brief What a reactor command leaves for its window.
struct ReactorCommandResult {
    bool success = false;      ///< results shown: enable "Zeige Reaktionsfortschritt(e)" and "Protokollieren"
    ReactorInputTexts fields;  ///< the field texts after the command (unchanged on failure)
    double conversion = 0.0;   ///< U(A) for the fill colour of the picture (0 on failure)
};

/// @brief "Berechnen" of the batch reactor with `session.reactorInputChoice`.
ReactorCommandResult batchCalculate(Session& session, UserDialogs& dialogs, const ReactorInputTexts& fields,
                                    char decimalSeparator = '.');

/// @brief "Start" of the stirred tank with `session.cstrInputChoice`. Success also starts the stirrer.
ReactorCommandResult cstrStart(Session& session, UserDialogs& dialogs, const ReactorInputTexts& fields,
                               char decimalSeparator = '.');

/// @brief "Berechnen" of the tube with `session.tubeInputChoice`.
ReactorCommandResult tubeCalculate(Session& session, UserDialogs& dialogs, const ReactorInputTexts& fields,
                                   char decimalSeparator = '.');

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
