#include "frontend/damage_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace orv {
namespace {

constexpr int32_t TW = DamageGrid::kTileWidth;
constexpr int32_t TH = DamageGrid::kTileHeight;

// Marks tile `column` of tile row `row`.
void MarkTile(DamageGrid& grid, int32_t column, int32_t row) {
  grid.SquareDrawn(column * TW, row * TH, 1);
}

TEST(DamageGrid, SendsTheTilesASquareTouchesClippedToTheFrame) {
  DamageGrid grid;
  grid.Resize(3 * TW + 5, 2 * TH + 3);  // the last column and row of tiles are partial
  EXPECT_TRUE(grid.Empty());
  grid.SquareDrawn(3 * TW + 1, TH - 1, 2);  // straddles two rows of tiles in the last column
  EXPECT_FALSE(grid.Empty());
  EXPECT_EQ(grid.TakeRuns(),
            (std::vector<Rect>{{3 * TW, 0, 3 * TW + 5, TH}, {3 * TW, TH, 3 * TW + 5, 2 * TH}}));
  EXPECT_TRUE(grid.Empty());  // taking the runs clears the grid
  EXPECT_TRUE(grid.TakeRuns().empty());

  grid.MarkAll();
  EXPECT_EQ(grid.TakeRuns(), (std::vector<Rect>{{0, 0, 3 * TW + 5, TH},
                                                {0, TH, 3 * TW + 5, 2 * TH},
                                                {0, 2 * TH, 3 * TW + 5, 2 * TH + 3}}));
  EXPECT_TRUE(grid.Empty());
}

TEST(DamageGrid, JoinsTilesAcrossSmallGapsAndWordBoundaries) {
  struct Case {
    std::vector<int32_t> columns;
    int32_t bridge;
    std::vector<std::pair<int32_t, int32_t>> runs;  // first and last tile of each run
  };
  const Case cases[] = {
      {{0, 2, 6}, 1, {{0, 2}, {6, 6}}},
      {{0, 2}, 0, {{0, 0}, {2, 2}}},
      {{63, 64}, 0, {{63, 64}}},                   // neighbours in two words are one run
      {{62, 65}, 2, {{62, 65}}},                   // a gap across a word boundary is bridged
      {{62, 65}, 1, {{62, 62}, {65, 65}}},         // but not when it is too wide
      {{17, 19, 199}, 1, {{17, 19}, {199, 199}}},  // far along the row, past clean words
      {{0, 1, 2, 3, 5, 130, 131}, 0, {{0, 3}, {5, 5}, {130, 131}}},
      {{1, 199}, 1000, {{1, 199}}},
      {{4, 6}, -3, {{4, 4}, {6, 6}}},  // a negative bridge joins nothing but neighbours
  };
  DamageGrid grid;
  grid.Resize(200 * TW, 2 * TH);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "bridge " << c.bridge << ", first tile " << c.columns[0]);
    std::vector<Rect> expected;
    for (const auto& [first, last] : c.runs) {
      expected.push_back(Rect{first * TW, TH, (last + 1) * TW, 2 * TH});
    }
    for (int32_t column : c.columns) MarkTile(grid, column, 1);
    EXPECT_EQ(grid.TakeRuns(c.bridge), expected);
    EXPECT_TRUE(grid.Empty());
  }

  // A small square over the last tile of a word and the first of the next, in both rows.
  grid.SquareDrawn(64 * TW - 1, TH - 1, 2);
  EXPECT_EQ(grid.TakeRuns(0),
            (std::vector<Rect>{{63 * TW, 0, 65 * TW, TH}, {63 * TW, TH, 65 * TW, 2 * TH}}));
  // A square over all 64 tiles of a word and beyond, and over both rows.
  grid.SquareDrawn(60 * TW, 0, 70 * TW);
  EXPECT_EQ(grid.TakeRuns(0),
            (std::vector<Rect>{{60 * TW, 0, 130 * TW, TH}, {60 * TW, TH, 130 * TW, 2 * TH}}));
}

