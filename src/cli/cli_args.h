#pragma once
// Command-line arguments of one subcommand: positional words, "--name value" options and flags.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zemtral::cli {

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  ///< without the leading "--"
    std::set<std::string> flags;

    bool has(const std::string& name) const { return options.count(name) > 0 || flags.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;
};

/// @brief The option grammar of a subcommand: names taking a value and names that are flags.
struct OptionSpec {
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
};

/// @brief Parses args (after the subcommand word). "--name=value" and "--name value" are both
/// accepted. Unknown options or a missing value give nothing and a message in `error`.
std::optional<ParsedArgs> parseArgs(const std::vector<std::string>& args, const OptionSpec& grammar,
                                    std::string& error);

/// @brief A number option read strictly (comma or point as decimal separator); nothing and a
/// message when the text is not a number.
std::optional<double> numberOption(const ParsedArgs& args, const std::string& name, std::string& error);

}  // namespace zemtral::cli
