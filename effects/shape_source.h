// Where the render loop gets its shapes from.
#pragma once

#include <memory>

#include "core/frame_view.h"
#include "core/render_host.h"
#include "effects/effect.h"
#include "effects/shape_effect.h"

namespace orv {

class ShapeSource {
 public:
  virtual ~ShapeSource() = default;
  // A new shape for the frame's view, or null when none can be made (out of memory).
  virtual std::unique_ptr<Effect> MakeShape(const FrameView& view, TickSource& clock) = 0;
};

// The screen saver's shapes: a new random one every time. A run has one source, which keeps
// the run's firstShapeDone: its first shape never ShowsEmblemOrBanner.
class RandomShapes final : public ShapeSource {
 public:
  std::unique_ptr<Effect> MakeShape(const FrameView& view, TickSource& clock) override {
    return MakeRandomShape(view, clock);
  }
  // The same shape as a ShapeEffect: a whole shape built from random draws, or null when
  // the shape or its particle array can't be allocated (then nothing was drawn).
  std::unique_ptr<ShapeEffect> MakeRandomShape(const FrameView& view, TickSource& clock);

  bool FirstShapeDone() const { return firstShapeDone; }

 private:
  bool firstShapeDone = false;  // set by the first shape built
};

}  // namespace orv
