#include "core/surface_lock.h"

#include <gtest/gtest.h>

#include <vector>

#include "frontend/memory_frame.h"

namespace orv {
namespace {

TEST(SurfaceLock, TakesAndReleasesOneReferenceAndUnlocksOnlyWhenLocked) {
  MemoryFrame frame(8, 8, FrameFormat::k32);
  {
    SurfaceLock lock(frame, Rect{0, 0, 8, 8});
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_EQ(frame.references, 1);
  }
  EXPECT_EQ(frame.references, 0);
  EXPECT_EQ(frame.unlocks, 1);

  frame.failLocks = true;
  {
    SurfaceLock lock(frame, Rect{0, 0, 8, 8});
    EXPECT_FALSE(lock.IsLocked());
  }
  EXPECT_EQ(frame.references, 0);  // released once
  EXPECT_EQ(frame.unlocks, 1);     // never unlocked
}

TEST(SurfaceLock, ClampsTheUsableAreaToTheWindow) {
  MemoryFrame frame(100, 50, FrameFormat::k32);
  SurfaceLock window(frame, Rect{10, 5, 40, 25});
  EXPECT_EQ(window.Width(), 30u);
  EXPECT_EQ(window.Height(), 20u);
}

// A 640-pixel-wide window: which squares are drawn near its edges.
TEST(PlotSquare, DrawsOnlySquaresWhollyInsideTheWindow) {
  struct Case {
    int16_t x, y;
    uint8_t n;
    bool drawn;
  };
  const Case cases[] = {
      {638, 0, 2, true},        {639, 0, 2, false}, {-1, 0, 2, false},
      {0, 478, 2, true},        {0, 479, 2, false}, {0, -1, 2, false},
      {-1000, -1000, 1, false}, {0, 0, 0, false},   {639, 479, 1, true},
  };
  for (const Case& c : cases) {
    MemoryFrame frame(640, 480, FrameFormat::k32);
    {
      SurfaceLock lock(frame, Rect{0, 0, 640, 480});
      lock.PlotSquare(c.x, c.y, c.n, 0xFFFFFF);
    }
    bool any = false;
    for (uint8_t b : frame.Bytes()) any = any || b != 0;
    EXPECT_EQ(any, c.drawn) << c.x << "," << c.y << " n=" << int{c.n};
  }
}

// A surface narrower than the window rectangle (the lock reports the whole surface's size).
class NarrowSurface final : public Surface {
 public:
  void AddRef() override {}
  int32_t Lock(const Rect&, SurfaceDesc& desc) override {
    desc.dwWidth = 60;
    desc.dwHeight = 10;
    desc.lPitch = 100 * 4;
    desc.lpSurface = pixels;
    desc.ddpfPixelFormat = PixelFormatOf(FrameFormat::k32);
    return 0;
  }
  void Unlock() override {}
  void Release() override {}
  uint32_t pixels[100 * 10] = {};
};

// A surface that reports where it was drawn on: the squares drawn, never the dropped ones.
class DamageRecordingFrame final : public Surface, public DamageSink {
 public:
  void AddRef() override { frame.AddRef(); }
  int32_t Lock(const Rect& rect, SurfaceDesc& desc) override {
    const int32_t result = frame.Lock(rect, desc);
    desc.damage = this;
    return result;
  }
  void Unlock() override { frame.Unlock(); }
  void Release() override { frame.Release(); }
  void OtherSquareDrawn(int32_t x, int32_t y, uint32_t n) override { squares.push_back({x, y, n}); }

