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
#include "evaluation/tangent.h"

namespace zemtral::cli {
namespace {

constexpr const char* kTangentHelp =
    "The rate dc/dt of one species at time T, read off the Akima spline through its measured points\n"
    "(active points with a concentration above 0, ascending in time), smoothed with exponent q\n"
    "(0 = none, the tangent window's slider gives 0 to 0.5). FILE is a ZD3 or CSV file.\n"
    "Output (json): {\"c\", \"rate\"} [mol/l, mol/(l time unit)]; csv: c,rate.\n"
    "Several FILEs, or a directory (its ZD3 and CSV files): json gives an array of objects with\n"
    "\"file\" first, csv one row per file (the error text last); a file that fails gives its error\n"
    "in place of the result, and the exit code is 1 after all files.\n";

// The species slot of --species (A, B, C, P, Q); 0 when missing or unknown.
int speciesSlot(const ParsedArgs& args) {
    const std::string species = args.value("species").value_or("");
    for (int s = 1; s <= 5; ++s) {
        if (species == speciesName(1, s)) {
            return s;
        }
    }
    return 0;
}

// The smoothing exponent of --smoothing (0 without it); nothing and a message when it is bad.
std::optional<double> smoothingOption(const ParsedArgs& args, std::string& error) {
    if (const auto q = numberOptionIn(args, "smoothing", -kSingleRange, kSingleRange, error)) {
        return q;
    }
    return error.empty() ? std::optional<double>(0.0) : std::nullopt;
}

}  // namespace

OptionSpec tangentGrammar() {
    OptionSpec grammar;
    grammar.synopsis = "FILE... --species S --time T";
    grammar.value("species", "A|B|C|P|Q", "the species whose rate is read off (required)")
        .value("time", "T", "the time of the tangent [time unit] (required)")
        .value("smoothing", "q", "smoothing exponent of the spline (default 0 = none)")
        .value("unit", "s|min|h|d|a", "the time unit of a CSV file (default s)")
        .value("format", "json|csv", "output format (default json)")
        .value("jobs", "N", "files read at the same time (default 1)");
    return grammar;
}

int prepareTangentDiagram(const ParsedArgs& args, Session& session, UserDialogs& dialogs, std::ostream& err,
                          DiagramSource& source) {
    if (args.positional.size() != 1) {
        return usageError(
            err, "plot tangent",
            args.positional.empty() ? "FILE is required" : "a picture shows one data set: one FILE");
    }
    const int slot = speciesSlot(args);
    if (slot == 0) {
        return usageError(err, "tangent", "--species: one of A, B, C, P, Q");
    }
    std::string error;
    const auto smoothing = smoothingOption(args, error);
    if (!smoothing) {
        return usageError(err, "tangent", error);
    }
    const std::string unit = args.value("unit").value_or("s");
    if (timeUnitIndex(unit) < 0) {
        return usageError(err, "tangent", "--unit: one of s, min, h, d, a");
    }
    if (!loadMeasuredData(session, dialogs, args.positional[0], unit)) {
        return kExitRefused;
    }
    source.route = DiagramRoute::Evaluation;
    source.started = startTangent(session, slot);
    session.state.smoothingExponent = static_cast<float>(*smoothing);
    return kExitOk;
}

namespace {

// One file's tangent in a session of its own.
FileOutcome tangentFile(const std::string& file, int slot, double time, double smoothing,
                        const std::string& unit) {
    FileOutcome result;
    std::ostringstream err;
    Session session;
    StderrDialogs dialogs(err);
    result.code = kExitRefused;
    if (loadMeasuredData(session, dialogs, file, unit)) {
        const TangentSpline spline = prepareTangentSpline(session.data, slot, static_cast<float>(smoothing));
        if (!spline.status.ok) {
            dialogs.showMessage(kNotPossibleTitle, spline.status.message, MessageIcon::Critical);
        } else {
            const PlotWindow window = singleSpeciesAxisRanges(session.data, slot);
            if (const auto value = tangentAt(spline, time, window)) {
                JsonWriter json;
                json.beginObject().number("c", value->concentration).number("rate", value->rate).endObject();
                result.value = json.value();
                result.code = kExitOk;
            } else {
                // The tangent window only beeps here; a script needs words.
                err << "Der Zeitpunkt liegt außerhalb des Diagrammbereichs (0 bis "
                    << JsonWriter::numberText(window.xMax) << " " << session.data.timeUnit << ").\n";
            }
        }
    }
    result.messages = err.str();
    return result;
}

}  // namespace

int runTangent(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandArgs parsed = parseCommandArgs(words, tangentGrammar(), "tangent", kTangentHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    const auto& args = parsed.args;
    std::string error;
    if (args->positional.empty()) {
        return usageError(err, "tangent", "FILE is required");
    }
    const int slot = speciesSlot(*args);
    if (slot == 0) {
        return usageError(err, "tangent", "--species: one of A, B, C, P, Q");
    }
    const auto time = numberOption(*args, "time", error);
    if (!time) {
        return usageError(err, "tangent", error.empty() ? "--time T is required" : error);
    }
    const auto smoothing = smoothingOption(*args, error);
    if (!smoothing) {
        return usageError(err, "tangent", error);
    }
    const std::string unit = args->value("unit").value_or("s");
    if (timeUnitIndex(unit) < 0) {
        return usageError(err, "tangent", "--unit: one of s, min, h, d, a");
    }
    const auto format = outputFormat(*args, OutputFormat::Json, error);
    if (!format || *format == OutputFormat::Table) {
        return usageError(err, "tangent", "--format: one of json, csv");
    }
    const auto jobs = jobsOption(*args, error);
    if (!jobs) {
        return usageError(err, "tangent", error);
    }
    bool single = false;
    const auto files = expandDataFiles(args->positional, single);
    const FileCommand command = [&](const std::string& file) {
        return tangentFile(file, slot, *time, *smoothing, unit);
    };
    return runOverFiles(files, single, *jobs, *format, command, out, err);
}

}  // namespace zemtral::cli
