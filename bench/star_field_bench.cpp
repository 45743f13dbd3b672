// One frame of the star field: erase, move, project and draw 200 stars into a 32-bit frame.
#include <benchmark/benchmark.h>

#include "core/random.h"
#include "effects/star_field.h"
#include "frontend/memory_frame.h"

namespace orv {
namespace {

struct StepClock final : TickSource {
  uint32_t GetTickCount() override { return tick += 16; }
  uint32_t tick = 0;
};

void StarFieldFrame(benchmark::State& state) {
  const auto width = static_cast<uint32_t>(state.range(0));
  const auto height = static_cast<uint32_t>(state.range(1));
  MemoryFrame frame(width, height, FrameFormat::k32);
  const FrameView view = MakeFrameView(
      Rect{0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)}, Point{0, 0});
  StepClock clock;
  srand(1);
  StarField field(view, clock);
  for (auto _ : state) {
    SurfaceLock lock(frame, view.screenRect);
    field.Draw(lock, view);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(StarFieldFrame)->Args({640, 480})->Args({1920, 1080});

}  // namespace
}  // namespace orv
