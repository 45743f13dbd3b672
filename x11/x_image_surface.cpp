#include "x11/x_image_surface.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frontend/surface_bounds.h"
#include "x11/x_errors.h"

namespace orv {

bool IsDrawableFormat(Display* display, const Visual* visual, int depth) {
  if (visual->c_class != TrueColor && visual->c_class != DirectColor) return false;
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  }
  if (formats != nullptr) XFree(formats);
  return depth >= 15 && (bits == 16 || bits == 24 || bits == 32);
}

XImageSurface::XImageSurface(Display* d, Visual* v, int dep, Drawable t)
    : display(d),
      visual(v),
      depth(dep),
      target(t),
      // The plotting writes little-endian pixels, which a shared image must hold as the
      // server reads them; a plain image is converted by Xlib on the way.
      sharedUsable(XShmQueryExtension(d) && ImageByteOrder(d) == LSBFirst) {}

XImageSurface::~XImageSurface() {
  Free();
}

void XImageSurface::Free() {
  if (image == nullptr) return;
  if (shmAttached) {
    XShmDetach(display, &shm);
    XSync(display, False);
    shmdt(shm.shmaddr);
    shmAttached = false;
    image->data = nullptr;
  }
  XDestroyImage(image);  // frees a plain image's pixels too
  image = nullptr;
}

bool XImageSurface::CreateShared() {
  image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm,
                          static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (image == nullptr) return false;
  const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height);
  shm.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (shm.shmid < 0) {
    XDestroyImage(image);
    image = nullptr;
    return false;
  }
  shm.shmaddr = static_cast<char*>(shmat(shm.shmid, nullptr, 0));
  bool ok = shm.shmaddr != reinterpret_cast<char*>(-1);
  if (ok) {
    image->data = shm.shmaddr;
    shm.readOnly = False;
    // XShmAttach may say yes and the server refuse later (a remote display): only the
    // answer to the sync counts.
    XErrorTrap trap(display);
    ok = XShmAttach(display, &shm) != 0;
    XSync(display, False);
    ok = ok && !trap.Caught();
  }
  // Marked for removal now, so the segment goes away with the last process that uses it.
  shmctl(shm.shmid, IPC_RMID, nullptr);
  if (!ok) {
    if (shm.shmaddr != reinterpret_cast<char*>(-1)) shmdt(shm.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
    image = nullptr;
    return false;
  }
  shmAttached = true;
  return true;
}

bool XImageSurface::CreatePlain() {
  image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                       static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (image == nullptr) return false;
  image->data = static_cast<char*>(
      std::calloc(static_cast<size_t>(image->bytes_per_line), static_cast<size_t>(height)));
  if (image->data == nullptr) {
    XDestroyImage(image);
    image = nullptr;
    return false;
  }
  image->byte_order = LSBFirst;  // as the plotting writes them; Xlib swaps for the server
  return true;
}

bool XImageSurface::Rebuild(int32_t w, int32_t h) {
  Free();
  width = w < 1 ? 1 : w;
  height = h < 1 ? 1 : h;
  if (sharedUsable && !CreateShared()) sharedUsable = false;
  if (image == nullptr && !CreatePlain()) return false;
  if (shmAttached) std::memset(image->data, 0, static_cast<size_t>(image->bytes_per_line) * height);
  format = {0x40, static_cast<uint32_t>(image->bits_per_pixel),
            static_cast<uint32_t>(image->red_mask), static_cast<uint32_t>(image->green_mask),
            static_cast<uint32_t>(image->blue_mask)};
  damage.Resize(width, height);
  damage.MarkAll();
  return true;
}

int32_t XImageSurface::Lock(const Rect& rect, SurfaceDesc& desc) {
  constexpr int32_t kBusy = -1;
  if (image == nullptr || locked) return kBusy;
  if (!LiesOnSurface(rect, static_cast<uint32_t>(width), static_cast<uint32_t>(height))) {
    return kBusy;
  }
  locked = true;
  const size_t bytesPerPixel = static_cast<size_t>(image->bits_per_pixel / 8);
  desc.dwWidth = static_cast<uint32_t>(width);
  desc.dwHeight = static_cast<uint32_t>(height);
  desc.lPitch = image->bytes_per_line;
  desc.lpSurface = image->data + static_cast<size_t>(rect.top) * image->bytes_per_line +
                   static_cast<size_t>(rect.left) * bytesPerPixel;
  desc.ddpfPixelFormat = format;
  desc.damage = &damage;
  return 0;
}

void XImageSurface::SendChanges(GC gc) {
  if (image == nullptr) return;
  const std::vector<Rect>& runs = damage.TakeRuns();
  if (runs.empty()) return;
  // One image request for the box around all changes, clipped to the changed runs: the server
  // copies only those, and a few hundred small requests a frame would cost it far more.
  // Runs come top to bottom: only the left and right of the box need a search.
  clip.resize(runs.size());
  Rect box{runs.front().left, runs.front().top, runs.front().right, runs.back().bottom};
  XRectangle* out = clip.data();
  for (const Rect& r : runs) {
    *out++ = XRectangle{static_cast<short>(r.left), static_cast<short>(r.top),
                        static_cast<unsigned short>(r.right - r.left),
                        static_cast<unsigned short>(r.bottom - r.top)};
    box.left = std::min(box.left, r.left);
    box.right = std::max(box.right, r.right);
  }
  // Runs of one row of tiles share their top and height, rows come top to bottom and runs
  // left to right: banded as the server likes it.
  XSetClipRectangles(display, gc, 0, 0, clip.data(), static_cast<int>(clip.size()), YXBanded);
  const auto w = static_cast<unsigned>(box.right - box.left);
  const auto h = static_cast<unsigned>(box.bottom - box.top);
  if (shmAttached) {
    XShmPutImage(display, target, gc, image, box.left, box.top, box.left, box.top, w, h, False);
  } else {
    XPutImage(display, target, gc, image, box.left, box.top, box.left, box.top, w, h);
  }
}

}  // namespace orv
