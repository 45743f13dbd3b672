#include "frontend/message_text_layout.h"

#include <gtest/gtest.h>

#include "core/random.h"
#include "tests/test_support.h"

namespace orv {
namespace {

using test::SeedForFirstDraw;

TEST(MessageFontHeight, SpansWidthOver60ToThatPlusWidthOver28MinusOne) {
  struct Case {
    int32_t width;
    int32_t draw;
    int32_t height;
  };
  const Case cases[] = {
      {1024, 0, 17},
      {1024, 35, 52},
      {1024, 36, 17},
      {1024, 32767, 17 + 32767 % 36},
      {640, 0, 10},
      {640, 21, 31},
      {152, 0, 2},
      {152, 4, 6},
      // Narrow areas: width / 28 = 1 and width / 60 = 0 give height 0, the font's default
      // height, which is still drawn; from 56 the draw counts again.
      {28, 5, 0},
      {55, 32767, 0},
      {56, 0, 0},
      {56, 1, 1},
      {59, 1, 1},
      {60, 0, 1},
  };
  for (const Case& c : cases) {
    srand(SeedForFirstDraw(c.draw));
    EXPECT_EQ(MessageFontHeight(c.width), c.height) << c.width << " " << c.draw;
  }
}

TEST(MessageFontHeight, OnlyAreasNarrowerThan28HaveNoHeightAndUseNoRandomNumber) {
  for (int32_t width : {27, 1, 0, -5}) {
    srand(99);
    EXPECT_EQ(MessageFontHeight(width), std::nullopt) << width;
    EXPECT_EQ(RandomState(), 99u) << width;
  }
  for (int32_t width : {28, 40, 55, 59}) {
    srand(99);
    EXPECT_TRUE(MessageFontHeight(width).has_value()) << width;
    EXPECT_NE(RandomState(), 99u) << width;
  }
}

TEST(PlaceMessageBlock, LeftThenTopScaledByTheRoomLeft) {
  // rand() = 32767 gives the whole room, 0 gives none.
  srand(SeedForFirstDraw(32767));
  const Rect full = PlaceMessageBlock(1024, 768, 300, 40);
  EXPECT_EQ(full.left, 724);
  EXPECT_EQ(full.right, 1024);

  srand(SeedForFirstDraw(0));
  const Rect none = PlaceMessageBlock(1024, 768, 300, 40);
  EXPECT_EQ(none.left, 0);
  EXPECT_EQ(none.right, 300);

  // The second draw decides the top: replay the generator to know it.
  srand(5);
  const int32_t first = rand();
  const int32_t second = rand();
  srand(5);
  const Rect r = PlaceMessageBlock(640, 480, 200, 30);
  EXPECT_EQ(r.left, 440 * first / 32767);
  EXPECT_EQ(r.top, 450 * second / 32767);
  EXPECT_EQ(r.bottom - r.top, 30);
}

TEST(PlaceMessageBlock, BlockWiderThanTheWindowStartsBetweenTheOverhangAndZero) {
  for (uint32_t seed = 0; seed < 200; ++seed) {
    srand(seed);
    const Rect r = PlaceMessageBlock(100, 50, 160, 20);
    EXPECT_GE(r.left, -60);
    EXPECT_LE(r.left, 0);
    EXPECT_EQ(r.right - r.left, 160);
  }
}

TEST(MessageTextColour, IsBlueWithEqualRedAndGreen) {
  struct Case {
    int32_t draw;
    uint32_t colour;
  };
  const Case cases[] = {
      {0, 0x4F1414},    // factor 80: red and green 20, blue 79
      {176, 0xFF4040},  // factor 256: unchanged
      {279, 0xFF5959},  // factor 359: red and green 89, blue saturated
      {280, 0x4F1414},  // 280 mod 280 = 0 again
  };
  for (const Case& c : cases) {
    srand(SeedForFirstDraw(c.draw));
    EXPECT_EQ(MessageTextColour(), c.colour) << c.draw;
  }
}

}  // namespace
}  // namespace orv
