// The programs' options: decimal numbers (digits only, no sign, no blanks) and the value that
// follows an option's name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Reads `text` as a decimal number of at most `max`. False (and `value` unspecified) for an
// empty text, any character that is not a digit, or a number above `max`.
bool ParseDecimal(const std::string& text, uint64_t max, uint64_t& value);

// Moves `at` from the option args[at] to its value. False, with "NAME: missing value" in
// `error`, when the option is the last argument.
bool TakeOptionValue(const std::vector<std::string>& args, size_t& at, std::string& error);

}  // namespace orv
