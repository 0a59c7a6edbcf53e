#include "diagrams/axis_range.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zemtral {

namespace {

// Where the y bounds of a kind live. `upperFirst` marks the pairs stored upper bound first.
struct YSlots {
    int lower = -1;
    int upper = -1;
    bool valid() const { return lower >= 0; }
};

bool usesConcentrationAxis(int kind) {
    return isConcentrationKind(kind) || kind == kKindSingleSpecies || kind == kKindMeasuredConcentrations ||
           kind == kKindFittingPoints;
}

// The rate family as the axis table sees it (stored for 51..70).
bool usesRateAxis(int kind) {
    return kind > kRateDiagramKindOffset && kind <= kRateDiagramKindOffset + kMaxModelId;
}

bool michaelisMentenWindow(int kind, const WorkingState& state) {
    return isMichaelisMenten(state.modelId, state.mmMode) &&
           (usesConcentrationAxis(kind) || usesRateAxis(kind));
}

void xSlots(int kind, int& lower, int& upper) {
    if (kind == kKindMeasuredRateConstants) {
        lower = kSlotTemperatureLower;
        upper = kSlotTemperatureUpper;
    } else if (kind == kKindArrhenius || kind == kKindEyring) {
        lower = kSlotInverseTLower;
        upper = kSlotInverseTUpper;
    } else {
        lower = kSlotTimeLower;
        upper = kSlotTimeUpper;
    }
}

YSlots ySlots(int kind) {
    if (usesConcentrationAxis(kind)) {
        return {kSlotConcLower, kSlotConcUpper};
    }
    if (usesRateAxis(kind)) {
        return {kSlotRateLower, kSlotRateUpper};
    }
    switch (kind) {
        case kKindMeasuredRateConstants:
            return {kSlotKLower, kSlotKUpper};
        case kKindArrhenius:
            return {kSlotLnKLower, kSlotLnKUpper};
        case kKindEyring:
            return {kSlotLnKTLower, kSlotLnKTUpper};
        case kKindFirstOrderLinear:
            return {kSlotLnCALower, kSlotLnCAUpper};
        case kKindSecondOrderLinear:
            return {kSlotInverseCALower, kSlotInverseCAUpper};
        case kKindWilkinson:
            return {kSlotWilkinsonLower, kSlotWilkinsonUpper};
        case kKindSecondOrderUnequal:
            return {kSlotLnCACBLower, kSlotLnCACBUpper};
        case kKindLambdaFirstOrder:
            return {kSlotLambdaFirstLower, kSlotLambdaFirstUpper};
        case kKindLambdaSecondOrder:
            return {kSlotLambdaSecondLower, kSlotLambdaSecondUpper};
        default:
            return {};
    }
}

float& at(AxisRangeTable& table, int slot) {
    return table[static_cast<std::size_t>(slot)];
}
float at(const AxisRangeTable& table, int slot) {
    return table[static_cast<std::size_t>(slot)];
}

// A running lower/upper pair; ranges are collected in double and stored as 4-byte floats.
struct Range {
    double lower;
    double upper;
    void include(double value) {
        lower = std::min(lower, value);
        upper = std::max(upper, value);
    }
    void widenBoth(double by) {
        lower -= by;
        upper += by;
    }
    double span() const { return upper - lower; }
};

}  // namespace

void RestoreAxisRange(DiagramKind kind, const AxisRangeTable& table, const WorkingState& state,
                      DiagramFrame& frame) {
    if (kind == kKindFitResiduals) {
        return;  // the residual plot keeps the window its command computed
    }
    if (michaelisMentenWindow(kind, state)) {
        frame.xMin = 0.0f;
        frame.xMax = state.mmSettings.normalised ? 20.0f : state.mmSettings.s0Max;
        frame.yMin = 0.0f;
        frame.yMax = 1.0f;
        return;
    }
    int xLower = 0;
    int xUpper = 0;
    xSlots(kind, xLower, xUpper);
    frame.xMin = at(table, xLower);
    frame.xMax = at(table, xUpper);
    const YSlots y = ySlots(kind);
    if (!y.valid()) {
        return;
    }
    frame.yMin = at(table, y.lower);
    frame.yMax = at(table, y.upper);
    if (kind == kKindEyring) {
        frame.yMin -= 1.0f;
        frame.yMax += 1.0f;
    }
}

void StoreAxisRange(DiagramKind kind, const DiagramFrame& frame, const WorkingState& state,
                    AxisRangeTable& table) {
    if (kind == kKindFitResiduals) {
        return;  // a zoomed residual plot leaves the windows of the other diagrams alone
    }
    if (isMichaelisMenten(state.modelId, state.mmMode) && usesConcentrationAxis(kind)) {
        at(table, kSlotS0Lower) = frame.xMin;
        at(table, kSlotS0Upper) = frame.xMax;
        at(table, kSlotNormalisedRateLower) = frame.yMin;
        at(table, kSlotNormalisedRateUpper) = frame.yMax;
    } else {
        int xLower = 0;
        int xUpper = 0;
        xSlots(kind, xLower, xUpper);
        at(table, xLower) = frame.xMin;
        at(table, xUpper) = frame.xMax;
        const YSlots y = ySlots(kind);
        if (y.valid()) {
            at(table, y.lower) = frame.yMin;
            at(table, y.upper) = frame.yMax;
        }
    }
    if (state.fittingMode == kFittingNonIsothermalFirst) {
        at(table, kSlotConcUpper) = 1.0f;
    } else if (state.fittingMode == kFittingNonIsothermalSecond) {
        at(table, kSlotConcUpper) = static_cast<float>(state.conc0[kSlotA]);
    }
}

