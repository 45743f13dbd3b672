#include "tools/render/scripted_host.h"

#include <cstring>

namespace orv {

Rect ScriptedHost::GetClientRect() {
  return Rect{0, 0, static_cast<int32_t>(frame.Width()), static_cast<int32_t>(frame.Height())};
}

void ScriptedHost::GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) {
  const uint32_t count = hidden ? 0 : 1;
  const uint32_t needed = sizeof(RegionHeader) + count * sizeof(Rect);
  if (region == nullptr || *size < needed) {
    *size = needed;
    return;
  }
  region->iType = 1;  // RDH_RECTANGLES
  region->nCount = count;
  region->nRgnSize = count * sizeof(Rect);
  region->rcBound = hidden ? Rect{0, 0, 0, 0} : rect;
  if (count == 1) {
    std::memcpy(reinterpret_cast<unsigned char*>(region) + sizeof(RegionHeader), &rect,
                sizeof rect);
  }
  *size = needed;
}

}  // namespace orv
