// Until the main window exists, the program prints the simulation of the start-up model
// (A => P, first order, k1 = 0.15, c0(A) = 1, tEnd = 100) as a table of t, c(A), c(P).
#include <cstdio>
#include <string>

#include "core/engine.h"
#include "core/working_state.h"
#include "numeric/number_text.h"

namespace {

std::string padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

int main() {
    using namespace zemtral;
    WorkingState state = startUpWorkingState();
    SimulationResult result;
    const EngineStatus status = calc_diagramfunctioncT(state.modelId, state, result);
    if (status.errorFlag != 0) {
        std::fprintf(stderr, "%s: %s\n", status.title.c_str(), status.message.c_str());
        return 1;
    }
    std::printf("%s%s%s\n", padded("t/" + state.timeUnit, 10).c_str(), padded("cA/(mol/l)", 16).c_str(),
                padded("cP/(mol/l)", 16).c_str());
    for (int i = 0; i < result.pointCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        std::printf("%s%s%s\n", padded(formatNumber(result.simTime[at], "#####0.00"), 10).c_str(),
                    padded(formatNumber(result.simConc[kSlotA][at], "0.000000E+00"), 16).c_str(),
                    padded(formatNumber(result.simConc[kSlotP][at], "0.000000E+00"), 16).c_str());
    }
    return 0;
}
