// The frame of the X front end: an XImage in the window's own pixel format that the drawing
// code locks like the primary surface, kept in shared memory where the server offers it. Only
// the tiles that changed since the last send reach the server.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

#include "core/surface.h"
#include "frontend/damage_grid.h"

namespace orv {

// Direct colour of 16, 24 or 32 bits per pixel, the formats the plotting draws; a palette
// visual or fewer bits answers false.
bool IsDrawableFormat(Display* display, const Visual* visual, int depth);

class XImageSurface final : public Surface {
 public:
  XImageSurface(Display* display, Visual* visual, int depth, Drawable target);
  ~XImageSurface();
  XImageSurface(const XImageSurface&) = delete;
  XImageSurface& operator=(const XImageSurface&) = delete;

  // Makes a new all-black image of this size (at least 1 x 1), all of it to be sent. False
  // when no memory is left for it.
  bool Rebuild(int32_t width, int32_t height);
  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  bool SharedMemory() const { return shmAttached; }

  // Everything is to be sent again (the window was exposed).
  void MarkAll() { damage.MarkAll(); }
  // Queues the changed tiles for the server. With shared memory the caller must wait for
  // the server (XSync) before the image is drawn into again.
  void SendChanges(GC gc);

  void AddRef() override {}
  int32_t Lock(const Rect& rect, SurfaceDesc& desc) override;
  void Unlock() override { locked = false; }
  void Release() override {}

 private:
  void Free();
  bool CreateShared();
  bool CreatePlain();

  Display* display;
  Visual* visual;
  int depth;
  Drawable target;
  bool sharedUsable;  // false after the server refused shared memory once
  XImage* image = nullptr;
  XShmSegmentInfo shm{};
  bool shmAttached = false;
  int32_t width = 0;
  int32_t height = 0;
  bool locked = false;
  PixelFormat format{};
  DamageGrid damage;
  std::vector<XRectangle> clip;  // the changed runs as the clip of the frame's image request
};

}  // namespace orv
