#pragma once
// The key filter of every number field.

namespace zemtral {

/// @brief Accepts the digits, "E", "e", comma, minus, point, Enter (13), Backspace (8) and
/// code 127; a comma is replaced by a point in place. The caller discards a key that is refused.
bool NumericKeyFilter(int& keyCode);

}  // namespace zemtral
