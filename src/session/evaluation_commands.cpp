#include "session/evaluation_commands.h"

#include <algorithm>

#include "core/half_life.h"
#include "core/model_catalogue.h"
#include "evaluation/kt_calculator.h"
#include "numeric/number_text.h"
#include "session/auto_fit_job.h"
#include "session/project_commands.h"
#include "session/simulation_run.h"

namespace zemtral {
namespace {

constexpr const char* kLineBreak = "\r\n";

void refuse(UserDialogs& dialogs, const std::string& text) {
    dialogs.showMessage(kNotPossibleTitle, text, MessageIcon::Critical);
}

std::string enterDataHint() {
    return "Geben Sie Daten im Dateneditor ein (=> Neueingabe).";
}

/// The points that take part in an evaluation or fitting: excluded points do not count.
int activePointCount(const ExpDataSet& data) {
    int count = 0;
    for (int i = 1; i <= data.pointCount && i < static_cast<int>(data.points.size()); ++i) {
        count += data.points[static_cast<std::size_t>(i)].exclude == -1 ? 0 : 1;
    }
    return count;
}

/// The data checks shared by the c-t evaluations and the isothermal fittings.
bool ctDataPresent(const Session& session, int minimumPoints, UserDialogs& dialogs) {
    if (!session.survey.hasCtData) {
        refuse(dialogs,
               std::string("Keine oder zuwenig experimentelle c-t-Daten.") + kLineBreak + enterDataHint());
        return false;
    }
    if (activePointCount(session.data) < minimumPoints) {
        refuse(dialogs,
               std::string("Keine (oder zuwenig) experimentelle c-t-Daten.") + kLineBreak + enterDataHint());
        return false;
    }
    return true;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += kLineBreak;
        }
        text += lines[i];
    }
    return text;
}

/// Refuses an evaluation whose points cannot determine its line (see evaluationPointsProblem).
bool evaluationPointsUsable(const Session& session, const EvaluationInputs& in, UserDialogs& dialogs) {
    const std::string problem = evaluationPointsProblem(session.data, in);
    if (!problem.empty()) {
        refuse(dialogs, problem);
        return false;
    }
    return true;
}

EvaluationCommandResult fittingStarted() {
    EvaluationCommandResult r;
    r.started = true;
    r.diagramKind = kEvalFittingPoints;
    r.unloadDiagram = true;
    r.closeCalculationWindows = true;
    r.openFittingWindow = true;
    return r;
}

void loadFitParameters(Session& session) {
    reloadFitParameters(session);
}

}  // namespace

void reloadFitParameters(Session& session) {
    FitContext ctx = fitContext(session);
    const int n = fitParameterCount(session.state.modelId, session.state.fittingMode);
    const std::vector<double> p = currentFitParameters(ctx, n);
    session.evaluation.fitParams = {};
    for (int j = 0; j < n && j < 3; ++j) {
        session.evaluation.fitParams[j + 1] = p[j];
    }
    session.evaluation.standardDeviationShown = false;
}

EvaluationCommandResult startCtEvaluation(Session& session, int item, UserDialogs& dialogs) {
    adoptDataStartValues(session);
    EvaluationCommandResult result;
    session.state.fittingMode = kFittingNone;
    session.evaluation.lambdaMode = false;
    if (!ctDataPresent(session, item == 4 ? 4 : 2, dialogs)) {
        return result;
    }
    session.evaluation.equalStartConc = false;
    const float cA0 = static_cast<float>(session.state.conc0[kSlotA]);
    const float cB0 = static_cast<float>(session.state.conc0[kSlotB]);
    if (item == 3) {
        if (cA0 < 1e-8f || cB0 < 1e-8f) {
            refuse(dialogs, "Es werden beide Anfangskonzentrationen c(A)(0) und c(B)(0) benötigt.");
            return result;
        }
        session.evaluation.equalStartConc = cB0 == cA0;
    } else if (cA0 < 1e-8f) {
        refuse(dialogs, "Keine Anfangskonzentration c(A)(0) gefunden");
        return result;
    }
    const int kind = item == 1   ? kEvalFirstOrder
                     : item == 2 ? kEvalSecondOrder
                     : item == 3
                         ? (session.evaluation.equalStartConc ? kEvalSecondOrder : kEvalSecondOrderUnequal)
                         : kEvalWilkinson;
    if (!evaluationPointsUsable(session, evaluationInputs(kind, session.state, session.evaluation),
                                dialogs)) {
        return result;
    }
    result.started = true;
    result.unloadDiagram = true;
    result.diagramKind = kind;
    if (item <= 3) {
        session.state.modelId = static_cast<std::int16_t>(item + 1);
    }
    return result;
}

