#include "evaluation/fitting.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/model_catalogue.h"
#include "core/time_units.h"
#include "numeric/number_text.h"

namespace zemtral {
namespace {

constexpr const char* kLineBreak = "\r\n";

bool nonIsothermal(std::uint8_t mode) {
    return mode == kFittingNonIsothermalFirst || mode == kFittingNonIsothermalSecond;
}

/// Basic's Str$ of a number: a leading blank for a non-negative value.
std::string strText(double value) {
    const std::string text = formatSingle(static_cast<float>(value));
    return value >= 0.0 ? " " + text : text;
}

/// The largest time among the entries: the simulation must reach it, or the model values of later
/// points would be extrapolated from the last grid interval.
double largestEntryTime(const FitContext& ctx, const std::vector<ResidualEntry>& entries) {
    double tMax = 0.0;
    for (const ResidualEntry& e : entries) {
        tMax = std::max(tMax, ctx.data.points[e.point].t);
    }
    return tMax;
}

/// Residuals at p. `strict`: a model value that cannot be obtained fails the whole vector (the fit
/// must not take a failed evaluation for a good one); otherwise it counts 0 (the displayed sum).
bool residualsAt(FitContext& ctx, const std::vector<ResidualEntry>& entries, std::span<const double> p,
                 std::span<double> r, bool strict) {
    applyFitParameters(ctx, p);
    const std::uint8_t mode = ctx.state.fittingMode;
    if (nonIsothermal(mode)) {
        const double cA0 = ctx.state.conc0[kSlotA];
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ExpPoint& pt = ctx.data.points[entries[i].point];
            const double k = rateConstantAt(ctx.kTForm, p[0], p[1], pt.T);
            const double model =
                mode == kFittingNonIsothermalFirst ? std::exp(-k * pt.t) : 1.0 / (1.0 / cA0 + 2.0 * k * pt.t);
            r[i] = model - pt.c[kSlotA];
            if (!std::isfinite(r[i])) {
                if (strict) {
                    return false;
                }
                r[i] = 0.0;
            }
        }
        return true;
    }

    const std::int16_t model = ctx.state.modelId;
    const WorkingState* lookupState = &ctx.state;
    WorkingState simState;
    if (isNumericModel(model)) {
        simState = ctx.state;
        simState.tEnd = std::max(simState.tEnd, static_cast<float>(largestEntryTime(ctx, entries)));
        // The model values are those of the model: no smoothing of its splines.
        simState.smoothingExponent = 0.0f;
        EngineControl control;
        control.keepGoing = ctx.keepGoing;
        const EngineStatus status = calc_diagramfunctioncT(model, simState, ctx.simulation, control);
        if (status.errorFlag != 0) {
            return false;
        }
        lookupState = &simState;
    }
    int cachedPoint = -1;
    SpeciesArray c{};
    std::int16_t flag = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ResidualEntry& e = entries[i];
        const ExpPoint& pt = ctx.data.points[e.point];
        if (e.point != cachedPoint) {
            c = ConcAtTime(model, pt.t, *lookupState, ctx.simulation, flag);
            cachedPoint = e.point;
        }
        r[i] = flag == 0 ? c[e.slot] - pt.c[e.slot] : 0.0;
        if (flag != 0 || !std::isfinite(r[i])) {
            if (strict) {
                return false;
            }
            r[i] = 0.0;
        }
    }
    return true;
}

}  // namespace

std::array<bool, 6> fitSpeciesVisible(int model, std::uint8_t mode, const std::array<bool, 6>& shownSpecies) {
    const std::string mask = modelSpeciesMask(model, mode);
    std::array<bool, 6> visible{};
    for (int s = 1; s <= kSlotCount; ++s) {
        visible[s] = mask[s - 1] == '1' && shownSpecies[s];
    }
    return visible;
}

int fitParameterCount(int model, std::uint8_t mode) {
    const std::string mask = modelParameterMask(model, mode);
    return static_cast<int>(std::count(mask.begin(), mask.end(), '1'));
}

