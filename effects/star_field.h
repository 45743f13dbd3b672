// 200 pale blue stars flying towards the viewer at 9 depth units per millisecond, brighter as
// they come closer, reborn far away when they leave the window.
#pragma once

#include <cstdint>
#include <memory>

#include "core/colour.h"
#include "core/frame_view.h"
#include "core/render_host.h"
#include "core/square_pen.h"
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
  static constexpr uint32_t kSpeed = 9;  // depth units per millisecond
  // A star's brightness factor is its base brightness x (kNearness / depth) / 256: the base
  // brightness at about 14414 deep, more nearer, but never above kBrightest (twice full).
  static constexpr int32_t kNearness = 3690000;
  static constexpr uint32_t kBrightest = 512;

  StarField(const FrameView& view, TickSource& clock);
  StarField(const StarField&) = delete;
  StarField& operator=(const StarField&) = delete;

  void Step(const FrameView&) override {}
  void Draw(SurfaceLock& lock, const FrameView& view) override;

  // A new star somewhere in the part of a far depth plane that the window shows, not yet
  // placed on the screen. Draws four random numbers. Kept out of Draw's loop, where a star is
  // seldom reborn: copied into each of the loop's sixteen forms it only made the code larger.
  [[gnu::noinline]] static void Spawn(Star& star, const FrameView& view);
  // A black square over the star's last position, or its colour, brighter as it comes
  // nearer; through a pen or one of its plots (SquarePen::Visit).
  template <typename Plot>
  static void PlotStar(const Star& star, const Plot& plot, bool erase) {
    plot(star.screenX, star.screenY, erase ? 0 : ScaleColor(star.colour, StarFactor(star)));
  }
  // The same for one square of size n, through a pen of its own.
  static void PlotStar(const Star& star, SurfaceLock& lock, uint8_t n, bool erase) {
    PlotStar(star, SquarePen(lock, n), erase);
  }

  // The brightness factor of a star at its depth, in 1/256 units.
  static uint32_t StarFactor(const Star& star) {
    const int32_t q = kNearness / star.z;
    const uint32_t factor =
        (static_cast<uint32_t>(star.brightness) * static_cast<uint32_t>(q)) >> 8;
    return factor > kBrightest ? kBrightest : factor;
  }

  uint32_t lastTick;
  int32_t count;
  std::unique_ptr<Star[]> stars;

 private:
  TickSource& clock;
};

// Square edge for a usable width: 1 below 640 pixels, then one more for every 320.
uint8_t SquareSize(uint32_t usableWidth);

}  // namespace orv
