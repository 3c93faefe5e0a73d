#include <gtest/gtest.h>

#include "tests/world/grid_art.h"
#include "world/pixel_grid.h"
#include "world/world_random.h"

using namespace world;

namespace {

long long Seven() { return 7; }

TEST(WorldRandom, MatchesTheClassicCRuntimeSequence) {
  world::srand(1);
  EXPECT_EQ(world::rand(), 41);
  EXPECT_EQ(world::rand(), 18467);
  EXPECT_EQ(world::rand(), 6334);
  EXPECT_EQ(world::rand(), 26500);
  world::srand(0);
  EXPECT_EQ(world::rand(), 38);
  world::srand(0xFFFFFFFFu);  // the state wraps modulo 2^32
  for (int i = 0; i < 1000; ++i) {
    const int v = world::rand();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
  }
}

TEST(WorldRandom, ClockCanBeFixedAndRestored) {
  SetClock(&Seven);
  EXPECT_EQ(Now(), 7);
  SetClock(nullptr);
  EXPECT_GT(Now(), 1600000000);  // the real calendar time
}

TEST(MaterialClasses, SolidAndOccupied) {
  for (Material m : {SAND, OBSIDIAN, ICE, STONE}) EXPECT_TRUE(IsSolid(m)) << m;
  for (Material m : {WATER, LAVA, STEAM, CLEAR}) EXPECT_FALSE(IsSolid(m)) << m;
  for (Material m : {SAND, OBSIDIAN, ICE, LAVA, WATER, STONE}) EXPECT_TRUE(IsOccupied(m)) << m;
  EXPECT_FALSE(IsOccupied(STEAM));
  EXPECT_FALSE(IsOccupied(CLEAR));
}

class CellOps : public ::testing::Test {
protected:
  PixelGrid grid{6, 4, 5.0f};
};

TEST_F(CellOps, NewGridIsClearAndTransparent) {
  EXPECT_FLOAT_EQ(grid.gridScale, 6.0f / 384.0f);
  for (const Cell& c : grid.cells) {
    EXPECT_EQ(c.material, CLEAR);
    EXPECT_EQ(c.colour, (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(c.lifetime, -1.0f);
  }
}

TEST_F(CellOps, SetCellWritesColoursAndVelocitiesPerMaterial) {
  grid.SetCell(0, 0, SAND, 1.5f, -2.0f, true);
  EXPECT_EQ(grid.At(0, 0).colour, (Rgba{244, 164, 96, 255}));
  EXPECT_EQ(grid.At(0, 0).velocityX, 1.5f);
  EXPECT_EQ(grid.At(0, 0).velocityY, -2.0f);
  EXPECT_EQ(grid.At(0, 0).dark, 0) << "only stone takes the dark flag";

  grid.SetCell(1, 0, WATER, 3.0f, 4.0f, false);
  EXPECT_EQ(grid.At(1, 0).colour, (Rgba{112, 141, 249, 100}));

  grid.SetCell(2, 0, OBSIDIAN, 3.0f, 4.0f, false);
  EXPECT_EQ(grid.At(2, 0).velocityX, 0.0f) << "fixed materials never carry velocity";
  EXPECT_EQ(grid.At(2, 0).colour, (Rgba{48, 25, 52, 255}));

  grid.SetCell(3, 0, STONE, 3.0f, 4.0f, true);
  EXPECT_EQ(grid.At(3, 0).colour, (Rgba{100, 100, 100, 255}));
  EXPECT_EQ(grid.At(3, 0).velocityY, 0.0f);
  grid.SetCell(4, 0, STONE, 0.0f, 0.0f, false);
  EXPECT_EQ(grid.At(4, 0).colour, (Rgba{136, 140, 141, 255}));

  grid.SetCell(5, 0, LAVA, 0.0f, 0.0f, false);
  EXPECT_EQ(grid.At(5, 0).colour, (Rgba{206, 68, 0, 255}));
  grid.SetCell(5, 1, ICE, 0.0f, 0.0f, false);
  EXPECT_EQ(grid.At(5, 1).colour, (Rgba{160, 242, 243, 255}));
  grid.SetCell(4, 1, STEAM, 0.0f, 0.0f, false);
  EXPECT_EQ(grid.At(4, 1).colour, (Rgba{196, 196, 199, 255}));
}

TEST_F(CellOps, SteamLifetimeBelongsToThePosition) {
  grid.SetCell(0, 0, STEAM, 0.0f, 1.0f, false);
  EXPECT_EQ(grid.At(0, 0).lifetime, 4.0f) << "a never-used cell gets a fresh lifetime";

  grid.At(1, 0).lifetime = 2.5f;
  grid.SetCell(1, 0, STEAM, 0.0f, 0.0f, false);
  EXPECT_EQ(grid.At(1, 0).lifetime, 2.5f);

  grid.At(2, 0).lifetime = -0.25f;  // steam expired here earlier
  grid.SetCell(2, 0, STEAM, 0.0f, 0.0f, false);
  grid.ClearCell(2, 0);
  EXPECT_EQ(grid.At(2, 0).lifetime, -0.25f) << "ClearCell leaves the lifetime";
  grid.SetCell(2, 0, STEAM, 0.0f, 0.0f, false);
  EXPECT_EQ(grid.At(2, 0).lifetime, -0.25f) << "no second fresh lifetime";
}

TEST_F(CellOps, ClearCellKeepsDarkFlag) {
  grid.SetCell(1, 1, STONE, 0.0f, 0.0f, true);
  grid.ClearCell(1, 1);
  EXPECT_EQ(grid.At(1, 1).material, CLEAR);
  EXPECT_EQ(grid.At(1, 1).colour, (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(grid.At(1, 1).dark, 1);
}

TEST_F(CellOps, WritesOutsideTheGridOrOfNonMaterialsChangeNothing) {
  const PixelGrid before = grid;
  grid.SetCell(1, 1, static_cast<Material>(8), 0.0f, 0.0f, false);
  grid.SetCell(1, 1, static_cast<Material>(-1), 0.0f, 0.0f, false);
  grid.SetCell(6, 0, SAND, 0.0f, 0.0f, false);
  grid.SetCell(0, -1, SAND, 0.0f, 0.0f, false);
  grid.SetCell(-1, 0, SAND, 0.0f, 0.0f, false);
  grid.ClearCell(0, 4);
  for (std::size_t i = 0; i < grid.cells.size(); ++i) {
    EXPECT_EQ(grid.cells[i].material, before.cells[i].material);
    EXPECT_EQ(grid.cells[i].colour, before.cells[i].colour);
  }
  EXPECT_FALSE(grid.InBounds(6, 0));
  EXPECT_FALSE(grid.InBounds(0, 4));
  EXPECT_FALSE(grid.InBounds(-1, 0));
  EXPECT_TRUE(grid.InBounds(5, 3));
  EXPECT_FALSE(grid.Holds(-1, 0, CLEAR)) << "no material, not even CLEAR, outside the grid";
  EXPECT_TRUE(grid.Holds(0, 0, CLEAR));
  EXPECT_FALSE(IsSolid(grid.MaterialAt(0, -1)));
}

TEST(IsSurrounded, NeedsSixMatchingNeighboursInBounds) {
  EXPECT_TRUE(gridart::Make({"###", "###", "#.."}).IsSurrounded(1, 1, STONE)) << "six";
  EXPECT_FALSE(gridart::Make({"###", "##.", "#.."}).IsSurrounded(1, 1, STONE)) << "five";
  EXPECT_TRUE(gridart::Make({"www", "w#w", "w.w"}).IsSurrounded(1, 1, WATER))
      << "the cell's own material does not matter";

  PixelGrid full(3, 3, 1.0f);
  EXPECT_TRUE(full.IsSurrounded(1, 1, CLEAR));
  EXPECT_FALSE(full.IsSurrounded(0, 0, CLEAR)) << "a corner has only 3 neighbours";
  EXPECT_FALSE(full.IsSurrounded(0, 1, CLEAR)) << "an edge has only 5 neighbours";
}

class Blasts : public ::testing::Test {
protected:
  void SetUp() override {
    for (int x = 0; x < 20; ++x)
      for (int y = 0; y < 20; ++y) grid.SetCell(x, y, STONE, 0.0f, 0.0f, false);
  }
  int Cleared() const {
    int n = 0;
    for (const Cell& c : grid.cells) n += c.material == CLEAR;
    return n;
  }
  PixelGrid grid{20, 20, 1.0f};
};

TEST_F(Blasts, RadiusOneClearsOnlyTheCentre) {
  grid.Blast(10, 10, 1);
  EXPECT_EQ(Cleared(), 1);
  EXPECT_EQ(grid.At(10, 10).material, CLEAR);
}

TEST_F(Blasts, RadiusTwoClearsTheThreeByThreeSquare) {
  grid.Blast(10, 10, 2);
  EXPECT_EQ(Cleared(), 9);
  for (int x = 9; x <= 11; ++x)
    for (int y = 9; y <= 11; ++y) EXPECT_EQ(grid.At(x, y).material, CLEAR) << x << "," << y;
}

TEST_F(Blasts, DiscIsOpenAndLeavesObsidian) {
  grid.SetCell(10, 12, OBSIDIAN, 0.0f, 0.0f, false);
  grid.SetCell(10, 10, WATER, 0.0f, 0.0f, false);
  grid.At(10, 10).velocityX = 3.0f;
  grid.Blast(10, 10, 5);
  EXPECT_EQ(grid.At(10, 12).material, OBSIDIAN);
  EXPECT_EQ(grid.At(10, 11).material, CLEAR);
  EXPECT_EQ(grid.At(10, 13).material, CLEAR);
  EXPECT_EQ(grid.At(10, 10).velocityX, 0.0f);
  EXPECT_EQ(grid.At(5, 10).material, STONE) << "distance equal to the radius stays";
  EXPECT_EQ(grid.At(14, 13).material, STONE) << "16 + 9 = 25 is not inside";
  EXPECT_EQ(grid.At(13, 13).material, CLEAR) << "9 + 9 = 18 is inside";
  EXPECT_EQ(Cleared(), 69 - 1);  // lattice points with x*x + y*y < 25, minus the obsidian
}

TEST_F(Blasts, EdgesAndDegenerateRadii) {
  grid.Blast(0, 0, 3);
  EXPECT_EQ(Cleared(), 9);  // the part of the disc inside: (0..2)^2, all below 9
  EXPECT_EQ(grid.At(3, 0).material, STONE);
  grid.Blast(25, 25, 3);
  grid.Blast(10, 10, 0);
  grid.Blast(10, 10, -4);
  grid.Blast(2147483647, -2147483647 - 1, 5);
  EXPECT_EQ(Cleared(), 9);
}

TEST(StampBlock, WritesTheTwoByTwoBlockBelowRight) {
  PixelGrid grid = gridart::Make({
      "....",
      ".oo.",
      ".oo.",
      "....",
  });
  grid.StampBlock(1, 2, SAND);
  EXPECT_EQ(gridart::Draw(grid), (std::vector<std::string>{"....", ".ss.", ".ss.", "...."}))
      << "the stamp replaces obsidian too";
  EXPECT_EQ(grid.At(1, 2).velocityY, 0.0f);

  grid.StampBlock(3, 0, WATER);  // the corner: three of four cells fall outside
  EXPECT_EQ(grid.At(3, 0).material, WATER);
  grid.StampBlock(1, 2, CLEAR);
  EXPECT_EQ(gridart::Draw(grid), (std::vector<std::string>{"....", "....", "....", "...w"}));
  grid.StampBlock(2147483647, -2147483647 - 1, STONE);
  grid.StampBlock(-1, 4, STONE);
  EXPECT_EQ(grid.At(0, 3).material, STONE) << "only the one cell inside";
  EXPECT_EQ(grid.At(0, 3).dark, 0);
}

TEST(FreeGrid, EmptiesTheGrid) {
  PixelGrid grid(10, 10, 1.0f);
  grid.treasureMarkers.push_back({1, 2});
  grid.FreeGrid();
  EXPECT_TRUE(grid.cells.empty());
  EXPECT_TRUE(grid.treasureMarkers.empty());
  EXPECT_FALSE(grid.InBounds(0, 0));
  grid.StepGrid(1.0f / 60.0f);  // a freed grid steps as nothing
}

}  // namespace
