#include <ostream>

#include "cli/commands.h"
#include "cli/diagram_sources.h"
#include "cli/json_writer.h"
#include "core/engine.h"
#include "core/model_catalogue.h"
#include "core/sim_table.h"
#include "data/quoted_field.h"
#include "numeric/number_text.h"
#include "session/simulation_run.h"
#include "session/simulation_setup.h"
#include "session/user_dialogs.h"

namespace zemtral::cli {
namespace {

constexpr const char* kSimulateHelp =
    "Applies the model's default constants as the model window does, then the options, checks the\n"
    "inputs like the simulation set-up window and runs the engine (201 points from 0 to tEnd).\n"
    "  table  the text of the result table window (default)\n"
    "  csv    a header line and one row per point: t and c (or r with --rates) of the model's species\n"
    "  json   {\"model\", \"t\", \"c\": {...}, \"r\": {...}, \"halfLifeA\", \"halfLifeB\"}\n"
    "--mm (model 10): the Michaelis-Menten table r(P)/r(P),max over S(0).\n";

std::vector<int> modelSlots(const SimulationResult& result) {
    std::vector<int> slots;
    for (int s = 1; s <= 5; ++s) {
        if (result.speciesMask.size() >= 5 && result.speciesMask[static_cast<std::size_t>(s - 1)] == '1') {
            slots.push_back(s);
        }
    }
    return slots;
}

void writeCsv(std::ostream& out, const SimulationResult& result, const WorkingState& state) {
    const bool mm = state.mmMode;
    const bool rates = state.rateDiagram || mm;
    const std::vector<int> slots = mm ? std::vector<int>{kSlotP} : modelSlots(result);
    out << (mm ? "S0" : "t");
    for (int s : slots) {
        out << ',' << (rates ? "r" : "c") << speciesName(state.modelId, s);
    }
    out << '\n';
    for (int i = 0; i < result.pointCount; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        out << JsonWriter::numberText(result.simTime[idx]);
        for (int s : slots) {
            const auto slot = static_cast<std::size_t>(s);
            out << ','
                << (rates ? JsonWriter::numberText(result.simRate[slot][idx])
                          : JsonWriter::numberText(result.simConc[slot][idx]));
        }
        out << '\n';
    }
}

void writeJson(std::ostream& out, const SimulationResult& result, const WorkingState& state) {
    const auto n = static_cast<std::size_t>(result.pointCount);
    const bool mm = state.mmMode;
    const std::vector<int> slots = mm ? std::vector<int>{} : modelSlots(result);
    JsonWriter json;
    json.beginObject().integer("model", state.modelId);
    json.numbers("t", std::span<const double>(result.simTime.data(), n));
    json.beginObject("c");
    for (int s : slots) {
        json.numbers(speciesName(state.modelId, s), std::span<const double>(result.simConc[s].data(), n));
    }
    json.endObject().beginObject("r");
    for (int s : mm ? std::vector<int>{kSlotP} : slots) {
        json.numbers(speciesName(state.modelId, s), std::span<const float>(result.simRate[s].data(), n));
    }
    json.endObject();
    json.number("halfLifeA", state.halfLifeA).number("halfLifeB", state.halfLifeB).endObject();
    out << json.text() << '\n';
}

}  // namespace

OptionSpec simulateGrammar() {
    OptionSpec grammar = modelOptionSpec();
    grammar.value("format", "table|csv|json", "output format (default table)")
        .flag("rates", "the rates r(t) instead of the concentrations")
        .flag("mm", "model 10: the Michaelis-Menten table instead of the run")
        .flag("normalised", "with --mm: r(P) relative to r(P),max")
        .value("s0max", "X", "with --mm: the largest S(0) [mol/l]");
    return grammar;
}

int prepareSimulation(const ParsedArgs& args, SimulationCommand command, Session& session, std::ostream& err,
                      const std::string& commandName) {
    std::string error;
    if (!args.positional.empty()) {
        return usageError(err, commandName, "unexpected argument " + quotedField(args.positional[0]));
    }
    auto parsed = modelStateFromArgs(args, error, args.has("rates"));
    if (!parsed) {
        return usageError(err, commandName, error);
    }
    WorkingState state = *parsed;
    if (args.has("mm")) {
        if (!isEnzymeKinetics(state.modelId)) {
            return usageError(err, commandName, "--mm needs --model 10");
        }
        state.mmMode = true;
        state.mmSettings.normalised = args.has("normalised");
        if (const auto s0 = numberOptionIn(args, "s0max", -kSingleRange, kSingleRange, error)) {
            state.mmSettings.s0Max = static_cast<float>(*s0);
        } else if (!error.empty()) {
            return usageError(err, commandName, error);
        }
    }
    updateMichaelisConstant(state);

    // The inputs are checked as the set-up window checks its fields, which show the state's values.
    const SimulationInputs inputs = simulationInputsFor(state);
    session.state = state;
    session.diagramKind = simulationDiagramKind(state.modelId, state.rateDiagram);
    SimulationRunOptions options;
    options.checkedInputs = &inputs;
    options.command = command;
    const SimulationRunResult run = runSimulation(session, options);
    if (run.outcome == SimulationOutcome::Refused) {
        err << kNotPossibleTitle << "\n";
        for (const auto& line : run.problems) {
            err << line << "\n";
        }
        return kExitRefused;
    }
    if (!run.ran()) {
        err << run.messageTitle() << ": " << run.messageText() << "\n";
        return kExitRefused;
    }
    return kExitOk;
}

int runSimulate(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandArgs parsed =
        parseCommandArgs(words, simulateGrammar(), "simulate", kSimulateHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    const auto& args = parsed.args;
    std::string error;
    const auto format = outputFormat(*args, OutputFormat::Table, error);
    if (!format) {
        return usageError(err, "simulate", error);
    }
    Session session;
    const SimulationCommand command =
        *format == OutputFormat::Table ? SimulationCommand::List : SimulationCommand::Draw;
    if (const int code = prepareSimulation(*args, command, session, err); code != kExitOk) {
        return code;
    }
    const SimulationResult& result = session.simulation;
    switch (*format) {
        case OutputFormat::Table:
            out << buildSimulationTable(result, session.state) << "\r\n";
            break;
        case OutputFormat::Csv:
            writeCsv(out, result, session.state);
            break;
        case OutputFormat::Json:
            writeJson(out, result, session.state);
            break;
    }
    return kExitOk;
}

}  // namespace zemtral::cli
