#include "web/web_saver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tools/render/options.h"
#include "tools/render/render.h"

namespace orv {
namespace {

std::vector<uint8_t> RendererFrame(uint32_t width, uint32_t height, uint32_t seed,
                                   ScriptedClock clock, uint32_t frames) {
  RenderOptions options;
  options.width = width;
  options.height = height;
  options.screenWidth = static_cast<int32_t>(width);
  options.pitch = static_cast<int32_t>(width * 4);
  options.seed = seed;
  options.tickStart = clock.start;
  options.tickStep = clock.step;
  options.frames = frames;
  MemoryFrame frame(width, height, FrameFormat::k32);
  RenderFrames(options, frame, nullptr);
  return frame.Bytes();
}

std::vector<uint8_t> FrameBytes(WebSaver& saver) {
  const WebFrame& frame = saver.Canvas();
  const auto* bytes = reinterpret_cast<const uint8_t*>(frame.Pixels());
  return {bytes, bytes + size_t{frame.Width()} * frame.Height() * 4};
}

// A scripted run in slices of any length is the renderer's run, across the tick's wrap too,
// and a second run in the same saver starts afresh.
TEST(WebSaver, AScriptedRunInSlicesIsTheRenderersRun) {
  const ScriptedClock clock{4294960000u, 33};
  WebSaver saver;
  for (int run = 0; run < 2; ++run) {
    ASSERT_TRUE(saver.Start(97, 61, 35, clock.start));
    saver.Script(clock, 900);
    EXPECT_EQ(saver.RunScript(1), 899u);
    EXPECT_EQ(saver.RunScript(500), 399u);
    EXPECT_EQ(saver.RunScript(1000), 0u);
    EXPECT_EQ(saver.RunScript(1000), 0u);
    EXPECT_EQ(FrameBytes(saver), RendererFrame(97, 61, 35, clock, 900)) << "run " << run;
  }
}

// The canvas copy: red, green, blue and 255 in byte order, brought up to date exactly where
// the frame changed, and all of it after a rebuild.
TEST(WebSaver, TheCanvasPictureFollowsTheChangedTiles) {
  WebSaver saver;
  ASSERT_TRUE(saver.Start(200, 100, 2, 0));
  WebFrame& frame = saver.Canvas();
  const std::vector<Rect>& all = frame.TakeChanges();
  ASSERT_EQ(all.size(), 13u);  // one run for each of the 13 rows of 8-pixel tiles
  EXPECT_EQ(all.front(), (Rect{0, 0, 200, 8}));
  EXPECT_EQ(all.back(), (Rect{0, 96, 200, 100}));
  EXPECT_TRUE(frame.TakeChanges().empty());

  for (uint32_t tick = 16; tick <= 160; tick += 16) saver.Frame(tick, true);
  std::vector<uint8_t> covered(200 * 100, 0);
  for (const Rect& r : frame.TakeChanges()) {
    for (int32_t y = r.top; y < r.bottom; ++y) {
      for (int32_t x = r.left; x < r.right; ++x) covered[static_cast<size_t>(y) * 200 + x] = 1;
    }
  }
  size_t lit = 0;
  for (size_t i = 0; i < covered.size(); ++i) {
    const uint32_t pixel = frame.Pixels()[i];
    uint8_t rgba[4];
    std::memcpy(rgba, &frame.CanvasPixels()[i], 4);
    if (pixel != 0) {
      ++lit;
      ASSERT_TRUE(covered[i]) << "a drawn pixel outside the changes, at " << i;
    }
    if (covered[i]) {
      const uint8_t expected[4] = {static_cast<uint8_t>(pixel >> 16),
                                   static_cast<uint8_t>(pixel >> 8), static_cast<uint8_t>(pixel),
                                   255};
      ASSERT_EQ(std::memcmp(rgba, expected, 4), 0) << "at " << i;
    }
  }
  EXPECT_GT(lit, 0u);
}

TEST(WebSaver, AHiddenPageDrawsNothingAndAResizedOneCarriesOn) {
  WebSaver saver;
  ASSERT_TRUE(saver.Start(120, 90, 3, 1000));
  saver.Canvas().TakeChanges();
  for (uint32_t tick = 1016; tick <= 1320; tick += 16) saver.Frame(tick, false);
  EXPECT_TRUE(saver.Canvas().TakeChanges().empty());

  ASSERT_TRUE(saver.Resize(64, 200));
  EXPECT_EQ(saver.Canvas().Width(), 64u);
  saver.Canvas().TakeChanges();
  saver.Frame(1400, true);
  EXPECT_FALSE(saver.Canvas().TakeChanges().empty());
  EXPECT_TRUE(saver.Running());
}

}  // namespace
}  // namespace orv
