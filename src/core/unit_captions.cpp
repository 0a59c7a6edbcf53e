#include "core/unit_captions.h"

#include "core/time_units.h"

namespace zemtral {

UnitCaptions UpdateUnitCaptions(int modelId, std::string_view u) {
    const std::string first = firstOrderUnit(u);
    const std::string second = secondOrderUnit(u);
    UnitCaptions c;
    c.timeUnit = std::string(u);
    c.flowLabel = "V* /m^3/" + std::string(u);
    c.timeCaption = "Zeit t/" + std::string(u);
    c.fittingTimeCaption = "  Zeit t/" + std::string(u);
    c.unit1 = c.unit2 = c.unit3 = first;
    switch (modelId) {
        case 1:
            c.unit1 = zeroOrderUnit(u);
            break;
        case 3:
        case 4:
        case 5:
        case 9:
        case 10:
        case 13:
        case 16:
        case 17:
        case 18:
            c.unit1 = second;
            break;
        case 7:
        case 12:
            c.unit1 = second;
            c.unit2 = second;
            break;
        case 20:
            c.unit1.clear();
            break;
        default:
            break;
    }
    return c;
}

}  // namespace zemtral
