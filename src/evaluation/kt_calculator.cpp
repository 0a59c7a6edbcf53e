#include "evaluation/kt_calculator.h"

#include <cmath>
#include <vector>

#include "core/time_units.h"
#include "numeric/fp_guard.h"
#include "numeric/number_text.h"

namespace zemtral {

int distinctKTPairs(const ExpDataSet& data) {
    std::vector<std::pair<double, double>> counted;
    for (int i = 1; i <= data.pointCount && i < static_cast<int>(data.points.size()); ++i) {
        const ExpPoint& pt = data.points[i];
        if (pt.exclude == -1 || !(pt.k > 0.0) || !(pt.T > 0.0)) {
            continue;
        }
        bool seen = false;
        for (const auto& [k, T] : counted) {
            if (k == pt.k && T == pt.T) {
                seen = true;
                break;
            }
        }
        if (!seen) {
            counted.emplace_back(pt.k, pt.T);
        }
    }
    return static_cast<int>(counted.size());
}

double perSecondFactor(const std::string& timeUnit) {
    const auto first = timeUnit.find_first_not_of(' ');
    const auto last = timeUnit.find_last_not_of(' ');
    const std::string trimmed = first == std::string::npos ? "" : timeUnit.substr(first, last - first + 1);
    const int index = timeUnitIndex(trimmed);
    return index < 0 ? 1.0 : timeUnitFactor(index, 0);
}

CalculatorResult arrheniusCalculator(std::uint8_t kTForm, const std::string& input0,
                                     const std::string& input1, const std::string& input2,
                                     const std::string& timeUnit, char decimalSeparator) {
    const double a = parseNumber(input0);
    const double b = parseNumber(input1);
    const double temperature = parseNumber(input2);
    const double fu = perSecondFactor(timeUnit);
    FpGuard guard;
    double k = 0.0, kPerSecond = 0.0;
    if (kTForm == kKTEyring) {
        kPerSecond = temperature * (kBoltzmann / kPlanck) * std::exp(-b / (kGasConstant * temperature)) *
                     std::exp(a / kGasConstant);
        k = kPerSecond / fu;
    } else {
        k = a * std::exp(-b / (kGasConstant * temperature));
        kPerSecond = k * fu;
    }
    const float kSingle = static_cast<float>(k);
    const float kSecondSingle = static_cast<float>(kPerSecond);
    CalculatorResult out;
    if (guard.failed() || !std::isfinite(kSingle) || !std::isfinite(kSecondSingle)) {
        out.k = "Err";
        out.kPerSecond = "Err";
        return out;
    }
    out.ok = true;
    out.k = formatSingle(kSingle, decimalSeparator);
    out.kPerSecond = formatSingle(kSecondSingle, decimalSeparator);
    return out;
}

CalculatorUnits calculatorUnits(std::uint8_t fittingMode, const std::string& timeUnit) {
    if (fittingMode == kFittingNonIsothermalSecond) {
        return {"l/(mol " + timeUnit + ")", "l/(mol s)"};
    }
    if (fittingMode == kFittingNonIsothermalFirst) {
        return {"1/" + timeUnit, "1/ s"};
    }
    return {"((mol/l)^(1-n))/" + timeUnit, "((mol/l)^(1-n))/s"};
}

CalculatorTexts calculatorTexts(std::uint8_t kTForm, std::uint8_t fittingMode, const std::string& timeUnit,
                                const ActivationParameters& activation) {
    CalculatorTexts t;
    t.units = calculatorUnits(fittingMode, timeUnit);
    if (kTForm == kKTEyring) {
        t.title = "Eyring-Rechner";
        t.formula = "berechnet k = kB/h T exp(-H#/(R T)) exp(S#/R)";
        t.explanations = {"   n = Reaktionsordnung", "kB/h /(1/(K s)) =", "h# = mol. Aktivierungsenthalpie",
                          "s# = mol. Aktivierungsentropie"};
        t.inputLabel0 = "s# /J/(mol K) =";
        t.inputLabel1 = "h# /J/mol  =";
        t.input0 = formatSingle(static_cast<float>(activation.deltaS));
        t.input1 = formatSingle(static_cast<float>(activation.deltaH));
    } else {
        t.title = "Arrhenius-Rechner";
        t.formula = "berechnet k = A exp(-EA / (R T))";
        t.explanations = {"EA   = mol. Aktivierungsenergie",
                          "[A]   = ((mol/l)^(1-n))/" + timeUnit + "     (Präexponentialfaktor)",
                          "            (n = Reaktionsordnung)"};
        t.inputLabel0 = "A =";
        t.inputLabel1 = "EA /J/mol =";
        t.input0 = formatSingle(static_cast<float>(activation.arrheniusA));
        t.input1 = formatSingle(static_cast<float>(activation.activationEnergy));
    }
    return t;
}

std::optional<SpeciesArray> singlePointConcentrations(double t, double tAxisEnd, std::int16_t model,
                                                      const WorkingState& state,
                                                      const SimulationResult& last) {
    if (t > tAxisEnd || t < 0.0) {
        return std::nullopt;
    }
    std::int16_t flag = 0;
    const SpeciesArray c = ConcAtTime(model, t, state, last, flag);
    if (flag != 0) {
        return std::nullopt;
    }
    return c;
}

}  // namespace zemtral
