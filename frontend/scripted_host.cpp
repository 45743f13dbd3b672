#include "frontend/scripted_host.h"

#include "frontend/clip_list.h"

namespace orv {

Rect ScriptedHost::GetClientRect() {
  return Rect{0, 0, static_cast<int32_t>(frame.Width()), static_cast<int32_t>(frame.Height())};
}

void ScriptedHost::GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) {
  WholeOrNothingClipList(rect, !hidden, region, size);
}

}  // namespace orv
