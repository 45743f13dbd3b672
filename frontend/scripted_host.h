// The render loop's platform for the offline renderer: a scripted tick counter, a window that
// covers the whole memory frame at screen position (0, 0), and a visibility answer per frame.
#pragma once

#include <cstdint>

#include "core/render_host.h"
#include "frontend/memory_frame.h"

namespace orv {

class ScriptedHost final : public RenderHost {
 public:
  ScriptedHost(MemoryFrame& memoryFrame, int32_t screen)
      : frame(memoryFrame), screenWidth(screen) {}

  uint32_t GetTickCount() override { return tick; }
  Rect GetClientRect() override;
  Point ClientToScreen(Point client) override { return client; }
  void CreateClipper() override { ++clippersCreated; }
  void ReleaseClipper() override { ++clippersReleased; }
  void GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) override;
  Surface& Primary() override { return frame; }
  int32_t GetScreenWidth() override { return screenWidth; }
  // Runs are as long as 2^31 frames: a frame's sleep is counted, not kept.
  void Sleep(uint32_t milliseconds) override {
    ++sleepCount;
    lastSleep = milliseconds;
  }

  uint32_t tick = 0;
  bool hidden = false;  // the window is covered: its clip list holds no rectangle
  int32_t clippersCreated = 0;
  int32_t clippersReleased = 0;
  uint64_t sleepCount = 0;
  uint32_t lastSleep = 0;  // the pause of the last frame

 private:
  MemoryFrame& frame;
  int32_t screenWidth;
};

}  // namespace orv
