#include "effects/shape_source.h"

#include <new>

namespace orv {

std::unique_ptr<ShapeEffect> RandomShapes::MakeRandomShape(const FrameView& view,
                                                           TickSource& clock) {
  std::unique_ptr<ShapeEffect> shape(new (std::nothrow) ShapeEffect(view, clock, firstShapeDone));
  // A shape whose particle array could not be allocated is discarded.
  if (shape != nullptr && shape->particles == nullptr) shape.reset();
  return shape;
}

}  // namespace orv
