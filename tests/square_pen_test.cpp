#include "core/square_pen.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

namespace orv {
namespace {

// A surface of any pixel format whose rows start at odd addresses and end with padding, filled
// with a pattern so that kept and overwritten bits show. Its buffer ends with the last row, so
// a write past the square's last pixel reaches memory that the sanitizers watch.
class PatternSurface final : public Surface {
 public:
  PatternSurface(uint32_t w, uint32_t h, int32_t rowPitch, const PixelFormat& pixelFormat)
      : width(w),
        height(h),
        pitch(rowPitch),
        format(pixelFormat),
        bytes(1 + static_cast<size_t>(rowPitch) * h) {
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 11);
  }
  void AddRef() override {}
  int32_t Lock(const Rect&, SurfaceDesc& desc) override {
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.lPitch = pitch;
    desc.lpSurface = bytes.data() + 1;
    desc.ddpfPixelFormat = format;
    return 0;
  }
  void Unlock() override {}
  void Release() override {}

  uint32_t width, height;
  int32_t pitch;
  PixelFormat format;
  std::vector<uint8_t> bytes;
};

// The square as the plain rule has it, pixel by pixel: 2- and 4-byte pixels written whole;
// other widths merged into their own bytes (at most four) under the channel masks.
void ModelSquare(PatternSurface& s, int x, int y, int n, uint32_t pixel) {
  if (x < 0 || static_cast<uint32_t>(x + n) > s.width) return;
  if (y < 0 || static_cast<uint32_t>(y + n) > s.height) return;
  const int bpp = static_cast<int>(s.format.dwRGBBitCount / 8);
  const uint32_t masks = s.format.dwRBitMask | s.format.dwGBitMask | s.format.dwBBitMask;
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      uint8_t* p = s.bytes.data() + 1 + (y + j) * s.pitch + (x + i) * bpp;
      const int size = bpp < 4 ? bpp : 4;
      uint32_t value = 0;
      for (int b = 0; b < size; ++b) value |= uint32_t{p[b]} << (8 * b);
      value = (bpp == 2 || bpp == 4) ? pixel : (value & ~masks) | pixel;
      for (int b = 0; b < size; ++b) p[b] = static_cast<uint8_t>(value >> (8 * b));
    }
  }
}

TEST(SquarePen, EveryFormatAndSizeWritesExactlyThePlainRulesBytes) {
  struct Format {
    const char* name;
    PixelFormat format;
  };
  const Format formats[] = {
      {"565", {0x40, 16, 0xF800, 0x07E0, 0x001F}},
      {"555", {0x40, 16, 0x7C00, 0x03E0, 0x001F}},
      {"888 in 24 bits", {0x40, 24, 0xFF0000, 0xFF00, 0xFF}},
      {"555 in 24 bits (bits kept)", {0x40, 24, 0x7C00, 0x03E0, 0x001F}},
      {"888 in 32 bits", {0x40, 32, 0xFF0000, 0xFF00, 0xFF}},
      {"101010 in 32 bits", {0x40, 32, 0x3FF00000, 0xFFC00, 0x3FF}},
      {"332 in 8 bits", {0x40, 8, 0xE0, 0x1C, 0x03}},
      {"888 in 40 bits", {0x40, 40, 0xFF0000, 0xFF00, 0xFF}},
  };
  const int sizes[] = {0, 1, 2, 5, 6, 8, 9, 13, 20};  // 20: taller than the surface
  for (const Format& f : formats) {
    const uint32_t bpp = f.format.dwRGBBitCount / 8;
    const uint32_t w = 29, h = 17;
    for (int n : sizes) {
      // Square by square, and through the plot that Visit hands to a loop.
      for (const bool visit : {false, true}) {
        PatternSurface drawn(w, h, static_cast<int32_t>(w * bpp + 3), f.format);
        PatternSurface model = drawn;
        {
          SurfaceLock lock(drawn, Rect{0, 0, 29, 17});
          const SquarePen pen(lock, static_cast<uint8_t>(n));
          // Inside, on the right and bottom edges, just outside them, and off every side.
          const int places[][2] = {{3, 2},  {29 - n, 17 - n}, {30 - n, 0},    {0, 18 - n},
                                   {-1, 4}, {4, -1},          {-1000, -1000}, {11, 5}};
          const auto draw = [&](const auto& plot) {
            uint32_t colour = 0xff9070;
            for (const auto& at : places) {
              plot(static_cast<int16_t>(at[0]), static_cast<int16_t>(at[1]), colour);
              ModelSquare(model, at[0], at[1], n, lock.PixelValue(colour));
              colour = colour * 2654435761u + 12345u;
            }
          };
          if (visit) {
            pen.Visit(draw);
          } else {
            draw(pen);
          }
        }
        EXPECT_EQ(drawn.bytes, model.bytes) << f.name << ", n = " << n << (visit ? ", visit" : "");
      }
    }
  }
}

