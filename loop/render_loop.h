// The render thread's frame loop: it owns the star field for its whole life and at most one
// shape at a time, rebuilds the window's view every frame, draws only while the window is
// wholly visible, and in a window narrower than the screen measures its speed once and then
// sleeps between frames.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "core/frame_view.h"
#include "core/render_host.h"
#include "effects/effect.h"
#include "effects/shape_source.h"
#include "effects/star_field.h"

namespace orv {

class RenderLoop {
 public:
  // Start-up: start time, star field, clipper, and the time of the first shape.
  RenderLoop(RenderHost& host, ShapeSource& shapes);
  // Shut-down: clipper, then shape, then star field.
  ~RenderLoop();
  RenderLoop(const RenderLoop&) = delete;
  RenderLoop& operator=(const RenderLoop&) = delete;

  // One frame: DrawFrame, then the host's Sleep for the pause.
  void RunFrame();
  // Everything of a frame but its pause: the shape's turn, the drawing, and settling the
  // pause. A front end that shows the frame itself (copies it to the display) calls this, shows
  // the frame, and then waits Pause() as it likes.
  void DrawFrame();

  int32_t FrameCounter() const { return frameCounter; }
  uint32_t Pause() const { return pause; }
  uint32_t NextShapeTime() const { return nextShapeTime; }
  const Effect* Shape() const { return shape.get(); }

 private:
  FrameView BuildFrameView();
  bool IsWhollyVisible(const Rect& screenRect);

  RenderHost& host;
  ShapeSource& shapes;
  uint32_t startTime;
  int32_t frameCounter = 0;
  uint32_t pause = 0;
  StarField starField;
  std::unique_ptr<Effect> shape;
  uint32_t nextShapeTime = 0;
};

// The pause in milliseconds after a frame: settled once, from the first frame past 300 ms and
// past the 5th, at twice the average frame time plus 1 ms; unchanged before and after that.
uint32_t SettlePause(uint32_t pause, int32_t elapsed, int32_t frameCounter);

// Whether the next shape is due: `now` is at or past its time. The tick counter wraps every
// 49.7 days, so the two are compared by their wrapping difference, not as plain numbers: a time
// just below the wrap falls due just after it, and a time that wrapped is not yet due before it.
bool ShapeIsDue(uint32_t now, uint32_t nextShapeTime);

// Whether a clip list shows the whole window: exactly one rectangle, equal to the window's.
bool ClipListCoversWindow(const RegionHeader& region, uint32_t regionBytes, const Rect& window);

// The render thread's body: runs frames until stopRequested is set, then shuts down.
void RunRenderLoop(RenderHost& host, const std::atomic<bool>& stopRequested, ShapeSource& shapes);

}  // namespace orv