  struct Square {
    int32_t x, y;
    uint32_t n;
    friend bool operator==(const Square&, const Square&) = default;
  };
  MemoryFrame frame{16, 16, FrameFormat::k565};
  std::vector<Square> squares;
};

TEST(PlotSquare, ReportsEveryDrawnSquareToTheSurfacesDamageSink) {
  DamageRecordingFrame surface;
  {
    SurfaceLock lock(surface, Rect{0, 0, 16, 16});
    lock.PlotSquare(14, 3, 2, 0xff9070);
    lock.PlotSquare(15, 3, 2, 0xff9070);         // sticks out: dropped
    lock.PlotSquare(-1000, -1000, 2, 0xff9070);  // not yet projected
    lock.PlotSquare(4, 4, 0, 0xff9070);          // empty
  }
  EXPECT_EQ(surface.squares, (std::vector<DamageRecordingFrame::Square>{{14, 3, 2}}));
}

TEST(PlotSquare, ASurfaceNarrowerThanTheWindowLimitsPlottingToItsColumns) {
  NarrowSurface surface;
  SurfaceLock lock(surface, Rect{0, 0, 100, 10});
  EXPECT_EQ(lock.Width(), 60u);
  lock.PlotSquare(58, 0, 2, 0xFFFFFF);
  lock.PlotSquare(59, 4, 2, 0xFFFFFF);
  lock.PlotSquare(70, 4, 1, 0xFFFFFF);
  EXPECT_EQ(surface.pixels[59 + 100], 0xFFFFFFu);
  int lit = 0;
  for (uint32_t p : surface.pixels) lit += p != 0;
  EXPECT_EQ(lit, 4);
}

TEST(PlotSquare, Writes565PixelsIntoEveryPixelOfTheSquareOnly) {
  MemoryFrame frame(8, 8, FrameFormat::k565);
  {
    SurfaceLock lock(frame, Rect{0, 0, 8, 8});
    lock.PlotSquare(2, 3, 3, 0xff9070);
  }
  for (uint32_t y = 0; y < 8; ++y) {
    for (uint32_t x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 3 && y < 6;
      EXPECT_EQ(frame.PixelAt(x, y), inside ? 0x749Fu : 0u) << x << "," << y;
    }
  }
}

TEST(PlotSquare, TwoAndFourBytePixelsWriteEveryBitWhileThreeBytePixelsKeepTheirNeighbours) {
  MemoryFrame wide(4, 1, FrameFormat::k32);
  MemoryFrame packed(4, 1, FrameFormat::k24);
  MemoryFrame spare(4, 1, FrameFormat::k555);
  for (MemoryFrame* f : {&wide, &packed, &spare})
    std::fill(f->Bytes().begin(), f->Bytes().end(), 0xEE);
  for (MemoryFrame* f : {&wide, &packed, &spare}) {
    SurfaceLock lock(*f, Rect{0, 0, 4, 1});
    lock.PlotSquare(1, 0, 1, 0xff9070);
  }
  EXPECT_EQ(wide.PixelAt(1, 0), 0x007090FFu);  // the top byte becomes 0
  EXPECT_EQ(spare.PixelAt(1, 0), 0x3A5Fu);     // the spare bit of 5-5-5 becomes 0
  // 24 bits: the pixel's three bytes change, the byte after it keeps its value.
  const std::vector<uint8_t> expected = {0xEE, 0xEE, 0xEE, 0xFF, 0x90, 0x70,
                                         0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_EQ(packed.Bytes(), expected);
}

TEST(PlotSquare, FollowsAPaddedPitchAndAWindowAwayFromTheOrigin) {
  MemoryFrame frame(10, 6, FrameFormat::k24, 33);  // 30 bytes of pixels, 3 of padding
  {
    SurfaceLock lock(frame, Rect{4, 2, 10, 6});
    lock.PlotSquare(0, 0, 2, 0x0000FF);  // the window's top-left pixel is frame pixel (4, 2)
    lock.PlotSquare(5, 3, 1, 0x0000FF);  // the window's bottom-right pixel
    lock.PlotSquare(5, 3, 2, 0x0000FF);  // sticks out: dropped
  }
  int lit = 0;
  for (uint32_t y = 0; y < 6; ++y) {
    for (uint32_t x = 0; x < 10; ++x) lit += frame.PixelAt(x, y) != 0;
  }
  EXPECT_EQ(lit, 5);
  EXPECT_EQ(frame.PixelAt(4, 2), 0xFF0000u);
  EXPECT_EQ(frame.PixelAt(5, 3), 0xFF0000u);
  EXPECT_EQ(frame.PixelAt(9, 5), 0xFF0000u);
  for (int pad = 30; pad < 33; ++pad) EXPECT_EQ(frame.Bytes()[pad], 0);
}

}  // namespace
}  // namespace orv
