#include "effects/shape_factory.h"

namespace orv {

// No shapes exist yet: the slot stays empty.
Effect* CreateShape(const FrameView&, TickSource&) {
  return nullptr;
}

}  // namespace orv
