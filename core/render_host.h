// What the render loop needs from the platform: the clock, the window's place, the clipper's
// view of what is visible, the primary surface, the screen width and sleeping. The Windows
// build answers with GetTickCount, the saver window and DirectDraw; the portable build with a
// scripted clock and a memory frame.
#pragma once

#include <cstdint>

#include "core/geometry.h"
#include "core/surface.h"

namespace orv {

class TickSource {
 public:
  // Milliseconds since some start, unsigned 32-bit; differences are taken wrapping.
  virtual uint32_t GetTickCount() = 0;

 protected:
  ~TickSource() = default;
};

// The header of the region that a clip list is returned in (RGNDATAHEADER), followed by
// nCount rectangles.
struct RegionHeader {
  uint32_t dwSize;
  uint32_t iType;
  uint32_t nCount;
  uint32_t nRgnSize;
  Rect rcBound;
};
static_assert(sizeof(RegionHeader) == 32);

class RenderHost : public TickSource {
 public:
  // The window's client rectangle (left = top = 0) and a client point in screen coordinates.
  virtual Rect GetClientRect() = 0;
  virtual Point ClientToScreen(Point client) = 0;

  // A clipper bound to the window, made before the first frame and released after the last.
  virtual void CreateClipper() = 0;
  virtual void ReleaseClipper() = 0;
  // With no region: stores in *size the bytes that the visible part of `rect` needs. With a
  // region of *size bytes: fills it with that part (screen coordinates).
  virtual void GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) = 0;

  virtual Surface& Primary() = 0;
  virtual int32_t GetScreenWidth() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;

 protected:
  ~RenderHost() = default;
};

}  // namespace orv
