#include <algorithm>
#include <chrono>
#include <cmath>
#include <ostream>
#include <random>

#include "cli/commands.h"
#include "cli/diagram_sources.h"
#include "cli/json_writer.h"
#include "core/engine.h"
#include "core/model_catalogue.h"
#include "data/data_file.h"
#include "data/file_errors.h"
#include "data/quoted_field.h"
#include "data/text_file.h"
#include "evaluation/fitting.h"
#include "numeric/number_text.h"

namespace zemtral::cli {
namespace {

constexpr const char* kGenerateHelp =
    "Simulates the model as 'simulate' does, samples c(t) of its species at the given times or at\n"
    "n evenly spread times from 0 to tEnd, adds Gaussian noise and writes a data set for exercises.\n"
    "The noise of a value c has the standard deviation sqrt(abs^2 + (rel*c)^2); a value that the\n"
    "noise takes to 0 or below is written as 0, which the data files read as 'not measured'.\n"
    "With --times and without --tend the run ends at the last time. The same --seed gives the same\n"
    "data set; without it every run is seeded from the clock.\n"
    "  FILE.ZD3  the program's data file; its comment names the model and the true constants\n"
    "  FILE.CSV  '# ...' comment line naming the model and the true constants, then t,cA,...\n"
    "            (read back by evaluate, fit and tangent)\n";

constexpr int kMaximumPoints = 10000;

struct Sampling {
    std::vector<double> times;
    double sigmaAbsolute = 0.0;  // [mol/l]
    double sigmaRelative = 0.0;  // fraction of the value
    std::uint64_t seed = 0;
    std::vector<int> slots;
};

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

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

// The sampling times of --times (ascending after sorting) or nothing with a message.
std::optional<std::vector<double>> timesOption(const std::string& text, std::string& error) {
    std::vector<double> times;
    for (const std::string& item : splitList(text)) {
        const auto t = parseNumberExact(item);
        if (!t || !(*t >= 0.0 && *t <= kSingleRange)) {
            error = "--times: not a time from 0 up: " + quotedField(item);
            return std::nullopt;
        }
        times.push_back(*t);
    }
    if (times.size() > kMaximumPoints) {
        error = "--times: at most 10000 times";
        return std::nullopt;
    }
    std::sort(times.begin(), times.end());
    return times;
}

// "Modell 6: k1 = 0.2, k2 = 0.05; c0: A = 1; Rauschen: abs 0, rel 0.02; seed 7"
std::string describe(const WorkingState& state, const Sampling& sampling) {
    std::string text = "zemtral-cli generate: Modell " + std::to_string(state.modelId) + ":";
    const int constants = fitParameterCount(state.modelId, kFittingRateConstants);
    for (int j = 1; j <= constants; ++j) {
        text +=
            (j > 1 ? ", k" : " k") + std::to_string(j) + " = " + JsonWriter::numberText(state.rateConst[j]);
    }
    if (hasReactionOrder(state.modelId)) {
        text += ", n = " + JsonWriter::numberText(state.reactionOrder);
    }
    text += "; c0:";
    bool first = true;
    for (int s = 1; s <= 5; ++s) {
        if (state.conc0[s] > 0.0) {
            text += std::string(first ? " " : ", ") + std::string(speciesName(state.modelId, s)) + " = " +
                    JsonWriter::numberText(state.conc0[s]);
            first = false;
        }
    }
    text += "; Zeiteinheit " + state.timeUnit + "; Rauschen: abs " +
            JsonWriter::numberText(sampling.sigmaAbsolute) + ", rel " +
            JsonWriter::numberText(sampling.sigmaRelative) + "; seed " + std::to_string(sampling.seed);
    return text;
}

int writeOutput(const std::string& path, const WorkingState& state, const Sampling& sampling,
                const std::vector<SpeciesArray>& values, std::ostream& err) {
    FileError written;
    if (endsWithNoCase(path, ".zd3")) {
        ExpDataSet set;
        set.dataComment = describe(state, sampling);
        set.timeUnit = state.timeUnit;
        for (std::size_t i = 0; i < sampling.times.size(); ++i) {
            ExpPoint point;
            point.t = sampling.times[i];
            for (const int s : sampling.slots) {
                point.c[static_cast<std::size_t>(s)] = values[i][s];
            }
            set.points.push_back(point);
        }
        set.pointCount = static_cast<std::int16_t>(sampling.times.size());
        written = writeDataFile(path, set);
    } else {
        std::string text = "# " + describe(state, sampling) + "\n" + "t";
        for (const int s : sampling.slots) {
            text += ",c" + std::string(speciesName(state.modelId, s));
        }
        text += "\n";
        for (std::size_t i = 0; i < sampling.times.size(); ++i) {
            text += JsonWriter::numberText(sampling.times[i]);
            for (const int s : sampling.slots) {
                text += "," + JsonWriter::numberText(values[i][s]);
            }
            text += "\n";
        }
        written = writeFileAtomic(path, text);
    }
    if (written.failed()) {
        err << "Meldung von generate\n" << fileErrorDescription(written) << "\n";
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace

OptionSpec generateGrammar() {
    OptionSpec grammar = modelOptionSpec();
    grammar.synopsis = "--model N (--times t1,t2,... | --points n) --output FILE.ZD3|FILE.CSV";
    grammar.valueOptions.erase("format");
    grammar.described.erase(std::remove_if(grammar.described.begin(), grammar.described.end(),
                                           [](const OptionHelp& h) { return h.name == "format"; }),
                            grammar.described.end());
    grammar.value("times", "t1,t2,...", "the sampling times [time unit]")
        .value("points", "n", "n sampling times evenly spread from 0 to tEnd (2 to 10000)")
        .value("species", "A,B,...", "the species written (default: all of the model's)")
        .value("noise-abs", "X", "standard deviation of an absolute noise [mol/l] (default 0)")
        .value("noise-rel", "X", "standard deviation of a relative noise, 0.02 = 2 % (default 0)")
        .value("seed", "S", "seed of the random numbers (default: the clock)")
        .value("output", "FILE.ZD3|FILE.CSV", "the data file written (required)");
    return grammar;
}

int runGenerate(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const CommandArgs parsed =
        parseCommandArgs(words, generateGrammar(), "generate", kGenerateHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    ParsedArgs args = *parsed.args;
    std::string error;
    const std::string output = args.value("output").value_or("");
    if (!endsWithNoCase(output, ".zd3") && !endsWithNoCase(output, ".csv")) {
        return usageError(err, "generate", "--output FILE.ZD3 or FILE.CSV is required");
    }
    Sampling sampling;
    const auto timesText = args.value("times");
    const auto pointsText = args.value("points");
    if (timesText.has_value() == pointsText.has_value()) {
        return usageError(err, "generate", "one of --times and --points is required");
    }
    std::optional<int> points;
    if (timesText) {
        const auto times = timesOption(*timesText, error);
        if (!times) {
            return usageError(err, "generate", error);
        }
        sampling.times = *times;
        if (!args.value("tend") && sampling.times.back() > 0.0) {
            args.options["tend"] = JsonWriter::numberText(sampling.times.back());
        }
    } else {
        points = wholeNumber(*pointsText, 2, kMaximumPoints);
        if (!points) {
            return usageError(err, "generate", "--points: a whole number from 2 to 10000");
        }
    }
    for (const auto& [name, sigma] :
         {std::pair{"noise-abs", &sampling.sigmaAbsolute}, std::pair{"noise-rel", &sampling.sigmaRelative}}) {
        if (const auto value = numberOptionIn(args, name, 0.0, kSingleRange, error)) {
            *sigma = *value;
        } else if (!error.empty()) {
            return usageError(err, "generate", error);
        }
    }
    if (const auto seed = args.value("seed")) {
        const auto number = parseNumberExact(*seed);
        if (!number || !(*number >= 0.0 && *number < 1.8e19) || std::trunc(*number) != *number) {
            return usageError(err, "generate", "--seed: a non-negative integer");
        }
        sampling.seed = static_cast<std::uint64_t>(*number);
    } else {
        sampling.seed =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
            std::random_device{}();
    }
    Session session;
    if (const int code = prepareSimulation(args, SimulationCommand::Draw, session, err, "generate");
        code != kExitOk) {
        return code;
    }
    const WorkingState& state = session.state;
    if (points) {
        for (int i = 0; i < *points; ++i) {
            sampling.times.push_back(static_cast<double>(state.tEnd) * i / (*points - 1));
        }
    } else if (sampling.times.back() > static_cast<double>(state.tEnd) * (1.0 + 1e-7)) {
        return usageError(err, "generate", "--times: a time after --tend");
    }
    const std::string mask = modelSpeciesMask(state.modelId);
    if (const auto species = args.value("species")) {
        for (const std::string& name : splitList(*species)) {
            int slot = 0;
            for (int s = 1; s <= 5; ++s) {
                if (mask[static_cast<std::size_t>(s - 1)] == '1' && name == speciesName(state.modelId, s)) {
                    slot = s;
                }
            }
            if (slot == 0) {
                return usageError(err, "generate",
                                  "--species: not a species of the model: " + quotedField(name));
            }
            if (std::find(sampling.slots.begin(), sampling.slots.end(), slot) == sampling.slots.end()) {
                sampling.slots.push_back(slot);
            }
        }
        std::sort(sampling.slots.begin(), sampling.slots.end());
    } else {
        for (int s = 1; s <= 5; ++s) {
            if (mask[static_cast<std::size_t>(s - 1)] == '1') {
                sampling.slots.push_back(s);
            }
        }
    }

    std::mt19937_64 random(sampling.seed);
    std::normal_distribution<double> gauss(0.0, 1.0);
    std::vector<SpeciesArray> values;
    for (const double t : sampling.times) {
        std::int16_t errorFlag = 0;
        SpeciesArray c = ConcAtTime(state.modelId, std::min(t, static_cast<double>(state.tEnd)), state,
                                    session.simulation, errorFlag);
        if (errorFlag != 0) {
            err << "Meldung von ConcAtTime: keine Konzentration bei t = " << JsonWriter::numberText(t)
                << "\n";
            return kExitRefused;
        }
        for (const int s : sampling.slots) {
            const double value = c[s];
            const double sigma = std::hypot(sampling.sigmaAbsolute, sampling.sigmaRelative * value);
            const double noisy = sigma > 0.0 ? value + sigma * gauss(random) : value;
            c[s] = std::isfinite(noisy) && noisy > 0.0 ? noisy : 0.0;
        }
        values.push_back(c);
    }
    return writeOutput(output, state, sampling, values, err);
}

}  // namespace zemtral::cli