void AutoRangeFromData(DiagramKind kind, const ExpDataSet& data, const WorkingState& state,
                       AxisRangeTable& table) {
    if (kind >= 0) {
        return;
    }
    Range time{0.0, 0.0};
    Range conc{0.0, 0.0};
    Range temperature{10000.0, 0.0};
    Range k{0.0, 0.0};
    Range inverseT{100000.0, 0.0};
    Range lnK{100000.0, -100000.0};
    Range lnKT{1000000.0, -1000000.0};
    Range lnCA{100000.0, -100000.0};
    Range inverseCA{100000.0, 0.0};
    Range wilkinson{100000.0, 0.0};
    Range lnCACB{100000.0, -100000.0};

    const double cA0 = state.conc0[kSlotA];
    const int n = std::min<int>(data.pointCount, static_cast<int>(data.points.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        const ExpPoint& p = data.points[static_cast<std::size_t>(i)];
        const double cA = p.c[kSlotA];
        const double cB = p.c[kSlotB];
        time.upper = std::max(time.upper, p.t);
        for (int s = kSlotA; s <= kSlotQ; ++s) {
            conc.upper = std::max(conc.upper, p.c[static_cast<std::size_t>(s)]);
        }
        if (state.fittingMode == kFittingNonIsothermalFirst) {
            conc.upper = 1.0;
        } else if (state.fittingMode == kFittingNonIsothermalSecond) {
            conc.upper = cA0;
        }
        temperature.upper = std::max(temperature.upper, p.T);
        if (p.T > 0.0) {
            temperature.lower = std::min(temperature.lower, p.T);
        }
        k.upper = std::max(k.upper, p.k);
        if (p.T > 1e-8) {
            inverseT.include(1.0 / p.T);
        }
        if (p.k > 1e-8) {
            lnK.include(std::log(p.k));
            if (p.T > 1e-8) {
                lnKT.include(std::log(p.k / p.T));
            }
        }
        if (cA > 1e-8) {
            lnCA.include(std::log(cA));
            inverseCA.include(1.0 / cA);
        }
        if (cA0 > 0.0 && p.t > 1e-8) {
            const double u = (cA0 - cA) / cA0;
            if (u != 0.0) {
                wilkinson.include(p.t / u);
            }
        }
        // ln(c(A)/c(B)) needs both concentrations; a point without c(A) would give ln 0.
        if (cB > 1e-8 && cA > 1e-8) {
            lnCACB.include(std::log(cA / cB));
        }
    }

    time.upper += time.span() / 20.0;
    lnCA.widenBoth(lnCA.span() / 20.0);
    inverseCA.widenBoth(inverseCA.span() / 20.0);
    temperature.widenBoth(temperature.span() / 20.0);
    k.widenBoth(k.span() / 20.0);
    lnCACB.widenBoth(lnCACB.span() / 20.0);
    wilkinson.widenBoth(wilkinson.span() != 0.0 ? wilkinson.span() / 20.0 : wilkinson.upper / 20.0);
    inverseT.widenBoth(inverseT.span() / 20.0);
    inverseT.lower = std::max(inverseT.lower, 0.0);
    const double ordinateWidening = (kind == kKindEyring ? lnKT.span() : lnK.span()) / 20.0;
    lnK.widenBoth(ordinateWidening);
    lnKT.widenBoth(ordinateWidening);

    auto store = [&table](int lowerSlot, int upperSlot, const Range& range) {
        at(table, lowerSlot) = static_cast<float>(range.lower);
        at(table, upperSlot) = static_cast<float>(range.upper);
    };
    store(kSlotTimeLower, kSlotTimeUpper, time);
    store(kSlotConcLower, kSlotConcUpper, conc);
    store(kSlotTemperatureLower, kSlotTemperatureUpper, temperature);
    store(kSlotKLower, kSlotKUpper, k);
    store(kSlotInverseTLower, kSlotInverseTUpper, inverseT);
    store(kSlotLnKLower, kSlotLnKUpper, lnK);
    store(kSlotLnKTLower, kSlotLnKTUpper, lnKT);
    store(kSlotLnCALower, kSlotLnCAUpper, lnCA);
    store(kSlotInverseCALower, kSlotInverseCAUpper, inverseCA);
    store(kSlotWilkinsonLower, kSlotWilkinsonUpper, wilkinson);
    store(kSlotLnCACBLower, kSlotLnCACBUpper, lnCACB);
}

void storeEngineAxisRanges(const SimulationResult& result, AxisRangeTable& table) {
    if (!result.rangesUpdated) {
        return;
    }
    const EngineAxisRanges& r = result.ranges;
    table[kSlotTimeLower] = r.tMin;
    table[kSlotTimeUpper] = r.tMax;
    table[kSlotConcLower] = r.cMin;
    table[kSlotConcUpper] = r.cMax;
    table[kSlotRateLower] = r.rMin;
    table[kSlotRateUpper] = r.rMax;
}

}  // namespace zemtral
