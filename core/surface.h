// The primary surface as the drawing code sees it: four operations and the fields of a lock.
// The Windows build forwards them to IDirectDrawSurface; the portable build offers a plain
// memory frame with the same fields.
#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace orv {

// The fields of DDPIXELFORMAT that the drawing code reads.
struct PixelFormat {
  uint32_t dwFlags;
  uint32_t dwRGBBitCount;
  uint32_t dwRBitMask;
  uint32_t dwGBitMask;
  uint32_t dwBBitMask;
};

// Told of every square that is drawn, by a surface that must copy changed pixels to the display
// itself (an X image): only those parts are sent, not the whole frame.
class DamageSink {
 public:
  // An n-by-n square at (x, y), relative to the locked rectangle's top-left pixel, changed.
  virtual void SquareDrawn(int32_t x, int32_t y, uint32_t n) = 0;

 protected:
  ~DamageSink() = default;
};

// The fields of DDSURFACEDESC that a lock fills and the plotting reads, and where to report
// drawn squares (none for surfaces the plotting writes straight into the display).
struct SurfaceDesc {
  uint32_t dwHeight;  // height of the whole surface
  uint32_t dwWidth;   // width of the whole surface
  int32_t lPitch;     // bytes from one pixel row to the next
  void* lpSurface;    // the locked rectangle's top-left pixel
  PixelFormat ddpfPixelFormat;
  DamageSink* damage = nullptr;
};

class Surface {
 public:
  virtual void AddRef() = 0;
  // Locks the rectangle (screen coordinates) at once, without waiting: negative when the
  // surface is busy, lost or otherwise unlockable.
  virtual int32_t Lock(const Rect& rect, SurfaceDesc& desc) = 0;
  virtual void Unlock() = 0;
  virtual void Release() = 0;

 protected:
  ~Surface() = default;
};

}  // namespace orv
