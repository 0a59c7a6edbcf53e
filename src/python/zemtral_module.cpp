// The Python module `zemtral`: the subcommands of zemtral-cli as functions for notebooks and
// scripts. Keyword arguments are named like the command-line options (with "_" for "-"), curves
// come back as NumPy arrays, results as dicts, and a refusal of the program as zemtral.Refusal
// carrying its German text. A call runs the command-line tool's own command code in this process
// (no program is started), so a function checks its options and gives exactly the numbers the
// command line gives.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace py = pybind11;

namespace {

using Json = nlohmann::ordered_json;

struct ToolRun {
    int code = -1;
    std::string out, err;
};

// One subcommand of the command-line tool with `args`, its output and messages caught as text.
ToolRun runTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.code = zemtral::cli::runCli(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// The text of one option value: numbers in their shortest form that reads back the same, lists
// joined by commas, dicts as NAME=VALUE pairs (--c0).
std::string optionText(const py::handle& value) {
    if (py::isinstance<py::bool_>(value)) {
        return value.cast<bool>() ? "1" : "0";
    }
    if (py::isinstance<py::int_>(value)) {
        return py::str(value).cast<std::string>();
    }
    if (py::isinstance<py::float_>(value)) {
        const double number = value.cast<double>();
        char buffer[40];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, number);
        return {buffer, written.ptr};
    }
    if (py::isinstance<py::str>(value)) {
        return value.cast<std::string>();
    }
    if (py::isinstance<py::dict>(value)) {
        std::string text;
        for (const auto& [key, item] : value.cast<py::dict>()) {
            text += (text.empty() ? "" : ",") + py::str(key).cast<std::string>() + "=" + optionText(item);
        }
        return text;
    }
    if (py::hasattr(value, "__fspath__")) {
        return py::str(value).cast<std::string>();
    }
    if (py::isinstance<py::sequence>(value) || py::isinstance<py::array>(value)) {
        std::string text;
        for (const auto& item : value) {
            text += (text.empty() ? "" : ",") + optionText(item);
        }
        return text;
    }
    return py::str(value).cast<std::string>();
}

// JSON into Python: arrays of numbers as float64 arrays (null as NaN), objects as dicts.
py::object toPython(const Json& value) {
    switch (value.type()) {
        case Json::value_t::object: {
            py::dict dict;
            for (const auto& [key, member] : value.items()) {
                dict[py::str(key)] = toPython(member);
            }
            return dict;
        }
        case Json::value_t::array: {
            const bool numeric =
                !value.empty() && std::all_of(value.begin(), value.end(), [](const Json& item) {
                    return item.is_number() || item.is_null();
                });
            if (numeric) {
                py::array_t<double> array(static_cast<py::ssize_t>(value.size()));
                auto data = array.mutable_unchecked<1>();
                for (std::size_t i = 0; i < value.size(); ++i) {
                    data(static_cast<py::ssize_t>(i)) =
                        value[i].is_null() ? std::nan("") : value[i].get<double>();
                }
                return array;
            }
            py::list list;
            for (const Json& item : value) {
                list.append(toPython(item));
            }
            return list;
        }
        case Json::value_t::string:
            return py::str(value.get<std::string>());
        case Json::value_t::boolean:
            return py::bool_(value.get<bool>());
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
            return py::int_(value.get<std::int64_t>());
        case Json::value_t::number_float:
            return py::float_(value.get<double>());
        default:
            return py::none();
    }
}

PyObject* refusalType = nullptr;

// Runs `command` with the positional words and the keyword options; the parsed JSON result.
py::object runCommand(const std::string& command, const std::vector<std::string>& positional,
                      const py::kwargs& options, bool json = true) {
    std::vector<std::string> args{command};
    args.insert(args.end(), positional.begin(), positional.end());
    for (const auto& [key, value] : options) {
        if (value.is_none()) {
            continue;
        }
        std::string name = py::str(key).cast<std::string>();
        std::replace(name.begin(), name.end(), '_', '-');
        if (py::isinstance<py::bool_>(value)) {
            if (value.cast<bool>()) {
                args.push_back("--" + name);  // a flag
            }
            continue;
        }
        args.push_back("--" + name);
        args.push_back(optionText(value));
    }
    if (json) {
        args.insert(args.end(), {"--format", "json"});
    }
    ToolRun run;
    {
        py::gil_scoped_release unlocked;  // a long fit lets other Python threads run
        run = runTool(args);
    }
    if (run.code == zemtral::cli::kExitUsage) {
        throw py::value_error(run.err);
    }
    // Several files of which some failed still give their list (the failed ones with "error").
    if (run.code != zemtral::cli::kExitOk && (!json || run.out.empty())) {
        std::string text = run.err;
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        PyErr_SetString(refusalType, text.c_str());
        throw py::error_already_set();
    }
    if (!json) {
        return py::none();
    }
    return toPython(Json::parse(run.out));
}

// One data file or several (a list): the words after the method.
std::vector<std::string> fileWords(const py::object& files) {
    if (py::isinstance<py::str>(files) || py::hasattr(files, "__fspath__")) {
        return {py::str(files).cast<std::string>()};
    }
    std::vector<std::string> words;
    for (const auto& file : files) {
        words.push_back(py::str(file).cast<std::string>());
    }
    return words;
}

}  // namespace

