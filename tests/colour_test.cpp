#include "core/colour.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "core/surface_lock.h"
#include "frontend/memory_frame.h"

namespace orv {
namespace {

TEST(ScaleColor, ScalesEachChannelWithSaturationAndIgnoresHighFactorBits) {
  struct Case {
    uint32_t colour;
    uint32_t factor;
    uint32_t expected;
  };
  const Case cases[] = {
      {0xff9070, 256, 0xff9070},          // unchanged
      {0xff9070, 512, 0xFFFFE0},          // doubled, blue and green saturate
      {0xff9070, 65536 + 256, 0xff9070},  // only the low 16 bits of the factor count
      {0xff9070, 65536, 0},               // low 16 bits 0: black
      {0xff9070, 0, 0},
      {0xff9070, 128, 0x7F4838},    // halved, truncated
      {0x12ff9070, 256, 0xff9070},  // the top byte never survives
      {0xFFFFFF, 257, 0xFFFFFF},    // 255 x 257 > 65535 saturates
      {0x010101, 255, 0x000000},    // 1 x 255 / 256 truncates to 0
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleColor(c.colour, c.factor), c.expected)
        << std::hex << c.colour << " x " << std::dec << c.factor;
  }
}

// Every channel value in every channel, under factors on both sides of 256 (where channels
// start to saturate) and factors with high bits: each channel is min(255, c x f / 256) on its
// own, whatever its neighbours hold.
TEST(ScaleColor, EveryChannelScalesOnItsOwn) {
  int mismatches = 0;
  for (uint32_t f :
       {0u, 1u, 77u, 128u, 255u, 256u, 257u, 300u, 511u, 512u, 65535u, 65536u + 200u}) {
    for (uint32_t c = 0; c < 256; ++c) {
      const uint32_t expected = std::min<uint32_t>(255, c * (f & 0xFFFFu) / 256);
      for (int shift = 0; shift < 24; shift += 8) {
        // The other channels full or empty, and a top byte that must not leak in.
        for (uint32_t others : {0u, 0xFFFFFFFFu}) {
          const uint32_t colour = (others & ~(0xFFu << shift)) | (c << shift);
          const uint32_t got = (ScaleColor(colour, f) >> shift) & 0xFFu;
          if (got != expected && ++mismatches <= 5) {
            ADD_FAILURE() << std::hex << colour << " x " << std::dec << f << ": " << got;
          }
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// The pixel value of a colour on a locked surface of each format.
uint32_t PixelIn(FrameFormat format, uint32_t colour) {
  MemoryFrame frame(4, 4, format);
  SurfaceLock lock(frame, Rect{0, 0, 4, 4});
  return lock.PixelValue(colour);
}

TEST(PixelConversion, KeepsTheTopBitsOfEachChannel) {
  EXPECT_EQ(PixelIn(FrameFormat::k565, 0xff9070), 0x749Fu);
  EXPECT_EQ(PixelIn(FrameFormat::k555, 0xff9070), 0x3A5Fu);
  EXPECT_EQ(PixelIn(FrameFormat::k24, 0xff9070), 0x7090FFu);
  EXPECT_EQ(PixelIn(FrameFormat::k32, 0xff9070), 0x7090FFu);
  // Red sits in the colour's low byte and in the pixel's high bits.
  EXPECT_EQ(PixelIn(FrameFormat::k565, 0x0000FF), 0xF800u);
  EXPECT_EQ(PixelIn(FrameFormat::k565, 0xFF0000), 0x001Fu);
  // The colour's top byte is dropped in every format.
  EXPECT_EQ(PixelIn(FrameFormat::k32, 0xAB000000), 0u);
  EXPECT_EQ(PixelIn(FrameFormat::k555, 0xFFFFFFFF), 0x7FFFu);
}

TEST(PixelConversion, ShiftsFollowTheMasks) {
  EXPECT_EQ(ChannelShift(0xF800, 24), -8);
  EXPECT_EQ(ChannelShift(0x07E0, 16), 5);
  EXPECT_EQ(ChannelShift(0x001F, 8), 19);
  EXPECT_EQ(ChannelShift(0xFF0000, 24), -16);
  EXPECT_EQ(ChannelShift(0, 8), 24);  // a mask of 0 counts 32 leading zeros
  EXPECT_EQ(RotateRight(0x1, -1), 0x2u);
  EXPECT_EQ(RotateRight(0x1, 1), 0x80000000u);
  EXPECT_EQ(RotateRight(0x12345678, 32), 0x12345678u);
}

}  // namespace
}  // namespace orv
