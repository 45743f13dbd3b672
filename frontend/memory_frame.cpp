#include "frontend/memory_frame.h"

#include <bit>
#include <cstddef>

#include "frontend/surface_bounds.h"

namespace orv {

PixelFormat PixelFormatOf(FrameFormat format) {
  constexpr uint32_t kRgb = 0x40;  // DDPF_RGB
  switch (format) {
    case FrameFormat::k565:
      return {kRgb, 16, 0xF800, 0x07E0, 0x001F};
    case FrameFormat::k555:
      return {kRgb, 16, 0x7C00, 0x03E0, 0x001F};
    case FrameFormat::k24:
      return {kRgb, 24, 0xFF0000, 0xFF00, 0xFF};
    case FrameFormat::k32:
      break;
  }
  return {kRgb, 32, 0xFF0000, 0xFF00, 0xFF};
}

MemoryFrame::MemoryFrame(uint32_t w, uint32_t h, FrameFormat f, int32_t p)
    : width(w),
      height(h),
      pitch(p),
      format(PixelFormatOf(f)),
      bytes(static_cast<std::size_t>(p) * h, 0) {}

MemoryFrame::MemoryFrame(uint32_t w, uint32_t h, FrameFormat f)
    : MemoryFrame(w, h, f, static_cast<int32_t>(w * (PixelFormatOf(f).dwRGBBitCount / 8))) {}

int32_t MemoryFrame::Lock(const Rect& rect, SurfaceDesc& desc) {
  constexpr int32_t kBusy = -1;
  if (failLocks || locked) return kBusy;
  if (!LiesOnSurface(rect, width, height)) return kBusy;
  locked = true;
  desc.dwWidth = width;
  desc.dwHeight = height;
  desc.lPitch = pitch;
  desc.lpSurface = bytes.data() +
                   static_cast<std::size_t>(rect.top) * static_cast<std::size_t>(pitch) +
                   static_cast<std::size_t>(rect.left) * BytesPerPixel();
  desc.ddpfPixelFormat = format;
  return 0;
}

uint32_t MemoryFrame::PixelAt(uint32_t x, uint32_t y) const {
  const std::size_t at =
      static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch) + x * BytesPerPixel();
  uint32_t value = 0;
  for (uint32_t b = 0; b < BytesPerPixel(); ++b) value |= uint32_t{bytes[at + b]} << (8 * b);
  return value;
}

void MemoryFrame::RgbAt(uint32_t x, uint32_t y, uint8_t rgb[3]) const {
  const uint32_t pixel = PixelAt(x, y);
  const uint32_t masks[3] = {format.dwRBitMask, format.dwGBitMask, format.dwBBitMask};
  for (int c = 0; c < 3; ++c) {
    const uint32_t mask = masks[c];
    if (mask == 0) {
      rgb[c] = 0;
      continue;
    }
    const int bits = std::popcount(mask);
    uint32_t v = (pixel & mask) >> std::countr_zero(mask);
    // Widen to 8 bits by repeating the top bits, so full intensity stays 255.
    uint32_t wide = 0;
    for (int filled = 0; filled < 8; filled += bits) {
      wide = (wide << bits) | v;
    }
    rgb[c] = static_cast<uint8_t>(wide >> (((8 + bits - 1) / bits) * bits - 8));
  }
}

}  // namespace orv
