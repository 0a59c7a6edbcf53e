#include "cli/cli_args.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <memory>
#include <regex>

#include "data/quoted_field.h"
#include "numeric/number_text.h"

namespace zemtral::cli {
namespace {

// The usage line names the positional words before the options, as the tool's users write them.
class UsageFormatter : public CLI::Formatter {
  public:
    explicit UsageFormatter(std::string synopsis) : m_synopsis(std::move(synopsis)) { column_width(30); }
    std::string make_usage(const CLI::App*, std::string name) const override {
        return "Usage: " + name + (m_synopsis.empty() ? "" : " " + m_synopsis) + " [OPTIONS]\n";
    }

  private:
    std::string m_synopsis;
};

struct Parser {
    std::unique_ptr<CLI::App> app;
    std::vector<std::pair<std::string, CLI::Option*>> values;
    std::vector<std::pair<std::string, CLI::Option*>> flags;
    std::vector<std::string> positional;
};

const OptionHelp* findHelp(const OptionSpec& grammar, const std::string& name) {
    for (const OptionHelp& h : grammar.described) {
        if (h.name == name) {
            return &h;
        }
    }
    return nullptr;
}

// The described options first in their order, then the rest of the grammar by name. "help" is
// CLI11's own -h/--help.
std::unique_ptr<Parser> makeParser(const OptionSpec& grammar, const std::string& usageName,
                                   const std::string& summary) {
    auto parser = std::make_unique<Parser>();
    parser->app = std::make_unique<CLI::App>(summary, usageName);
    CLI::App& app = *parser->app;
    app.formatter(std::make_shared<UsageFormatter>(grammar.synopsis));
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.allow_extras();
    app.add_option("words", parser->positional)->group("");  // named by the usage line
    std::vector<std::string> names;
    for (const OptionHelp& h : grammar.described) {
        names.push_back(h.name);
    }
    for (const auto* set : {&grammar.valueOptions, &grammar.flagOptions}) {
        for (const std::string& name : *set) {
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    for (const std::string& name : names) {
        if (name == "help") {
            continue;
        }
        const OptionHelp* help = findHelp(grammar, name);
        const std::string description = help ? help->description : std::string();
        if (grammar.flagOptions.count(name) > 0) {
            CLI::Option* option =
                app.add_flag("--" + name)->description(description)->disable_flag_override();
            parser->flags.emplace_back(name, option);
        } else if (grammar.valueOptions.count(name) > 0) {
            CLI::Option* option = app.add_option("--" + name, description);
            option->type_name(help && !help->valueName.empty() ? help->valueName : "X");
            option->allow_extra_args(false);
            parser->values.emplace_back(name, option);
        }
    }
    return parser;
}

// CLI11's messages in the tool's own words where it has them.
std::string usageMessage(const std::string& text) {
    static const std::regex missingValue(R"(^(--[^:]+): \d+ required .* missing$)");
    static const std::regex flagValue(R"(^-*([^ ]+) was given a disallowed flag override$)");
    std::smatch m;
    if (std::regex_match(text, m, missingValue)) {
        return "option " + m[1].str() + " needs a value";
    }
    if (std::regex_match(text, m, flagValue)) {
        return "option --" + m[1].str() + " takes no value";
    }
    return text;
}

}  // namespace

OptionSpec& OptionSpec::value(const std::string& name, const std::string& valueName,
                              const std::string& description) {
    valueOptions.insert(name);
    flagOptions.erase(name);
    described.erase(std::remove_if(described.begin(), described.end(),
                                   [&name](const OptionHelp& h) { return h.name == name; }),
                    described.end());
    described.push_back({name, valueName, description});
    return *this;
}

OptionSpec& OptionSpec::flag(const std::string& name, const std::string& description) {
    flagOptions.insert(name);
    valueOptions.erase(name);
    described.erase(std::remove_if(described.begin(), described.end(),
                                   [&name](const OptionHelp& h) { return h.name == name; }),
                    described.end());
    described.push_back({name, "", description});
    return *this;
}

std::optional<std::string> ParsedArgs::value(const std::string& name) const {
    const auto it = options.find(name);
    if (it == options.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<ParsedArgs> parseArgs(const std::vector<std::string>& args, const OptionSpec& grammar,
                                    std::string& error) {
    const auto parser = makeParser(grammar, "", "");
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
    ParsedArgs parsed;
    try {
        parser->app->parse(reversed);
    } catch (const CLI::CallForHelp&) {
        parsed.flags.insert("help");
        return parsed;
    } catch (const CLI::ParseError& e) {
        error = usageMessage(e.what());
        return std::nullopt;
    }
    for (const std::string& extra : parser->app->remaining()) {
        if (extra == "--") {
            continue;
        }
        if (extra.size() > 1 && extra[0] == '-') {
            error = "unknown option " + extra.substr(0, extra.find('='));
        } else {
            error = "unexpected argument " + quotedField(extra);
        }
        return std::nullopt;
    }
    parsed.positional = parser->positional;
    for (const auto& [name, option] : parser->values) {
        if (option->count() > 0 && !option->results().empty()) {
            parsed.options[name] = option->results().back();
        }
    }
    for (const auto& [name, option] : parser->flags) {
        if (option->count() > 0) {
            parsed.flags.insert(name);
        }
    }
    return parsed;
}

std::string commandHelp(const OptionSpec& grammar, const std::string& usageName, const std::string& summary,
                        const std::string& footer) {
    const auto parser = makeParser(grammar, usageName, summary);
    parser->app->footer(footer);
    // CLI11 ends the option list with a blank line and puts another before the footer, and ends the
    // text with a blank line: one blank line between blocks, one line end at the end.
    std::string text = parser->app->help();
    for (std::size_t at = text.find("\n\n\n"); at != std::string::npos; at = text.find("\n\n\n", at)) {
        text.erase(at, 1);
    }
    while (text.size() > 1 && text.back() == '\n' && text[text.size() - 2] == '\n') {
        text.pop_back();
    }
    return text;
}

std::optional<double> numberOption(const ParsedArgs& args, const std::string& name, std::string& error) {
    const auto text = args.value(name);
    if (!text) {
        return std::nullopt;
    }
    const auto number = parseNumberExact(*text);
    if (!number) {
        error = "option --" + name + ": not a number: " + quotedField(*text);
    }
    return number;
}

std::optional<double> numberOptionIn(const ParsedArgs& args, const std::string& name, double lowest,
                                     double highest, std::string& error) {
    const auto number = numberOption(args, name, error);
    if (number && !(*number >= lowest && *number <= highest)) {
        error = "option --" + name + ": " + quotedField(*args.value(name)) + " is out of range (" +
                formatDouble(lowest) + " .. " + formatDouble(highest) + ")";
        return std::nullopt;
    }
    return number;
}

std::optional<int> wholeNumber(const std::string& text, int lowest, int highest) {
    const auto number = parseNumberExact(text);
    if (!number || !(*number >= lowest && *number <= highest) || std::trunc(*number) != *number) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

}  // namespace zemtral::cli
