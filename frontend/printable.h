// Echoing a refused value in a one-line message: the programs quote what they were given, and a
// control byte or a newline inside it must not break the line or reach the terminal raw.
#pragma once

#include <string>

namespace orv {

// The text with its control bytes written as escapes (\n, \r, \t, \xHH, DEL as \x7f).
std::string Printable(const std::string& text);

}  // namespace orv
