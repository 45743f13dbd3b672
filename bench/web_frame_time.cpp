// The web page's frames natively, for bench/web-cost: the renderer's scripted frames drawn
// into a 32-bit frame whose drawn squares mark a grid of changed tiles, as the page's frame
// marks them, and timed as bench/web/web_cost.py times the page's module in the browser: a run
// brought up to frame FIRST, then frames FIRST + 1 to LAST as one stretch, ROUNDS times. Prints
// the least CPU time of the thread per frame in microseconds (CPU time, and the least, because
// the machine may be shared).
//   orv_web_frame_time SEED FIRST LAST WIDTH HEIGHT ROUNDS
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "core/random.h"
#include "effects/shape_source.h"
#include "frontend/damage_grid.h"
#include "frontend/memory_frame.h"
#include "frontend/scripted_clock.h"
#include "frontend/scripted_host.h"
#include "loop/render_loop.h"

namespace orv {
namespace {

// A memory frame that reports every drawn square to a grid of changed tiles.
class MarkedFrame final : public Surface {
 public:
  MarkedFrame(uint32_t width, uint32_t height) : frame(width, height, FrameFormat::k32) {
    damage.Resize(static_cast<int32_t>(width), static_cast<int32_t>(height));
  }
  void AddRef() override {}
  int32_t Lock(const Rect& rect, SurfaceDesc& desc) override {
    const int32_t result = frame.Lock(rect, desc);
    desc.damage = &damage;
    return result;
  }
  void Unlock() override { frame.Unlock(); }
  void Release() override {}

  MemoryFrame frame;
  DamageGrid damage;
};

// The scripted host, with the marked frame as its primary surface.
class MarkedHost final : public RenderHost {
 public:
  MarkedHost(uint32_t width, uint32_t height)
      : surface(width, height), host(surface.frame, static_cast<int32_t>(width)) {}
  uint32_t GetTickCount() override { return host.tick; }
  Rect GetClientRect() override { return host.GetClientRect(); }
  Point ClientToScreen(Point client) override { return client; }
  void CreateClipper() override {}
  void ReleaseClipper() override {}
  void GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) override {
    host.GetClipList(rect, region, size);
  }
  Surface& Primary() override { return surface; }
  int32_t GetScreenWidth() override { return host.GetScreenWidth(); }
  void Sleep(uint32_t) override {}

  MarkedFrame surface;
  ScriptedHost host;
};

double ThreadMicros() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

int Run(int argc, char** argv) {
  if (argc != 7) {
    std::fputs("usage: orv_web_frame_time SEED FIRST LAST WIDTH HEIGHT ROUNDS\n", stderr);
    return 2;
  }
  uint32_t value[6];
  for (int i = 0; i < 6; ++i)
    value[i] = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
  const uint32_t seed = value[0], first = value[1], last = value[2], rounds = value[5];
  const ScriptedClock clock;
  std::vector<double> times;
  for (uint32_t round = 0; round < rounds; ++round) {
    MarkedHost host(value[3], value[4]);
    srand(seed);
    RandomShapes shapes;  // a new page's
    host.host.tick = clock.start;
    RenderLoop loop(host, shapes);
    uint32_t k = 0;
    auto frame = [&] {
      host.host.tick = clock.TickOfFrame(++k);
      loop.DrawFrame();
    };
    while (k < first) frame();
    const double start = ThreadMicros();
    while (k < last) frame();
    times.push_back((ThreadMicros() - start) / (last - first));
  }
  std::sort(times.begin(), times.end());
  std::printf("%.1f\n", times.front());
  return 0;
}

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
  return orv::Run(argc, argv);
}
