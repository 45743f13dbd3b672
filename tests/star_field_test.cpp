#include "effects/star_field.h"

#include <gtest/gtest.h>

#include "core/colour.h"
#include "core/random.h"
#include "frontend/memory_frame.h"
#include "tests/test_support.h"

namespace orv {
namespace {

using test::ManualClock;
using test::ViewOf;

TEST(StarSpawn, DepthRunsFrom15749To62999) {
  Star star{};
  srand(test::SeedForFirstDraw(0));  // z0 = 15000
  StarField::Spawn(star, ViewOf(640, 480));
  EXPECT_EQ(star.z, 15749);
  srand(test::SeedForFirstDraw(32767));  // z0 = 30000
  StarField::Spawn(star, ViewOf(640, 480));
  EXPECT_EQ(star.z, 62999);
}

TEST(StarSpawn, DrawsDepthThenXThenYThenBrightnessAndLeavesTheStarUnplaced) {
  const FrameView view = ViewOf(640, 480);
  srand(77);
  const int32_t d[4] = {rand(), rand(), rand(), rand()};
  srand(77);
  Star star{};
  star.screenX = 5;
  StarField::Spawn(star, view);

  const int32_t z0 = 15000 + 15000 * d[0] / 32767;
  const int32_t z = static_cast<int32_t>(int64_t{z0} * z0 * 4404019 / 62914560000);
  const int32_t a = z * 320 / 1280;
  const int32_t b = z * 240 / 1280;
  EXPECT_EQ(star.z, z);
  EXPECT_EQ(star.x, 2 * a * d[1] / 32767 - a);
  EXPECT_EQ(star.y, 2 * b * d[2] / 32767 - b);
  EXPECT_EQ(star.brightness, 192 * d[3] / 32767 + 80);
  EXPECT_EQ(star.colour, 0xff9070u);
  EXPECT_EQ(star.screenX, -1000);
  EXPECT_EQ(star.screenY, -1000);
  const uint32_t after = RandomState();
  srand(77);
  for (int i = 0; i < 4; ++i) rand();
  EXPECT_EQ(RandomState(), after);  // exactly four draws
}

TEST(StarSpawn, MatchesTheIntegerFormOfTheDepthForEveryZ0) {
  // z = z0 x z0 x 2.1f / 30000 in doubles equals the exact integer quotient for every z0.
  for (int32_t z0 = 15000; z0 <= 30000; ++z0) {
    const int32_t viaDouble =
        static_cast<int32_t>(static_cast<double>(z0 * z0) * static_cast<double>(2.1f) / 30000.0);
    ASSERT_EQ(viaDouble, int64_t{z0} * z0 * 4404019 / 62914560000) << z0;
  }
}

TEST(StarField, ConstructionSpawnsTwoHundredStarsInOrder) {
  ManualClock clock;
  clock.tick = 1234;
  const FrameView view = ViewOf(640, 480);
  srand(5);
  StarField field(view, clock);
  EXPECT_EQ(field.count, 200);
  EXPECT_EQ(field.lastTick, 1234u);
  EXPECT_FALSE(field.finished);
  srand(5);
  for (int i = 0; i < 200; ++i) {
    Star expected{};
    StarField::Spawn(expected, view);
    ASSERT_EQ(field.stars[i].z, expected.z) << i;
    ASSERT_EQ(field.stars[i].x, expected.x) << i;
  }
}

// One star placed by hand at a known pixel: the colour it is drawn in.
uint32_t DrawnColour(uint16_t brightness, int32_t depth) {
  MemoryFrame frame(640, 480, FrameFormat::k32);
  SurfaceLock lock(frame, Rect{0, 0, 640, 480});
  Star star{};
  star.z = depth;
  star.screenX = 10;
  star.screenY = 20;
  star.brightness = brightness;
  star.colour = StarField::kColour;
  StarField::PlotStar(star, lock, 1, false);
  return frame.PixelAt(10, 20);
}

uint32_t Pixel32(uint32_t colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

TEST(StarField, BrightnessGrowsAsStarsComeCloserUpToTwiceTheBaseColour) {
  EXPECT_EQ(DrawnColour(80, 62999), Pixel32(ScaleColor(0xff9070, 18)));
  EXPECT_EQ(DrawnColour(272, 15749), Pixel32(ScaleColor(0xff9070, 248)));
  EXPECT_EQ(DrawnColour(80, 2000), Pixel32(ScaleColor(0xff9070, 512)));
  EXPECT_EQ(DrawnColour(272, 2000), Pixel32(0xFFFFE0));
}

TEST(StarField, SquareSizeGrowsWithTheWindowWidth) {
  const std::pair<uint32_t, uint8_t> cases[] = {{1, 1},   {300, 1},  {639, 1},  {640, 2},
                                                {960, 3}, {1280, 4}, {1600, 5}, {1920, 6}};
  for (auto [width, n] : cases) EXPECT_EQ(SquareSize(width), n) << width;
}

class StarFieldDraw : public ::testing::Test {
 protected:
  StarFieldDraw() : frame(640, 480, FrameFormat::k32), view(ViewOf(640, 480)) {
    srand(9);
    field = std::make_unique<StarField>(view, clock);
  }
  void Draw() {
    SurfaceLock lock(frame, Rect{0, 0, 640, 480});
    field->Draw(lock, view);
  }
  ManualClock clock;
  MemoryFrame frame;
  FrameView view;
  std::unique_ptr<StarField> field;
};

TEST_F(StarFieldDraw, AFreshStarIsDrawnOnlyFromTheNextFrame) {
  Draw();  // projects every star and draws it where it lands
  int lit = 0;
  for (int i = 0; i < 200; ++i) lit += field->stars[i].screenX != -1000;
  EXPECT_GT(lit, 150);

  // Push a drawn star behind the viewer: the next frame erases it and respawns it, undrawn.
  int drawn = 0;
  while (field->stars[drawn].screenX == -1000) ++drawn;
  Star& s = field->stars[drawn];
  const int16_t oldX = s.screenX, oldY = s.screenY;
  s.z = 1;
  clock.tick += 1;
  Draw();
  EXPECT_EQ(s.screenX, -1000);
  EXPECT_GE(s.z, 15749);
  EXPECT_EQ(frame.PixelAt(static_cast<uint32_t>(oldX), static_cast<uint32_t>(oldY)), 0u);
}

TEST_F(StarFieldDraw, MovesNineUnitsPerMillisecondAcrossTheTickCounterWrap) {
  field->lastTick = 0xFFFFFFF0u;
  clock.tick = 0x10;
  const int32_t z = field->stars[3].z;
  Draw();
  EXPECT_EQ(field->stars[3].z, z - 32 * 9);
  EXPECT_EQ(field->lastTick, 0x10u);
}

TEST_F(StarFieldDraw, ALaterStarsEraseClearsAnEarlierStarsSquareInTheSameFrame) {
  // Star 0 is drawn at (100, 100); star 1 stood there last frame and is erased afterwards.
  for (int i = 0; i < 2; ++i) {
    Star& s = field->stars[i];
    s.x = 100 - 320;
    s.y = 100 - 240;
    s.z = 1280;
  }
  field->stars[1].screenX = 100;
  field->stars[1].screenY = 100;
  field->stars[1].x = 0;  // and moves on to (320, 100)
  Draw();
  EXPECT_EQ(field->stars[0].screenX, 100);
  EXPECT_EQ(frame.PixelAt(100, 100), 0u);
  EXPECT_NE(frame.PixelAt(320, 100), 0u);
}

}  // namespace
}  // namespace orv
