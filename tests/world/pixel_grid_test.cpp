#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <tuple>

#include "tests/world/grid_art.h"

using namespace world;
using gridart::Rows;

namespace {

TEST(TruncateToCell, TowardZeroSaturatedFarOffTheGridAndNaNIsZero) {
  constexpr float Inf = std::numeric_limits<float>::infinity();
  const struct { float v; long long cell; } cases[] = {
      {2.99f, 2}, {-2.99f, -2}, {-0.5f, 0}, {1e9f, 1000000000}, {3e9f, 1000000000}, {-3e9f, -1000000000},
      {Inf, 1000000000}, {-Inf, -1000000000}, {std::nanf(""), 0}};
  for (const auto& c : cases) EXPECT_EQ(TruncateToCell(c.v), c.cell) << c.v;
}

TEST(CellWrites, ColourVelocityShadeAndSteamLifetimePerMaterial) {
  PixelGrid grid(8, 2, 5.0f);
  for (const Cell& c : grid.cells) EXPECT_EQ(c.colour, (Rgba{0, 0, 0, 0})) << "a new grid is transparent";
  for (int i = 0; i < kMaterialCount; ++i) {
    const auto m = static_cast<Material>(i);
    SCOPED_TRACE(gridart::Codes[i]);
    grid.SetCell(i, 0, m, 1.5f, -2.0f, true);
    const Cell& c = grid.At(i, 0);
    const bool moves = m == SAND || m == LAVA || m == WATER || m == STEAM;
    EXPECT_EQ(std::tuple(c.material, c.velocityX, c.velocityY), std::tuple(m, moves ? 1.5f : 0.f, moves ? -2.f : 0.f));
    EXPECT_EQ(c.dark != 0, m == STONE) << "only stone takes the dark flag";
    EXPECT_EQ(c.colour, m == STONE ? kDarkStoneColour : BaseColour(m));
  }
  grid.ClearCell(STONE, 0);
  EXPECT_EQ(grid.At(STONE, 0).dark, 1) << "clearing keeps the shade";

  const Rows before = gridart::Draw(grid);
  grid.SetCell(1, 1, static_cast<Material>(8), 0.0f, 0.0f, false);
  grid.SetCell(1, 1, static_cast<Material>(-1), 0.0f, 0.0f, false);
  for (CellPos p : {CellPos{8, 0}, CellPos{0, 2}, CellPos{-1, 0}, CellPos{0, -1}}) {
    grid.SetCell(p.x, p.y, SAND, 0.0f, 0.0f, false);
    grid.ClearCell(p.x, p.y);
  }
  EXPECT_EQ(gridart::Draw(grid), before) << "writes outside the grid or of non-materials";
  EXPECT_EQ(std::tuple(grid.Holds(-1, 0, CLEAR), grid.MaterialAt(0, -1)), std::tuple(false, CLEAR)) << "none outside";

  EXPECT_EQ(grid.At(STEAM, 0).lifetime, 4.0f) << "steam is fresh where steam never was";
  for (float left : {2.5f, -0.25f}) {  // part used, expired: the lifetime belongs to the position
    grid.At(1, 1).lifetime = left;
    grid.SetCell(1, 1, STEAM, 0.0f, 0.0f, false);
    grid.ClearCell(1, 1);
    grid.SetCell(1, 1, STEAM, 0.0f, 0.0f, false);
    EXPECT_EQ(grid.At(1, 1).lifetime, left);
  }
}

TEST(IsSurrounded, NeedsSixMatchingNeighboursInsideTheGrid) {
  const struct { Rows rows; int x, y; Material m; bool surrounded; } cases[] = {
      {{"###", "###", "#.."}, 1, 1, STONE, true},   // six
      {{"###", "##.", "#.."}, 1, 1, STONE, false},  // five
      {{"www", "w#w", "w.w"}, 1, 1, WATER, true},   // the cell's own material does not count
      {{"...", "...", "..."}, 0, 0, CLEAR, false},  // a corner has three neighbours
      {{"...", "...", "..."}, 0, 1, CLEAR, false},  // an edge has five
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.rows));
    EXPECT_EQ(gridart::Make(c.rows).IsSurrounded(c.x, c.y, c.m), c.surrounded);
  }
}

