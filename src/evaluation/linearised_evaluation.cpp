#include "evaluation/linearised_evaluation.h"

#include <cmath>

#include "numeric/number_text.h"
#include "numeric/regression.h"

namespace zemtral {
namespace {

constexpr const char* kLineBreak = "\r\n";
// The curve buffer holds 2000 points; a regression line never needs more.
constexpr int kMaxLinePoints = 2000;

/// The transformed point of a data point for the kind; false when the point does not qualify.
/// Untransformable values (log of 0, division by 0) raise the floating-point flags.
bool transformPoint(const ExpPoint& pt, const ExpDataSet& data, const EvaluationInputs& in, double& x,
                    double& y) {
    const double cA = pt.c[kSlotA];
    const double cB = pt.c[kSlotB];
    x = static_cast<float>(pt.t);
    switch (in.kind) {
        case kEvalArrhenius:
        case kEvalEyring: {
            const float temperature = static_cast<float>(pt.T);
            if (!(temperature > 0.0f)) {
                return false;
            }
            x = 1.0 / pt.T;
            y = in.kind == kEvalArrhenius ? std::log(pt.k) : std::log(pt.k / pt.T);
            return true;
        }
        case kEvalFirstOrder:
        case kEvalLambdaFirstOrder:
            if (in.lambdaMode) {
                if (!(pt.lambda > 0.0f)) {
                    return false;
                }
                const double lambdaInf = data.lambdaInf;
                y = data.lambda0 != 0.0 ? std::log((lambdaInf - pt.lambda) / (lambdaInf - data.lambda0))
                                        : std::log(lambdaInf - pt.lambda);
                return true;
            }
            if (!(cA > 0.0)) {
                return false;
            }
            y = std::log(cA);
            return true;
        case kEvalSecondOrder:
            if (!(cA > 0.0)) {
                return false;
            }
            y = 1.0 / cA;
            return true;
        case kEvalWilkinson:
            // A concentration 0 means "not measured": such a point has no conversion to plot.
            if (!(pt.t > 1e-8) || !(cA > 0.0)) {
                return false;
            }
            y = pt.t / ((in.cA0 - cA) / in.cA0);
            return true;
        case kEvalSecondOrderUnequal:
            if (!(cA > 0.0) || !(cB > 0.0)) {
                return false;
            }
            y = std::log(cA / cB);
            return true;
        case kEvalLambdaSecondOrder: {
            if (!(pt.lambda > 0.0f)) {
                return false;
            }
            const double lambdaInf = data.lambdaInf;
            y = data.lambda0 != 0.0 ? (lambdaInf - data.lambda0) / (lambdaInf - pt.lambda) / in.cA0
                                    : lambdaInf / (lambdaInf - pt.lambda);
            return true;
        }
        default:
            return false;
    }
}

std::string rSquaredPart(float rSquared, char sep) {
    if (rSquared > 0.0f) {
        return "   (R^2 = " + formatNumber(rSquared, "0.00000", sep) + ")";
    }
    return "";
}

bool inside(const PlotWindow& w, double x, double y) {
    return w.xMin <= x && x <= w.xMax && w.yMin <= y && y <= w.yMax;
}

}  // namespace

EvaluationInputs evaluationInputs(int kind, const WorkingState& state, const EvaluationState& evaluation) {
    EvaluationInputs in;
    in.kind = kind;
    in.cA0 = static_cast<float>(state.conc0[kSlotA]);
    in.cB0 = static_cast<float>(state.conc0[kSlotB]);
    in.modelId = state.modelId;
    in.lambdaMode = evaluation.lambdaMode;
    in.equalStartConc = evaluation.equalStartConc;
    return in;
}

EvalPointLists EvalPoints(const ExpDataSet& data, const EvaluationInputs& in, double* cA0FromData,
                          double* cB0FromData) {
    EvalPointLists lists;
    double cA0 = 0.0, cB0 = 0.0;
    for (int i = 1; i <= data.pointCount && i < static_cast<int>(data.points.size()); ++i) {
        const ExpPoint& pt = data.points[i];
        if (in.kind == kEvalSecondOrderUnequal && pt.t == 0.0) {
            cA0 = pt.c[kSlotA];
            cB0 = pt.c[kSlotB];
        }
        double x = 0, y = 0;
        if (!transformPoint(pt, data, in, x, y)) {
            continue;
        }
        lists.x.push_back(static_cast<float>(x));
        lists.y.push_back(static_cast<float>(y));
        lists.w.push_back(pt.exclude == -1 ? 0.0f : 1.0f);
    }
    if (cA0FromData) {
        *cA0FromData = cA0;
    }
    if (cB0FromData) {
        *cB0FromData = cB0;
    }
    return lists;
}

std::string evaluationPointsProblem(const EvalPointLists& points) {
    int usable = 0;
    bool twoAbscissas = false;
    float firstX = 0.0f;
    for (int i = 1; i <= points.size(); ++i) {
        const float x = points.x[static_cast<std::size_t>(i)];
        if (!(points.w[static_cast<std::size_t>(i)] > 0.0f) || !std::isfinite(x) ||
            !std::isfinite(points.y[static_cast<std::size_t>(i)])) {
            continue;
        }
        if (++usable == 1) {
            firstX = x;
        } else if (x != firstX) {
            twoAbscissas = true;
        }
    }
    if (usable < 2) {
        return std::string(
                   "Zu wenige verwendbare Messpunkte: Eine Gerade braucht mindestens zwei aktive, "
                   "auswertbare Punkte.") +
               kLineBreak + "Ausgeschlossene Punkte und Punkte ohne auswertbaren Messwert zählen nicht.";
    }
    if (!twoAbscissas) {
        return std::string("Alle verwendbaren Messpunkte liegen bei derselben Zeit bzw. Temperatur;") +
               kLineBreak + "durch sie lässt sich keine Gerade legen.";
    }
    return "";
}

std::string evaluationPointsProblem(const ExpDataSet& data, const EvaluationInputs& in) {
    // Points that cannot be transformed raise flags here; the evaluation itself reports them.
    FpGuard guard;
    return evaluationPointsProblem(EvalPoints(data, in));
}

LinearEvaluationResult evaluateLinearised(const ExpDataSet& data, const EvaluationInputs& in) {
    LinearEvaluationResult out;
    const char sep = '.';
    FpGuard guard;
    auto fail = [&](FpFault fault) {
        LinearEvaluationResult failed;
        failed.errorFlag = -1;
        failed.errorText = faultDescription(fault);
        failed.points = std::move(out.points);
        return failed;
    };

    double cA0Data = 0.0, cB0Data = 0.0;
    out.points = EvalPoints(data, in, &cA0Data, &cB0Data);
    if (guard.failed()) {
        return fail(guard.fault());
    }
    // Without two usable points at two abscissas the regression is singular and its zero
    // coefficients would be shown as a result.
    if (std::string problem = evaluationPointsProblem(out.points); !problem.empty()) {
        LinearEvaluationResult refused = fail(FpFault::None);
        refused.errorText = std::move(problem);
        return refused;
    }
    const RegressionResult reg =
        CalcRegression(out.points.x, out.points.y, out.points.w, 2, kRegressionLine, 0);
    if (reg.fault != FpFault::None) {
        return fail(reg.fault);
    }
    if (reg.isSingular) {
        LinearEvaluationResult refused = fail(FpFault::None);
        refused.errorText = "Die Messpunkte bestimmen keine Gerade (singuläres Gleichungssystem).";
        return refused;
    }
    out.singular = reg.isSingular;
    out.intercept = reg.coef[1];
    out.slope = reg.coef[2];
    out.rSquared = reg.rSquared;
    out.interceptField = out.intercept;
    out.slopeField = out.slope;
    const double a = out.intercept;
    const double b = out.slope;
    std::string extra;

    switch (in.kind) {
        case kEvalArrhenius:
        case kEvalEyring: {
            out.activationEnergy = b * (-kGasConstant) / 1000.0;
            out.slopeField = out.activationEnergy;
            if (in.kind == kEvalArrhenius) {
                out.preExponential = std::exp(a);
                out.resultLine = "Berechnungsergebnis: EA/(kJ/mol) = " +
                                 formatNumber(out.activationEnergy, "####0.00", sep) +
                                 ";  A = " + formatSingle(static_cast<float>(out.preExponential), sep);
            } else {
                out.activationEntropy = (a - std::log(kBoltzmann / kPlanck)) * kGasConstant;
                out.interceptField = out.activationEntropy;
                out.resultLine =
                    "Resultat: h#/(kJ/mol) = " + formatNumber(out.activationEnergy, "####0.00", sep) +
                    ";  s#/(J/mol*K) = " + formatNumber(out.activationEntropy, "####0.0", sep) +
                    ", Achtung: s# ist nur korrekt, wenn für k gilt [t] = s";
            }
            break;
        }
        case kEvalWilkinson: {
            out.order = 2.0 * b;
            out.k = (1.0 / a) / std::pow(static_cast<double>(in.cA0), out.order - 1.0);
            out.interceptField = out.k;
            out.resultLine = "Berechnungsergebnis: n = " + formatNumber(out.order, ".0", sep) +
                             ";  k = " + formatSingle(static_cast<float>(out.k), sep);
            break;
        }
        case kEvalFirstOrder:
        case kEvalLambdaFirstOrder:
        case kEvalSecondOrder:
        case kEvalSecondOrderUnequal:
        case kEvalLambdaSecondOrder: {
            if (in.kind == kEvalFirstOrder || in.kind == kEvalLambdaFirstOrder) {
                out.k = -b;
                if (in.kind == kEvalLambdaFirstOrder && in.lambdaMode && data.lambda0 == 0.0) {
                    out.lambda0Extrapolated = data.lambdaInf - std::exp(a);
                    extra = ", lambda(0), extrapol. = " +
                            formatSingle(static_cast<float>(out.lambda0Extrapolated), sep);
                }
            } else if (in.kind == kEvalSecondOrder) {
                out.k = in.equalStartConc ? b : b / 2.0;
            } else if (in.kind == kEvalSecondOrderUnequal) {
                out.k = b / (cA0Data - cB0Data);
            } else {
                out.k = data.lambda0 != 0.0 ? b : b / (static_cast<double>(in.cA0) * a);
                if (in.modelId == 3) {
                    out.k /= 2.0;
                }
            }
            out.storesK = true;
            out.resultLine =
                "Berechnungsergebnis: {k} = " + formatSingle(static_cast<float>(out.k), sep) + extra;
            break;
        }
        default:
            return out;
    }
    if (guard.failed()) {
        return fail(guard.fault());
    }
    // The results are shown as single-precision values: one beyond that range is an overflow.
    for (double v :
         {out.k, out.preExponential, out.activationEnergy, out.activationEntropy, out.lambda0Extrapolated}) {
        if (!std::isfinite(static_cast<float>(v))) {
            return fail(FpFault::Overflow);
        }
    }
    out.resultLine += rSquaredPart(out.rSquared, sep);
    return out;
}

LinearEvaluationResult runLinearisedEvaluation(const ExpDataSet& data, int kind, WorkingState& state,
                                               const EvaluationState& evaluation) {
    LinearEvaluationResult result = evaluateLinearised(data, evaluationInputs(kind, state, evaluation));
    if (result.errorFlag == 0 && result.storesK) {
        state.rateConst[1] = result.k;
    }
    return result;
}

std::vector<PlotPoint> DrawRegressionLine(const PlotWindow& window, double intercept, double slope,
                                          bool& outside) {
    std::vector<PlotPoint> line;
    const double dx = (static_cast<double>(window.xMax) - window.xMin) / 120.0;
    // An empty axis window would never advance the loop; it has no line to draw.
    if (!(dx > 0.0) || !std::isfinite(dx)) {
        return line;
    }
    for (double x = window.xMin; x <= window.xMax + dx && static_cast<int>(line.size()) < kMaxLinePoints;
         x += dx) {
        const double y = intercept + slope * x;
        line.push_back({static_cast<float>(x), static_cast<float>(y)});
        if (window.yMin < y && y < window.yMax) {
            outside = false;
        }
    }
    return line;
}

CriticalError criticalCurveError(const std::string& errorText) {
    CriticalError e;
    e.text = std::string("Es ist ein kritischer Fehler aufgetreten:") + kLineBreak + errorText;
    return e;
}

ExperimentalPoints zeigeExperPunkte(const ExpDataSet& data, const PointDisplayInputs& in) {
    ExperimentalPoints out;
    EvaluationInputs ev = in.evaluation;
    ev.kind = in.kind;
    FpGuard guard;
    auto plot = [&](int set, double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            return;
        }
        out.sets[set].push_back({static_cast<float>(x), static_cast<float>(y)});
        if (inside(in.window, x, y)) {
            out.anyInside = true;
        }
    };
    const bool shownA = in.shownSpecies[kSlotA];
    for (int i = 1; i <= data.pointCount && i < static_cast<int>(data.points.size()); ++i) {
        const ExpPoint& pt = data.points[i];
        if (pt.exclude == -1) {
            continue;
        }
        switch (in.kind) {
            case kEvalMeasuredKT:
            case kEvalArrhenius:
            case kEvalEyring: {
                if (!(pt.T > 0.0) || !(pt.k > 0.0)) {
                    break;
                }
                if (in.kind == kEvalMeasuredKT) {
                    plot(6, pt.T, pt.k);
                } else {
                    double x = 0, y = 0;
                    if (transformPoint(pt, data, ev, x, y)) {
                        plot(6, x, y);
                    }
                }
                break;
            }
            case kEvalFirstOrder:
            case kEvalSecondOrder:
            case kEvalWilkinson:
            case kEvalSecondOrderUnequal:
            case kEvalLambdaFirstOrder:
            case kEvalLambdaSecondOrder: {
                const bool needsA = in.kind == kEvalSecondOrder || in.kind == kEvalWilkinson ||
                                    (in.kind == kEvalFirstOrder && !ev.lambdaMode);
                if (needsA && !shownA) {
                    break;
                }
                if (in.kind == kEvalWilkinson && !(ev.cA0 > 0.0f)) {
                    break;
                }
                double x = 0, y = 0;
                if (transformPoint(pt, data, ev, x, y)) {
                    plot(1, x, y);
                }
                break;
            }
            default: {
                // Raw concentrations: -1, -9, the single-species diagram and the simulation kinds.
                for (int d = 1; d <= kSlotCount; ++d) {
                    const bool inMask =
                        in.speciesMask.size() >= static_cast<std::size_t>(d) && in.speciesMask[d - 1] == '1';
                    if (in.kind == kEvalSingleSpecies ? d != in.selectedSpecies : !inMask) {
                        continue;
                    }
                    if (!in.shownSpecies[d] || !(pt.c[d] > 0.0)) {
                        continue;
                    }
                    plot(d, pt.t, pt.c[d]);
                }
                break;
            }
        }
    }
    return out;
}