void fitParameterBounds(std::uint8_t mode, int n, std::vector<double>& lower, std::vector<double>& upper) {
    lower.assign(static_cast<std::size_t>(n), 1e-7);
    upper.assign(static_cast<std::size_t>(n), 100000.0);
    if (n >= 2) {
        upper[1] = 200000.0;
    }
    if (n >= 1 && nonIsothermal(mode)) {
        upper[0] = 1e18;
    }
}

void fitIterationLimits(std::uint8_t mode, int n, int& maxJacobians, int& maxObjectives) {
    maxJacobians = nonIsothermal(mode) ? 250 : 125;
    maxObjectives = (nonIsothermal(mode) ? 200 : 100) * n;
}

std::vector<double> currentFitParameters(const FitContext& ctx, int n) {
    std::vector<double> p(static_cast<std::size_t>(n), 0.0);
    const std::uint8_t mode = ctx.state.fittingMode;
    for (int j = 0; j < n; ++j) {
        if (nonIsothermal(mode)) {
            if (ctx.kTForm == kKTEyring) {
                p[j] = j == 0 ? ctx.activation.eyringFactor : ctx.activation.deltaH;
            } else {
                p[j] = j == 0 ? ctx.activation.arrheniusA : ctx.activation.activationEnergy;
            }
        } else if (mode == kFittingOrder && j == 1) {
            p[j] = ctx.state.reactionOrder;
        } else if (j < 3) {
            p[j] = ctx.state.rateConst[j + 1];
        }
    }
    return p;
}

void applyFitParameters(FitContext& ctx, std::span<const double> p) {
    const std::uint8_t mode = ctx.state.fittingMode;
    const std::size_t n = p.size();
    if (nonIsothermal(mode)) {
        if (n < 2) {
            return;
        }
        if (ctx.kTForm == kKTEyring) {
            ctx.activation.eyringFactor = p[0];
            ctx.activation.deltaH = p[1];
            ctx.activation.deltaS = eyringEntropy(p[0], ctx.state.timeUnitIndex);
        } else {
            ctx.activation.arrheniusA = p[0];
            ctx.activation.activationEnergy = p[1];
        }
        return;
    }
    for (std::size_t j = 0; j < n && j < 3; ++j) {
        ctx.state.rateConst[j + 1] = p[j];
    }
    if (mode == kFittingOrder && n >= 2) {
        ctx.state.reactionOrder = static_cast<float>(p[1]);
    }
}

std::vector<ResidualEntry> residualEntries(const FitContext& ctx) {
    std::vector<ResidualEntry> entries;
    const bool temperatureLaw = nonIsothermal(ctx.state.fittingMode);
    for (int i = 1; i <= ctx.data.pointCount && i < static_cast<int>(ctx.data.points.size()); ++i) {
        const ExpPoint& pt = ctx.data.points[i];
        if (pt.exclude == -1) {
            continue;
        }
        if (temperatureLaw) {
            if (pt.T > 0.0 && pt.c[kSlotA] > 0.0) {
                entries.push_back({i, kSlotA});
            }
            continue;
        }
        for (int s = 1; s <= kSlotCount; ++s) {
            if (ctx.species[s] && pt.c[s] > 0.0) {
                entries.push_back({i, s});
            }
        }
    }
    return entries;
}

double rateConstantAt(std::uint8_t kTForm, double p1, double p2, double temperature) {
    const double boltzmannFactor = std::exp(-p2 / (kGasConstant * temperature));
    return kTForm == kKTEyring ? p1 * temperature * boltzmannFactor : p1 * boltzmannFactor;
}

bool CalcResiduals(FitContext& ctx, const std::vector<ResidualEntry>& entries, std::span<const double> p,
                   std::span<double> r) {
    return residualsAt(ctx, entries, p, r, true);
}

