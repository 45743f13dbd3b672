// The clip list of a window that is either wholly visible or not at all, for hosts that learn
// visibility as a yes or no (the offline renderer's script, X's visibility events).
#pragma once

#include <cstdint>

#include "core/render_host.h"

namespace orv {

// Answers GetClipList: one rectangle, `rect` itself, when visible; no rectangle otherwise.
void WholeOrNothingClipList(const Rect& rect, bool visible, RegionHeader* region, uint32_t* size);

}  // namespace orv
