#include <ostream>

#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "core/engine.h"
#include "core/model_catalogue.h"
#include "numeric/number_text.h"
#include "session/evaluation_commands.h"
#include "session/simulation_run.h"

namespace zemtral::cli {
namespace {

constexpr const char* kHalfLifeHelp =
    "Half-lives of A and B [time unit] as the diagram window gives them: the closed forms for the\n"
    "closed-form models, the times at which the simulated c(A) and c(B) fall below half their initial\n"
    "value for the numerically integrated models. 0 means no value.\n";

}  // namespace

OptionSpec halfLifeGrammar() {
    OptionSpec grammar = modelOptionSpec();
    grammar.value("format", "json|table", "output format (default json)");
    return grammar;
}

int runHalfLife(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandArgs parsed =
        parseCommandArgs(words, halfLifeGrammar(), "halflife", kHalfLifeHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    const auto& args = parsed.args;
    std::string error;
    const auto format = outputFormat(*args, OutputFormat::Json, error);
    if (!format || *format == OutputFormat::Csv) {
        return usageError(err, "halflife", format ? "--format: one of json, table" : error);
    }
    auto state = modelStateFromArgs(*args, error);
    if (!state) {
        return usageError(err, "halflife", error);
    }
    const int model = state->modelId;
    // The diagram window's commands work on the simulation shown: run it, then ask them.
    Session session;
    session.state = *state;
    if (const SimulationRunResult run = runSimulation(session); !run.ran()) {
        err << run.messageTitle() << ": " << run.messageText() << "\n";
        return kExitRefused;
    }
    StderrDialogs dialogs(err);
    const HalfLifeMark a = halfLifeCommand(session, HalfLifeSpecies::A, model, dialogs);
    const HalfLifeMark b = halfLifeCommand(session, HalfLifeSpecies::B, model, dialogs);
    if (!a.act || !b.act) {
        return kExitRefused;  // the routine's message is on stderr
    }
    const float halfLifeA = a.show ? a.line[0].x : 0.0f;
    const float halfLifeB = b.show ? b.line[0].x : 0.0f;
    if (*format == OutputFormat::Json) {
        JsonWriter json;
        json.beginObject().number("halfLifeA", halfLifeA).number("halfLifeB", halfLifeB).endObject();
        out << json.text() << "\n";
    } else {
        out << "t1/2(" << speciesName(model, kSlotA) << ") = " << formatSingle(halfLifeA) << " "
            << state->timeUnit << "\n"
            << "t1/2(" << speciesName(model, kSlotB) << ") = " << formatSingle(halfLifeB) << " "
            << state->timeUnit << "\n";
    }
    return kExitOk;
}

}  // namespace zemtral::cli
