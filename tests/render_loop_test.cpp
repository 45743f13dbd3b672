#include "loop/render_loop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "tests/recording_host.h"

namespace orv {
namespace {

using test::LoggedShape;
using test::RecordingHost;
using Log = std::vector<std::string>;

// Shapes that log their life in the host's log, or none when told that memory has run out.
class LoggedShapes final : public ShapeSource {
 public:
  explicit LoggedShapes(RecordingHost& recordingHost) : host(recordingHost) {}
  std::unique_ptr<Effect> MakeShape(const FrameView&, TickSource&) override {
    ++calls;
    if (outOfMemory) return nullptr;
    auto shape = std::make_unique<LoggedShape>(host.log);
    last = shape.get();
    return shape;
  }

  RecordingHost& host;
  bool outOfMemory = false;
  int calls = 0;
  LoggedShape* last = nullptr;
};

class RenderLoopTest : public ::testing::Test {
 protected:
  explicit RenderLoopTest(uint32_t width = 640) : host(width, 480), shapes(host) {
    srand(3);
    host.tick = 1000;
  }
  std::unique_ptr<RenderLoop> Start() {
    auto loop = std::make_unique<RenderLoop>(host, shapes);
    host.Take();
    return loop;
  }
  // Runs frames until the loop has made a shape; returns its frame's log.
  Log RunUntilShape(RenderLoop& loop) {
    host.tick = loop.NextShapeTime();
    loop.RunFrame();
    return host.Take();
  }
  RecordingHost host;
  LoggedShapes shapes;
};

TEST_F(RenderLoopTest, StartUpReadsTheClockBuildsTheStarsAndTheClipperAndPicksTheFirstShapeTime) {
  const uint32_t before = RandomState();
  RenderLoop loop(host, shapes);
  EXPECT_EQ(host.log, (Log{"tick", "client", "toScreen", "tick", "createClipper", "tick"}));
  EXPECT_GE(loop.NextShapeTime(), 1000u);
  EXPECT_LE(loop.NextShapeTime(), 7000u);
  // 800 draws for the stars, then one for the shape time.
  srand(before);
  for (int i = 0; i < 800; ++i) rand();
  EXPECT_EQ(loop.NextShapeTime(), 1000u + static_cast<uint32_t>(ScaledRand(6000)));
  EXPECT_EQ(loop.FrameCounter(), 0);
}

TEST_F(RenderLoopTest, AFrameStepsThenTestsVisibilityThenDrawsStarsThenShapeThenSleeps) {
  auto loop = Start();
  const Log frame = RunUntilShape(*loop);
  EXPECT_EQ(frame, (Log{"client", "toScreen", "tick", "shape.new", "shape.step", "clipSize",
                        "clipList", "addRef", "lock 0,0", "tick", "shape.draw", "unlock", "release",
                        "screenWidth", "sleep 0"}));
  EXPECT_EQ(loop->FrameCounter(), 1);
}

// A front end that shows frames itself draws a frame without its pause, then waits as it likes:
// the same calls as a whole frame but the sleep, and the pause is settled all the same.
TEST_F(RenderLoopTest, DrawFrameIsAFrameWithoutItsSleep) {
  host.screenWidth = 1024;
  auto loop = Start();  // start time 1000
  host.tick = loop->NextShapeTime();
  loop->RunFrame();
  const Log whole = host.Take();
  host.tick += 400;
  for (int frame = 2; frame <= 6; ++frame) loop->DrawFrame();
  const Log drawn = host.Take();
  EXPECT_EQ(whole.back(), "sleep 0");
  EXPECT_TRUE(std::none_of(drawn.begin(), drawn.end(),
                           [](const std::string& call) { return call.starts_with("sleep"); }));
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "shape.draw"), 5);
  EXPECT_EQ(loop->FrameCounter(), 6);
  EXPECT_NE(loop->Pause(), 0u);
}

