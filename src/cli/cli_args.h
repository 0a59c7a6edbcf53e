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
