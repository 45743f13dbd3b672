// One point of a shape: its place in view space (recomputed every frame), where it was last
// projected, and its fixed place in the shape's own model space.
#pragma once

#include <cstdint>

#include "core/colour.h"
#include "core/frame_view.h"
#include "core/square_pen.h"
#include "core/surface_lock.h"

namespace orv {

struct Particle : ScreenPoint {
  int32_t modelX;
  int32_t modelY;
  int32_t modelZ;
  int32_t brightness;  // 1/256 units, set from the turned depth
  uint32_t colour;     // 0x00BBGGRR

  void InitParticle(int32_t px, int32_t py, int32_t pz, uint32_t c);
  // A black square over the last projected position, or the shaded colour there, through a
  // pen or one of its plots (SquarePen::Visit).
  template <typename Plot>
  void PlotParticle(const Plot& plot, bool erase) const {
    plot(screenX, screenY, erase ? 0 : ScaleColor(colour, static_cast<uint32_t>(brightness)));
  }
  // The same for one square of size n, through a pen of its own.
  void PlotParticle(SurfaceLock& lock, uint8_t n, bool erase) const {
    PlotParticle(SquarePen(lock, n), erase);
  }
};

}  // namespace orv