TEST_F(RenderLoopTest, NothingIsLockedUnlessTheClipListIsExactlyTheWindow) {
  auto loop = Start();
  RunUntilShape(*loop);
  // kGrowsBetweenCalls: the region is read only as far as the buffer that was allocated for
  // it, not as far as the second answer's size says (the sanitizer sees any read beyond).
  for (auto clip : {RecordingHost::Clip::kCovered, RecordingHost::Clip::kTwoHalves,
                    RecordingHost::Clip::kOtherRect, RecordingHost::Clip::kGrowsBetweenCalls}) {
    host.clip = clip;
    loop->RunFrame();
    const Log frame = host.Take();
    EXPECT_EQ(frame, (Log{"client", "toScreen", "shape.step", "clipSize", "clipList", "screenWidth",
                          "sleep 0"}));
  }
}

TEST_F(RenderLoopTest, AFailedLockDrawsNothingAndTheNextFrameTriesAgain) {
  auto loop = Start();
  RunUntilShape(*loop);
  host.failLocks = true;
  loop->RunFrame();
  EXPECT_EQ(host.Take(), (Log{"client", "toScreen", "shape.step", "clipSize", "clipList", "addRef",
                              "lock 0,0", "release", "screenWidth", "sleep 0"}));
  host.failLocks = false;
  loop->RunFrame();
  const Log frame = host.Take();
  EXPECT_NE(std::find(frame.begin(), frame.end(), "shape.draw"), frame.end());
}

TEST_F(RenderLoopTest, ShapeWaitsForItsTimeAndAFinishedShapeIsDeletedUnsteppedNextFrame) {
  auto loop = Start();
  host.tick = loop->NextShapeTime() - 1;
  loop->RunFrame();
  EXPECT_EQ(loop->Shape(), nullptr);
  EXPECT_EQ(shapes.calls, 0);
  host.Take();

  RunUntilShape(*loop);
  ASSERT_NE(loop->Shape(), nullptr);
  shapes.last->finishOnStep = true;
  host.tick += 20000;
  loop->RunFrame();  // the shape finishes in its Step and is still drawn this frame
  Log frame = host.Take();
  EXPECT_NE(std::find(frame.begin(), frame.end(), "shape.draw"), frame.end());

  const uint32_t finishedAt = host.tick += 16;
  loop->RunFrame();
  frame = host.Take();
  EXPECT_EQ(frame[2], "shape.delete");
  EXPECT_EQ(std::count(frame.begin(), frame.end(), "shape.step"), 0);
  EXPECT_EQ(std::count(frame.begin(), frame.end(), "shape.draw"), 0);
  EXPECT_EQ(loop->Shape(), nullptr);
  EXPECT_GE(loop->NextShapeTime(), finishedAt);
  EXPECT_LE(loop->NextShapeTime(), finishedAt + 6000);
}

TEST_F(RenderLoopTest, AShapeFallsDueByTheWrappingDifferenceOfTheTicks) {
  // The pause before the first shape, the same for every start tick.
  const uint32_t pause = Start()->NextShapeTime() - 1000;
  ASSERT_GT(pause, 10u);
  const uint32_t starts[] = {
      1000,
      0xFFFFFFFFu - pause,  // the shape's time is the last tick before the wrap
      0xFFFFFFF6u,          // the shape's time itself wraps to a small number
      0x7FFFFFFFu - pause,  // the shape's time is the last tick before the sign bit
  };
  for (const uint32_t start : starts) {
    srand(3);
    host.tick = start;
    auto loop = Start();
    ASSERT_EQ(loop->NextShapeTime(), start + pause);
    for (const uint32_t early : {start + 1, start + pause - 1}) {
      host.tick = early;
      loop->RunFrame();
      EXPECT_EQ(loop->Shape(), nullptr) << start << " at " << early;
    }
    host.tick = start + pause;
    loop->RunFrame();
    EXPECT_NE(loop->Shape(), nullptr) << start;
  }
  // Past the time, on either side of the wrap, a shape is due.
  EXPECT_TRUE(ShapeIsDue(5, 0xFFFFFFFFu));
  EXPECT_TRUE(ShapeIsDue(0x80000000u, 0x7FFFFFFFu));
  EXPECT_FALSE(ShapeIsDue(0xFFFFFFF7u, 4));
}

