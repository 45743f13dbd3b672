#include "x11/damage_grid.h"

#include <gtest/gtest.h>

#include <vector>

namespace orv {
namespace {

constexpr int32_t T = DamageGrid::kTile;

TEST(DamageGrid, SendsTheTilesASquareTouchesClippedToTheFrame) {
  DamageGrid grid;
  grid.Resize(3 * T + 5, 2 * T);  // the last column of tiles is 5 pixels wide
  EXPECT_TRUE(grid.Empty());
  grid.SquareDrawn(3 * T + 1, T - 1, 2);  // straddles two rows of tiles in the last column
  EXPECT_EQ(grid.TakeRuns(),
            (std::vector<Rect>{{3 * T, 0, 3 * T + 5, T}, {3 * T, T, 3 * T + 5, 2 * T}}));
  EXPECT_TRUE(grid.Empty());  // taking the runs clears the grid
  EXPECT_TRUE(grid.TakeRuns().empty());
}

TEST(DamageGrid, JoinsTilesAcrossSmallGapsOnly) {
  DamageGrid grid;
  grid.Resize(10 * T, T);
  for (int32_t column : {0, 2, 6}) grid.SquareDrawn(column * T, 0, 1);
  // Tiles 0 and 2 are one request (one clean tile between); tile 6 is three tiles away.
  EXPECT_EQ(grid.TakeRuns(1), (std::vector<Rect>{{0, 0, 3 * T, T}, {6 * T, 0, 7 * T, T}}));
  for (int32_t column : {0, 2}) grid.SquareDrawn(column * T, 0, 1);
  EXPECT_EQ(grid.TakeRuns(0), (std::vector<Rect>{{0, 0, T, T}, {2 * T, 0, 3 * T, T}}));

  // Far along a wide row, past many clean tiles, on the second row.
  grid.Resize(40 * T, 2 * T);
  for (int32_t column : {17, 19, 39}) grid.SquareDrawn(column * T, T, 1);
  EXPECT_EQ(grid.TakeRuns(1),
            (std::vector<Rect>{{17 * T, T, 20 * T, 2 * T}, {39 * T, T, 40 * T, 2 * T}}));
}

TEST(DamageGrid, IgnoresSquaresOutsideTheFrameAndEmptySquares) {
  DamageGrid grid;
  grid.Resize(2 * T, T);
  grid.SquareDrawn(-1000, -1000, 2);
  grid.SquareDrawn(2 * T, 0, 4);
  grid.SquareDrawn(0, T, 4);
  grid.SquareDrawn(5, 5, 0);
  EXPECT_TRUE(grid.Empty());
  grid.MarkAll();
  EXPECT_EQ(grid.TakeRuns(), (std::vector<Rect>{{0, 0, 2 * T, T}}));
}

}  // namespace
}  // namespace orv
