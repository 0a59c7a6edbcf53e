#pragma once
// How a field of the user's input is quoted in a message: a 100 000-character cell or the bytes
// of a binary file must neither flood the message box nor reach the terminal raw.
#include <cstddef>
#include <string>
#include <string_view>

namespace zemtral {

/// @brief Longest part of a field quoted in a message [characters]; a longer field is cut there
/// and marked by "...".
inline constexpr std::size_t kQuotedFieldLength = 40;

/// @brief The field in single quotes, cut after kQuotedFieldLength characters; control
/// characters and bytes that are not UTF-8 are shown as \xNN (so "a<TAB>b" becomes 'a\x09b').
std::string quotedField(std::string_view text);

}  // namespace zemtral
