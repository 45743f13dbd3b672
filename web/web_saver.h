// One saver of the web page: its frame, the render loop's platform over it, and the loop,
// run one frame at a time by the page, from the browser's clock or from the scripted one.
#pragma once

#include <cstdint>
#include <memory>

#include "core/render_host.h"
#include "effects/shape_source.h"
#include "frontend/scripted_clock.h"
#include "loop/render_loop.h"
#include "web/web_frame.h"

namespace orv {

// The loop's platform in a page: the tick and the visibility that the page hands over each
// frame, and a window that is the whole frame. The browser paces the frames: the page runs
// them with DrawFrame and puts each on the canvas itself, so the loop never sleeps here.
class WebHost final : public RenderHost {
 public:
  explicit WebHost(WebFrame& webFrame) : frame(webFrame) {}

  uint32_t GetTickCount() override { return tick; }
  Rect GetClientRect() override;
  Point ClientToScreen(Point client) override { return client; }
  void CreateClipper() override {}
  void ReleaseClipper() override {}
  void GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) override;
  Surface& Primary() override { return frame; }
  // As wide as the screen: a page's frames are never throttled by the loop.
  int32_t GetScreenWidth() override { return static_cast<int32_t>(frame.Width()); }
  void Sleep(uint32_t) override {}

  uint32_t tick = 0;
  bool visible = true;

 private:
  WebFrame& frame;
};

class WebSaver {
 public:
  // Builds an all-black frame of this size and starts a new run on it: the random generator
  // seeded with `seed`, the clock reading `tick` during start-up. False when there is no memory
  // for the frame; nothing runs then.
  bool Start(uint32_t width, uint32_t height, uint32_t seed, uint32_t tick);
  // A new all-black frame of this size for the run under way (a resized box). False, and the
  // run stopped, when there is no memory for it.
  bool Resize(uint32_t width, uint32_t height);
  // One frame at this tick; nothing is drawn while the page is hidden.
  void Frame(uint32_t tick, bool visible);
  // A scripted run: Start with the clock's start tick, then frames 1 to `frames` at the
  // clock's ticks, up to `count` of them per call. Returns how many are left to run.
  void Script(const ScriptedClock& clock, uint32_t frames);
  uint32_t RunScript(uint32_t count);

  bool Running() const { return loop != nullptr; }
  WebFrame& Canvas() { return frame; }

 private:
  WebFrame frame;
  WebHost host{frame};
  std::unique_ptr<RandomShapes> shapes;  // a run's own, with its first-shape rule
  std::unique_ptr<RenderLoop> loop;
  ScriptedClock clock;
  uint32_t scriptFrames = 0;
  uint32_t scriptDone = 0;
};

}  // namespace orv
