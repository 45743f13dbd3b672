#include "effects/shape_factory.h"

#include <new>

#include "effects/shape_effect.h"

namespace orv {

Effect* CreateShape(const FrameView& view, TickSource& clock) {
  ShapeEffect* shape = new (std::nothrow) ShapeEffect(view, clock);
  if (shape == nullptr) return nullptr;
  if (shape->particles == nullptr) {  // its particle array could not be allocated
    delete shape;
    return nullptr;
  }
  return shape;
}

}  // namespace orv