TEST_F(RenderLoopTest, AShapeThatCantBeAllocatedIsTriedAgainNextFrame) {
  auto loop = Start();
  shapes.outOfMemory = true;
  RunUntilShape(*loop);
  loop->RunFrame();
  EXPECT_EQ(shapes.calls, 2);
  EXPECT_EQ(loop->Shape(), nullptr);
  shapes.outOfMemory = false;
  loop->RunFrame();
  EXPECT_NE(loop->Shape(), nullptr);
}

TEST_F(RenderLoopTest, TheViewFollowsTheWindowWhenItMoves) {
  host.frame = MemoryFrame(640, 480, FrameFormat::k32);
  auto loop = Start();
  loop->RunFrame();
  host.origin = Point{30, 40};
  loop->RunFrame();
  ASSERT_EQ(host.lockedRects.size(), 2u);
  EXPECT_EQ(host.lockedRects[0], (Rect{0, 0, 640, 480}));
  EXPECT_EQ(host.lockedRects[1], (Rect{30, 40, 670, 520}));
}

TEST_F(RenderLoopTest, ShutDownReleasesTheClipperThenTheShape) {
  auto loop = Start();
  RunUntilShape(*loop);
  loop.reset();
  EXPECT_EQ(host.Take(), (Log{"releaseClipper", "shape.delete"}));
}

TEST_F(RenderLoopTest, AFullWidthWindowNeverSleeps) {
  auto loop = Start();
  for (int i = 0; i < 200; ++i) {
    host.tick += 50;
    loop->RunFrame();
  }
  EXPECT_TRUE(
      std::all_of(host.sleeps.begin(), host.sleeps.end(), [](uint32_t s) { return s == 0; }));
  EXPECT_EQ(loop->Pause(), 0u);
}

TEST_F(RenderLoopTest, ANarrowWindowSettlesItsPauseOnceFromTheFirstMeasurement) {
  host.screenWidth = 1024;
  auto loop = Start();  // start time 1000
  for (int frame = 1; frame <= 19; ++frame) {
    host.tick = 1000 + 10 * static_cast<uint32_t>(frame);  // all under 300 ms
    loop->RunFrame();
  }
  host.tick = 1400;
  loop->RunFrame();  // frame 20 at 400 ms: 2 x 400 / 20 + 1
  EXPECT_EQ(loop->Pause(), 41u);
  host.tick = 5000;
  loop->RunFrame();
  EXPECT_EQ(loop->Pause(), 41u);  // never measured again
  EXPECT_EQ(std::vector<uint32_t>(host.sleeps.end() - 3, host.sleeps.end()),
            (std::vector<uint32_t>{0, 41, 41}));
}

TEST(SettlePause, NeedsThreeHundredMillisecondsAndMoreThanFiveFrames) {
  EXPECT_EQ(SettlePause(0, 400, 20), 41u);
  EXPECT_EQ(SettlePause(0, 290, 100), 0u);
  EXPECT_EQ(SettlePause(0, 300, 6), 101u);
  EXPECT_EQ(SettlePause(0, 100000, 5), 0u);
  EXPECT_EQ(SettlePause(41, 100000, 500), 41u);
  EXPECT_EQ(SettlePause(0, -5, 100), 0u);  // a clock that went backwards measures nothing
}

TEST(RunRenderLoop, RunsFramesUntilStopIsRequestedThenShutsDown) {
  RecordingHost host(320, 240);
  LoggedShapes shapes(host);
  std::atomic<bool> stop{false};
  // The stop arrives during the third frame's sleep: that frame ends, no fourth begins.
  host.onSleep = [&] {
    if (host.sleeps.size() == 3) stop = true;
  };
  RunRenderLoop(host, stop, shapes);
  EXPECT_EQ(host.sleeps.size(), 3u);
  EXPECT_EQ(host.log.back(), "releaseClipper");
}

}  // namespace
}  // namespace orv
