#include "cli/cli_args.h"

#include <cmath>

#include "data/quoted_field.h"
#include "numeric/number_text.h"

namespace zemtral::cli {

std::optional<std::string> ParsedArgs::value(const std::string& name) const {
    const auto it = options.find(name);
    if (it == options.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<ParsedArgs> parseArgs(const std::vector<std::string>& args, const OptionSpec& grammar,
                                    std::string& error) {
    ParsedArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            parsed.positional.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (grammar.flagOptions.count(name) > 0) {
            if (inlineValue) {
                error = "option --" + name + " takes no value";
                return std::nullopt;
            }
            parsed.flags.insert(name);
        } else if (grammar.valueOptions.count(name) > 0) {
            if (inlineValue) {
                parsed.options[name] = *inlineValue;
            } else if (i + 1 < args.size()) {
                parsed.options[name] = args[++i];
            } else {
                error = "option --" + name + " needs a value";
                return std::nullopt;
            }
        } else {
            error = "unknown option --" + name;
            return std::nullopt;
        }
    }
    return parsed;
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