bool CalcAbleitungen(FitContext& ctx, const std::vector<ResidualEntry>& entries, std::span<const double> p,
                     std::span<const double> r, std::span<const bool> needed, std::span<double> jacobian) {
    const std::size_t n = p.size();
    if (ctx.state.fittingMode == kFittingNonIsothermalFirst && ctx.kTForm == kKTArrhenius && n == 2) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ExpPoint& pt = ctx.data.points[entries[i].point];
            const double rt = kGasConstant * pt.T;
            const double e = std::exp(-p[1] / rt);
            const double d1 = -pt.t * e * std::exp(-p[0] * pt.t * e);
            jacobian[i * n] = d1;
            jacobian[i * n + 1] = -p[0] * d1 / rt;
            if (!std::isfinite(jacobian[i * n]) || !std::isfinite(jacobian[i * n + 1])) {
                return false;
            }
        }
        return true;
    }
    ResidualFunction residuals = [&ctx, &entries](std::span<const double> q, std::span<double> out) {
        return residualsAt(ctx, entries, q, out, true);
    };
    return forwardDifferenceJacobian(residuals, p, r, needed, 1.7e-7, jacobian);
}

std::optional<double> calcFQS_Marquardt(FitContext& ctx, const std::vector<ResidualEntry>& entries,
                                        std::span<const double> p, int& ifn) {
    ++ifn;
    std::vector<double> r(entries.size());
    if (!residualsAt(ctx, entries, p, r, true)) {
        return std::nullopt;
    }
    double f = 0.0;
    for (double v : r) {
        f += v * v;
    }
    return f;
}

std::optional<double> CalcDisplayFQS(FitContext& ctx) {
    const int n = fitParameterCount(ctx.state.modelId, ctx.state.fittingMode);
    const std::vector<double> p = currentFitParameters(ctx, n);
    const std::vector<ResidualEntry> entries = residualEntries(ctx);
    std::vector<double> r(entries.size());
    if (!residualsAt(ctx, entries, p, r, false)) {
        return std::nullopt;
    }
    double f = 0.0;
    for (double v : r) {
        f += v * v;
    }
    return f;
}

LeastSquaresProblem fitProblem(FitContext& ctx, const std::vector<ResidualEntry>& entries, int n) {
    LeastSquaresProblem problem;
    problem.parameterCount = n;
    problem.residualCount = static_cast<int>(entries.size());
    // The entries are shared by value, so that the problem may outlive the caller's list.
    auto shared = std::make_shared<const std::vector<ResidualEntry>>(entries);
    problem.residuals = [&ctx, shared](std::span<const double> p, std::span<double> r) {
        return residualsAt(ctx, *shared, p, r, true);
    };
    problem.jacobian = [&ctx, shared](std::span<const double> p, std::span<const double> r,
                                      std::span<const bool> needed, std::span<double> jac) {
        return CalcAbleitungen(ctx, *shared, p, r, needed, jac);
    };
    return problem;
}

std::vector<SpeciesFitStatistics> speciesStatistics(const ExpDataSet& data,
                                                    const std::vector<ResidualEntry>& entries,
                                                    std::span<const double> residuals, int freeCount) {
    std::vector<SpeciesFitStatistics> stats;
    const double m = static_cast<double>(entries.size());
    if (entries.empty() || residuals.size() != entries.size() || freeCount >= static_cast<int>(m)) {
        return stats;
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        double sumSquares = 0.0;
        double sum = 0.0;
        int count = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].slot == slot) {
                sumSquares += residuals[i] * residuals[i];
                sum += data.points[entries[i].point].c[slot];
                ++count;
            }
        }
        if (count == 0) {
            continue;
        }
        SpeciesFitStatistics s;
        s.slot = slot;
        s.count = count;
        const double dof = count * (m - freeCount) / m;
        s.residualSd = std::sqrt(sumSquares / dof);
        const double mean = sum / count;
        double total = 0.0;
        for (const ResidualEntry& e : entries) {
            if (e.slot == slot) {
                const double d = data.points[e.point].c[slot] - mean;
                total += d * d;
            }
        }
        if (total > 0.0) {
            s.r2 = 1.0 - sumSquares / total;
        }
        stats.push_back(s);
    }
    return stats;
}

