#include "session/single_point_calculator.h"

#include <cmath>

#include "core/engine.h"
#include "core/model_catalogue.h"
#include "numeric/number_text.h"

namespace zemtral {

std::array<std::string, 6> singlePointCaptions(int modelId) {
    std::array<std::string, 6> captions;
    for (int d = 1; d <= kSlotCount; ++d) {
        captions[static_cast<std::size_t>(d)] = "c(" + std::string(speciesName(modelId, d)) + ")";
    }
    return captions;
}

std::array<bool, 6> singlePointVisible(const std::string& speciesMask) {
    std::array<bool, 6> visible{};
    for (int d = 1; d <= kSlotCount && static_cast<std::size_t>(d) <= speciesMask.size(); ++d) {
        visible[static_cast<std::size_t>(d)] = speciesMask[static_cast<std::size_t>(d - 1)] == '1';
    }
    return visible;
}

std::optional<SpeciesArray> calculateSinglePoint(Session& session, const std::string& timeText,
                                                 UserDialogs& dialogs) {
    const double t = parseNumber(timeText);
    if (!(t >= 0.0) || t > session.diagram.lastCurveXMax) {
        dialogs.beep();
        return std::nullopt;
    }
    std::int16_t flag = 0;
    const SpeciesArray c = ConcAtTime(session.state.modelId, t, session.state, session.simulation, flag);
    if (flag != 0) {
        dialogs.beep();
        return std::nullopt;
    }
    for (int d = 1; d <= kSlotCount; ++d) {
        if (!std::isfinite(c[static_cast<std::size_t>(d)])) {
            dialogs.beep();
            return std::nullopt;
        }
    }
    return c;
}

}  // namespace zemtral
