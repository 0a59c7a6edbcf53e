#pragma once
// The logic of the model window: choosing a model, the order box, the time unit, and what every
// open calculation window shows for the chosen model.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/unit_captions.h"
#include "session/session.h"
#include "session/simulation_setup.h"

namespace zemtral {

/// @brief Number of model options optTyp(0..18); option 0 is model 20, option k model k.
inline constexpr int kModelOptionCount = 19;
/// @brief Window caption of the model window.
inline constexpr const char* kModelWindowTitle = "  kinetisches Modell";
/// @brief Window caption of the matrix window.
inline constexpr const char* kMatrixWindowTitle = "  Stöchiometrische Matrix";
/// @brief Warning of the model window while the data set holds points.
inline constexpr const char* kRecalcTimeWarning =
    "Achtung: Jede Änderung der Zeiteinheit führt zu einer entsprechenden Umrechnung der Zeit-Spalte in "
    "der Datentabelle.";

/// @brief Model id chosen by option `option` (0 → 20, 1..18 → itself).
int modelForOption(int option);
/// @brief Option of model id `model` (20 → 0).
int optionForModel(int model);

/// @brief The option the model window selects when it loads: 0 when the diagram kind is 20, or
/// when it is below 1 and the model is 20; else the option of the model.
int optionAtLoad(const Session& session);

/// @brief Index 0..4 of the session's time-unit text, 0 for anything else.
int timeUnitIndexOf(const Session& session);

/// @brief The warning text under the time units: kRecalcTimeWarning when the set holds points.
std::string recalcTimeWarning(const Session& session);

/// @brief What the model window does besides the open calculation windows after a choice.
struct ModelChoiceResult {
    int modelId = 0;
    bool orderBoxEnabled = false;
};

/// @brief Steps 1 to 5 of a model choice: mmMode off, model id (option 0 reads n from the order
/// box text), diagram kind, defaults of the model, stoichiometric matrix.
/// `atLoad` is the selection of the current model when the window loads (a loaded project keeps
/// its rate constants then).
ModelChoiceResult selectModel(Session& session, int option, std::string_view orderText, bool atLoad = false);

/// @brief The order box changed: n := the number of its text (a comma counts as the point).
void setOrderFromText(Session& session, std::string_view orderText);

/// @brief A time-unit option was clicked: SetTimeUnit(new, old) with the old index from the
/// session's unit text; converts the data times and k(1..3).
void changeTimeUnit(Session& session, int newIndex);

/// @brief The kinds of window the model window reconfigures.
enum class CalcWindowKind { SimulationSetUp, Fitting, BatchReactor, TubeReactor, StirredTank };

/// @brief True for the three reactor windows.
bool isReactorWindow(CalcWindowKind kind);

/// @brief Values a calculation window contributes to its own configuration.
struct CalcWindowExtras {
    std::optional<double>
        nonIsothermalParam1;  ///< pre-exponential factor shown in inp(10) while FittingMode >= 6
    std::optional<double> nonIsothermalParam2;  ///< second parameter shown in inp(11) while FittingMode >= 6
    std::optional<float> reactionTime;          ///< batch and tube reactors: shown in inp(14)
};

/// @brief Everything the model window sets in one open calculation window (controls by name:
/// inp_i, lblStoff_i, Bz_5..Bz_7, unit2, unit3, Label7, lblMichaelisK, fraMichaelis, cmdShowKsi,
/// fraKsi, chkConcFQS_i).
struct CalcWindowConfig {
    bool michaelisVisible = false;                         ///< lblMichaelisK and fraMichaelis
    std::array<bool, 10> speciesVisible{};                 ///< inp(i) and lblStoff(i), i = 0..9
    std::array<std::string, 10> speciesCaption;            ///< lblStoff(i)
    bool reactor = false;                                  ///< cmdShowKsi disabled, fraKsi hidden
    bool singleReaction = true;                            ///< extent tool tips keep their text
    std::string modelLabel;                                ///< Label7
    bool k2Visible = false;                                ///< inp(11), Bz(6), unit2
    bool k3Visible = false;                                ///< inp(12), Bz(7), unit3
    std::array<std::string, 3> rateCaption;                ///< Bz(5), Bz(6), Bz(7)
    std::array<std::optional<std::string>, 15> inputText;  ///< inp(i) texts; nothing = untouched
    std::string speciesMask;                               ///< the fitting window's chkConcFQS follow it
    UnitCaptions units;                                    ///< UpdateUnitCaptions for model and unit
};

/// @brief Step 6 of a model choice for one calculation window.
CalcWindowConfig buildCalcWindowConfig(const Session& session, CalcWindowKind kind,
                                       const CalcWindowExtras& extras = {});

/// @brief The text of the matrix window: model text, column heads and one line per species with
/// its coefficients in reactions 1, 2 and 3.
std::string matrixText(const Session& session);

}  // namespace zemtral