EvaluationCommandResult startLambdaEvaluation(Session& session, int item, UserDialogs& dialogs) {
    adoptDataStartValues(session);
    EvaluationCommandResult result;
    session.state.fittingMode = kFittingNone;
    if (!session.survey.hasLambdaData) {
        refuse(dialogs,
               std::string("Keine oder zuwenig experimentelle lambda-Daten.") + kLineBreak + enterDataHint());
        return result;
    }
    if (session.data.pointCount <= 1) {
        refuse(dialogs, std::string("Keine (oder zuwenig) experimentelle lambda-t-Daten.") + kLineBreak +
                            enterDataHint());
        return result;
    }
    const double cA0 = session.state.conc0[kSlotA];
    const double cB0 = session.state.conc0[kSlotB];
    std::int16_t model = 2;
    if (item == 1) {
        session.evaluation.equalStartConc = false;
    } else if (item == 2) {
        if (cA0 == 0.0) {
            refuse(dialogs, std::string("Für eine lambda-Auswertung nach 2. Ordnung muss") + kLineBreak +
                                "eine Anfangskonzentration für A gegegeben sein." + kLineBreak + kLineBreak +
                                "Hinweis: Die Anfangskonzentration kann auch als p(A)(0)/kPa gegeben sein;" +
                                kLineBreak +
                                "die Geschwindigkeitskonstante erhält dann die Einheit [k] = 1/( kPa s).");
            return result;
        }
        model = 3;
    } else {
        if (cA0 == 0.0 || cB0 == 0.0) {
            refuse(dialogs, std::string("Für eine lambda-Auswertung müssen in diesem Fall") + kLineBreak +
                                "die Anfangskonzentrationen c(A)(0) und c(B)(0) gegegeben sein.");
            return result;
        }
        session.evaluation.equalStartConc = static_cast<float>(cB0) == static_cast<float>(cA0);
        if (!session.evaluation.equalStartConc) {
            refuse(dialogs, "Im Augenblick wird nur die Variante c(A)(0) = c(B)(0) unterstützt.");
            return result;
        }
        model = 4;
    }
    if (session.data.lambdaInf < 1e-8) {
        refuse(dialogs, "Keinen Wert lambda(t = infin) gefunden");
        return result;
    }
    const int kind = item == 1 ? kEvalLambdaFirstOrder : kEvalLambdaSecondOrder;
    EvaluationInputs inputs = evaluationInputs(kind, session.state, session.evaluation);
    inputs.lambdaMode = true;
    if (!evaluationPointsUsable(session, inputs, dialogs)) {
        return result;
    }
    session.state.modelId = model;
    if (session.data.lambda0 == 0.0) {
        if (item == 1) {
            dialogs.showMessage(
                "Hinweis zur Auswertung der lambda-Werte, 1. Ordnung",
                std::string("Es wurde kein Anfangswert lambda(0) (lambda bei t = 0) gefunden.") + kLineBreak +
                    "Die Auswertung wird daher ohne diesen Wert mittels" + kLineBreak +
                    "des Ausdrucks ln(lamba(infin.) - lambda) vorgenommen." + kLineBreak +
                    "Das  durch Extrapolation ermittelte lambda(0) wird angegeben." + kLineBreak +
                    "Die Anfangskonzentration c(A)(0) wird in diesem Fall auch nicht benötigt.",
                MessageIcon::Exclamation);
        } else {
            dialogs.showMessage(
                "Hinweis zur Auswertung der lambda-Werte, 2. Ordnung",
                std::string("Es wurde kein Anfangswert lambda(0) (lambda bei t = 0) gefunden.") + kLineBreak +
                    "Die Auswertung wird daher ohne diesen Wert mittels" + kLineBreak +
                    "des Ausdrucks (lamba(inf)/(lambda(inf) - lambda)) vorgenommen." + kLineBreak +
                    kLineBreak + "Beachten Sie aber:" + kLineBreak +
                    "Auch in diesem Fall wird die Anfangskonzentration c(A)(0) benötigt.",
                MessageIcon::Exclamation);
        }
    }
    session.evaluation.lambdaMode = true;
    result.started = true;
    result.diagramKind = kind;
    result.axisWindow = lambdaAxisRanges(
        session.data, evaluationInputs(result.diagramKind, session.state, session.evaluation));
    return result;
}

