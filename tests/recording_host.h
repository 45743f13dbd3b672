// A render host that writes every platform call into a log, over a memory frame, with a
// scripted clock and a chosen answer to "is the window wholly visible".
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/render_host.h"
#include "effects/effect.h"
#include "frontend/memory_frame.h"

namespace orv::test {

class RecordingHost final : public RenderHost, public Surface {
 public:
  enum class Clip { kWhole, kCovered, kTwoHalves, kOtherRect, kGrowsBetweenCalls };

  RecordingHost(uint32_t width, uint32_t height)
      : frame(width, height, FrameFormat::k32),
        client{0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)},
        screenWidth(static_cast<int32_t>(width)) {}

  uint32_t GetTickCount() override {
    log.push_back("tick");
    return tick;
  }
  Rect GetClientRect() override {
    log.push_back("client");
    return client;
  }
  Point ClientToScreen(Point p) override {
    log.push_back("toScreen");
    return Point{p.x + origin.x, p.y + origin.y};
  }
  void CreateClipper() override { log.push_back("createClipper"); }
  void ReleaseClipper() override { log.push_back("releaseClipper"); }
  void GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) override;
  Surface& Primary() override { return *this; }
  int32_t GetScreenWidth() override {
    log.push_back("screenWidth");
    return screenWidth;
  }
  void Sleep(uint32_t ms) override {
    log.push_back("sleep " + std::to_string(ms));
    sleeps.push_back(ms);
    if (onSleep) onSleep();
  }

  void AddRef() override { log.push_back("addRef"); }
  int32_t Lock(const Rect& rect, SurfaceDesc& desc) override {
    log.push_back("lock " + std::to_string(rect.left) + "," + std::to_string(rect.top));
    lockedRects.push_back(rect);
    return failLocks ? -1 : frame.Lock(Rect{0, 0, client.right, client.bottom}, desc);
  }
  void Unlock() override {
    log.push_back("unlock");
    frame.Unlock();
  }
  void Release() override { log.push_back("release"); }

  // The log since the last call, then cleared.
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }

  MemoryFrame frame;
  Rect client;
  Point origin{0, 0};
  int32_t screenWidth;
  uint32_t tick = 0;
  Clip clip = Clip::kWhole;
  bool failLocks = false;
  std::vector<std::string> log;
  std::vector<uint32_t> sleeps;
  std::function<void()> onSleep;
  std::vector<Rect> lockedRects;
};

inline void RecordingHost::GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) {
  log.push_back(region == nullptr ? "clipSize" : "clipList");
  std::vector<Rect> rects;
  switch (clip) {
    case Clip::kWhole:
      rects = {rect};
      break;
    case Clip::kCovered:
      break;
    case Clip::kTwoHalves: {
      const int32_t middle = (rect.left + rect.right) / 2;
      rects = {{rect.left, rect.top, middle, rect.bottom},
               {middle, rect.top, rect.right, rect.bottom}};
      break;
    }
    case Clip::kOtherRect:
      rects = {{rect.left, rect.top, rect.right - 1, rect.bottom}};
      break;
    case Clip::kGrowsBetweenCalls:
      // Empty when asked for the size; when asked for the region, one rectangle that doesn't
      // fit: the header says so and the size reported is the larger one.
      if (region != nullptr) {
        region->nCount = 1;
        *size = sizeof(RegionHeader) + sizeof(Rect);
        return;
      }
      break;
  }
  const uint32_t needed = static_cast<uint32_t>(sizeof(RegionHeader) + rects.size() * sizeof(Rect));
  if (region == nullptr || *size < needed) {
    *size = needed;
    return;
  }
  region->nCount = static_cast<uint32_t>(rects.size());
  if (!rects.empty()) {
    std::memcpy(reinterpret_cast<unsigned char*>(region) + sizeof(RegionHeader), rects.data(),
                rects.size() * sizeof(Rect));
  }
}

// A shape that records its life in the host's log.
class LoggedShape final : public Effect {
 public:
  explicit LoggedShape(std::vector<std::string>& hostLog) : log(hostLog) {
    log.push_back("shape.new");
  }
  ~LoggedShape() override { log.push_back("shape.delete"); }
  void Step(const FrameView&) override {
    log.push_back("shape.step");
    if (finishOnStep) finished = true;
  }
  void Draw(SurfaceLock&, const FrameView&) override { log.push_back("shape.draw"); }

  bool finishOnStep = false;
  std::vector<std::string>& log;
};

}  // namespace orv::test
