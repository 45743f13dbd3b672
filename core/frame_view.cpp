#include "core/frame_view.h"

#include "core/arith.h"

namespace orv {

FrameView MakeFrameView(const Rect& client, Point topLeftOnScreen) {
  Rect r = client;
  r.right = WrapAdd(r.right, WrapSub(topLeftOnScreen.x, r.left));
  r.bottom = WrapAdd(r.bottom, WrapSub(topLeftOnScreen.y, r.top));
  r.left = topLeftOnScreen.x;
  r.top = topLeftOnScreen.y;

  FrameView view;
  view.screenRect = r;
  view.halfWidth = WrapSub(r.right, r.left) >> 1;
  view.halfHeight = WrapSub(r.bottom, r.top) >> 1;
  view.focalLength = static_cast<int32_t>(static_cast<uint32_t>(view.halfWidth) << 2);
  return view;
}

}  // namespace orv