EvaluationCommandResult startCtFitting(Session& session, UserDialogs& dialogs) {
    adoptDataStartValues(session);
    session.state.fittingMode = kFittingRateConstants;
    if (!ctDataPresent(session, 2, dialogs)) {
        return {};
    }
    loadFitParameters(session);
    return fittingStarted();
}

EvaluationCommandResult startOrderFitting(Session& session, UserDialogs& dialogs) {
    adoptDataStartValues(session);
    session.state.fittingMode = kFittingOrder;
    if (!ctDataPresent(session, 2, dialogs)) {
        return {};
    }
    session.state.modelId = 20;
    loadFitParameters(session);
    return fittingStarted();
}

EvaluationCommandResult startNonIsothermalFitting(Session& session, int item, UserDialogs& dialogs) {
    adoptDataStartValues(session);
    if (session.survey.temperatureCount == 1) {
        dialogs.showMessage("Warnung",
                            std::string("Ein Datensatz mit nur einer Temperatur kann hier nicht zu einem ") +
                                kLineBreak +
                                "sinnvollen Ergebnis hinsichtlich ARRHENIUS- bzw. EYRING-Parametern führen.",
                            MessageIcon::Exclamation);
    }
    if (!session.survey.hasCtTData) {
        refuse(dialogs,
               std::string("Keine oder zuwenig experimentelle t-c-T-Daten.") + kLineBreak + enterDataHint());
        return {};
    }
    if (item == 2 && session.state.conc0[kSlotA] == 0.0) {
        refuse(dialogs, "Für diesen Fall muss die Anfangskonzentration c(A)(0) gegeben sein.");
        return {};
    }
    session.state.fittingMode = item == 2 ? kFittingNonIsothermalSecond : kFittingNonIsothermalFirst;
    session.state.modelId = item == 2 ? 3 : 2;
    loadFitParameters(session);
    return fittingStarted();
}

EvaluationCommandResult startKTEvaluation(Session& session, int item, UserDialogs& dialogs) {
    EvaluationCommandResult result;
    if (!session.survey.hasKTData) {
        refuse(dialogs, "Erst experimentelle Punkte k-T laden oder eingeben!");
        return result;
    }
    const int pairs = distinctKTPairs(session.data);
    if (session.data.pointCount <= 1) {
        refuse(dialogs, "es sind mindestens 2 Wertepaare notwendig");
        return result;
    }
    if (pairs == 0) {
        refuse(dialogs, std::string("Keine Daten für k und T vorhanden.") + kLineBreak +
                            "Geben Sie experimentelle Daten im Dateneditor ein (=> Neueingabe)");
        return result;
    }
    if (pairs < 2) {
        refuse(dialogs, "mindestens zwei unterschiedliche Paare k - T nötig!");
        return result;
    }
    const int kind = item == 2 ? kEvalEyring : kEvalArrhenius;
    if (!evaluationPointsUsable(session, evaluationInputs(kind, session.state, session.evaluation),
                                dialogs)) {
        return result;
    }
    result.started = true;
    result.unloadDiagram = true;
    result.diagramKind = kind;
    return result;
}

EvaluationCommandResult startTangent(Session& session, int item) {
    EvaluationCommandResult result;
    const int slot = std::clamp(item, 1, kSlotCount);
    result.started = true;
    result.unloadDiagram = true;
    result.closeCalculationWindows = true;
    result.diagramKind = kEvalSingleSpecies;
    result.selectedSpecies = slot;
    session.state.smoothingExponent = 0.0f;
    session.evaluation.tangent = prepareTangentSpline(session.data, slot, 0.0f);
    session.evaluation.tangentSpecies = slot;
    result.axisWindow = singleSpeciesAxisRanges(session.data, slot);
    return result;
}

