// The frame of the web page: 32-bit pixels in the module's memory, drawn like the primary
// surface, with red, green and blue in bytes 2, 1 and 0 (the renderer's --format 32, the layout
// the drawing's quickest fills write). A canvas takes red, green, blue and alpha in that byte
// order, so the tiles that changed are copied into a second picture in the canvas's layout;
// only those go to the canvas.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/geometry.h"
#include "core/surface.h"
#include "frontend/damage_grid.h"

namespace orv {

class WebFrame final : public Surface {
 public:
  // Makes a new all-black frame of this size, all of it changed. False, with no frame at all,
  // when there is no memory for it.
  bool Rebuild(uint32_t width, uint32_t height);
  uint32_t Width() const { return width; }
  uint32_t Height() const { return height; }
  // The frame's pixels, row after row, with no gap between rows.
  const uint32_t* Pixels() const { return pixels.get(); }
  // The picture for the canvas: four bytes a pixel, red, green, blue and alpha (always 255).
  const uint32_t* CanvasPixels() const { return canvas.get(); }

  // Brings the canvas picture up to date where the frame changed since the last call, and
  // returns those places (right and bottom exclusive), top to bottom. The list is kept and
  // reused.
  const std::vector<Rect>& TakeChanges();

  void AddRef() override {}
  int32_t Lock(const Rect& rect, SurfaceDesc& desc) override;
  void Unlock() override { locked = false; }
  void Release() override {}

 private:
  uint32_t width = 0;
  uint32_t height = 0;
  bool locked = false;
  std::unique_ptr<uint32_t[]> pixels;
  std::unique_ptr<uint32_t[]> canvas;
  DamageGrid damage;
};

}  // namespace orv
