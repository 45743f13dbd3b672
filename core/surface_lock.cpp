#include "core/surface_lock.h"

#include <cstddef>
#include <cstring>

#include "core/arith.h"
#include "core/colour.h"

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

uint32_t SurfaceLock::PixelValue(uint32_t colour) const {
  const PixelFormat& format = desc.ddpfPixelFormat;
  return (RotateRight(colour, greenShift) & format.dwGBitMask) |
         (RotateRight(colour, redShift) & format.dwRBitMask) |
         (RotateRight(colour, blueShift) & format.dwBBitMask);
}

void SurfaceLock::PlotSquare(int16_t x, int16_t y, uint8_t n, uint32_t colour) {
  if (x < 0 || static_cast<uint32_t>(x + n) > desc.dwWidth) return;
  if (y < 0 || static_cast<uint32_t>(y + n) > desc.dwHeight) return;

  if (desc.damage != nullptr && n > 0) desc.damage->SquareDrawn(x, y, n);
  const uint32_t pixel = PixelValue(colour);
  // Rows may start at any byte (the pitch need not be a multiple of the pixel size), so
  // pixels are stored with memcpy, which compiles to plain stores.
  unsigned char* row = static_cast<unsigned char*>(desc.lpSurface) +
                       static_cast<ptrdiff_t>(bytesPerPixel) * x +
                       static_cast<ptrdiff_t>(desc.lPitch) * y;
  for (int j = 0; j < n; ++j, row += desc.lPitch) {
    unsigned char* p = row;
    switch (bytesPerPixel) {
      case 2: {
        const uint16_t unit = static_cast<uint16_t>(pixel);
        for (int i = 0; i < n; ++i, p += 2) std::memcpy(p, &unit, 2);
        break;
      }
      case 4:
        for (int i = 0; i < n; ++i, p += 4) std::memcpy(p, &pixel, 4);
        break;
      default:
        // Keep the bits that no channel mask covers: read, merge and write back only the
        // pixel's own bytes, little-endian.
        for (int i = 0; i < n; ++i, p += bytesPerPixel) {
          uint32_t value = 0;
          for (int b = 0; b < bytesPerPixel && b < 4; ++b) value |= uint32_t{p[b]} << (8 * b);
          value = (value & ~channelMask) | pixel;
          for (int b = 0; b < bytesPerPixel && b < 4; ++b)
            p[b] = static_cast<unsigned char>(value >> (8 * b));
        }
        break;
    }
  }
}

}  // namespace orv
