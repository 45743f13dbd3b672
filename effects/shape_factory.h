// Where the render loop gets its shapes from.
#pragma once

#include "core/frame_view.h"
#include "core/render_host.h"
#include "effects/effect.h"

namespace orv {

// A new shape for the frame's view, or null when none can be made (out of memory).
Effect* CreateShape(const FrameView& view, TickSource& clock);

}  // namespace orv