AutoFitPlan planAutoFitting(const FitContext& ctx, const std::array<bool, 4>& fixed) {
    AutoFitPlan plan;
    const std::uint8_t mode = ctx.state.fittingMode;
    const int n = fitParameterCount(ctx.state.modelId, mode);
    plan.parameterCount = n;
    plan.entries = residualEntries(ctx);
    // The residual vector has one entry per measured value: it must outnumber the parameters too.
    if (n <= 0 || n >= ctx.data.pointCount || static_cast<int>(plan.entries.size()) <= n) {
        plan.refused = true;
        plan.refusalText = tooFewPointsText();
        return plan;
    }
    fitParameterBounds(mode, n, plan.options.lower, plan.options.upper);
    fitIterationLimits(mode, n, plan.options.maxJacobians, plan.options.maxObjectives);
    plan.options.fixed.assign(static_cast<std::size_t>(n), false);
    for (int j = 0; j < n && j < 3; ++j) {
        plan.options.fixed[j] = fixed[j + 1];
    }
    plan.start = currentFitParameters(ctx, n);
    return plan;
}

AutoFitOutcome finishAutoFitting(FitContext& ctx, const AutoFitPlan& plan, MarquardtResult fit) {
    AutoFitOutcome out;
    out.fit = std::move(fit);
    out.params = out.fit.params;
    out.sd = out.fit.sd;
    // The result is taken over in every case, also when a limit ended the run.
    applyFitParameters(ctx, out.params);
    const int m = static_cast<int>(plan.entries.size());
    out.statistics = parameterStatistics(out.fit, m);
    if (out.statistics.available) {
        out.species = speciesStatistics(ctx.data, plan.entries, out.fit.residuals, out.fit.freeCount);
    }
    if (out.fit.limitReached) {
        out.warningTitle = "Parameter-Fitting";
        out.warningText = maxIterationsText();
    } else if (out.fit.stopped) {
        // Ended by the user: the last accepted parameters stay, without a message.
    } else if (out.fit.undetermined || out.fit.stalled || out.fit.evaluationFailed) {
        out.warningTitle = "Parameter-Fitting";
        out.warningText = std::string("Die Parameter sind durch die Messwerte nicht bestimmt.") + kLineBreak +
                          "Verbessern Sie die Startwerte durch Annäherung der Kurve(n) an die Messwerte" +
                          kLineBreak + "oder fixieren Sie Parameter.";
    }
    return out;
}

AutoFitOutcome runAutoFitting(FitContext& ctx, const std::array<bool, 4>& fixed) {
    const AutoFitPlan plan = planAutoFitting(ctx, fixed);
    if (plan.refused) {
        AutoFitOutcome out;
        out.refused = true;
        out.refusalText = plan.refusalText;
        return out;
    }
    MarquardtResult fit =
        MarquardtNashFitting(fitProblem(ctx, plan.entries, plan.parameterCount), plan.start, plan.options);
    return finishAutoFitting(ctx, plan, std::move(fit));
}

std::string tooFewPointsText() {
    return std::string("Die Zahl der Messpunkte muss größer als die Zahl der Parameter sein!") + kLineBreak +
           "Ergänzen Sie die Daten im Dateneditor.";
}

std::string maxIterationsText() {
    return std::string("Maximale Iterationszahl erreicht.") + kLineBreak +
           "Wiederholen Sie das Fitting und/oder verbessern Sie die" + kLineBreak +
           "Startwerte durch Annäherung der Kurve(n) an die Messwerte.";
}

double typedParameterValue(const std::string& text) {
    const double value = parseNumber(text);
    return value == 0.0 ? 1e-8 : value;
}

double sliderAdjustedParameter(double p, int v, bool fine) {
    return p + v * p / (fine ? 1000.0 : 100.0);
}

std::string fqsText(double f, char decimalSeparator) {
    return formatNumber(f, f < 0.1 ? "0.0000 E+##" : "0.0000", decimalSeparator);
}

std::string standardDeviationText(double sd, char decimalSeparator) {
    return formatNumber(std::fabs(sd), "0.0 E+##", decimalSeparator);
}

double eyringEntropy(double eyringFactor, int timeUnitIndex) {
    const double perSecond = timeUnitFactor(timeUnitIndex, 0);
    return kGasConstant * std::log(eyringFactor * perSecond * kPlanck / kBoltzmann);
}

std::string entropyLabelText(double deltaS, char decimalSeparator) {
    return " " + formatNumber(deltaS, "###.0", decimalSeparator) + " J/(mol K)";
}