// A surface that copies changed pixels itself hears of every square drawn, before or after its
// pixels change, and of nothing else.
TEST(SquarePen, ReportsEveryDrawnSquareToTheDamageSink) {
  struct Sink final : DamageSink {
    void OtherSquareDrawn(int32_t x, int32_t y, uint32_t n) override {
      squares.push_back({x, y, static_cast<int32_t>(n)});
    }
    std::vector<std::vector<int32_t>> squares;
  } sink;
  struct Reporting final : Surface {
    explicit Reporting(DamageSink& s) : damage(s) {}
    void AddRef() override {}
    int32_t Lock(const Rect&, SurfaceDesc& desc) override {
      desc = SurfaceDesc{};
      desc.dwWidth = 12;
      desc.dwHeight = 10;
      desc.lPitch = 48;
      desc.lpSurface = pixels;
      desc.ddpfPixelFormat = {0x40, 32, 0xFF0000, 0xFF00, 0xFF};
      desc.damage = &damage;
      return 0;
    }
    void Unlock() override {}
    void Release() override {}
    DamageSink& damage;
    uint32_t pixels[12 * 10] = {};
  } surface(sink);
  SurfaceLock lock(surface, Rect{0, 0, 12, 10});
  // Square by square, and through the plot that Visit hands to a loop.
  for (const bool visit : {false, true}) {
    sink.squares.clear();
    std::fill(std::begin(surface.pixels), std::end(surface.pixels), 0u);
    const auto plot = [&](uint8_t n, int16_t x, int16_t y, uint32_t colour) {
      const SquarePen pen(lock, n);
      if (visit) {
        pen.Visit([&](const auto& p) { p(x, y, colour); });
      } else {
        pen.PlotSquare(x, y, colour);
      }
    };
    plot(3, 9, 7, 0xFFFFFF);      // on the bottom-right corner
    plot(3, 10, 0, 0xFFFFFF);     // sticks out
    plot(0, 1, 1, 0xFFFFFF);      // empty
    plot(11, 0, 0, 0xFFFFFF);     // taller than the surface
    plot(9, 1, 1, 0x00FF00);      // a size without a fill of its own
    plot(1, -1000, -1000, 0xFF);  // never placed
    plot(1, 0, 0, 0xFF);
    const std::vector<std::vector<int32_t>> expected = {{9, 7, 3}, {1, 1, 9}, {0, 0, 1}};
    EXPECT_EQ(sink.squares, expected) << (visit ? "visit" : "");
    EXPECT_EQ(surface.pixels[11 + 9 * 12], 0xFFFFFFu);
    EXPECT_EQ(surface.pixels[9 + 9 * 12], 0x00FF00u);
    EXPECT_EQ(surface.pixels[0], 0xFF0000u);
  }
}

TEST(SquarePen, AFailedLockDrawsNothing) {
  struct Refusing final : Surface {
    void AddRef() override {}
    int32_t Lock(const Rect&, SurfaceDesc&) override { return -1; }
    void Unlock() override {}
    void Release() override {}
  } refusing;
  SurfaceLock lock(refusing, Rect{0, 0, 8, 8});
  const SquarePen pen(lock, 2);
  pen.PlotSquare(0, 0, 0xFFFFFF);  // nothing to write to: must not touch memory
  pen.Visit([](const auto& plot) { plot(0, 0, 0xFFFFFF); });
  SUCCEED();
}

}  // namespace
}  // namespace orv