PYBIND11_MODULE(zemtral, m) {
    m.doc() = "ZEMTRAL: kinetics of homogeneous reactions (the subcommands of zemtral-cli)";
    m.attr("__version__") = ZEMTRAL_VERSION;
    static py::exception<std::runtime_error> refusal(m, "Refusal");
    refusalType = refusal.ptr();

    m.def(
        "simulate", [](const py::kwargs& options) { return runCommand("simulate", {}, options); },
        "simulate(model=N, k1=, k2=, k3=, c0={'A': 1.0}, order=, tend=, unit=, rates=False, mm=False, ...)\n"
        "-> {'model', 't': array, 'c': {'A': array, ...}, 'r': {...}, 'halfLifeA', 'halfLifeB'}");
    m.def(
        "halflife", [](const py::kwargs& options) { return runCommand("halflife", {}, options); },
        "halflife(model=N, ...) -> {'halfLifeA', 'halfLifeB'} (0 = no value)");
    m.def(
        "evaluate",
        [](const std::string& method, const py::object& file, const py::kwargs& options) {
            std::vector<std::string> words{method};
            const auto files = fileWords(file);
            words.insert(words.end(), files.begin(), files.end());
            return runCommand("evaluate", words, options);
        },
        py::arg("method"), py::arg("file"),
        "evaluate(method, file or [files], c0=, unit=, jobs=) -> {'k', 'intercept', 'slope', 'r2', ...}\n"
        "(a list of dicts with 'file' or 'error' for several files)");
    m.def(
        "fit",
        [](const py::object& file, const py::kwargs& options) {
            return runCommand("fit", fileWords(file), options);
        },
        py::arg("file"),
        "fit(file or [files], model=N, mode='k', k1=, k2=, k3=, species=['A'], fix=['k2'], ...)\n"
        "-> {'params', 'sd', 'ci95', 'correlation', 'residualSd', 'r2', 'objective', ...}");
    m.def(
        "tangent",
        [](const py::object& file, const py::kwargs& options) {
            return runCommand("tangent", fileWords(file), options);
        },
        py::arg("file"), "tangent(file or [files], species='A', time=T, smoothing=0) -> {'c', 'rate'}");
    m.def(
        "reactor",
        [](const std::string& kind, const py::kwargs& options) {
            return runCommand("reactor", {kind}, options);
        },
        py::arg("kind"),
        "reactor('batch'|'cstr'|'tube', model=N, time=, conversion=, volume=, flow=, residence_time=,\n"
        "length=, velocity=, ...) -> {'conc': {...}, the computed quantities, 'ksi1', 'ksi2'}");
    m.def(
        "montecarlo", [](const py::kwargs& options) { return runCommand("montecarlo", {}, options); },
        "montecarlo(kind=1|2, n0=, K=, seed=, points=) -> {'simulated': {'t', 'nA'}, 'analytic': {...}, "
        "...}");
    m.def(
        "generate", [](const py::kwargs& options) { runCommand("generate", {}, options, false); },
        "generate(model=N, k1=, ..., times=[...] or points=n, noise_abs=, noise_rel=, seed=, output=path)\n"
        "writes a data set with noise (ZD3 or CSV)");
}
