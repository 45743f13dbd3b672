// A plain memory frame offering the primary surface's operations: the portable builds draw
// into it, and tests read back exactly which pixel holds which value.
#pragma once

#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "core/surface.h"

namespace orv {

enum class FrameFormat { k565, k555, k24, k32 };

PixelFormat PixelFormatOf(FrameFormat format);

class MemoryFrame final : public Surface {
 public:
  // pitch is the number of bytes from one row to the next, at least width x bytes per pixel.
  MemoryFrame(uint32_t width, uint32_t height, FrameFormat format, int32_t pitch);
  MemoryFrame(uint32_t width, uint32_t height, FrameFormat format);

  void AddRef() override { ++references; }
  int32_t Lock(const Rect& rect, SurfaceDesc& desc) override;
  void Unlock() override {
    locked = false;
    ++unlocks;
  }
  void Release() override { --references; }

  uint32_t Width() const { return width; }
  uint32_t Height() const { return height; }
  int32_t Pitch() const { return pitch; }
  uint32_t BytesPerPixel() const { return format.dwRGBBitCount / 8; }
  const PixelFormat& Format() const { return format; }
  std::vector<uint8_t>& Bytes() { return bytes; }
  const std::vector<uint8_t>& Bytes() const { return bytes; }

  // The pixel value at (x, y), little-endian, BytesPerPixel() bytes.
  uint32_t PixelAt(uint32_t x, uint32_t y) const;
  // The pixel at (x, y) as 8-bit red, green and blue, each channel's bits widened.
  void RgbAt(uint32_t x, uint32_t y, uint8_t rgb[3]) const;

  bool failLocks = false;  // when set, every Lock fails as a busy surface would
  int32_t references = 0;  // AddRef minus Release
  int32_t unlocks = 0;
  bool locked = false;

 private:
  uint32_t width;
  uint32_t height;
  int32_t pitch;
  PixelFormat format;
  std::vector<uint8_t> bytes;
};

}  // namespace orv
