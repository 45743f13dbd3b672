#include "loop/render_loop.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "core/arith.h"
#include "core/random.h"
#include "core/surface_lock.h"

namespace orv {

uint32_t SettlePause(uint32_t pause, int32_t elapsed, int32_t frameCounter) {
  if (elapsed >= 300 && pause == 0 && frameCounter > 5) {
    return static_cast<uint32_t>(WrapMul(2, elapsed) / frameCounter + 1);
  }
  return pause;
}

bool ClipListCoversWindow(const RegionHeader& region, uint32_t regionBytes, const Rect& window) {
  if (regionBytes < sizeof(RegionHeader) + sizeof(Rect) || region.nCount != 1) return false;
  Rect first;
  std::memcpy(&first, reinterpret_cast<const unsigned char*>(&region) + sizeof(RegionHeader),
              sizeof first);
  return first == window;
}

bool ShapeIsDue(uint32_t now, uint32_t nextShapeTime) {
  return static_cast<int32_t>(now - nextShapeTime) >= 0;
}

RenderLoop::RenderLoop(RenderHost& h, ShapeSource& source)
    : host(h), shapes(source), startTime(host.GetTickCount()), starField(BuildFrameView(), host) {
  host.CreateClipper();
  nextShapeTime = host.GetTickCount() + static_cast<uint32_t>(ScaledRand(6000));
}

RenderLoop::~RenderLoop() {
  host.ReleaseClipper();
  shape.reset();
  // The star field, a member, is destroyed after this body: last.
}

FrameView RenderLoop::BuildFrameView() {
  const Rect client = host.GetClientRect();
  return MakeFrameView(client, host.ClientToScreen(Point{client.left, client.top}));
}

bool RenderLoop::IsWhollyVisible(const Rect& screenRect) {
  uint32_t size = 0;
  host.GetClipList(screenRect, nullptr, &size);
  // A size too small for the region's header means the clipper failed: not visible.
  if (size < sizeof(RegionHeader)) return false;
  // A region of one rectangle, the only kind that can show the whole window, fits in a buffer
  // on the stack, so a frame allocates nothing; a larger region goes to the heap.
  uint32_t local[(sizeof(RegionHeader) + sizeof(Rect) + 3) / 4];
  std::unique_ptr<uint32_t[]> heap;
  uint32_t* buffer = local;
  uint32_t capacity = sizeof local;
  if (size > sizeof local) {
    const uint32_t words = size / 4 + (size % 4 != 0 ? 1 : 0);
    heap.reset(new (std::nothrow) uint32_t[words]);
    if (!heap) return false;
    buffer = heap.get();
    capacity = words * 4;
  }
  auto* region = reinterpret_cast<RegionHeader*>(buffer);
  region->dwSize = sizeof(RegionHeader);
  region->nRgnSize = 0;
  region->nCount = 0;
  host.GetClipList(screenRect, region, &size);
  // The second answer may report more than the buffer holds (the region grew in between): only
  // the buffer's bytes can be read.
  return ClipListCoversWindow(*region, std::min(size, capacity), screenRect);
}

void RenderLoop::RunFrame() {
  DrawFrame();
  host.Sleep(pause);
}

void RenderLoop::DrawFrame() {
  // A saver left running for weeks at a high frame rate passes 2^31 frames: the count wraps.
  frameCounter = WrapAdd(frameCounter, 1);
  const FrameView view = BuildFrameView();

  if (shape != nullptr && shape->finished) {
    shape.reset();
    nextShapeTime = host.GetTickCount() + static_cast<uint32_t>(ScaledRand(6000));
  } else if (shape == nullptr && ShapeIsDue(host.GetTickCount(), nextShapeTime)) {
    shape = shapes.MakeShape(view, host);  // null when out of memory: the next frame tries again
  }

  if (shape != nullptr) shape->Step(view);

  if (IsWhollyVisible(view.screenRect)) {
    SurfaceLock lock(host.Primary(), view.screenRect);
    if (lock.IsLocked()) {
      starField.Draw(lock, view);
      if (shape != nullptr) shape->Draw(lock, view);
    }
  }

  const Rect& r = view.screenRect;
  if (WrapSub(r.right, r.left) < host.GetScreenWidth()) {
    const int32_t elapsed = static_cast<int32_t>(host.GetTickCount() - startTime);
    pause = SettlePause(pause, elapsed, frameCounter);
  }
}

void RunRenderLoop(RenderHost& host, const std::atomic<bool>& stopRequested, ShapeSource& shapes) {
  RenderLoop loop(host, shapes);
  while (!stopRequested.load()) loop.RunFrame();
}

}  // namespace orv
