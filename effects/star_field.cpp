#include "effects/star_field.h"

#include "core/arith.h"
#include "core/colour.h"
#include "core/random.h"

namespace orv {

uint8_t SquareSize(uint32_t usableWidth) {
  constexpr uint32_t kWidthPerPixel = 320;  // of usable width, for each pixel of the edge
  const uint8_t n = static_cast<uint8_t>(usableWidth / kWidthPerPixel);
  return n == 0 ? 1 : n;
}

StarField::StarField(const FrameView& view, TickSource& ticks)
    : count(kCount), stars(new Star[kCount]), clock(ticks) {
  for (int32_t i = 0; i < count; ++i) Spawn(stars[i], view);
  lastTick = clock.GetTickCount();
}

void StarField::Spawn(Star& star, const FrameView& view) {
  // A depth from 15749 to 62999: z0 from 15000 to 30000, squared, so that nearer depths come
  // out more likely than farther ones. 2.1 is a 32-bit float.
  const int32_t z0 = 15000 + ScaledRand(15000);
  star.z = static_cast<int32_t>(static_cast<double>(z0 * z0) * static_cast<double>(2.1f) / 30000.0);
  // A window under 2 pixels wide has no focal length; its stars all stand on the axis.
  const int32_t f = view.focalLength > 0 ? view.focalLength : 1;
  const int32_t a = WrapMul(star.z, view.halfWidth) / f;
  star.x = WrapSub(ScaledRand(WrapMul(2, a)), a);
  const int32_t b = WrapMul(star.z, view.halfHeight) / f;
  star.y = WrapSub(ScaledRand(WrapMul(2, b)), b);
  constexpr int32_t kDimmest = 80;
  constexpr int32_t kBrightnessSpread = 192;
  star.brightness = static_cast<uint16_t>(ScaledRand(kBrightnessSpread) + kDimmest);
  star.colour = kColour;
  star.screenX = ScreenPoint::kUnplaced;
  star.screenY = ScreenPoint::kUnplaced;
}

void StarField::Draw(SurfaceLock& lock, const FrameView& view) {
  const uint32_t now = clock.GetTickCount();
  const uint32_t step = (now - lastTick) * kSpeed;
  lastTick = now;
  SquarePen(lock, SquareSize(lock.Width())).Visit([&](const auto plot) {
    // Copies the compiler may keep in registers: the pixel stores could alias the originals.
    const Projection project(view);
    Star* const all = stars.get();
    const int32_t total = count;
    for (int32_t i = 0; i < total; ++i) {
      Star& star = all[i];
      PlotStar(star, plot, true);
      star.z = WrapSub(star.z, static_cast<int32_t>(step));
      if (!project(star)) Spawn(star, view);
      PlotStar(star, plot, false);
    }
  });
}

}  // namespace orv