void startActivationCalculator(Session& session, std::uint8_t kTForm) {
    session.evaluation.kTForm = kTForm;
    session.state.fittingMode = kFittingNone;
    if (kTForm == kKTArrhenius) {
        session.evaluation.activation.arrheniusA = 0.0;
        session.evaluation.activation.activationEnergy = 0.0;
    }
}

std::vector<std::string> drawFittingCurveProblems(const Session& session) {
    std::vector<std::string> lines;
    const WorkingState& s = session.state;
    const std::uint8_t mode = s.fittingMode;
    const std::string species = modelSpeciesMask(s.modelId, mode);
    const std::string params = modelParameterMask(s.modelId, mode);
    const bool temperatureLaw = mode == kFittingNonIsothermalFirst || mode == kFittingNonIsothermalSecond;
    if (species[1] == '1' && s.conc0[kSlotB] <= 0.0) {
        lines.push_back(isEnzymeKinetics(s.modelId)
                            ? "- noch keine Eingabe einer Anfangskonzentration c(S)(0)"
                            : "- noch keine Eingabe einer Anfangskonzentration c(B)(0)");
    }
    if (isAutocatalytic(s.modelId) && s.conc0[kSlotP] <= 0.0) {
        lines.push_back(
            "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht "
            "an ");
    }
    if (hasReactionOrder(s.modelId) && s.reactionOrder < 0.0f) {
        lines.push_back("- nur n > 0 erlaubt");
    }
    // In the temperature fittings the first parameter is the pre-exponential factor.
    const double first =
        temperatureLaw ? (session.evaluation.kTForm == kKTEyring ? session.evaluation.activation.eyringFactor
                                                                 : session.evaluation.activation.arrheniusA)
                       : s.rateConst[1];
    if (first <= 0.0) {
        lines.push_back("- Geschwindigkeitskonstante k1 muss größer Null sein");
    }
    if (mode == kFittingRateConstants && params[1] == '1' && s.rateConst[2] <= 0.0) {
        lines.push_back("- Geschwindigkeitskonstante k2 muss größer Null sein");
    }
    if (params[2] == '1' && s.rateConst[3] <= 0.0) {
        lines.push_back("- Geschwindigkeitskonstante k3 muss größer Null sein");
    }
    return lines;
}

std::vector<FittingCurve> fittingCurves(const Session& session) {
    std::vector<FittingCurve> curves;
    const std::uint8_t mode = session.state.fittingMode;
    if (mode != kFittingNonIsothermalFirst && mode != kFittingNonIsothermalSecond) {
        curves.push_back({session.state.rateConst[1], 0.0f, ""});
        return curves;
    }
    const ActivationParameters& a = session.evaluation.activation;
    const bool eyring = session.evaluation.kTForm == kKTEyring;
    for (int j = 1;
         j <= session.survey.temperatureCount && j < static_cast<int>(session.survey.temperatureList.size());
         ++j) {
        const float temperature = session.survey.temperatureList[j];
        const double k = eyring ? rateConstantAt(kKTEyring, a.eyringFactor, a.deltaH, temperature)
                                : rateConstantAt(kKTArrhenius, a.arrheniusA, a.activationEnergy, temperature);
        curves.push_back({k, temperature, nonIsothermalCurveLegend(temperature)});
    }
    return curves;
}

bool simulateFittingCurve(Session& session, const FittingCurve& curve, UserDialogs& dialogs) {
    session.state.rateConst[1] = curve.k1;
    session.evaluation.curveTemperature = curve.temperature;
    return reportSimulationRun(runSimulation(session), dialogs);
}

std::optional<std::vector<FittingCurve>> drawFittingCurve(Session& session, UserDialogs& dialogs) {
    const std::vector<std::string> problems = drawFittingCurveProblems(session);
    if (!problems.empty()) {
        refuse(dialogs, joinLines(problems));
        return std::nullopt;
    }
    session.evaluation.standardDeviationShown = false;
    return fittingCurves(session);
}

