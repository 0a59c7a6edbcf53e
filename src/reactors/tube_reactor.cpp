#include "reactors/tube_reactor.h"

#include "numeric/fp_guard.h"

namespace zemtral {

TimeSearchSettings tubeTimeSearch() {
    TimeSearchSettings settings;
    settings.start = 5.0;
    settings.probe = 5.0 / 10000.0;
    settings.tolerance = 1e-6;
    settings.maxIterations = 99;
    return settings;
}

std::string checkTubeInputs(const TubeInputs& in) {
    std::string lines;
    auto add = [&](const char* line) {
        lines += line;
        lines += "\r\n";
    };
    if (!(in.velocity > 0.0)) {
        add("- noch keine Eingabe der Fließgeschwindigkeit");
    }
    if (in.choice == TubeInputChoice::ReactionTime && !(in.reactionTime > 0.0)) {
        add("- noch keine Eingabe der Reaktionszeit");
    }
    if (in.choice == TubeInputChoice::Length && !(in.length > 0.0)) {
        add("- noch keine Eingabe der Rohrlänge");
    }
    if (in.choice == TubeInputChoice::Conversion && !(in.conversion > 0.0 && in.conversion < 1.0)) {
        add("- noch keine sinnvolle Eingabe des Umsatzes (0 < U < 1)");
    }
    lines += concentrationAndConstantChecks(in.kinetics, in.c0,
                                            "- Geschwindigkeitskonstante muss größer Null sein");
    return lines;
}

TubeOutcome runTubeReactor(const TubeInputs& in) {
    TubeOutcome out;
    const std::string lines = checkTubeInputs(in);
    if (!lines.empty()) {
        out.status = TubeOutcome::Status::Refused;
        out.messages.push_back({kNoExecutionTitle, lines});
        return out;
    }
    if (in.choice == TubeInputChoice::Conversion) {
        const ConversionLimitCheck limit =
            checkConversionLimit(in.kinetics.model, in.kinetics.k, in.c0, in.conversion, in.decimalSeparator);
        if (limit.refused) {
            out.status = TubeOutcome::Status::Refused;
            out.messages.push_back(limit.message);
            return out;
        }
    }
    const ReactorMessage numericalFailure{routineMessageTitle(kBatchRoutineName), kBatchNumericalFailureText};
    if (in.choice == TubeInputChoice::Conversion) {
        const TimeSearchResult search = findReactionTime(in.kinetics, in.c0, in.conversion, tubeTimeSearch());
        if (search.status == TimeSearchResult::Status::NumericalFailure) {
            out.status = TubeOutcome::Status::NumericalFailure;
            out.messages.push_back(numericalFailure);
            return out;
        }
        if (search.status == TimeSearchResult::Status::NotConverged) {
            out.status = TubeOutcome::Status::IterationFailed;
            out.messages.push_back({kNotPossibleTitleText, kCalculationFailedText});
            return out;
        }
        out.reactionTime = search.time;
        out.length = search.time * in.velocity;
        out.conc = search.conc;
        out.conversion = in.conversion;
    } else {
        if (in.choice == TubeInputChoice::ReactionTime) {
            out.reactionTime = in.reactionTime;
            out.length = in.velocity * in.reactionTime;
        } else {
            out.length = in.length;
            out.reactionTime = in.length / in.velocity;
        }
        const BatchKesselResult r = CalcBatchKessel(in.kinetics, out.reactionTime, in.c0);
        if (r.errorFlag != 0) {
            out.status = TubeOutcome::Status::NumericalFailure;
            out.messages.push_back(numericalFailure);
            return out;
        }
        out.conc = r.conc;
        out.conversion = conversionOfA(in.c0[kSlotA], r.conc[kSlotA]);
    }
    out.extents = ComputeExtents(in.kinetics.model, in.kinetics.order, in.c0, out.conc);
    fillProtocolCommon(out.protocol, in.kinetics, in.c0, out.conc);
    out.protocol[kProtocolConversion] = out.conversion;
    out.protocol[kProtocolTime] = out.reactionTime;
    out.protocol[kProtocolLength] = out.length;
    out.protocol[kProtocolKsi1] = out.extents[1];
    out.protocol[kProtocolKsi2] = out.extents[2];
    if (in.kinetics.model == 7 && out.conc[kSlotB] < 0.0) {
        out.messages.push_back({kFaultyResultTitle, kLowInletBText});
    }
    return out;
}

}  // namespace zemtral
