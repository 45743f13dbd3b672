// The render loop's platform on Windows: the clock, the saver window's place, a DirectDraw
// clipper bound to the window for the visibility test, and the primary surface.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include "core/render_host.h"
#include "core/surface.h"
#include "saver/com_ptr.h"

namespace orv {

// The primary surface behind the drawing code's Surface: the four operations forwarded to
// IDirectDrawSurface.
class DirectDrawSurface final : public Surface {
 public:
  explicit DirectDrawSurface(IDirectDrawSurface* s) : surface(s) {}
  void AddRef() override { surface->AddRef(); }
  int32_t Lock(const Rect& rect, SurfaceDesc& desc) override;
  void Unlock() override { surface->Unlock(nullptr); }
  void Release() override { surface->Release(); }

 private:
  IDirectDrawSurface* surface;
};

class DirectDrawHost final : public RenderHost {
 public:
  DirectDrawHost(HWND w, IDirectDraw* dd, IDirectDrawSurface* primary)
      : window(w), directDraw(dd), primarySurface(primary) {}

  uint32_t GetTickCount() override { return ::GetTickCount(); }
  Rect GetClientRect() override;
  Point ClientToScreen(Point client) override;
  void CreateClipper() override;
  void ReleaseClipper() override;
  void GetClipList(const Rect& rect, RegionHeader* region, uint32_t* size) override;
  Surface& Primary() override { return primarySurface; }
  int32_t GetScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }

 private:
  HWND window;
  IDirectDraw* directDraw;  // the Saver's
  DirectDrawSurface primarySurface;
  ComPtr<IDirectDrawClipper> clipper;
};

}  // namespace orv
