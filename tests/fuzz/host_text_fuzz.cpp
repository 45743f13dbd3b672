// The host's argument text: the input is a whole command line as the platform hands it over
// (a NUL ends it). Skipping the program's path, deciding the mode and reading the window
// handle behind it stay inside the text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "host/mode_decision.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const char* begin = line.c_str();
  const char* end = begin + std::strlen(begin);

  const char* text = orv::ArgumentText(begin);
  ORV_FUZZ_CHECK(text >= begin && text <= end);
  // Blanks and control bytes between the path and the argument text are all skipped.
  ORV_FUZZ_CHECK(*text == '\0' || static_cast<unsigned char>(*text) > ' ');

  for (const char* argument : {begin, text}) {
    const orv::ModeDecision decision = orv::DecideMode(argument);
    ORV_FUZZ_CHECK(decision.rest >= argument && decision.rest <= end);
    if (decision.mode == orv::RunMode::kPreview || decision.mode == orv::RunMode::kPasswordChange) {
      ORV_FUZZ_CHECK(*decision.rest != ' ');
    }
    if (decision.mode == orv::RunMode::kConfigureWithoutOwner) {
      ORV_FUZZ_CHECK(*decision.rest == '\0');
    }
    // The handle is the decimal number at the start, wrapping at 32 bits.
    uint32_t expected = 0;
    for (const char* p = decision.rest; *p >= '0' && *p <= '9'; ++p) {
      expected = expected * 10u + static_cast<uint32_t>(*p - '0');
    }
    ORV_FUZZ_CHECK(orv::ParseWindowHandle(decision.rest) == expected);
  }
  return 0;
}
