// A shape's timeline, turning, shading and drawing, with a clock and a frame the test holds.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "effects/shape_effect.h"
#include "frontend/memory_frame.h"
#include "tests/test_support.h"

namespace orv {
namespace {

using test::ManualClock;
using test::ViewOf;

TEST(FixedMul, ShiftsTheFullProductRoundingDown) {
  const std::array<int32_t, 3> cases[] = {
      {1100, 65536, 1100},
      {1000, 46340, 707},
      {-1, 1, -1},
      {100, -1, -1},
      {-1000, 65536, -1000},
      {65536, 65536, 65536},
      {INT32_MAX, INT32_MAX, static_cast<int32_t>((int64_t{INT32_MAX} * INT32_MAX) >> 16)},
  };
  for (auto [a, b, expected] : cases) EXPECT_EQ(FixedMul(a, b), expected) << a << " " << b;
}

TEST(Ease, FollowsTheParabolaFromAToBAndBeyond) {
  const std::array<int32_t, 5> cases[] = {
      {7400, 92200, 8000, 8000, 92200},
      {7400, 92200, 8000, 4000, 28600},
      {0, 4270, 8000, 0, 0},
      {7400, 71000, 8000, 8016, 71254},
      {0, 249, 8000, 8000, 248},  // one unit short: 249 /
                                  // 64000000 is not exact
      {0, 4270, 8000, 8000, 4270},
      {0, -249, 8000, 8000, -248},
  };
  for (auto [a, b, c, d, expected] : cases) EXPECT_EQ(Ease(a, b, c, d), expected) << b << " " << d;
  // After a very long pause the parabola leaves the 32-bit range: the indefinite value.
  EXPECT_EQ(Ease(7400, 71000, 8000, INT32_MAX), INT32_MIN);
}

// A shape built by hand: `count` particles on the x axis, at rest from t = 8000 to lifetime.
class ShapeMotion : public ::testing::Test {
 protected:
  ShapeMotion() : shape(ShapeEffect::Unbuilt{}, clock) {
    shape.radius = 1210;
    shape.lifetime = 20000;
  }
  void AddParticles(int32_t n) {
    for (int32_t i = 0; i < n; ++i) shape.AddParticle(i, 0, 0, 0xFFFFFF);
  }
  void StepAt(uint32_t t) {
    clock.tick = t;
    shape.Step(view);
  }
  ManualClock clock;
  FrameView view = ViewOf(640, 480);
  ShapeEffect shape;
};

// What a shape shows after its step at time t.
struct Moment {
  uint32_t t;
  int32_t firstShown;
  int32_t shownEnd;
  Vec3i offset;
  double spinX;
  bool finished = false;
};

class ShapeTimeline : public ShapeMotion {
 protected:
  void Expect(std::initializer_list<Moment> moments) {
    for (const Moment& m : moments) {
      StepAt(m.t);
      EXPECT_EQ(shape.firstShown, m.firstShown) << m.t;
      EXPECT_EQ(shape.shownEnd, m.shownEnd) << m.t;
      EXPECT_EQ(shape.offset, m.offset) << m.t;
      EXPECT_DOUBLE_EQ(shape.spin.x, m.spinX) << m.t;
      EXPECT_EQ(shape.finished, m.finished) << m.t;
    }
  }
  static constexpr Vec3i kRest{0, 0, 7400};
};

TEST_F(ShapeTimeline, FlyInGlidesFromItsStartToRestAndThenCruises) {
  AddParticles(1);
  shape.start = {4270, -249, 92200};
  shape.spin.x = 0.5;  // left alone during a fly-in
  shape.cruiseSpin.x = 0.25;
  Expect({
      {0, 0, 1, {4270, -248, 92200}, 0.5},    // y one unit nearer to zero
      {4000, 0, 1, {1067, -62, 28600}, 0.5},  // three quarters of the way
      {7999, 0, 1, kRest, 0.5},               // still arriving
      {8000, 0, 1, kRest, 0.25},              // at rest
  });
}

TEST_F(ShapeTimeline, FlyAwayAcceleratesAndFinishesOnlyPastItsEightSeconds) {
  AddParticles(1);
  shape.end = {-3000, 0, 71000};
  Expect({
      {20000, 0, 1, kRest, 0},
      {24000, 0, 1, {-750, 0, 23300}, 0},  // a quarter of the way after half the time
      {28000, 0, 1, {-3000, 0, 71000}, 0},
      {28016, 0, 1, {-3012, 0, 71254}, 0, true},  // on past the end point
  });
}

TEST_F(ShapeTimeline, MaterialiseShowsParticlesInIndexOrderThenRampsTheSpin) {
  AddParticles(101);
  shape.arrival = ArrivalMode::Materialise;
  shape.spin.x = shape.startSpin.x = 0.0001;
  shape.cruiseSpin.x = 0.0011;
  Expect({
      {0, 0, 0, kRest, 0.0001},
      {1500, 0, 50, kRest, 0.0001},
      {2999, 0, 100, kRest, 0.0001},  // the start spin until 3000
      {3000, 0, 101, kRest, 0.0001},  // the ramp starts from exactly the start spin
      {5500, 0, 101, kRest, 0.0006},
      {8000, 0, 101, kRest, 0.0011},
  });
}

TEST_F(ShapeTimeline, DissolveRetiresParticlesUntilAllAreGoneEvenAfterALongGap) {
  AddParticles(100);
  shape.departure = DepartureMode::Dissolve;
  Expect({
      {10000, 0, 100, kRest, 0},
      {20000, 0, 100, kRest, 0},
      {24000, 50, 100, kRest, 0},
      {28000, 100, 100, kRest, 0},
      {28001, 100, 100, kRest, 0, true},
      // 100 x (2000000000 - 20000) leaves 32 bits; the particles stay retired.
      {2000000000, 100, 100, kRest, 0, true},
  });
}

TEST_F(ShapeMotion, AnglesAdvanceBySpinTimesElapsedAndKeepTheirSign) {
  AddParticles(1);
  shape.cruiseSpin.x = 0.001;
  shape.cruiseSpin.y = -0.002;
  shape.angle.z = -7.0;
  StepAt(10000);  // from lastTick 0
  EXPECT_DOUBLE_EQ(shape.angle.x, std::fmod(10.0, kTwoPi));
  EXPECT_DOUBLE_EQ(shape.angle.y, std::fmod(-20.0, kTwoPi));
  EXPECT_LT(shape.angle.y, 0);
  EXPECT_DOUBLE_EQ(shape.angle.z, std::fmod(-7.0, kTwoPi));
  StepAt(10016);
  EXPECT_DOUBLE_EQ(shape.angle.x, std::fmod(10.0, kTwoPi) + 0.016);
}

TEST_F(ShapeMotion, TurnsAboutYThenXThenZ) {
  constexpr double kQuarter = 1.5707963267948966;  // cos gives 0, sin 65536 in 16.16
  struct Case {
    Vec3d angle;
    std::array<int32_t, 3> model, view;
  };
  const Case cases[] = {
      {{0, 0, 0}, {300, -200, 100}, {300, -200, 7500}},
      {{0, kQuarter, 0}, {1000, 0, 0}, {0, 0, 6400}},  // +x turns to the viewer
      {{kQuarter, 0, 0}, {0, 1000, 0}, {0, 0, 8400}},  // +y (down) turns away
      {{0, 0, kQuarter}, {1000, 0, 0}, {0, 1000, 7400}},
      {{kQuarter, kQuarter, 0}, {1000, 0, 0}, {0, 1000, 7400}},  // y first, then x
      {{kQuarter, 0, kQuarter}, {0, 1000, 0}, {0, 0, 8400}},
  };
  for (const Case& c : cases) {
    ShapeEffect s(ShapeEffect::Unbuilt{}, clock);
    s.radius = 1210;
    s.lifetime = 20000;
    s.AddParticle(c.model[0], c.model[1], c.model[2], 0xFFFFFF);
    s.angle = c.angle;
    clock.tick = 10000;
    s.lastTick = 10000;
    s.Step(view);
    const Particle& p = s.particles[0];
    EXPECT_EQ((std::array{p.x, p.y, p.z}), c.view) << testing::PrintToString(c.angle);
  }
}

// The colour a particle at model depth z is drawn in, for a shape of radius 1210 at rest.
uint32_t ShadedPixel(int32_t z, int32_t* brightness) {
  ManualClock clock;
  ShapeEffect s(ShapeEffect::Unbuilt{}, clock);
  s.radius = 1210;
  s.lifetime = 20000;
  s.AddParticle(0, 0, z, 0xFFFFFF);
  clock.tick = 10000;
  s.lastTick = 10000;
  const FrameView view = ViewOf(640, 480);
  s.Step(view);
  *brightness = s.particles[0].brightness;
  MemoryFrame frame(640, 480, FrameFormat::k32);
  SurfaceLock lock(frame, view.screenRect);
  s.Draw(lock, view);
  return frame.PixelAt(static_cast<uint32_t>(s.particles[0].screenX),
                       static_cast<uint32_t>(s.particles[0].screenY));
}

TEST(ShapeShading, NearSideBrightFarSideDim) {
  const std::array<int32_t, 3> cases[] = {
      {-1100, 284, 0xFFFFFF}, {0, 168, 0xA7A7A7}, {1100, 51, 0x323232}};
  for (auto [z, brightness, pixel] : cases) {
    int32_t b = 0;
    EXPECT_EQ(ShadedPixel(z, &b), static_cast<uint32_t>(pixel)) << z;
    EXPECT_EQ(b, brightness) << z;
  }
}

// Drawing, with particles placed by hand at depth 1280 on a 640 x 480 window, where view
// (x, y) lands on pixel (x + 320, y + 240).
class ShapeDraw : public ::testing::Test {
 protected:
  ShapeDraw() : shape(ShapeEffect::Unbuilt{}, clock), frame(640, 480, FrameFormat::k32) {}
  Particle& Add(int16_t oldX, int16_t oldY, int32_t pixelX, int32_t pixelY) {
    shape.AddParticle(0, 0, 0, 0xFFFFFF);
    Particle& p = shape.particles[shape.count - 1];
    p.x = pixelX - 320;
    p.y = pixelY - 240;
    p.z = 1280;
    p.screenX = oldX;
    p.screenY = oldY;
    p.brightness = 256;
    return p;
  }
  void Draw() {
    SurfaceLock lock(frame, view.screenRect);
    shape.Draw(lock, view);
  }
  uint32_t At(uint32_t x, uint32_t y) const { return frame.PixelAt(x, y); }
  ManualClock clock;
  FrameView view = ViewOf(640, 480);
  ShapeEffect shape;
  MemoryFrame frame;
};

TEST_F(ShapeDraw, GroupsOfTenEraseTheirOldSquaresBeforeDrawingTheNewOnes) {
  Add(-1000, -1000, 100, 100);  // 0: drawn at (100, 100)
  Add(100, 100, 200, 100);      // 1: stood at (100, 100); its erase comes first in the group
  for (int i = 2; i < 10; ++i) Add(-1000, -1000, 10 * i, 300);
  Add(20, 300, 400, 400);  // 10: stood where particle 2 is now drawn; erased in the next group
  shape.shownEnd = shape.count;
  Draw();
  EXPECT_EQ(At(100, 100), 0xFFFFFFu);
  EXPECT_EQ(At(101, 101), 0xFFFFFFu);  // squares of 2 at a usable width of 640
  EXPECT_EQ(At(102, 100), 0u);
  EXPECT_EQ(At(200, 100), 0xFFFFFFu);
  EXPECT_EQ(At(20, 300), 0u);  // drawn in the first group, erased by the second
  EXPECT_EQ(At(30, 300), 0xFFFFFFu);
  EXPECT_EQ(At(400, 400), 0xFFFFFFu);
  EXPECT_EQ(shape.particles[10].screenX, 400);
}

TEST_F(ShapeDraw, RetiredParticlesAreErasedAndNoLongerProjected) {
  for (int i = 0; i < 4; ++i) Add(static_cast<int16_t>(50 + 10 * i), 50, 300, 10 * i + 100);
  for (int i = 0; i < 4; ++i) frame.Bytes()[(50 * 640 + 50 + 10 * i) * 4] = 0xFF;
  shape.firstShown = 3;
  shape.shownEnd = 4;
  Draw();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(At(50 + 10 * i, 50), 0u) << i;
  EXPECT_EQ(shape.particles[0].screenX, 50);  // not moved
  EXPECT_EQ(At(300, 130), 0xFFFFFFu);         // the one still shown
  EXPECT_EQ(At(300, 100), 0u);
}

TEST_F(ShapeDraw, AParticleThatLeavesTheWindowIsErasedAndNotDrawn) {
  Particle& p = Add(10, 10, 700, 100);  // now right of the window
  frame.Bytes()[(10 * 640 + 10) * 4] = 0xFF;
  Particle& behind = Add(30, 30, 100, 100);
  behind.z = -5;  // behind the viewer: keeps its last position
  shape.shownEnd = 2;
  Draw();
  EXPECT_EQ(At(10, 10), 0u);
  EXPECT_EQ(p.screenX, 700);
  EXPECT_EQ(behind.screenX, 30);
  for (uint32_t x = 0; x < 640; ++x) ASSERT_EQ(At(x, 100), 0u);
}

TEST(ShapeFrames, FramesWithoutADrawStillAdvanceAndTheNextDrawErasesTheOldSquares) {
  ManualClock clock;
  const FrameView view = ViewOf(640, 480);
  MemoryFrame frame(640, 480, FrameFormat::k32);
  ShapeEffect s(ShapeEffect::Unbuilt{}, clock);
  s.radius = 1000;
  s.lifetime = 30000;
  s.cruiseSpin.y = 0.001;
  s.BuildKind(ShapeKind::CubeFrame);
  clock.tick = 9000;
  s.lastTick = 9000;
  s.Step(view);
  {
    SurfaceLock lock(frame, view.screenRect);
    s.Draw(lock, view);
  }
  const int16_t oldX = s.particles[0].screenX;
  for (uint32_t t = 9100; t <= 9500; t += 100) {  // four frames not drawn
    clock.tick = t;
    s.Step(view);
    EXPECT_EQ(s.particles[0].screenX, oldX);
  }
  {
    SurfaceLock lock(frame, view.screenRect);
    s.Draw(lock, view);
  }
  EXPECT_NE(s.particles[0].screenX, oldX);
  // Nothing of the first frame is left behind: every lit pixel belongs to a square of this
  // frame (some of which a later group's erase may have cut into).
  MemoryFrame fresh(640, 480, FrameFormat::k32);
  {
    SurfaceLock lock(fresh, view.screenRect);
    for (int32_t i = 0; i < s.count; ++i) s.particles[i].PlotParticle(lock, 2, false);
  }
  int lit = 0;
  for (uint32_t y = 0; y < 480; ++y) {
    for (uint32_t x = 0; x < 640; ++x) {
      if (frame.PixelAt(x, y) == 0) continue;
      ++lit;
      ASSERT_NE(fresh.PixelAt(x, y), 0u) << x << "," << y;
    }
  }
  EXPECT_GT(lit, 500);
}

}  // namespace
}  // namespace orv