TEST(DamageGrid, IgnoresSquaresOutsideTheFrameAndClipsOversizedOnes) {
  DamageGrid grid;
  grid.Resize(2 * TW, TH);
  grid.SquareDrawn(-1000, -1000, 2);
  grid.SquareDrawn(-1, 0, 4);
  grid.SquareDrawn(2 * TW, 0, 4);
  grid.SquareDrawn(0, TH, 4);
  grid.SquareDrawn(5, 5, 0);
  EXPECT_TRUE(grid.Empty());
  grid.SquareDrawn(2 * TW - 1, TH - 1, std::numeric_limits<uint32_t>::max());
  EXPECT_EQ(grid.TakeRuns(), (std::vector<Rect>{{TW, 0, 2 * TW, TH}}));

  // The last tile of a frame whose rows fill their words exactly.
  grid.Resize(128 * TW, 2 * TH);
  grid.SquareDrawn(128 * TW - 2, 2 * TH - 2, 2);
  EXPECT_EQ(grid.TakeRuns(), (std::vector<Rect>{{127 * TW, TH, 128 * TW, 2 * TH}}));
}

TEST(DamageGrid, ResizeForgetsTheOldFrameAndClipsItsReports) {
  DamageGrid grid;
  grid.Resize(100 * TW, 10 * TH);
  MarkTile(grid, 99, 9);
  grid.Resize(3 * TW, 2 * TH);
  EXPECT_TRUE(grid.Empty());
  MarkTile(grid, 99, 9);                   // a late report from the larger frame
  grid.SquareDrawn(2 * TW, TH, 100 * TW);  // one that runs off the smaller frame
  EXPECT_EQ(grid.TakeRuns(), (std::vector<Rect>{{2 * TW, TH, 3 * TW, 2 * TH}}));
  grid.Resize(0, 0);
  grid.MarkAll();
  MarkTile(grid, 0, 0);
  EXPECT_TRUE(grid.TakeRuns().empty());
}

// Random squares over a frame of odd size several words wide, against tiles kept as a plain
// table and runs found one tile at a time.
TEST(DamageGrid, AgreesWithAPlainTableOfTiles) {
  constexpr int32_t kWidth = 150 * TW + 3;
  constexpr int32_t kHeight = 9 * TH + 1;
  constexpr int32_t kColumns = 151;
  constexpr int32_t kRows = 10;
  std::mt19937 random(6);
  DamageGrid grid;
  grid.Resize(kWidth, kHeight);
  for (int round = 0; round < 40; ++round) {
    const int32_t bridge = round % 4;
    std::vector<bool> dirty(kColumns * kRows);
    const int squares = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < squares; ++i) {
      const auto n = static_cast<uint32_t>(1 + random() % 20);
      const auto x = static_cast<int32_t>(random() % kWidth);
      const auto y = static_cast<int32_t>(random() % kHeight);
      grid.SquareDrawn(x, y, n);
      const int32_t right = std::min<int32_t>(x + static_cast<int32_t>(n), kWidth);
      const int32_t bottom = std::min<int32_t>(y + static_cast<int32_t>(n), kHeight);
      for (int32_t r = y / TH; r <= (bottom - 1) / TH; ++r) {
        for (int32_t c = x / TW; c <= (right - 1) / TW; ++c) dirty[r * kColumns + c] = true;
      }
    }
    std::vector<Rect> expected;
    for (int32_t r = 0; r < kRows; ++r) {
      int32_t c = 0;
      while (c < kColumns) {
        if (!dirty[r * kColumns + c]) {
          ++c;
          continue;
        }
        int32_t last = c;
        for (int32_t next = c + 1; next < kColumns && next - last <= bridge + 1; ++next) {
          if (dirty[r * kColumns + next]) last = next;
        }
        expected.push_back(Rect{c * TW, r * TH, std::min((last + 1) * TW, kWidth),
                                std::min((r + 1) * TH, kHeight)});
        c = last + 1;
      }
    }
    ASSERT_EQ(grid.TakeRuns(bridge), expected) << "round " << round;
    ASSERT_TRUE(grid.Empty());
  }
}

}  // namespace
}  // namespace orv
