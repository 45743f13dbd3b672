// The tick counter of a deterministic run: it reads `start` during the loop's start-up and
// start + k x step from the beginning of frame k on, wrapping at 32 bits. The offline renderer
// and the X front end's test mode both drive the render loop with it, so the same options give
// the same frames.
#pragma once

#include <cstdint>

namespace orv {

struct ScriptedClock {
  uint32_t start = 0;
  uint32_t step = 16;

  uint32_t TickOfFrame(uint32_t frame) const { return start + frame * step; }
};

}  // namespace orv