bool pointSetsAvailable(const PointDisplayInputs& in, bool hasLambdaData, bool hasKTData) {
    const bool temperatureKind =
        in.kind == kEvalMeasuredKT || in.kind == kEvalArrhenius || in.kind == kEvalEyring;
    if (temperatureKind) {
        return hasKTData;
    }
    if (in.speciesMask == "00002") {
        return true;
    }
    if (in.evaluation.lambdaMode && hasLambdaData &&
        (in.kind == kEvalLambdaFirstOrder || in.kind == kEvalLambdaSecondOrder)) {
        return true;
    }
    for (int d = 1; d <= kSlotCount; ++d) {
        if (in.speciesMask.size() >= static_cast<std::size_t>(d) && in.speciesMask[d - 1] == '1' &&
            in.shownSpecies[d]) {
            return true;
        }
    }
    return false;
}

std::string noPointsLoadedText() {
    return std::string("Für dieses Diagramm sind keine Konzentrations-Punkte geladen.") + kLineBreak +
           "Laden Sie Konzentrationsdaten oder benutzen Sie den Dateneditor für Neueingabe.";
}

std::string pointsOutsideText() {
    return std::string(
               "Alle experimentellen Punkte befinden sich außerhalb des Koordinatenbereichs des Diagramms") +
           kLineBreak + "Vergrößern Sie den Koordinatenbereich.";
}