TEST(Blast, ClearsTheOpenDiscInsideTheGridButNotObsidian) {
  // Radius 5: 69 points with dx^2 + dy^2 < 25, less the obsidian; at a corner (0..2)^2 is inside.
  const struct { int cx, cy, radius, cleared; } cases[] = {
      {10, 10, 1, 1}, {10, 10, 2, 9}, {10, 10, 5, 68}, {0, 0, 3, 9},
      {25, 25, 3, 0}, {10, 10, 0, 0}, {10, 10, -4, 0}, {INT_MAX, INT_MIN, 5, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cx << ", " << c.cy << " r " << c.radius);
    PixelGrid grid = gridart::Make(Rows(20, std::string(20, '#')));
    grid.SetCell(10, 12, OBSIDIAN, 0.0f, 0.0f, false);
    grid.Blast(c.cx, c.cy, c.radius);
    EXPECT_EQ(std::tuple(gridart::Count(grid, CLEAR), grid.At(10, 12).material), std::tuple(c.cleared, OBSIDIAN));
    if (c.cx != 10 || c.radius != 5) continue;
    // At the radius and at 16 + 9 = 25 outside, at 9 + 9 = 18 inside.
    EXPECT_EQ(std::tuple(grid.At(5, 10).material, grid.At(14, 13).material, grid.At(13, 13).material),
              std::tuple(STONE, STONE, CLEAR));
  }
}

TEST(StampBlock, WritesTheBlockBelowRightOverObsidianAndClipsAtEdges) {
  PixelGrid grid = gridart::Make({"....", ".oo.", ".oo.", "...."});
  grid.StampBlock(1, 2, SAND);
  EXPECT_EQ(gridart::Draw(grid), (Rows{"....", ".ss.", ".ss.", "...."}));
  grid.StampBlock(3, 0, WATER);  // three of the four cells fall outside
  grid.StampBlock(1, 2, CLEAR);
  grid.StampBlock(-1, 4, STONE);  // only (0, 3) is inside
  grid.StampBlock(INT_MAX, INT_MIN, STONE);
  EXPECT_EQ(gridart::Draw(grid), (Rows{"#...", "....", "....", "...w"}));
}

constexpr float Frame = 1.0f / 60.0f;

class Rules : public ::testing::Test {
 protected:
  void SetUp() override { gridart::UseClockForFirstCoin(1); }
  void TearDown() override { SetClock(nullptr); }
};

TEST_F(Rules, SteamRisesAgesPerPositionAndExpires) {
  PixelGrid grid(3, 4, 1.0f);
  grid.SetCell(1, 0, STEAM, 0.0f, 0.0f, false);
  grid.At(1, 1).lifetime = Frame;  // steam nearly used up its life here earlier
  grid.StepGrid(Frame);
  ASSERT_EQ(grid.At(1, 1).material, STEAM);
  EXPECT_FLOAT_EQ(grid.At(1, 1).velocityY, 80.0f * Frame);
  EXPECT_FLOAT_EQ(grid.At(1, 0).lifetime, 4.0f - Frame) << "the age stays where it was spent";
  grid.StepGrid(Frame);
  EXPECT_EQ(gridart::Count(grid, CLEAR), 12) << "the position's life ran out: exactly 0 is over";
}

// The window's edges are checked against the reference step; here, views
// whose window misses the grid entirely.
TEST_F(Rules, AViewBesideTheGridSimulatesNothing) {
  for (float viewX : {67.0f, -500.0f, 1e30f, -1e30f}) {
    PixelGrid small = gridart::Make({"s.w.l.~", ".......", "#.i...."});
    small.viewOrigin = {viewX, 0.0f};
    small.StepGrid(Frame);
    EXPECT_EQ(std::tuple(gridart::Draw(small), small.At(6, 2).lifetime),
              std::tuple(Rows{"s.w.l.~", ".......", "#.i...."}, 4.0f)) << viewX;
  }
}

TEST_F(Rules, HandledCellsAreMarkedAndOldMarksForgottenWhenTheStampWraps) {
  PixelGrid grid = gridart::Make({".s.", ".oo"});
  grid.stepStamp = 65535;
  for (Cell& c : grid.cells) c.updated = 1;  // left over from a step long ago
  grid.StepGrid(Frame);
  EXPECT_EQ(std::tuple(grid.WasUpdated(1, 1), grid.WasUpdated(0, 1)), std::tuple(true, false))
      << "blocked sand was handled, the old mark forgotten";
}

}  // namespace
