// The render loop's platform on X11: the monotonic clock (or the scripted one), the target
// window's size, its visibility as X reports it, showing a drawn frame (its changed tiles go to
// the server, then the events are handled) and the delay between frames.
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <cstdint>

#include "core/render_host.h"
#include "x11/options.h"
#include "x11/x_image_surface.h"
#include "x11/x_target.h"

namespace orv {

// Milliseconds of the monotonic clock, truncated to 32 bits: wraps like the platform tick.
uint32_t MonotonicTick();

// Frames sent to the server so far (read by the SIGUSR1 handler).
uint32_t FramesSent();

class XHost final : public RenderHost {
 public:
  XHost(const XTarget& target, const XOptions& options);
  ~XHost();
  XHost(const XHost&) = delete;
  XHost& operator=(const XHost&) = delete;

  // Builds the first image. False when there is no memory for it.
  bool Start();

  uint32_t GetTickCount() override { return scripted ? tick : MonotonicTick(); }
  Rect GetClientRect() override { return Rect{0, 0, surface.Width(), surface.Height()}; }
  // The image is the window's own frame: window and "screen" coordinates are the same.
  Point ClientToScreen(Point client) override { return client; }
  void CreateClipper() override {}
  void ReleaseClipper() override {}
  void GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) override;
  Surface& Primary() override { return surface; }
  int32_t GetScreenWidth() override { return target.screenWidth; }
  // Between frames: waits the delay plus `milliseconds`, handling events as they come.
  void Sleep(uint32_t milliseconds) override;

  // Shows the frame just drawn: sends its changed tiles and handles the events.
  void Present();

  void SetTick(uint32_t value) { tick = value; }
  // Set when the window is gone, a request on it failed, or a window of our own was closed.
  const std::atomic<bool>& StopRequested() const { return stop; }
  // Keeps the last frame on screen (redrawn on exposure, rebuilt on resize) until stopped.
  void Idle();

 private:
  void SendFrame();
  void HandleEvents();
  void Wait(uint64_t microseconds);
  void DrawFrameRate();

  XTarget target;
  uint32_t delayMicros;
  bool showFps;
  bool scripted;
  uint32_t tick = 0;
  bool visible = true;  // until X reports the window obscured
  std::atomic<bool> stop{false};
  uint64_t errorsSeen = 0;
  XImageSurface surface;
  GC gc;
  GC textGc;
  // The frame-rate overlay: frames since `fpsSince` and the rate shown.
  uint32_t fpsSince = 0;
  uint32_t fpsFrames = 0;
  double fps = 0;
};

}  // namespace orv
