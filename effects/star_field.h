// 200 pale blue stars flying towards the viewer at 9 depth units per millisecond, brighter as
// they come closer, reborn far away when they leave the window.
#pragma once

#include <cstdint>
#include <memory>

#include "core/frame_view.h"
#include "core/render_host.h"
#include "core/surface_lock.h"
#include "effects/effect.h"

namespace orv {

struct Star : ScreenPoint {
  uint32_t colour;
  uint16_t brightness;  // 1/256 units, 80 to 272
};

class StarField final : public Effect {
 public:
  static constexpr int32_t kCount = 200;
  static constexpr uint32_t kColour = 0xff9070;

  StarField(const FrameView& view, TickSource& clock);
  StarField(const StarField&) = delete;
  StarField& operator=(const StarField&) = delete;

  void Step(const FrameView&) override {}
  void Draw(SurfaceLock& lock, const FrameView& view) override;

  // A new star somewhere in the part of a far depth plane that the window shows, not yet
  // placed on the screen. Draws four random numbers.
  static void Spawn(Star& star, const FrameView& view);
  static void PlotStar(const Star& star, SurfaceLock& lock, uint8_t n, bool erase);

  uint32_t lastTick;
  int32_t count;
  std::unique_ptr<Star[]> stars;

 private:
  TickSource& clock;
};

// Square edge for a usable width: 1 below 640 pixels, then one more for every 320.
uint8_t SquareSize(uint32_t usableWidth);

}  // namespace orv
