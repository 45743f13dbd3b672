#include "frontend/scripted_clock.h"

#include <limits>

#include "frontend/decimal.h"

namespace orv {

bool IsScriptOption(const std::string& name) {
  return name == "--seed" || name == "--tick-start" || name == "--tick-step" || name == "--frames";
}

bool ParseScriptOption(const std::string& name, const std::string& value,
                       const ScriptOptionFields& fields, std::string& expected) {
  const bool frames = name == "--frames";
  const uint64_t max =
      frames ? std::numeric_limits<int32_t>::max() : std::numeric_limits<uint32_t>::max();
  uint64_t n = 0;
  if (!ParseDecimal(value, max, n)) {
    expected = "a number from 0 to " + std::to_string(max);
    return false;
  }
  uint32_t& field = frames                   ? fields.frames
                    : name == "--seed"       ? fields.seed
                    : name == "--tick-start" ? fields.tickStart
                                             : fields.tickStep;
  field = static_cast<uint32_t>(n);
  return true;
}

}  // namespace orv
