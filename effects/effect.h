// Everything that moves on the screen: advanced and drawn once per frame by the render loop.
#pragma once

#include <cstdint>

#include "core/frame_view.h"
#include "core/surface_lock.h"

namespace orv {

class Effect {
 public:
  virtual ~Effect() = default;
  virtual void Step(const FrameView& view) = 0;
  virtual void Draw(SurfaceLock& lock, const FrameView& view) = 0;

  bool finished = false;  // set once the effect is done; the render loop then deletes it
};

}  // namespace orv