std::string fitResultCaption(const Session& session) {
    const WorkingState& state = session.state;
    const std::string& lineBreak = session.shell.lineBreak;
    std::string text = "kinet. Modell: " + modelDisplayText(state.modelId) + lineBreak;
    if (state.fittingMode == kFittingNonIsothermalFirst || state.fittingMode == kFittingNonIsothermalSecond) {
        const ActivationParameters& a = session.evaluation.activation;
        return text + "Arrhenuis-A = " + formatSingle(a.arrheniusA) +
               ", EA =" + formatSingle(a.activationEnergy) + " J/mol";
    }
    const std::string mask = modelParameterMask(state.modelId, state.fittingMode);
    text += "k1 =" + formatSingle(state.rateConst[1]);
    if (state.fittingMode == kFittingOrder) {
        text += ", n =" + formatSingle(state.reactionOrder);
    } else if (mask.size() > 1 && mask[1] == '1') {
        text += ", k2 =" + formatSingle(state.rateConst[2]);
    }
    if (mask.size() > 2 && mask[2] == '1') {
        text += ", k3 =" + formatSingle(state.rateConst[3]);
    }
    return text;
}

FitContext fitContext(Session& session) {
    FitContext ctx{session.state,
                   session.evaluation.fitSimulation,
                   session.data,
                   session.evaluation.activation,
                   session.evaluation.kTForm,
                   {}};
    const std::array<bool, 6> visible =
        fitSpeciesVisible(session.state.modelId, session.state.fittingMode, session.survey.shownSpecies);
    for (int s = 1; s <= kSlotCount; ++s) {
        ctx.species[s] = visible[s] && session.evaluation.fitSpecies[s];
    }
    return ctx;
}

AutoFitOutcome autoFitting(Session& session, UserDialogs& dialogs) {
    std::unique_ptr<AutoFitJob> job = AutoFitJob::begin(session, dialogs);
    if (!job) {
        AutoFitOutcome refused;
        refused.refused = true;
        return refused;
    }
    job->run();
    return job->finish(dialogs);
}

void typeFitParameter(Session& session, int j, const std::string& text) {
    if (j < 1 || j > 3) {
        return;
    }
    session.evaluation.fitParams[j] = typedParameterValue(text);
    FitContext ctx = fitContext(session);
    const int n = fitParameterCount(session.state.modelId, session.state.fittingMode);
    std::vector<double> p(session.evaluation.fitParams.begin() + 1,
                          session.evaluation.fitParams.begin() + 1 + n);
    applyFitParameters(ctx, p);
}

void slideFitParameter(Session& session, int j, int v, bool fine) {
    if (j < 1 || j > 3) {
        return;
    }
    session.evaluation.fitParams[j] = sliderAdjustedParameter(session.evaluation.fitParams[j], v, fine);
    FitContext ctx = fitContext(session);
    const int n = fitParameterCount(session.state.modelId, session.state.fittingMode);
    std::vector<double> p(session.evaluation.fitParams.begin() + 1,
                          session.evaluation.fitParams.begin() + 1 + n);
    applyFitParameters(ctx, p);
}

std::optional<TangentValue> calculateTangent(Session& session, const std::string& timeText,
                                             const PlotWindow& window, UserDialogs& dialogs) {
    const std::optional<TangentValue> value =
        tangentAt(session.evaluation.tangent, parseNumber(timeText), window);
    if (!value) {
        dialogs.beep();
    }
    return value;
}

HalfLifeMark halfLifeCommand(Session& session, HalfLifeSpecies species, int diagramKind,
                             UserDialogs& dialogs) {
    const WorkingState& st = session.state;
    float tau = 0.0f;
    if (halfLifeFromSimulation(species, st.modelId)) {
        tau = species == HalfLifeSpecies::A ? st.halfLifeA : st.halfLifeB;
    } else {
        const SpeciesArray c0 = halfLifeInitialConcentrations(diagramKind, st, session.simulation);
        const HalfLifeResult r = species == HalfLifeSpecies::A
                                     ? FuHalbwertszeitA(c0[kSlotA], c0[kSlotB], c0[kSlotP], st.rateConst[1],
                                                        st.rateConst[2], diagramKind)
                                     : FuHalbwertszeitB(c0[kSlotA], c0[kSlotB], c0[kSlotP], st.rateConst[1],
                                                        st.rateConst[2], diagramKind);
        if (r.beep) {
            dialogs.beep();
        }
        if (!r.message.empty()) {
            dialogs.showMessage(r.title, r.message, MessageIcon::Critical);
        }
        tau = r.value;
    }
    return halfLifeMark(species, st.modelId, tau, st.timeUnit);
}

}  // namespace zemtral
