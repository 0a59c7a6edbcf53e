#include <ostream>

#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/protocol_append.h"
#include "core/model_catalogue.h"
#include "data/quoted_field.h"
#include "reactors/batch_reactor.h"
#include "reactors/cstr.h"
#include "reactors/tube_reactor.h"

namespace zemtral::cli {
namespace {

constexpr const char* kReactorHelp =
    "  batch: --time T (concentrations after T) or --conversion U (the time that reaches U(A))\n"
    "  cstr:  two of --conversion U, --volume V [m^3], --flow V* [m^3/time unit], --residence-time t:\n"
    "         U and V, U and V*, V and V*, V and t, or V* and t\n"
    "  tube:  --velocity v [m/time unit] and one of --time T, --length l [m], --conversion U\n"
    "Checks the inputs like the reactor windows and computes the steady state or the batch run.\n"
    "Output (json): the result concentrations \"conc\", the computed quantities and \"ksi1\", \"ksi2\".\n"
    "--protocol appends the result row to a protocol file in the program's format.\n";

struct ReactorRun {
    bool ok = false;
    std::vector<ReactorMessage> messages;
    SpeciesArray conc{};
    std::vector<std::pair<std::string, double>> quantities;
    ExtentsOfReaction extents{};
    ReactorProtocolValues protocol{};
    ProtocolSource source = ProtocolSource::None;
};

std::optional<double> value(const ParsedArgs& args, const char* name, std::string& error) {
    return numberOption(args, name, error);
}

ReactorRun runBatch(const ParsedArgs& args, const ReactorKinetics& kinetics, const SpeciesArray& c0,
                    std::string& error) {
    ReactorRun run;
    run.source = ProtocolSource::BatchReactor;
    BatchInputs in;
    in.kinetics = kinetics;
    in.c0 = c0;
    const auto t = value(args, "time", error);
    const auto u = value(args, "conversion", error);
    if (t.has_value() == u.has_value()) {
        error = "batch needs exactly one of --time and --conversion";
        return run;
    }
    in.choice = t ? BatchInputChoice::ReactionTime : BatchInputChoice::Conversion;
    in.reactionTime = t.value_or(0.0);
    in.conversion = u.value_or(0.0);
    const BatchOutcome out = runBatchReactor(in);
    run.ok = out.status == BatchOutcome::Status::Ok;
    if (!out.message.text.empty()) {
        run.messages.push_back(out.message);
    }
    run.conc = out.conc;
    run.quantities = {{"reactionTime", out.reactionTime}, {"conversion", out.conversion}};
    run.extents = out.extents;
    run.protocol = out.protocol;
    return run;
}

ReactorRun runStirredTank(const ParsedArgs& args, const ReactorKinetics& kinetics, const SpeciesArray& c0,
                          std::string& error) {
    ReactorRun run;
    run.source = ProtocolSource::StirredTank;
    CstrInputs in;
    in.kinetics = kinetics;
    in.c0 = c0;
    const auto u = value(args, "conversion", error);
    const auto v = value(args, "volume", error);
    const auto f = value(args, "flow", error);
    const auto t = value(args, "residence-time", error);
    const int given = u.has_value() + v.has_value() + f.has_value() + t.has_value();
    if (given != 2 || (u && t)) {
        error = "cstr needs two of --conversion, --volume, --flow, --residence-time (not U and t)";
        return run;
    }
    in.choice = u && v   ? CstrInputChoice::ConversionAndVolume
                : u && f ? CstrInputChoice::ConversionAndFlow
                : v && f ? CstrInputChoice::VolumeAndFlow
                : v && t ? CstrInputChoice::VolumeAndResidenceTime
                         : CstrInputChoice::FlowAndResidenceTime;
    in.conversion = u.value_or(0.0);
    in.volume = v.value_or(0.0);
    in.flow = f.value_or(0.0);
    in.residenceTime = t.value_or(0.0);
    const std::string problems = checkCstrInputs(in);
    if (!problems.empty()) {
        run.messages.push_back({kNotPossibleTitle, problems});
        return run;
    }
    const CstrOutcome out = runCstr(in);
    run.ok = out.status == CstrOutcome::Status::Ok;
    run.messages = out.messages;
    run.conc = out.result.conc;
    run.quantities = {{"conversion", out.result.conversion},
                      {"volume", out.result.volume},
                      {"flow", out.result.flow},
                      {"residenceTime", out.result.residenceTime}};
    run.extents = out.extents;
    run.protocol = out.protocol;
    return run;
}

ReactorRun runTube(const ParsedArgs& args, const ReactorKinetics& kinetics, const SpeciesArray& c0,
                   std::string& error) {
    ReactorRun run;
    run.source = ProtocolSource::TubularReactor;
    TubeInputs in;
    in.kinetics = kinetics;
    in.c0 = c0;
    const auto t = value(args, "time", error);
    const auto l = value(args, "length", error);
    const auto u = value(args, "conversion", error);
    const auto v = value(args, "velocity", error);
    if (t.has_value() + l.has_value() + u.has_value() != 1 || !v) {
        error = "tube needs --velocity and exactly one of --time, --length, --conversion";
        return run;
    }
    in.choice = t ? TubeInputChoice::ReactionTime : l ? TubeInputChoice::Length : TubeInputChoice::Conversion;
    in.reactionTime = t.value_or(0.0);
    in.length = l.value_or(0.0);
    in.conversion = u.value_or(0.0);
    in.velocity = *v;
    const std::string problems = checkTubeInputs(in);
    if (!problems.empty()) {
        run.messages.push_back({kNotPossibleTitle, problems});
        return run;
    }
    const TubeOutcome out = runTubeReactor(in);
    run.ok = out.status == TubeOutcome::Status::Ok;
    run.messages = out.messages;
    run.conc = out.conc;
    run.quantities = {
        {"reactionTime", out.reactionTime}, {"length", out.length}, {"conversion", out.conversion}};
    run.extents = out.extents;
    run.protocol = out.protocol;
    return run;
}

}  // namespace

int runReactor(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    OptionSpec grammar = modelOptionSpec();
    grammar.synopsis = "batch|cstr|tube --model N";
    grammar.value("format", "json", "output format (json only)")
        .value("time", "T", "reaction time [time unit] (batch, tube)")
        .value("conversion", "U", "conversion U(A), 0 to 1")
        .value("volume", "V", "volume of the stirred tank [m^3]")
        .value("flow", "V*", "volume flow through the stirred tank [m^3/time unit]")
        .value("residence-time", "t", "residence time in the stirred tank [time unit]")
        .value("length", "l", "length of the tube [m]")
        .value("velocity", "v", "flow velocity in the tube [m/time unit]")
        .value("protocol", "FILE.CSV", "appends the result row to this protocol file")
        .value("separator", ";|,|tab", "column separator of a new protocol file (default ;)");
    const CommandArgs parsed = parseCommandArgs(words, grammar, "reactor", kReactorHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    const auto& args = parsed.args;
    std::string error;
    if (args->positional.size() != 1) {
        return usageError(err, "reactor", "one of batch, cstr, tube is required");
    }
    const std::string kind = args->positional[0];
    if (kind != "batch" && kind != "cstr" && kind != "tube") {
        return usageError(err, "reactor", "unknown reactor " + quotedField(kind) + " (batch, cstr, tube)");
    }
    // The result is always JSON; another format asked for is an error, not silently ignored.
    if (args->value("format").value_or("json") != "json") {
        return usageError(err, "reactor", "--format: json only");
    }
    std::string separator = args->value("separator").value_or(";");
    if (separator == "tab") {
        separator = "\t";
    }
    if (separator != ";" && separator != "," && separator != "\t") {
        return usageError(err, "reactor", "--separator: one of ; , tab");
    }
    const auto state = modelStateFromArgs(*args, error);
    if (!state) {
        return usageError(err, "reactor", error);
    }
    const ReactorKinetics kinetics{state->modelId, state->rateConst, state->reactionOrder};
    ReactorRun run = kind == "batch"  ? runBatch(*args, kinetics, state->conc0, error)
                     : kind == "cstr" ? runStirredTank(*args, kinetics, state->conc0, error)
                                      : runTube(*args, kinetics, state->conc0, error);
    if (!error.empty()) {
        return usageError(err, "reactor", error);
    }
    StderrDialogs dialogs(err);
    for (const ReactorMessage& m : run.messages) {
        dialogs.showMessage(m.title, m.text, run.ok ? MessageIcon::Information : MessageIcon::Critical);
    }
    if (!run.ok) {
        return kExitRefused;
    }
    if (const auto path = args->value("protocol")) {
        std::string message;
        if (!appendProtocolRow(*path, run.source, run.protocol, separator, message)) {
            dialogs.showMessage("Meldung von schreibProtFileAndClose", message, MessageIcon::Critical);
            return kExitRefused;
        }
    }
    JsonWriter json;
    json.beginObject().string("reactor", kind).integer("model", state->modelId).beginObject("conc");
    const std::string mask = modelSpeciesMask(state->modelId);
    for (int s = 1; s <= 5; ++s) {
        if (mask[static_cast<std::size_t>(s - 1)] == '1') {
            json.number(speciesName(state->modelId, s), run.conc[s]);
        }
    }
    json.endObject();
    for (const auto& [name, v] : run.quantities) {
        json.number(name, v);
    }
    json.number("ksi1", run.extents[1]).number("ksi2", run.extents[2]).endObject();
    out << json.text() << "\n";
    return kExitOk;
}

}  // namespace zemtral::cli
