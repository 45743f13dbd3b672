#include "frontend/clip_list.h"

#include <cstring>

namespace orv {

void WholeOrNothingClipList(const Rect& rect, bool visible, RegionHeader* region, uint32_t* size) {
  const uint32_t count = visible ? 1 : 0;
  const uint32_t needed = sizeof(RegionHeader) + count * sizeof(Rect);
  if (region == nullptr || *size < needed) {
    *size = needed;
    return;
  }
  region->iType = 1;  // RDH_RECTANGLES
  region->nCount = count;
  region->nRgnSize = count * sizeof(Rect);
  region->rcBound = visible ? rect : Rect{0, 0, 0, 0};
  if (count == 1) {
    std::memcpy(reinterpret_cast<unsigned char*>(region) + sizeof(RegionHeader), &rect,
                sizeof rect);
  }
  *size = needed;
}

}  // namespace orv