std::string fittingCaption(const WorkingState& state, const ActivationParameters& activation,
                           std::uint8_t kTForm) {
    std::string caption = "kinet. Modell: " + modelDisplayText(state.modelId) + kLineBreak;
    const std::uint8_t mode = state.fittingMode;
    if (nonIsothermal(mode)) {
        if (kTForm == kKTEyring) {
            caption += "Eyring-s# =" + strText(activation.deltaS) +
                       " J/(mol K), h# =" + strText(activation.deltaH) + " J/mol";
        } else {
            caption += "Arrhenuis-A = " + formatSingle(static_cast<float>(activation.arrheniusA)) +
                       ", EA =" + strText(activation.activationEnergy) + " J/mol";
        }
        return caption;
    }
    const std::string mask = modelParameterMask(state.modelId, mode);
    caption += "k1 =" + strText(state.rateConst[1]);
    if (mode == kFittingOrder) {
        caption += ", n =" + strText(state.reactionOrder);
    } else if (mask[1] == '1') {
        caption += ", k2 =" + strText(state.rateConst[2]);
    }
    if (mask[2] == '1') {
        caption += ", k3 =" + strText(state.rateConst[3]);
    }
    return caption;
}

FittingWindowTexts fittingWindowTexts(const WorkingState& state, std::uint8_t kTForm) {
    FittingWindowTexts t;
    const std::string& u = state.timeUnit;
    const std::uint8_t mode = state.fittingMode;
    const bool model10 = isEnzymeKinetics(state.modelId);
    const char* captions[6] = {"", "c(A)", "c(B)", "c(C)", "c(P)", "c(Q)"};
    const char* captions10[6] = {"", "c(E)", "c(S)", "c(ES)", "c(P)", "c(Q)"};
    for (int s = 1; s <= 5; ++s) {
        t.speciesCaption[s] = model10 ? captions10[s] : captions[s];
    }
    if (mode == kFittingRateConstants || mode == kFittingOrder) {
        t.autoFitToolTip = " ein mehrmaliges Fitting kann u. U. das Ergebnis noch verbessern ";
    }
    if (mode == kFittingOrder) {
        t.frameCaption = "kin. Modell: A => P, Fitting der Rkt.-ordnung";
        t.paramLabel[2] = "Reaktionsordnung n";
        t.paramUnit[2] = "n";
        if (hasReactionOrder(state.modelId)) {
            t.modelLabel = "kinet. Modell:  " + modelDisplayText(state.modelId) +
                           " (n = " + formatNumber(state.reactionOrder, "0.00") + ")";
        }
    }
    if (nonIsothermal(mode)) {
        t.paramToolTip = " nur niedrige Startwerte führen zum Erfolg (teste 0|1|10|100) ";
        t.frameCaption = mode == kFittingNonIsothermalFirst ? " kinet. Modell: A => P, 1. Ord."
                                                            : " kinet. Modell: 2A => P, 2. Ord.";
        if (kTForm == kKTEyring) {
            t.paramLabel[1] = "mol. Aktivierungs-Entropie s#";
            t.paramUnit[1] = "s# /(J/(mol K))";
            t.paramLabel[2] = "mol. Aktivierungs-Enthalpie h#";
            t.paramUnit[2] = "h# /(J/mol)";
        } else if (mode == kFittingNonIsothermalFirst) {
            t.paramLabel[1] = "Arrhenius-Präexponentialfaktor A";
            t.paramUnit[1] = "A/(1/" + u + ")";
            t.paramLabel[2] = "mol. Aktivierungsenergie EA";
            t.paramUnit[2] = "EA /(J/mol)";
        } else {
            t.paramLabel[1] = "Arrhenius-Präexponentialfaktor A";
            t.paramUnit[1] = "A/(1/(" + u + " mol/l))";
            t.paramLabel[2] = "Aktivierungsenergie EA";
            t.paramUnit[2] = "EA /(J/mol)";
        }
    }
    return t;
}

std::string standardDeviationToolTip(int j) {
    return std::to_string(j) + " Standardabweichung des Parameters ";
}

std::string nonIsothermalCurveLegend(float temperature) {
    return "c(A) T/K = " + formatNumber(temperature, "####,##");
}

}  // namespace zemtral
