#include "core/frame_view.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(FrameView, MovesTheClientRectangleToItsScreenPlace) {
  const FrameView v = MakeFrameView(Rect{0, 0, 641, 481}, Point{100, 50});
  EXPECT_EQ(v.screenRect, (Rect{100, 50, 741, 531}));
  EXPECT_EQ(v.halfWidth, 320);
  EXPECT_EQ(v.halfHeight, 240);
  EXPECT_EQ(v.focalLength, 1280);
}

FrameView View640() {
  return MakeFrameView(Rect{0, 0, 640, 480}, Point{0, 0});
}

TEST(Project, MapsViewSpaceToWindowPixels) {
  ScreenPoint p{100, 0, 1600, 0, 0};
  EXPECT_TRUE(View640().Project(p));
  EXPECT_EQ(p.screenX, 400);  // 1280 x 100 / 1600 + 320
  EXPECT_EQ(p.screenY, 240);
}

TEST(Project, IsOnScreenFromTheTopLeftEdgeUpToButExcludingTheBottomRight) {
  const FrameView v = View640();
  struct Case {
    int32_t x, y;
    bool onScreen;
    int16_t column, row;
  };
  // At depth 1280 one unit is one pixel.
  const Case cases[] = {
      {-320, -240, true, 0, 0}, {319, 239, true, 639, 479}, {320, 0, false, 640, 240},
      {0, 240, false, -7, 480}, {-321, 0, false, -1, 240},  {0, -241, false, -7, -1},
  };
  for (const Case& c : cases) {
    ScreenPoint p{c.x, c.y, 1280, -7, -7};
    EXPECT_EQ(v.Project(p), c.onScreen) << c.x << "," << c.y;
    EXPECT_EQ(p.screenX, c.column) << c.x << "," << c.y;
    EXPECT_EQ(p.screenY, c.row) << c.x << "," << c.y;
  }
}

TEST(Project, LeavesThePositionOfAPointAtOrBehindTheViewer) {
  for (int32_t z : {0, -5}) {
    ScreenPoint p{10, 10, z, 33, 44};
    EXPECT_FALSE(View640().Project(p));
    EXPECT_EQ(p.screenX, 33);
    EXPECT_EQ(p.screenY, 44);
  }
}

TEST(Project, TruncatesTowardZeroAndKeepsTheLowSixteenBits) {
  ScreenPoint p{-1, -1, 1281, 0, 0};  // -1280/1281 truncates to 0, not -1
  EXPECT_TRUE(View640().Project(p));
  EXPECT_EQ(p.screenX, 320);
  EXPECT_EQ(p.screenY, 240);
  ScreenPoint far{0, 70000, 1, 0, 0};  // a row far outside 16 bits is stored wrapped
  EXPECT_FALSE(View640().Project(far));
  EXPECT_EQ(far.screenY, static_cast<int16_t>(1280 * 70000 + 240));
}

}  // namespace
}  // namespace orv
