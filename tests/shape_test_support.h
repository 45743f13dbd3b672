// Helpers for the shape tests: a clock the test sets, and views of a given window size.
#pragma once

#include <cstdint>

#include "core/frame_view.h"
#include "core/render_host.h"

namespace orv::test {

struct ManualClock final : TickSource {
  uint32_t GetTickCount() override { return tick; }
  uint32_t tick = 0;
};

inline FrameView ViewOf(int32_t width, int32_t height) {
  return MakeFrameView(Rect{0, 0, width, height}, Point{0, 0});
}

}  // namespace orv::test
