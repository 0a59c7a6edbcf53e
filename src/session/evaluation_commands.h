#pragma once
// The main-window commands of the evaluations and the buttons of the fitting, tangent and
// calculator windows, apart from their widgets: preconditions, refusal texts, what they set.
#include <optional>
#include <string>
#include <vector>

#include "evaluation/fitting.h"
#include "evaluation/half_life_marks.h"
#include "evaluation/linearised_evaluation.h"
#include "evaluation/tangent.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief What a started evaluation command asks of the diagram side.
struct EvaluationCommandResult {
    bool started = false;                  ///< false: refused (the message was shown)
    int diagramKind = 0;                   ///< the kind to set up
    int selectedSpecies = 0;               ///< kind 100: the species slot 1..5
    bool unloadDiagram = false;            ///< the diagram window is unloaded so that it is rebuilt fresh
    bool closeCalculationWindows = false;  ///< simulation, batch, tube and stirred-tank windows
    bool openFittingWindow = false;        ///< the fitting window and the model window are opened
    /// Axis window computed by the command itself: lambda kinds (slots 0, 1 and 24/25 or 26/27)
    /// and kind 100 (slots 0 to 3). Other kinds take AutoRangeFromData.
    std::optional<PlotWindow> axisWindow;
};

/// @brief mnuctAusw item 1..4 (first order, second order 2A => P, A + B => P, Wilkinson).
EvaluationCommandResult startCtEvaluation(Session& session, int item, UserDialogs& dialogs);

/// @brief mnuLambdaAusw item 1..3 (first order, second order 2A => P, A + B => P).
EvaluationCommandResult startLambdaEvaluation(Session& session, int item, UserDialogs& dialogs);

/// @brief mnuCtFitting: FittingMode 1, data checks, kind −9.
EvaluationCommandResult startCtFitting(Session& session, UserDialogs& dialogs);

/// @brief mnuROFitting: FittingMode 2, model 20, data checks, kind −9.
EvaluationCommandResult startOrderFitting(Session& session, UserDialogs& dialogs);

/// @brief mnuNonIsothermFitting item 1 (mode 6, model 2) or 2 (mode 7, model 3).
EvaluationCommandResult startNonIsothermalFitting(Session& session, int item, UserDialogs& dialogs);

/// @brief mnukT item 1 (Arrhenius, kind −3) or 2 (Eyring, kind −4).
EvaluationCommandResult startKTEvaluation(Session& session, int item, UserDialogs& dialogs);

/// @brief mnuSubTangente item 1..5: SelectedSpecies, kind 100, smoothing 0, the species' window.
EvaluationCommandResult startTangent(Session& session, int item);

/// @brief mnuToolArrhenius (kTForm 1, clears A and EA) and mnuToolEyring (kTForm 2); FittingMode 0.
void startActivationCalculator(Session& session, std::uint8_t kTForm);

/// @brief The problem lines of the fitting window's "Zeichne Kurve", each starting with "- ".
std::vector<std::string> drawFittingCurveProblems(const Session& session);

/// @brief One curve of "Zeichne Kurve": k1 and, in modes 6 and 7, its temperature and legend.
struct FittingCurve {
    double k1 = 0.0;
    float temperature = 0.0f;  ///< [K]; 0 for the isothermal modes
    std::string legend;        ///< modes 6, 7: "c(A) T/K = ..."
};

/// @brief The curves "Zeichne Kurve" draws: one for modes 1 and 2, one per temperature of the data
/// set in modes 6 and 7 (k1 = k(T) of the stored activation parameters).
std::vector<FittingCurve> fittingCurves(const Session& session);

/// @brief Runs the simulation of one curve with k1 of the curve; shows the engine's message on a
/// fault and returns false.
bool simulateFittingCurve(Session& session, const FittingCurve& curve, UserDialogs& dialogs);

/// @brief "Zeichne Kurve": the checks (one message listing every problem), then the curves; the
/// standard deviations are hidden. Nothing when a problem exists.
std::optional<std::vector<FittingCurve>> drawFittingCurve(Session& session, UserDialogs& dialogs);

/// @brief The chart caption of ShowFitResult after a fit or a drawn fitting curve: "kinet. Modell: "
/// + the model name + line break + "k1 =" + k1, then ", k2 =" + k2 (mode 1) or ", n =" + n
/// (mode 2) and ", k3 =" + k3 where the model has them; modes 6 and 7 give "Arrhenuis-A = " + A +
/// ", EA =" + EA + " J/mol". Values as single-precision texts like the fitting window's boxes.
std::string fitResultCaption(const Session& session);

/// @brief The fitting context of the session (species = ticked and visible boxes).
FitContext fitContext(Session& session);

/// @brief "Auto-Fitting": runs the fit, shows the refusal or warning, writes the result into the
/// working state and the window state (parameters, standard deviations shown).
AutoFitOutcome autoFitting(Session& session, UserDialogs& dialogs);

/// @brief p(1..3) of the fitting window taken anew from the working state (after a model choice
/// or a change of the temperature law); the standard deviations are hidden.
void reloadFitParameters(Session& session);

/// @brief Typing into inp(9 + j): p(j) = the value (0 becomes 1e-8), copied to the working state.
void typeFitParameter(Session& session, int j, const std::string& text);

/// @brief A slider change by v of parameter j (fine or coarse), copied to the working state.
void slideFitParameter(Session& session, int j, int v, bool fine);

/// @brief The tangent window's "Berechnen": value and rate at the typed time, or a beep.
std::optional<TangentValue> calculateTangent(Session& session, const std::string& timeText,
                                             const PlotWindow& window, UserDialogs& dialogs);

/// @brief "Halbwertszeit A" / "Halbwertszeit B" of the diagram window: τ from the last simulation
/// for the numerically integrated models, else from FuHalbwertszeitA/B with the initial
/// concentrations of the evaluation (negative kinds) or of the last simulation and k1, k2; its
/// beep or message is passed on. The mark and the status text follow from τ.
HalfLifeMark halfLifeCommand(Session& session, HalfLifeSpecies species, int diagramKind,
                             UserDialogs& dialogs);

}  // namespace zemtral
