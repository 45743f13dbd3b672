#include "frontend/decimal.h"

namespace orv {

bool ParseDecimal(const std::string& text, uint64_t max, uint64_t& value) {
  if (text.empty() || text.size() > 20) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (value > (max - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

bool TakeOptionValue(const std::vector<std::string>& args, size_t& at, std::string& error) {
  if (at + 1 >= args.size()) {
    error = args[at] + ": missing value";
    return false;
  }
  ++at;
  return true;
}

}  // namespace orv
