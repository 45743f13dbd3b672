#include "core/colour.h"

#include <gtest/gtest.h>

#include "core/memory_frame.h"
#include "core/surface_lock.h"

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
