#include <ostream>
#include <sstream>

#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/data_input.h"
#include "cli/diagram_sources.h"
#include "cli/file_batch.h"
#include "cli/json_writer.h"
#include "core/time_units.h"
#include "data/quoted_field.h"
#include "session/evaluation_commands.h"

namespace zemtral::cli {
namespace {

constexpr const char* kEvaluateHelp =
    "METHOD: first-order, second-order, a-plus-b, wilkinson, lambda-first, lambda-second,\n"
    "        lambda-a-plus-b, arrhenius, eyring\n"
    "FILE:   a ZD3 file, or a CSV file whose header line names the columns t, cA, cB, cC, cP, cQ, T,\n"
    "        k, lambda, lambdaInf (separator ; , or tab; decimal comma or point). --unit gives the\n"
    "        time unit of a CSV file (default s). c(A)(0) and c(B)(0) are taken from the points at\n"
    "        t = 0 unless --c0 gives them.\n"
    "Runs the same checks, straight-line fit and result line as the program's evaluation menus.\n"
    "  json   {\"k\", \"n\", \"intercept\", \"slope\", \"r2\", \"resultLine\", \"EA\", \"A\", \"dH\", "
    "\"dS\"}\n"
    "         (the keys that apply; EA and dH in kJ/mol, dS in J/(mol K))\n"
    "  csv    the keys of json as columns, after the file\n"
    "  table  the result line\n"
    "Several FILEs, or a directory (its ZD3 and CSV files), are evaluated each on its own: json gives\n"
    "an array of objects with \"file\" first, csv one row per file (the error text last), table one\n"
    "line \"FILE: result\" per file. A file that fails gives its error in place of the result, and\n"
    "the exit code is 1 after all files were evaluated.\n";

enum class Family { Ct, Lambda, KT };

struct Method {
    const char* name;
    Family family;
    int item;
};

constexpr Method kMethods[] = {
    {"first-order", Family::Ct, 1},
    {"second-order", Family::Ct, 2},
    {"a-plus-b", Family::Ct, 3},
    {"wilkinson", Family::Ct, 4},
    {"lambda-first", Family::Lambda, 1},
    {"lambda-second", Family::Lambda, 2},
    {"lambda-a-plus-b", Family::Lambda, 3},
    {"arrhenius", Family::KT, 1},
    {"eyring", Family::KT, 2},
};

const Method* findMethod(const std::string& name) {
    for (const Method& m : kMethods) {
        if (name == m.name) {
            return &m;
        }
    }
    return nullptr;
}

}  // namespace

OptionSpec evaluateGrammar() {
    OptionSpec grammar;
    grammar.synopsis = "METHOD FILE...";
    grammar.value("c0", "A=X,B=X", "c(A)(0) and c(B)(0) [mol/l] (default: the points at t = 0)")
        .value("unit", "s|min|h|d|a", "the time unit of a CSV file (default s)")
        .value("format", "json|csv|table", "output format (default json)")
        .value("jobs", "N", "files evaluated at the same time (default 1)");
    return grammar;
}

int prepareEvaluation(const ParsedArgs& args, Session& session, UserDialogs& dialogs, std::ostream& err,
                      DiagramSource& source) {
    if (args.positional.size() != 2) {
        return usageError(err, "plot evaluate",
                          args.positional.size() < 2 ? "METHOD and FILE are required"
                                                     : "a picture shows one data set: one FILE after METHOD");
    }
    const Method* method = findMethod(args.positional[0]);
    if (!method) {
        return usageError(err, "evaluate", "unknown method " + quotedField(args.positional[0]));
    }
    const std::string unit = args.value("unit").value_or("s");
    if (timeUnitIndex(unit) < 0) {
        return usageError(err, "evaluate", "--unit: one of s, min, h, d, a");
    }
    if (!loadMeasuredData(session, dialogs, args.positional[1], unit)) {
        return kExitRefused;
    }
    std::string error;
    if (args.value("c0") && !applyConcentrationOption(args, session.state.conc0, error)) {
        return usageError(err, "evaluate", error);
    }
    switch (method->family) {
        case Family::Ct:
            source.started = startCtEvaluation(session, method->item, dialogs);
            break;
        case Family::Lambda:
            source.started = startLambdaEvaluation(session, method->item, dialogs);
            break;
        case Family::KT:
            source.started = startKTEvaluation(session, method->item, dialogs);
            break;
    }
    source.route = DiagramRoute::Evaluation;
    return source.started.started ? kExitOk : kExitRefused;
}

namespace {

// One file's evaluation in a session of its own.
FileOutcome evaluateFile(const ParsedArgs& args) {
    FileOutcome outcome;
    std::ostringstream err;
    Session session;
    StderrDialogs dialogs(err);
    DiagramSource source;
    outcome.code = prepareEvaluation(args, session, dialogs, err, source);
    if (outcome.code == kExitOk) {
        const Method& method = *findMethod(args.positional[0]);
        const EvaluationCommandResult& started = source.started;
        const LinearEvaluationResult r =
            runLinearisedEvaluation(session.data, started.diagramKind, session.state, session.evaluation);
        if (r.errorFlag != 0) {
            const CriticalError e = criticalCurveError(r.errorText);
            dialogs.showMessage(e.title, e.text, MessageIcon::Critical);
            outcome.code = kExitRefused;
        } else {
            outcome.text = terminalText(r.resultLine) + "\n";
            JsonWriter json;
            json.beginObject().string("method", method.name).integer("diagramKind", started.diagramKind);
            if (method.family != Family::KT) {
                json.number("k", r.k);
            }
            if (started.diagramKind == -7) {
                json.number("n", r.order);
            }
            json.number("intercept", r.intercept).number("slope", r.slope).number("r2", r.rSquared);
            json.boolean("singular", r.singular).string("resultLine", terminalText(r.resultLine));
            if (started.diagramKind == -3) {
                json.number("EA", r.activationEnergy).number("A", r.preExponential);
            } else if (started.diagramKind == -4) {
                json.number("dH", r.activationEnergy).number("dS", r.activationEntropy);
            }
            outcome.value = json.endObject().value();
        }
    }
    outcome.messages = err.str();
    return outcome;
}

}  // namespace

int runEvaluate(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandArgs parsed =
        parseCommandArgs(words, evaluateGrammar(), "evaluate", kEvaluateHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    const auto& args = parsed.args;
    std::string error;
    const auto format = outputFormat(*args, OutputFormat::Json, error);
    if (!format) {
        return usageError(err, "evaluate", error);
    }
    const auto jobs = jobsOption(*args, error);
    if (!jobs) {
        return usageError(err, "evaluate", error);
    }
    if (args->positional.size() < 2) {
        return usageError(err, "evaluate", "METHOD and FILE are required");
    }
    const std::string method = args->positional[0];
    if (!findMethod(method)) {
        return usageError(err, "evaluate", "unknown method " + quotedField(method));
    }
    bool single = false;
    const auto files = expandDataFiles(
        std::vector<std::string>(args->positional.begin() + 1, args->positional.end()), single);
    const FileCommand command = [&args, &method](const std::string& file) {
        ParsedArgs one = *args;
        one.positional = {method, file};
        return evaluateFile(one);
    };
    return runOverFiles(files, single, *jobs, *format, command, out, err);
}

}  // namespace zemtral::cli
