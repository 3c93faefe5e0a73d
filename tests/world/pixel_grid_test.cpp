#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "tests/world/grid_art.h"

using namespace world;
using gridart::Rows;

namespace {

long long Seven() { return 7; }

TEST(WorldRandom, MatchesTheClassicCRuntimeAndTheClockCanBeFixed) {
  world::srand(1);
  for (int expected : {41, 18467, 6334, 26500}) EXPECT_EQ(world::rand(), expected);
  world::srand(0);
  EXPECT_EQ(world::rand(), 38);
  SetClock(&Seven);
  EXPECT_EQ(Now(), 7);
  SetClock(nullptr);
  EXPECT_GT(Now(), 1600000000);  // the real calendar time
}

TEST(MaterialClasses, WhatBlocksObjectsAndWhatStopsSight) {
  const char solid[] = "11100100", occupied[] = "11111100";  // in Codes order: s o i l w # ~ .
  for (int m = 0; m < MaterialCount; ++m) {
    EXPECT_EQ(IsSolid(static_cast<Material>(m)), solid[m] == '1') << gridart::Codes[m];
    EXPECT_EQ(IsOccupied(static_cast<Material>(m)), occupied[m] == '1') << gridart::Codes[m];
  }
}

TEST(TruncateToCell, TowardZeroSaturatedFarOffTheGridAndNaNIsZero) {
  constexpr float Inf = std::numeric_limits<float>::infinity();
  const struct { float v; long long cell; } cases[] = {
      {2.99f, 2},    {-2.99f, -2}, {-0.5f, 0},           {1e9f, 1000000000},       {3e9f, 1000000000},
      {-3e9f, -1000000000},        {Inf, 1000000000},    {-Inf, -1000000000},      {std::nanf(""), 0}};
  for (const auto& c : cases) EXPECT_EQ(TruncateToCell(c.v), c.cell) << c.v;
}

TEST(CellWrites, ColourVelocityShadeAndSteamLifetimePerMaterial) {
  PixelGrid grid(8, 2, 5.0f);
  EXPECT_FLOAT_EQ(grid.gridScale, 8.0f / 384.0f);
  for (const Cell& c : grid.cells) EXPECT_EQ(c.colour, (Rgba{0, 0, 0, 0})) << "a new grid is transparent";
  for (int i = 0; i < MaterialCount; ++i) {
    const auto m = static_cast<Material>(i);
    SCOPED_TRACE(gridart::Codes[i]);
    grid.SetCell(i, 0, m, 1.5f, -2.0f, true);
    const Cell& c = grid.At(i, 0);
    const bool moves = m == SAND || m == LAVA || m == WATER || m == STEAM;
    EXPECT_EQ(c.material, m);
    EXPECT_EQ(c.velocityX, moves ? 1.5f : 0.0f);
    EXPECT_EQ(c.velocityY, moves ? -2.0f : 0.0f);
    EXPECT_EQ(c.dark != 0, m == STONE) << "only stone takes the dark flag";
    EXPECT_EQ(c.colour, m == STONE ? DarkStoneColour : BaseColour(m));
  }
  EXPECT_EQ(BaseColour(WATER).a, 100) << "water alone is translucent";
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
  EXPECT_FALSE(grid.Holds(-1, 0, CLEAR)) << "no material, not even CLEAR, outside the grid";
  EXPECT_EQ(grid.MaterialAt(0, -1), CLEAR);

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
    EXPECT_EQ(gridart::Count(grid, CLEAR), c.cleared);
    EXPECT_EQ(grid.At(10, 12).material, OBSIDIAN);
    if (c.cx != 10 || c.radius != 5) continue;
    EXPECT_EQ(grid.At(5, 10).material, STONE) << "at the radius: outside";
    EXPECT_EQ(grid.At(14, 13).material, STONE) << "16 + 9 = 25: outside";
    EXPECT_EQ(grid.At(13, 13).material, CLEAR) << "9 + 9 = 18: inside";
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

TEST(FreeGrid, EmptiesTheGridWhichThenStepsAsNothing) {
  PixelGrid grid(10, 10, 1.0f);
  grid.treasureMarkers.push_back({1, 2});
  grid.FreeGrid();
  EXPECT_TRUE(grid.cells.empty() && grid.treasureMarkers.empty() && !grid.InBounds(0, 0));
  grid.StepGrid(1.0f / 60.0f);
}

constexpr float Frame = 1.0f / 60.0f;

class Rules : public ::testing::Test {
protected:
  void SetUp() override { gridart::UseClockForFirstCoin(1); }
  void TearDown() override { SetClock(nullptr); }
};

TEST_F(Rules, PicturesBeforeAndAfter) {
  // Every step's first coin goes `dir`.
  const struct { const char* rule; int dir, steps; float dt; Rows before, after; } cases[] = {
      {"sand on a point takes the coin's side", 1, 1, Frame, {".s.", ".o."}, {"...", ".os"}},
      {"sand on a point takes the coin's side", -1, 1, Frame, {".s.", ".o."}, {"...", "so."}},
      {"the free other side is not tried", 1, 1, Frame, {".s.", ".oo"}, {".s.", ".oo"}},
      {"sand falls a row, then three", 1, 2, Frame, {"s", ".", ".", ".", ".", ".", "o"}, {".", ".", ".", ".", "s", ".", "o"}},
      {"and lands on the first occupied row", 1, 3, Frame, {"s", ".", ".", ".", ".", ".", "o"}, {".", ".", ".", ".", ".", "s", "o"}},
      {"sand swaps diagonally with water", 1, 1, Frame, {".s.", ".ow"}, {".w.", ".os"}},
      {"sinking sand waits for a whole cell", 1, 1, 0.1f, {"oso", "owo", "owo"}, {"oso", "owo", "owo"}},
      {"sinking sand moves at a whole cell", 1, 2, 0.1f, {"oso", "owo", "owo"}, {"owo", "oso", "owo"}},
      {"water falls a row", 1, 1, Frame, {"w", ".", "."}, {".", "w", "."}},
      {"water slides down the coin side", 1, 1, Frame, {".w.", ".o."}, {"...", ".ow"}},
      {"water slides down the coin side", -1, 1, Frame, {".w.", ".o."}, {"...", "wo."}},
      {"water spreads four cells, once a step", 1, 1, Frame, {"w..........."}, {"....w......."}},
      {"the right side is favoured, not alternated", 1, 2, Frame, {"w........."}, {"........w."}},
      {"with the right four outside, the left wins", 1, 3, Frame, {"w........."}, {"....w....."}},
      {"lava spread balances", 1, 10, Frame, {"...l..."}, {"...l..."}},
      {"unless a wall stops one side", 1, 1, Frame, {"ol....."}, {"o.l...."}},
      // The scan runs down the left column first, so (0, 2) is met before (2, 0).
      {"lava hardens, its first water turns to steam", 1, 1, Frame, {"woo", "olo", "oow"}, {"~oo", "ooo", "oow"}},
      {"steam condenses beside ice", 1, 1, Frame, {"i~."}, {"iw."}},
      {"steam under a ceiling spreads three right", 1, 1, Frame, {"ooooooo", ".~....."}, {"ooooooo", "....~.."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rule << ", dir " << c.dir);
    gridart::UseClockForFirstCoin(c.dir);
    PixelGrid grid = gridart::Make(c.before);
    for (int i = 0; i < c.steps; ++i) grid.StepGrid(c.dt);
    EXPECT_EQ(gridart::Draw(grid), c.after);
  }
}

TEST_F(Rules, FastSandEnteringWaterIsBrakedToATenth) {
  PixelGrid grid = gridart::Make({"oso", "owo", "owo", "owo", "owo", "owo"});
  grid.At(1, 5).velocityY = -20.0f;
  grid.StepGrid(0.1f);
  // -20 becomes -2, then -2.5: two rows down, not twenty.
  EXPECT_EQ(gridart::Draw(grid), (Rows{"owo", "owo", "oso", "owo", "owo", "owo"}));
  EXPECT_FLOAT_EQ(grid.At(1, 3).velocityY, -2.5f);
}

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

  // Six matching neighbours: the middle is skipped and does not age; five are not enough.
  PixelGrid cloud = gridart::Make({"oo~", "~~~", "~~~"});
  cloud.StepGrid(Frame);
  EXPECT_EQ(cloud.At(1, 1).lifetime, 4.0f);
  EXPECT_FLOAT_EQ(cloud.At(1, 0).lifetime, 4.0f - Frame);
}

TEST(Rolls, IceMeltsAndStoneWearsOnlyBesideLava) {
  SetClock(&gridart::TickingClock);  // new draws every step
  const struct { Rows rows; Material to; } cases[] = {
      {{"ooooo", "o.ioo"}, ICE}, {{"ooooo", "olioo"}, WATER}, {{"ooooo", "o.#oo"}, STONE}, {{"ooooo", "ol#oo"}, CLEAR}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows[1]);
    PixelGrid grid = gridart::Make(c.rows);
    const Material from = grid.At(2, 0).material;
    if (from == STONE) grid.SetCell(2, 0, STONE, 0.0f, 0.0f, true);
    for (int i = 0; i < 1000 && grid.At(2, 0).material == from; ++i) grid.StepGrid(Frame);
    EXPECT_EQ(grid.At(2, 0).material, c.to);
    if (c.to == STONE) {
      EXPECT_EQ(grid.At(2, 0).colour, DarkStoneColour) << "keeps its shade";
    }
  }
  SetClock(nullptr);
}

TEST_F(Rules, OnlyTheWindowAroundTheViewIsSimulated) {
  PixelGrid grid(768, 432, 1.0f);  // gridScale 2: the window spans 384 x 216 cells
  grid.viewOrigin = {100.0f, 50.0f};
  // Window: x 53..559 (100 - 46.08, 100 + 460.8), y 24..308 (50 - 25.92, 50 + 259.2).
  const CellPos edges[] = {{53, 200}, {559, 200}, {300, 24}, {300, 308}, {52, 200}, {560, 200}, {300, 23}, {300, 309}};
  for (CellPos p : edges) grid.SetCell(p.x, p.y, SAND, 0.0f, 0.0f, false);
  grid.StepGrid(Frame);
  for (int i = 0; i < 8; ++i)  // the first four inside fall, the last four outside stay
    EXPECT_EQ(grid.At(edges[i].x, edges[i].y - (i < 4)).material, SAND) << edges[i].x << "," << edges[i].y;

  for (float viewX : {67.0f, -500.0f, 1e30f, -1e30f}) {  // views beside the grid
    PixelGrid small = gridart::Make({"s.w.l.~", ".......", "#.i...."});
    small.viewOrigin = {viewX, 0.0f};
    small.StepGrid(Frame);
    EXPECT_EQ(gridart::Draw(small), (Rows{"s.w.l.~", ".......", "#.i...."})) << viewX;
    EXPECT_EQ(small.At(6, 2).lifetime, 4.0f) << viewX;
  }
}

TEST_F(Rules, HandledCellsAreMarkedAndOldMarksForgottenWhenTheStampWraps) {
  PixelGrid grid = gridart::Make({".s.", ".oo"});
  grid.stepStamp = 65535;
  for (Cell& c : grid.cells) c.updated = 1;  // left over from a step long ago
  grid.StepGrid(Frame);
  EXPECT_TRUE(grid.WasUpdated(1, 1)) << "blocked sand was handled";
  EXPECT_FALSE(grid.WasUpdated(0, 1));
}

}  // namespace
