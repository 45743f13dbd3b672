// The shapes' costs at 1920 x 1080, 32 bits: one whole frame (the shape's Step, then the 200
// stars and the shape drawn) for each kind turning at rest, and the construction of each kind.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/random.h"
#include "effects/shape_effect.h"
#include "effects/star_field.h"
#include "frontend/memory_frame.h"
#include "frontend/scripted_clock.h"
#include "frontend/scripted_random.h"

namespace orv {
namespace {

const FrameView kView = MakeFrameView(Rect{0, 0, 1920, 1080}, Point{0, 0});

// A shape of the kind, as a later shape of its run builds it: the first draw decides it (the
// emblem and banner kinds allowed). EmblemSlowRoll shows the emblem, Emblem the banner, so that
// both pictures are measured.
std::unique_ptr<ShapeEffect> MakeShape(int64_t kind, ManualClock& clock) {
  const auto shapeKind = static_cast<ShapeKind>(kind);
  int32_t first = static_cast<int32_t>(kind) * 10;
  if (ShowsEmblemOrBanner(shapeKind)) {
    for (;; ++first) {  // the next draw picks the picture: 6 and above the emblem
      srand(SeedForFirstDraw(first));
      rand();
      if ((rand() % 10 >= 6) == (shapeKind == ShapeKind::EmblemSlowRoll)) break;
    }
  }
  srand(SeedForFirstDraw(first));
  bool firstShapeDone = true;
  return std::make_unique<ShapeEffect>(kView, clock, firstShapeDone);
}

void ShapeFrame(benchmark::State& state) {
  MemoryFrame frame(1920, 1080, FrameFormat::k32);
  ManualClock clock;
  srand(1);
  StarField stars(kView, clock);
  const std::unique_ptr<ShapeEffect> shape = MakeShape(state.range(0), clock);
  // Turning at rest for as long as the benchmark runs.
  shape->lifetime = 1 << 30;
  clock.tick = shape->startTick + 9000;
  for (auto _ : state) {
    clock.tick += 16;
    shape->Step(kView);
    SurfaceLock lock(frame, kView.screenRect);
    stars.Draw(lock, kView);
    shape->Draw(lock, kView);
    benchmark::ClobberMemory();
  }
  state.counters["particles"] = shape->count;
}
BENCHMARK(ShapeFrame)->DenseRange(0, 10)->ArgName("kind");

void ShapeConstruction(benchmark::State& state) {
  ManualClock clock;
  for (auto _ : state) {
    const std::unique_ptr<ShapeEffect> shape = MakeShape(state.range(0), clock);
    benchmark::DoNotOptimize(shape->particles.get());
  }
}
BENCHMARK(ShapeConstruction)->DenseRange(0, 10)->ArgName("kind");

}  // namespace
}  // namespace orv
