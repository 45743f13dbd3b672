// Decimal numbers as the programs' options take them: digits only, no sign, no blanks.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

// Reads `text` as a decimal number of at most `max`. False (and `value` unspecified) for an
// empty text, any character that is not a digit, or a number above `max`.
bool ParseDecimal(const std::string& text, uint64_t max, uint64_t& value);

}  // namespace orv