PlotWindow lambdaAxisRanges(const ExpDataSet& data, const EvaluationInputs& in) {
    PlotWindow w;
    double tMax = 0.0;
    double yMax = -10000.0, yMin = 10000.0;
    bool any = false;
    EvaluationInputs ev = in;
    ev.lambdaMode = true;
    FpGuard guard;
    for (int i = 1; i <= data.pointCount && i < static_cast<int>(data.points.size()); ++i) {
        const ExpPoint& pt = data.points[i];
        tMax = std::max(tMax, pt.t);
        // Points that the evaluation cannot transform (λ = 0, λ >= λ∞) do not widen the window.
        double x = 0, y = 0;
        if (transformPoint(pt, data, ev, x, y) && std::isfinite(y)) {
            yMax = std::max(yMax, y);
            yMin = std::min(yMin, y);
            any = true;
        }
    }
    w.xMin = 0.0f;
    w.xMax = static_cast<float>(tMax + tMax / 20.0);
    if (!any) {
        w.yMin = 0.0f;
        w.yMax = 1.0f;
        return w;
    }
    const double span = yMax - yMin;
    w.yMin = static_cast<float>(yMin - 0.3 * span / 5.0);
    w.yMax = static_cast<float>(yMax + span / 5.0);
    return w;
}

}  // namespace zemtral
