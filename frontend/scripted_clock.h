// The tick counter of a deterministic run: it reads `start` during the loop's start-up and
// start + k x step from the beginning of frame k on, wrapping at 32 bits. The offline renderer
// and the X front end's test mode both drive the render loop with it, so the same options give
// the same frames.
#pragma once

#include <cstdint>
#include <string>

#include "core/render_host.h"

namespace orv {

struct ScriptedClock {
  uint32_t start = 0;
  uint32_t step = 16;

  uint32_t TickOfFrame(uint32_t frame) const { return start + frame * step; }
};

// A tick counter that reads whatever its owner last set: tests and benchmarks step time by hand.
struct ManualClock final : TickSource {
  uint32_t GetTickCount() override { return tick; }
  uint32_t tick = 0;
};

// Where the options of a deterministic run go: --seed, --tick-start, --tick-step, --frames.
struct ScriptOptionFields {
  uint32_t& seed;
  uint32_t& tickStart;
  uint32_t& tickStep;
  uint32_t& frames;
};

// Whether `name` is one of the four options of a deterministic run.
bool IsScriptOption(const std::string& name);

// Reads the value of one of them, with the same ranges in every program: the seed and the
// ticks 0 to 4294967295, frames 0 to 2147483647. On a bad value returns false and says in
// `expected` what was expected.
bool ParseScriptOption(const std::string& name, const std::string& value,
                       const ScriptOptionFields& fields, std::string& expected);

}  // namespace orv
