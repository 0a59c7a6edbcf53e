#pragma once
// Command-line arguments of one subcommand: positional words, "--name value" options and flags,
// parsed by CLI11 from a grammar that also carries the help texts, so that the help is generated
// from the options themselves.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zemtral::cli {

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  ///< without the leading "--"
    std::set<std::string> flags;

    bool has(const std::string& name) const { return options.count(name) > 0 || flags.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;
};

/// @brief The help line of one option: "--name VALUE  description".
struct OptionHelp {
    std::string name;
    std::string valueName;  ///< empty for a flag
    std::string description;
};

/// @brief The option grammar of a subcommand: names taking a value and names that are flags,
/// their help lines in the order the help lists them, and how the help names the positional words.
struct OptionSpec {
    OptionSpec() = default;
    /// @brief A grammar of bare names, without help texts.
    OptionSpec(std::set<std::string> values, std::set<std::string> flags)
        : valueOptions(std::move(values)), flagOptions(std::move(flags)) {}

    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
    std::vector<OptionHelp> described;
    std::string synopsis;  ///< the positional words in the usage line, for example "METHOD FILE..."

    /// @brief Adds (or re-describes) an option taking a value.
    OptionSpec& value(const std::string& name, const std::string& valueName, const std::string& description);
    /// @brief Adds (or re-describes) a flag.
    OptionSpec& flag(const std::string& name, const std::string& description);
};

/// @brief Parses args (after the subcommand word). "--name=value" and "--name value" are both
/// accepted; a repeated option keeps its last value. -h or --help gives the flag "help". Unknown
/// options or a missing value give nothing and a message in `error`.
std::optional<ParsedArgs> parseArgs(const std::vector<std::string>& args, const OptionSpec& grammar,
                                    std::string& error);

/// @brief The help of a subcommand generated from its grammar: the summary, the usage line
/// "Usage: <usageName> <synopsis> [OPTIONS]", one line per option, then `footer`.
std::string commandHelp(const OptionSpec& grammar, const std::string& usageName, const std::string& summary,
                        const std::string& footer);

/// @brief A number option read strictly (comma or point as decimal separator); nothing and a
/// message when the text is not a number.
std::optional<double> numberOption(const ParsedArgs& args, const std::string& name, std::string& error);

/// @brief Largest magnitude of a value the program keeps as a 4-byte float (times, the order).
inline constexpr double kSingleRange = 3.402823e38;

/// @brief numberOption for a value that must lie in [lowest, highest]: a number outside is
/// refused with a message naming the option before it is converted to a narrower type.
std::optional<double> numberOptionIn(const ParsedArgs& args, const std::string& name, double lowest,
                                     double highest, std::string& error);

/// @brief A whole number from `text` in [lowest, highest]; nothing when the text is no number,
/// not whole or out of range (checked before the conversion, which would be undefined otherwise).
std::optional<int> wholeNumber(const std::string& text, int lowest, int highest);

}  // namespace zemtral::cli
