#include "diagrams/species_masks.h"

#include "core/model_catalogue.h"

namespace zemtral {

SpeciesMasks SetSpeciesMasks(int code, std::uint8_t fittingMode) {
    SpeciesMasks masks;
    if (isValidModelId(code)) {
        masks.speciesMask = modelSpeciesMask(code, fittingMode);
        masks.parameterMask = modelParameterMask(code, fittingMode);
    } else if (code == -11 || code == -10) {
        masks.speciesMask = "10010";
    } else if (code == -9 || code == -1) {
        masks.speciesMask = "11111";
    } else if (code >= -8 && code <= -5) {
        masks.speciesMask = "00002";
    } else if (code >= -4 && code <= -2) {
        masks.temperatureDiagram = true;
    }
    // The rate kinds 51..70 and every other code keep "00000" and "000".
    return masks;
}

int speciesMaskValue(const std::string& mask) {
    int value = 0;
    for (char c : mask) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace zemtral
