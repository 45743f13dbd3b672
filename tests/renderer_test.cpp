#include "tools/render/render.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/colour.h"

namespace orv {
namespace {

RenderOptions Options(uint32_t width, uint32_t height, FrameFormat format, uint32_t frames) {
  RenderOptions o;
  std::string error;
  EXPECT_TRUE(ParseRenderOptions({}, o, error));
  o.width = width;
  o.height = height;
  o.format = format;
  o.pitch = static_cast<int32_t>(width * (PixelFormatOf(format).dwRGBBitCount / 8));
  o.screenWidth = static_cast<int32_t>(width);
  o.frames = frames;
  return o;
}

TEST(Renderer, DrawsOnlyStarColoursOntoBlack) {
  RenderOptions o = Options(640, 480, FrameFormat::k32, 60);
  o.seed = 2;  // its first shape comes at frame 301: only stars so far
  MemoryFrame frame(o.width, o.height, o.format, o.pitch);
  RenderFrames(o, frame, nullptr);
  int stars = 0;
  for (uint32_t y = 0; y < o.height; ++y) {
    for (uint32_t x = 0; x < o.width; ++x) {
      const uint32_t pixel = frame.PixelAt(x, y);
      if (pixel == 0) continue;
      ++stars;
      // Every lit pixel is the star colour at some brightness: blue is the strongest channel.
      const uint32_t r = pixel >> 16, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
      ASSERT_GE(b, g);
      ASSERT_GE(g, r);
      ASSERT_EQ(pixel >> 24, 0u);
    }
  }
  // 200 stars of 2 x 2 pixels, a few of them not yet placed or overlapping.
  EXPECT_GT(stars, 4 * 150);
  EXPECT_LE(stars, 4 * 200);
}

TEST(Renderer, TheSameOptionsGiveTheSameBytes) {
  const RenderOptions o = Options(333, 211, FrameFormat::k565, 100);
  MemoryFrame a(o.width, o.height, o.format, o.pitch);
  MemoryFrame b(o.width, o.height, o.format, o.pitch);
  RenderFrames(o, a, nullptr);
  RenderFrames(o, b, nullptr);
  EXPECT_EQ(a.Bytes(), b.Bytes());
  RenderOptions other = o;
  other.seed = 2;
  MemoryFrame c(o.width, o.height, o.format, o.pitch);
  RenderFrames(other, c, nullptr);
  EXPECT_NE(a.Bytes(), c.Bytes());
}

TEST(Renderer, HiddenFramesDrawNothing) {
  RenderOptions o = Options(200, 100, FrameFormat::k24, 50);
  o.hidden = {{1, 50}};
  MemoryFrame frame(o.width, o.height, o.format, o.pitch);
  RenderFrames(o, frame, nullptr);
  EXPECT_TRUE(
      std::all_of(frame.Bytes().begin(), frame.Bytes().end(), [](uint8_t b) { return b == 0; }));

  // Hiding the last frames keeps the picture of the last drawn frame.
  RenderOptions visible = Options(200, 100, FrameFormat::k24, 40);
  RenderOptions tail = Options(200, 100, FrameFormat::k24, 50);
  tail.hidden = {{41, 50}};
  MemoryFrame a(200, 100, FrameFormat::k24), b(200, 100, FrameFormat::k24);
  RenderFrames(visible, a, nullptr);
  RenderFrames(tail, b, nullptr);
  EXPECT_EQ(a.Bytes(), b.Bytes());
}

TEST(Renderer, APaddedPitchLeavesThePaddingAlone) {
  RenderOptions o = Options(101, 50, FrameFormat::k555, 30);
  o.pitch = 256;
  MemoryFrame frame(o.width, o.height, o.format, o.pitch);
  RenderFrames(o, frame, nullptr);
  for (uint32_t y = 0; y < o.height; ++y) {
    for (uint32_t i = 202; i < 256; ++i) ASSERT_EQ(frame.Bytes()[y * 256 + i], 0) << y;
  }
}

}  // namespace
}  // namespace orv
