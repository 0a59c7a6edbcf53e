#include "cli/commands.h"

#include <ostream>

#include "core/model_catalogue.h"
#include "core/time_units.h"
#include "data/quoted_field.h"
#include "numeric/number_text.h"

namespace zemtral::cli {
namespace {

// "A=1,B=0.5" (model 10 also "E=", "S=", "ES=") into c0; false with a message on a bad entry.
bool readConcentrations(const std::string& text, SpeciesArray& c0, std::string& error) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, end - start);
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos) {
            error = "--c0: expected NAME=VALUE, got " + quotedField(item);
            return false;
        }
        const std::string name = item.substr(0, eq);
        int slot = 0;
        if (name == "A" || name == "E")
            slot = kSlotA;
        else if (name == "B" || name == "S")
            slot = kSlotB;
        else if (name == "C" || name == "ES")
            slot = kSlotC;
        else if (name == "P")
            slot = kSlotP;
        else if (name == "Q")
            slot = kSlotQ;
        const auto value = parseNumberExact(item.substr(eq + 1));
        if (slot == 0 || !value) {
            error = "--c0: bad entry " + quotedField(item);
            return false;
        }
        c0[slot] = *value;
        start = end + 1;
    }
    return true;
}

}  // namespace

OptionSpec modelOptionSpec() {
    OptionSpec grammar;
    grammar.synopsis = "--model N";
    grammar.value("model", "N", "the kinetic model: 1..18 or 20 (required)")
        .value("k1", "X", "rate constant k1 (default: the model's own)")
        .value("k2", "X", "rate constant k2 (default: the model's own)")
        .value("k3", "X", "rate constant k3 (default: the model's own)")
        .value("c0", "A=X,B=X,...", "initial concentrations [mol/l] of A, B, C, P, Q (model 10: E, S, ES, P)")
        .value("order", "n", "the order n of A => P, n-th order (model 20)")
        .value("tend", "T", "end of the run [time unit] (default 100, 60 for rates)")
        .value("unit", "s|min|h|d|a", "the time unit (default s)")
        .value("format", "table|csv|json", "output format");
    return grammar;
}

std::optional<WorkingState> modelStateFromArgs(const ParsedArgs& args, std::string& error, bool rateDiagram) {
    const auto modelText = args.value("model");
    if (!modelText) {
        error = "--model N is required (1..18 or 20)";
        return std::nullopt;
    }
    const auto model = wholeNumber(*modelText, 1, 20);
    if (!model || !isValidModelId(*model)) {
        error = "--model: no such model " + quotedField(*modelText) + " (1..18 or 20)";
        return std::nullopt;
    }
    WorkingState state = startUpWorkingState();
    state.rateDiagram = rateDiagram;
    state.tEnd = 0.0f;  // defaulted by the model choice: 100, or 60 for a rate diagram
    if (const auto unit = args.value("unit")) {
        const int index = timeUnitIndex(*unit);
        if (index < 0) {
            error = "--unit: one of s, min, h, d, a";
            return std::nullopt;
        }
        state.timeUnit = *unit;
        state.timeUnitIndex = static_cast<std::int16_t>(index);
    }
    if (const auto n = numberOptionIn(args, "order", -kSingleRange, kSingleRange, error)) {
        state.reactionOrder = static_cast<float>(*n);
    } else if (!error.empty()) {
        return std::nullopt;
    }
    applyModelDefaults(state, static_cast<std::int16_t>(*model));
    for (int j = 1; j <= 3; ++j) {
        const std::string name = "k" + std::to_string(j);
        if (const auto k = numberOption(args, name, error)) {
            state.rateConst[j] = *k;
        } else if (!error.empty()) {
            return std::nullopt;
        }
    }
    if (const auto t = numberOptionIn(args, "tend", -kSingleRange, kSingleRange, error)) {
        state.tEnd = static_cast<float>(*t);
    } else if (!error.empty()) {
        return std::nullopt;
    }
    if (args.value("c0") && !applyConcentrationOption(args, state.conc0, error)) {
        return std::nullopt;
    }
    return state;
}

bool applyConcentrationOption(const ParsedArgs& args, SpeciesArray& c0, std::string& error) {
    const auto text = args.value("c0");
    return !text || readConcentrations(*text, c0, error);
}

std::optional<OutputFormat> outputFormat(const ParsedArgs& args, OutputFormat fallback, std::string& error) {
    const auto name = args.value("format");
    if (!name) {
        return fallback;
    }
    if (*name == "table")
        return OutputFormat::Table;
    if (*name == "csv")
        return OutputFormat::Csv;
    if (*name == "json")
        return OutputFormat::Json;
    error = "--format: one of table, csv, json";
    return std::nullopt;
}

}  // namespace zemtral::cli
