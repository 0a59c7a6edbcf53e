#include "core/time_units.h"

#include <array>

namespace zemtral {
namespace {

constexpr std::array<std::string_view, kTimeUnitCount> kUnits{"s", "min", "h", "d", "a"};
constexpr std::array<double, kTimeUnitCount> kSeconds{1.0, 60.0, 3600.0, 86400.0, 31536000.0};

// factor(new, old), filled from the unit lengths once, as the program's start-up does.
struct FactorTable {
    std::array<std::array<double, kTimeUnitCount>, kTimeUnitCount> f{};
    FactorTable() {
        for (int n = 0; n < kTimeUnitCount; ++n) {
            for (int o = 0; o < kTimeUnitCount; ++o) {
                f[n][o] = n == o ? 1.0 : kSeconds[o] / kSeconds[n];
            }
        }
    }
};

const FactorTable& factorTable() {
    static const FactorTable table;
    return table;
}

}  // namespace

std::string_view timeUnitText(int index) {
    if (index < 0 || index >= kTimeUnitCount) {
        return kUnits[0];
    }
    return kUnits[static_cast<std::size_t>(index)];
}

int timeUnitIndex(std::string_view unit) {
    for (int i = 0; i < kTimeUnitCount; ++i) {
        if (kUnits[static_cast<std::size_t>(i)] == unit) {
            return i;
        }
    }
    return -1;
}

double timeUnitFactor(int newIndex, int oldIndex) {
    if (newIndex < 0 || newIndex >= kTimeUnitCount || oldIndex < 0 || oldIndex >= kTimeUnitCount) {
        return 1.0;
    }
    return factorTable().f[newIndex][oldIndex];
}

std::string firstOrderUnit(std::string_view u) {
    return "/(1/" + std::string(u) + ")";
}
std::string secondOrderUnit(std::string_view u) {
    return "/(l/(" + std::string(u) + "*mol))";
}
std::string zeroOrderUnit(std::string_view u) {
    return "/(mol/(" + std::string(u) + "*l))";
}
std::string rateUnit(std::string_view u) {
    return "/(mol/l/" + std::string(u) + ")";
}

}  // namespace zemtral
