#include "core/surface_lock.h"

#include "core/arith.h"
#include "core/square_pen.h"

namespace orv {

SurfaceLock::SurfaceLock(Surface& s, const Rect& rect) : locked(false), surface(&s) {
  surface->AddRef();
  if (surface->Lock(rect, desc) < 0) return;
  locked = true;

  // The lock reports the whole surface's size; plotting must stay inside the window.
  const uint32_t rectWidth = static_cast<uint32_t>(WrapSub(rect.right, rect.left));
  const uint32_t rectHeight = static_cast<uint32_t>(WrapSub(rect.bottom, rect.top));
  if (rectWidth < desc.dwWidth) desc.dwWidth = rectWidth;
  if (rectHeight < desc.dwHeight) desc.dwHeight = rectHeight;

  const PixelFormat& format = desc.ddpfPixelFormat;
  bytesPerPixel = static_cast<uint8_t>(format.dwRGBBitCount >> 3);
  channelMask = format.dwBBitMask | format.dwGBitMask | format.dwRBitMask;
  redShift = ChannelShift(format.dwRBitMask, 24);
  greenShift = ChannelShift(format.dwGBitMask, 16);
  blueShift = ChannelShift(format.dwBBitMask, 8);
}

SurfaceLock::~SurfaceLock() {
  if (locked) surface->Unlock();
  surface->Release();
}

void SurfaceLock::PlotSquare(int16_t x, int16_t y, uint8_t n, uint32_t colour) {
  SquarePen(*this, n).PlotSquare(x, y, colour);
}

}  // namespace orv
