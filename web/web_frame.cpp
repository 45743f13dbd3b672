#include "web/web_frame.h"

#include <cstddef>
#include <new>

#include "frontend/surface_bounds.h"

namespace orv {
namespace {

// 0x00RRGGBB as the bytes R, G, B, 255.
uint32_t CanvasPixel(uint32_t pixel) {
  return (__builtin_bswap32(pixel) >> 8) | 0xFF000000u;
}

}  // namespace

bool WebFrame::Rebuild(uint32_t w, uint32_t h) {
  pixels.reset();
  canvas.reset();
  width = height = 0;
  const size_t count = size_t{w} * h;
  pixels.reset(new (std::nothrow) uint32_t[count]());
  canvas.reset(new (std::nothrow) uint32_t[count]);
  if (pixels == nullptr || canvas == nullptr) {
    pixels.reset();
    canvas.reset();
    return false;
  }
  width = w;
  height = h;
  damage.Resize(static_cast<int32_t>(w), static_cast<int32_t>(h));
  damage.MarkAll();
  return true;
}

const std::vector<Rect>& WebFrame::TakeChanges() {
  const std::vector<Rect>& runs = damage.TakeRuns();
  for (const Rect& r : runs) {
    for (int32_t y = r.top; y < r.bottom; ++y) {
      const size_t row = size_t{width} * static_cast<uint32_t>(y);
      const uint32_t* from = pixels.get() + row;
      uint32_t* to = canvas.get() + row;
      for (int32_t x = r.left; x < r.right; ++x) to[x] = CanvasPixel(from[x]);
    }
  }
  return runs;
}

int32_t WebFrame::Lock(const Rect& rect, SurfaceDesc& desc) {
  constexpr int32_t kBusy = -1;
  if (pixels == nullptr || locked) return kBusy;
  if (!LiesOnSurface(rect, width, height)) return kBusy;
  locked = true;
  desc.dwWidth = width;
  desc.dwHeight = height;
  desc.lPitch = static_cast<int32_t>(width * 4);
  desc.lpSurface = pixels.get() + size_t{width} * static_cast<uint32_t>(rect.top) +
                   static_cast<uint32_t>(rect.left);
  desc.ddpfPixelFormat = {0x40, 32, 0xFF0000, 0xFF00, 0xFF};  // DDPF_RGB
  desc.damage = &damage;
  return 0;
}

}  // namespace orv
