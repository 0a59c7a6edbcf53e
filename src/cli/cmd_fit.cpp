#include <algorithm>
#include <cmath>
#include <ostream>
#include <sstream>

#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/data_input.h"
#include "cli/diagram_sources.h"
#include "cli/file_batch.h"
#include "cli/json_writer.h"
#include "core/model_catalogue.h"
#include "core/time_units.h"
#include "data/quoted_field.h"
#include "numeric/number_text.h"
#include "session/evaluation_commands.h"

namespace zemtral::cli {
namespace {

constexpr const char* kFitHelp =
    "Auto-Fitting as the fitting window does it (bounded Marquardt). FILE is a ZD3 or CSV file (see\n"
    "'evaluate --help').\n"
    "  --mode k          the rate constants of model N (default)\n"
    "  --mode order      k and the order n of A => P, n-th order (start n from --order or --k2)\n"
    "  --mode arrhenius1 / arrhenius2   A and EA [J/mol] on non-isothermal data, first / second order\n"
    "  --mode eyring1 / eyring2         the Eyring factor and dH# [J/mol], first / second order\n"
    "  --k1 --k2 --k3    start values of the parameters p1, p2, p3 (default: the model's constants)\n"
    "  --species A,B     the species whose measured concentrations enter the fit (default: all shown)\n"
    "  --fix k2          keeps parameters fixed (k1..k3 or p1..p3)\n"
    "  --tend T          end of the drawn curves (plot fit) in the data's time unit\n"
    "Output (json): {\"params\", \"sd\", \"objective\", \"limitReached\", \"converged\", \"jacobians\",\n"
    "\"objectiveEvaluations\", \"dof\", \"t95\", \"ci95\" (95 % confidence interval [low, high] per\n"
    "parameter, Student t with dof degrees of freedom), \"correlation\" (of the free parameters),\n"
    "\"residualSd\" and \"r2\" (per fitted species)}. The statistics are null or empty when the fit\n"
    "ended without a post-analysis (limit reached, no degrees of freedom). csv: the same as columns.\n"
    "Several FILEs, or a directory (its ZD3 and CSV files), are fitted each on its own: json gives an\n"
    "array of objects with \"file\" first, csv one row per file (the error text last). A file that\n"
    "fails gives its error in place of the result, and the exit code is 1 after all files.\n";

struct Mode {
    const char* name;
    std::uint8_t kTForm;
    int item;  // 0: isothermal k, -1: order, 1/2: non-isothermal first/second order
};

constexpr Mode kModes[] = {
    {"k", kKTArrhenius, 0},          {"order", kKTArrhenius, -1}, {"arrhenius1", kKTArrhenius, 1},
    {"arrhenius2", kKTArrhenius, 2}, {"eyring1", kKTEyring, 1},   {"eyring2", kKTEyring, 2},
};

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::vector<std::string> parameterNames(const Mode& mode, int n) {
    if (mode.item == -1) {
        return {"k1", "n"};
    }
    if (mode.item > 0) {
        return mode.kTForm == kKTEyring ? std::vector<std::string>{"eyringFactor", "dH"}
                                        : std::vector<std::string>{"A", "EA"};
    }
    std::vector<std::string> names;
    for (int j = 1; j <= n; ++j) {
        names.push_back("k" + std::to_string(j));
    }
    return names;
}

const Mode* findMode(const std::string& name) {
    for (const Mode& m : kModes) {
        if (name == m.name) {
            return &m;
        }
    }
    return nullptr;
}

/// The fit statistics: degrees of freedom, t(0.975, dof), the intervals, the correlation of the
/// free parameters, and the residual standard deviation and R² per species.
void writeStatistics(JsonWriter& json, const AutoFitOutcome& outcome, const std::vector<std::string>& names,
                     int model) {
    const ParameterStatistics& st = outcome.statistics;
    const std::size_t n = std::min(names.size(), outcome.params.size());
    const double nan = std::nan("");
    json.number("dof", st.available ? static_cast<double>(st.degreesOfFreedom) : nan)
        .number("t95", st.available ? st.tQuantile : nan);
    json.beginObject("ci95");
    for (std::size_t j = 0; j < n; ++j) {
        const bool shown = st.available && j < st.free.size() && st.free[j];
        const double half = shown ? st.ci95[j] : nan;
        const double interval[2] = {outcome.params[j] - half, outcome.params[j] + half};
        json.numbers(names[j], interval);
    }
    json.endObject().beginObject("correlation");
    for (std::size_t j = 0; j < n; ++j) {
        if (!st.available || !st.free[j]) {
            continue;
        }
        json.beginObject(names[j]);
        for (std::size_t k = 0; k < n; ++k) {
            if (st.free[k]) {
                json.number(names[k], st.correlation[j * outcome.params.size() + k]);
            }
        }
        json.endObject();
    }
    json.endObject().beginObject("residualSd");
    for (const SpeciesFitStatistics& s : outcome.species) {
        json.number(std::string(speciesName(model, s.slot)), s.residualSd);
    }
    json.endObject().beginObject("r2");
    for (const SpeciesFitStatistics& s : outcome.species) {
        json.number(std::string(speciesName(model, s.slot)), s.r2 ? *s.r2 : nan);
    }
    json.endObject();
}

}  // namespace

OptionSpec fitGrammar() {
    OptionSpec grammar;
    grammar.synopsis = "FILE... --model N";
    grammar.value("model", "N", "the kinetic model: 1..18 or 20 (required for --mode k)")
        .value("mode", "k|order|arrhenius1|arrhenius2|eyring1|eyring2", "what is fitted (default k)")
        .value("k1", "X", "start value of p1 (default: the model's constant)")
        .value("k2", "X", "start value of p2 (default: the model's constant)")
        .value("k3", "X", "start value of p3 (default: the model's constant)")
        .value("order", "n", "start value of the order n (--mode order)")
        .value("c0", "A=X,B=X", "c(A)(0) and c(B)(0) [mol/l] (default: the points at t = 0)")
        .value("species", "A,B,...", "the species that enter the fit (default: all measured)")
        .value("fix", "k2,...", "parameters kept fixed (k1..k3 or p1..p3)")
        .value("unit", "s|min|h|d|a", "the time unit of a CSV file (default s)")
        .value("tend", "T", "end of the drawn curves (plot fit) [time unit]")
        .value("format", "json|csv", "output format (default json)")
        .value("jobs", "N", "files fitted at the same time (default 1)");
    return grammar;
}

int prepareFit(const ParsedArgs& args, Session& session, UserDialogs& dialogs, std::ostream& err,
               DiagramSource& source) {
    std::string error;
    if (args.positional.size() != 1) {
        return usageError(
            err, "plot fit",
            args.positional.empty() ? "FILE is required" : "a picture shows one data set: one FILE");
    }
    const std::string modeName = args.value("mode").value_or("k");
    const Mode* mode = findMode(modeName);
    if (!mode) {
        return usageError(err, "fit", "--mode: one of k, order, arrhenius1, arrhenius2, eyring1, eyring2");
    }
    int model = mode->item == -1 ? 20 : mode->item > 0 ? mode->item + 1 : 0;
    if (mode->item == 0) {
        const auto id = args.value("model") ? wholeNumber(*args.value("model"), 1, 20) : std::nullopt;
        if (!id || !isValidModelId(*id)) {
            return usageError(err, "fit", "--model N (1..18 or 20) is required for --mode k");
        }
        model = *id;
    }
    const std::string unit = args.value("unit").value_or("s");
    if (timeUnitIndex(unit) < 0) {
        return usageError(err, "fit", "--unit: one of s, min, h, d, a");
    }
    if (!loadMeasuredData(session, dialogs, args.positional[0], unit)) {
        return kExitRefused;
    }
    if (!applyConcentrationOption(args, session.state.conc0, error)) {
        return usageError(err, "fit", error);
    }
    if (const auto n = numberOptionIn(args, "order", -kSingleRange, kSingleRange, error)) {
        session.state.reactionOrder = static_cast<float>(*n);
    } else if (!error.empty()) {
        return usageError(err, "fit", error);
    }
    session.evaluation.kTForm = mode->kTForm;
    EvaluationCommandResult& started = source.started;
    source.route = DiagramRoute::Fitting;
    if (mode->item == 0) {
        started = startCtFitting(session, dialogs);
        if (started.started) {
            applyModelDefaults(session.state, static_cast<std::int16_t>(model));  // the model window's choice
        }
    } else if (mode->item == -1) {
        started = startOrderFitting(session, dialogs);
        if (started.started) {
            applyModelDefaults(session.state, 20);
        }
    } else {
        started = startNonIsothermalFitting(session, mode->item, dialogs);
    }
    if (!started.started) {
        return kExitRefused;
    }
    if (const auto tEnd = numberOptionIn(args, "tend", -kSingleRange, kSingleRange, error)) {
        if (!(*tEnd > 0.0)) {
            return usageError(err, "fit", "--tend: a time above 0");
        }
        session.state.tEnd = static_cast<float>(*tEnd);
    } else if (!error.empty()) {
        return usageError(err, "fit", error);
    }
    const int n = fitParameterCount(session.state.modelId, session.state.fittingMode);
    FitContext startContext = fitContext(session);
    const std::vector<double> start = currentFitParameters(startContext, n);
    for (int j = 1; j <= n; ++j) {
        session.evaluation.fitParams[j] = start[static_cast<std::size_t>(j - 1)];
    }
    for (int j = 1; j <= 3; ++j) {
        const std::string name = "k" + std::to_string(j);
        if (const auto text = args.value(name)) {
            if (!parseNumberExact(*text)) {
                return usageError(err, "fit", "--" + name + ": not a number: " + quotedField(*text));
            }
            typeFitParameter(session, j, *text);
        }
    }
    if (mode->item == -1 && !args.value("k2")) {
        typeFitParameter(session, 2, formatSingle(session.state.reactionOrder));
    }
    if (const auto species = args.value("species")) {
        session.evaluation.fitSpecies = {};
        for (const std::string& name : splitList(*species)) {
            int slot = 0;
            for (int s = 1; s <= 5; ++s) {
                if (name == speciesName(session.state.modelId, s)) {
                    slot = s;
                }
            }
            if (slot == 0) {
                return usageError(err, "fit", "--species: unknown species " + quotedField(name));
            }
            session.evaluation.fitSpecies[static_cast<std::size_t>(slot)] = true;
        }
    }
    if (const auto fixed = args.value("fix")) {
        for (const std::string& name : splitList(*fixed)) {
            if (name.size() != 2 || (name[0] != 'k' && name[0] != 'p') || name[1] < '1' || name[1] > '3') {
                return usageError(err, "fit", "--fix: k1, k2 or k3 (or p1..p3), got " + quotedField(name));
            }
            session.evaluation.fixed[static_cast<std::size_t>(name[1] - '0')] = true;
        }
    }
    return kExitOk;
}

namespace {

// One file's fit in a session of its own.
FileOutcome fitFile(const ParsedArgs& args) {
    FileOutcome result;
    std::ostringstream err;
    Session session;
    StderrDialogs dialogs(err);
    DiagramSource source;
    if (const int code = prepareFit(args, session, dialogs, err, source); code != kExitOk) {
        result.code = code;
        result.messages = err.str();
        return result;
    }
    const Mode* mode = findMode(args.value("mode").value_or("k"));
    const int n = fitParameterCount(session.state.modelId, session.state.fittingMode);
    const AutoFitOutcome outcome = autoFitting(session, dialogs);
    if (outcome.refused) {
        result.code = kExitRefused;
        result.messages = err.str();
        return result;
    }
    const std::vector<std::string> names = parameterNames(*mode, n);
    JsonWriter json;
    json.beginObject().integer("model", session.state.modelId).string("mode", mode->name);
    json.beginObject("params");
    for (std::size_t j = 0; j < names.size() && j < outcome.params.size(); ++j) {
        json.number(names[j], outcome.params[j]);
    }
    if (mode->item > 0 && mode->kTForm == kKTEyring) {
        json.number("dS", session.evaluation.activation.deltaS);
    }
    json.endObject().beginObject("sd");
    for (std::size_t j = 0; j < names.size() && j < outcome.sd.size(); ++j) {
        json.number(names[j], outcome.sd[j]);
    }
    json.endObject();
    writeStatistics(json, outcome, names, session.state.modelId);
    json.number("objective", outcome.fit.objective)
        .boolean("limitReached", outcome.fit.limitReached)
        .boolean("converged", outcome.fit.converged)
        .integer("jacobians", outcome.fit.jacobianCount)
        .integer("objectiveEvaluations", outcome.fit.objectiveCount)
        .endObject();
    result.value = json.value();
    result.messages = err.str();
    return result;
}

}  // namespace

int runFit(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandArgs parsed = parseCommandArgs(words, fitGrammar(), "fit", kFitHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    const auto& args = parsed.args;
    std::string error;
    const auto format = outputFormat(*args, OutputFormat::Json, error);
    if (!format || *format == OutputFormat::Table) {
        return usageError(err, "fit", "--format: one of json, csv");
    }
    const auto jobs = jobsOption(*args, error);
    if (!jobs) {
        return usageError(err, "fit", error);
    }
    if (args->positional.empty()) {
        return usageError(err, "fit", "FILE is required");
    }
    bool single = false;
    const auto files = expandDataFiles(args->positional, single);
    const FileCommand command = [&args](const std::string& file) {
        ParsedArgs one = *args;
        one.positional = {file};
        return fitFile(one);
    };
    return runOverFiles(files, single, *jobs, *format, command, out, err);
}

}  // namespace zemtral::cli
