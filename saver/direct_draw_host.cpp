#include "saver/direct_draw_host.h"

#include <cstring>

namespace orv {
namespace {

RECT ToRECT(const Rect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

}  // namespace

static_assert(sizeof(RegionHeader) == sizeof(RGNDATAHEADER));
static_assert(sizeof(Rect) == sizeof(RECT));

int32_t DirectDrawSurface::Lock(const Rect& rect, SurfaceDesc& desc) {
  DDSURFACEDESC dd;
  std::memset(&dd, 0, sizeof dd);
  dd.dwSize = sizeof dd;  // 108 on 32-bit Windows
  RECT r = ToRECT(rect);
  // No wait flag: a busy or lost surface fails at once and the frame is skipped.
  const HRESULT result = surface->Lock(&r, &dd, 0, nullptr);
  if (FAILED(result)) return static_cast<int32_t>(result);
  desc.dwHeight = dd.dwHeight;
  desc.dwWidth = dd.dwWidth;
  desc.lPitch = dd.lPitch;
  desc.lpSurface = dd.lpSurface;
  desc.ddpfPixelFormat.dwFlags = dd.ddpfPixelFormat.dwFlags;
  desc.ddpfPixelFormat.dwRGBBitCount = dd.ddpfPixelFormat.dwRGBBitCount;
  desc.ddpfPixelFormat.dwRBitMask = dd.ddpfPixelFormat.dwRBitMask;
  desc.ddpfPixelFormat.dwGBitMask = dd.ddpfPixelFormat.dwGBitMask;
  desc.ddpfPixelFormat.dwBBitMask = dd.ddpfPixelFormat.dwBBitMask;
  return static_cast<int32_t>(result);
}

Rect DirectDrawHost::GetClientRect() {
  RECT r = {0, 0, 0, 0};
  ::GetClientRect(window, &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

Point DirectDrawHost::ClientToScreen(Point client) {
  POINT p = {client.x, client.y};
  ::ClientToScreen(window, &p);
  return Point{p.x, p.y};
}

void DirectDrawHost::CreateClipper() {
  // Used only to learn the window's visible region: never attached to the surface.
  if (FAILED(directDraw->CreateClipper(0, clipper.Put(), nullptr))) clipper.Forget();
  if (clipper) clipper->SetHWnd(0, window);
}

void DirectDrawHost::ReleaseClipper() {
  clipper.Reset();
}

void DirectDrawHost::GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) {
  if (!clipper) {
    *size = 0;  // no clipper: nothing counts as visible
    return;
  }
  RECT r = ToRECT(rect);
  DWORD bytes = *size;
  if (FAILED(clipper->GetClipList(&r, reinterpret_cast<RGNDATA*>(region), &bytes))) {
    // A failed call leaves the region unfilled: its header says no rectangles.
    if (region == nullptr) bytes = 0;
  }
  *size = bytes;
}

}  // namespace orv
