#include "core/sim_table.h"

#include "core/model_catalogue.h"
#include "numeric/number_text.h"

namespace zemtral {
namespace {

constexpr std::size_t kFieldWidth = 14;
constexpr const char* kLineBreak = "\r\n";
constexpr const char* kIndent = "      ";

std::string field(std::string text) {
    text.resize(kFieldWidth, ' ');  // padded, or cut to exactly 14 characters
    return text;
}

std::string line(const std::array<std::string, 5>& fields) {
    std::string out = kIndent;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += '\t';
        }
        out += field(fields[i]);
    }
    return out;
}

std::string speciesLetter(int modelId, int slot) {
    return std::string(speciesName(modelId, slot));
}

}  // namespace

std::array<int, 4> simulationTableColumns(int modelId) {
    switch (modelId) {
        case 4:
        case 12:
        case 17:
            return {kSlotA, kSlotB, 0, kSlotP};
        case 6:
        case 14:
        case 15:
            return {kSlotA, 0, kSlotC, kSlotP};
        case 7:
        case 9:
        case 10:
        case 13:
        case 18:
            return {kSlotA, kSlotB, kSlotC, kSlotP};
        case 11:
        case 16:
            return {kSlotA, 0, kSlotP, kSlotQ};
        case 1:
        case 2:
        case 3:
        case 5:
        case 8:
        case 20:
            return {kSlotA, 0, 0, kSlotP};
        default:
            return {kSlotA, 0, 0, 0};
    }
}

std::string buildSimulationTable(const SimulationResult& result, const WorkingState& state,
                                 char decimalSeparator) {
    const bool mm = isMichaelisMenten(state.modelId, state.mmMode);
    const bool rates = state.rateDiagram && !mm;
    const std::array<int, 4> columns = simulationTableColumns(state.modelId);

    std::array<std::string, 5> header{};
    if (mm) {
        header = {state.mmSettings.normalised ? "S(0)/KM" : "S(0)/ (mol/l)", " ", " ", " ", "rP/rP,max"};
    } else {
        header[0] = " t/" + state.timeUnit;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const int slot = columns[c];
            if (slot == 0) {
                header[c + 1] = " ";
            } else if (rates) {
                header[c + 1] = "r" + speciesLetter(state.modelId, slot) + "/(mol/l/" + state.timeUnit + ")";
            } else {
                header[c + 1] = "c" + speciesLetter(state.modelId, slot) + "/(mol/l)";
            }
        }
    }

    std::string text = kLineBreak;
    text += line(header);
    text += kLineBreak;
    if (rates || mm) {
        text += kLineBreak;
    }
    const int last = std::min<int>(state.intervalCount, result.pointCount - 1);
    const std::string blank(kFieldWidth, ' ');
    for (int i = 0; i <= last; ++i) {
        const auto index = static_cast<std::size_t>(i);
        std::array<std::string, 5> fields{};
        fields[0] = formatNumber(result.simTime[index], "#####0.00", decimalSeparator);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            int slot = columns[c];
            if (mm) {
                slot = c == 3 ? kSlotP : 0;
            }
            if (slot == 0) {
                fields[c + 1] = blank;
            } else if (rates || mm) {
                fields[c + 1] =
                    formatSingle(result.simRate[static_cast<std::size_t>(slot)][index], decimalSeparator);
            } else {
                fields[c + 1] =
                    formatSingle(static_cast<float>(result.simConc[static_cast<std::size_t>(slot)][index]),
                                 decimalSeparator);
            }
        }
        text += kLineBreak;
        text += line(fields);
    }
    return text;
}

}  // namespace zemtral
