#include <gtest/gtest.h>

#include "tests/world/grid_art.h"
#include "world/pixel_grid.h"
#include "world/world_random.h"

using namespace world;
using Rows = std::vector<std::string>;

namespace {

constexpr float Frame = 1.0f / 60.0f;

class Rules : public ::testing::Test {
protected:
  void SetUp() override { gridart::UseClockForFirstCoin(1); }
  void TearDown() override { SetClock(nullptr); }
};

TEST_F(Rules, SandFallsFasterEachStepAndLandsOnTheFirstOccupiedRow) {
  PixelGrid grid(3, 40, 1.0f);
  for (int x = 0; x < 3; ++x) grid.SetCell(x, 0, OBSIDIAN, 0.0f, 0.0f, false);
  grid.SetCell(1, 39, SAND, 0.0f, 0.0f, false);

  grid.StepGrid(Frame);
  ASSERT_EQ(grid.At(1, 38).material, SAND) << "one row on the first step";
  EXPECT_NEAR(grid.At(1, 38).velocityY, -1.6667f, 1e-3f);
  EXPECT_EQ(grid.At(1, 39).material, CLEAR);

  grid.StepGrid(Frame);
  EXPECT_EQ(grid.At(1, 35).material, SAND) << "three rows once the velocity reaches -3.3";

  for (int i = 0; i < 20; ++i) grid.StepGrid(Frame);
  EXPECT_EQ(grid.At(1, 1).material, SAND);
  int sand = 0;
  for (const Cell& c : grid.cells) sand += c.material == SAND;
  EXPECT_EQ(sand, 1);
}

TEST_F(Rules, SandOnAPointTakesOnlyTheSideTheCoinChose) {
  for (int dir : {1, -1}) {
    gridart::UseClockForFirstCoin(dir);
    PixelGrid grid = gridart::Make({".s.", ".o."});
    grid.StepGrid(Frame);
    EXPECT_EQ(gridart::Draw(grid), (dir > 0 ? Rows{"...", ".os"} : Rows{"...", "so."}));
  }
  gridart::UseClockForFirstCoin(1);
  PixelGrid blocked = gridart::Make({".s.", ".oo"});
  blocked.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(blocked), (Rows{".s.", ".oo"})) << "the free left side is not tried";
  EXPECT_TRUE(blocked.WasUpdated(1, 1));
}

TEST_F(Rules, SandSinksThroughWaterOnlyOnceItsVelocityReachesOneCell) {
  PixelGrid grid = gridart::Make({"oso", "owo", "owo", "owo"});
  grid.StepGrid(0.1f);
  EXPECT_EQ(grid.At(1, 3).material, SAND);
  EXPECT_FLOAT_EQ(grid.At(1, 3).velocityY, -0.5f);
  grid.StepGrid(0.1f);
  EXPECT_EQ(gridart::Draw(grid), (Rows{"owo", "oso", "owo", "owo"}));
  EXPECT_FLOAT_EQ(grid.At(1, 2).velocityY, -1.0f);
  EXPECT_EQ(grid.At(1, 3).velocityY, 0.0f);
}

TEST_F(Rules, FastSandEnteringWaterIsBrakedToATenth) {
  PixelGrid grid = gridart::Make({"oso", "owo", "owo", "owo", "owo", "owo"});
  grid.At(1, 5).velocityY = -20.0f;
  grid.StepGrid(0.1f);
  // -20 becomes -2, then -2.5: two rows down, not twenty.
  EXPECT_EQ(gridart::Draw(grid), (Rows{"owo", "owo", "oso", "owo", "owo", "owo"}));
  EXPECT_FLOAT_EQ(grid.At(1, 3).velocityY, -2.5f);
}

TEST_F(Rules, SandSwapsDiagonallyWithWater) {
  PixelGrid grid = gridart::Make({".s.", ".ow"});
  grid.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(grid), (Rows{".w.", ".os"}));
}

TEST_F(Rules, WaterSlidesDownTheCoinSide) {
  for (int dir : {1, -1}) {
    gridart::UseClockForFirstCoin(dir);
    PixelGrid grid = gridart::Make({".w.", ".o."});
    grid.StepGrid(Frame);
    EXPECT_EQ(gridart::Draw(grid), (dir > 0 ? Rows{"...", ".ow"} : Rows{"...", "wo."}));
  }
}

TEST_F(Rules, WaterSpreadsFourCellsRightEachStepOnTheBottomRow) {
  PixelGrid grid = gridart::Make({"w........."});
  grid.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(grid)[0], "....w.....");
  grid.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(grid)[0], "........w.") << "the right side is favoured, not alternated";
  grid.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(grid)[0], "....w.....") << "with the right 4 out of bounds, the left 4 wins";
  EXPECT_EQ(grid.At(4, 0).velocityX, 0.0f);
}

TEST_F(Rules, LavaSpreadBalancesUnlessAWallStopsOneSide) {
  PixelGrid open = gridart::Make({"...l..."});
  for (int i = 0; i < 10; ++i) open.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(open)[0], "...l...");
  EXPECT_EQ(open.At(3, 0).velocityX, 0.0f);
  EXPECT_FALSE(open.WasUpdated(3, 0));

  PixelGrid walled = gridart::Make({"ol....."});
  walled.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(walled)[0], "o.l....");
}

TEST_F(Rules, LavaTurnsItsFirstWaterNeighbourIntoSteamAndHardens) {
  PixelGrid grid = gridart::Make({
      "woo",
      "olo",
      "oow",
  });
  grid.StepGrid(Frame);
  // The scan runs down the left column first, so (0, 2) is met before (2, 0).
  EXPECT_EQ(gridart::Draw(grid), (Rows{"~oo", "ooo", "oow"}));
  EXPECT_EQ(grid.At(0, 2).lifetime, 4.0f);
  EXPECT_EQ(grid.At(0, 2).colour, BaseColour(STEAM));
  EXPECT_EQ(grid.At(1, 1).colour, BaseColour(OBSIDIAN));
}

// Outcomes that depend on rolls: every step draws from a new second.
class Rolls : public ::testing::Test {
protected:
  void SetUp() override { SetClock(&gridart::TickingClock); }
  void TearDown() override { SetClock(nullptr); }

  // Steps until the cell at (2, 0) stops being `from`; -1 if it never does.
  static int StepsUntilChanged(PixelGrid& grid, Material from, int limit) {
    for (int i = 1; i <= limit; ++i) {
      grid.StepGrid(Frame);
      if (grid.At(2, 0).material != from) return i;
    }
    return -1;
  }
};

TEST_F(Rolls, IceMeltsIntoWaterOnlyBesideLava) {
  PixelGrid cold = gridart::Make({"ooooo", "o.ioo"});
  EXPECT_EQ(StepsUntilChanged(cold, ICE, 300), -1);

  PixelGrid hot = gridart::Make({"ooooo", "olioo"});
  EXPECT_GT(StepsUntilChanged(hot, ICE, 300), 0);
  EXPECT_EQ(hot.At(2, 0).material, WATER);
  EXPECT_EQ(hot.At(2, 0).colour, BaseColour(WATER));
}

TEST_F(Rolls, StoneWearsAwayOnlyBesideLavaAndKeepsItsShade) {
  PixelGrid cold = gridart::Make({"ooooo", "o.#oo"});
  cold.SetCell(2, 0, STONE, 0.0f, 0.0f, true);
  EXPECT_EQ(StepsUntilChanged(cold, STONE, 300), -1);
  EXPECT_EQ(cold.At(2, 0).colour, DarkStoneColour);

  PixelGrid hot = gridart::Make({"ooooo", "ol#oo"});
  EXPECT_GT(StepsUntilChanged(hot, STONE, 1000), 0);
  EXPECT_EQ(hot.At(2, 0).material, CLEAR);
}

TEST_F(Rules, SteamCondensesBesideIce) {
  PixelGrid grid = gridart::Make({"i~."});
  grid.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(grid)[0], "iw.");
  EXPECT_EQ(grid.At(1, 0).velocityY, 0.0f);
}

TEST_F(Rules, SteamRisesAndLeavesItsAgeAtThePosition) {
  PixelGrid grid(3, 10, 1.0f);
  grid.SetCell(1, 0, STEAM, 0.0f, 0.0f, false);
  grid.StepGrid(Frame);
  EXPECT_EQ(grid.At(1, 1).material, STEAM);
  EXPECT_EQ(grid.At(1, 1).lifetime, 4.0f);
  EXPECT_FLOAT_EQ(grid.At(1, 0).lifetime, 4.0f - Frame);
  EXPECT_FLOAT_EQ(grid.At(1, 1).velocityY, 80.0f * Frame);
}

TEST_F(Rules, SteamUnderACeilingSpreadsThreeCellsRight) {
  PixelGrid grid = gridart::Make({"oooooooooo", ".~........"});
  grid.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(grid)[1], "....~.....");
}

TEST_F(Rules, SteamExpiresAndExpiredPositionsStayExpired) {
  PixelGrid boxed = gridart::Make({"ooo", "o~o", "ooo"});
  boxed.At(1, 1).lifetime = 0.01f;
  boxed.StepGrid(Frame);
  EXPECT_EQ(boxed.At(1, 1).material, CLEAR);

  PixelGrid grid(3, 4, 1.0f);
  grid.At(1, 1).lifetime = -0.5f;  // steam expired here earlier
  grid.SetCell(1, 0, STEAM, 0.0f, 0.0f, false);
  grid.StepGrid(Frame);
  ASSERT_EQ(grid.At(1, 1).material, STEAM);
  EXPECT_EQ(grid.At(1, 1).lifetime, -0.5f);
  grid.StepGrid(Frame);
  for (const Cell& c : grid.cells) EXPECT_EQ(c.material, CLEAR);
}

TEST_F(Rules, SurroundedCellsDoNothing) {
  PixelGrid cloud = gridart::Make({"ooo", "~~~", "~~~", "~~~"});
  cloud.StepGrid(Frame);
  EXPECT_EQ(cloud.At(1, 1).lifetime, 4.0f) << "interior steam does not age";
  EXPECT_FLOAT_EQ(cloud.At(0, 0).lifetime, 4.0f - Frame);

  PixelGrid pool = gridart::Make({"o...o", "owwwo", "owwwo", "owwwo", "ooooo"});
  pool.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(pool), (Rows{"o...o", "owwwo", "owwwo", "owwwo", "ooooo"}));
}

TEST_F(Rules, OnlyTheWindowAroundTheViewIsSimulated) {
  PixelGrid grid(768, 432, 1.0f);  // gridScale 2: the window spans 384 x 216 cells
  grid.viewOrigin = {100.0f, 50.0f};
  // Window: x 53..559 (100 - 46.08, 100 + 460.8), y 24..308 (50 - 25.92, 50 + 259.2).
  const CellPos inside[] = {{53, 200}, {559, 200}, {300, 24}, {300, 308}};
  const CellPos outside[] = {{52, 200}, {560, 200}, {300, 23}, {300, 309}};
  for (CellPos p : inside) grid.SetCell(p.x, p.y, SAND, 0.0f, 0.0f, false);
  for (CellPos p : outside) grid.SetCell(p.x, p.y, SAND, 0.0f, 0.0f, false);
  grid.StepGrid(Frame);
  for (CellPos p : inside) EXPECT_EQ(grid.At(p.x, p.y - 1).material, SAND) << p.x << "," << p.y;
  for (CellPos p : outside) EXPECT_EQ(grid.At(p.x, p.y).material, SAND) << p.x << "," << p.y;
}

TEST_F(Rules, AViewBesideTheGridChangesNothing) {
  for (float viewX : {67.0f, -500.0f, 1e30f, -1e30f}) {
    PixelGrid grid = gridart::Make({"s.w.l.~", ".......", "#.i...."});
    grid.viewOrigin = {viewX, 0.0f};
    const PixelGrid before = grid;
    grid.StepGrid(Frame);
    for (std::size_t i = 0; i < grid.cells.size(); ++i) {
      EXPECT_EQ(grid.cells[i].material, before.cells[i].material) << viewX;
      EXPECT_EQ(grid.cells[i].velocityY, before.cells[i].velocityY) << viewX;
      EXPECT_EQ(grid.cells[i].lifetime, before.cells[i].lifetime) << viewX;
    }
  }
}

TEST_F(Rules, AMovingCellIsHandledOncePerStep) {
  // Falling into a later row of the same column must not fall again.
  PixelGrid grid(1, 5, 1.0f);
  grid.SetCell(0, 4, WATER, 0.0f, 0.0f, false);
  grid.StepGrid(Frame);
  EXPECT_EQ(grid.At(0, 3).material, WATER);
  // Spreading right into a later column must not spread again.
  PixelGrid row = gridart::Make({"w..............."});
  row.StepGrid(Frame);
  EXPECT_EQ(gridart::Draw(row)[0], "....w...........");
}

TEST_F(Rules, StepsAfterTheStampWrapsBehaveTheSame) {
  PixelGrid grid = gridart::Make({"w........."});
  grid.stepStamp = 65535;
  grid.At(0, 0).updated = 1;  // left over from a step long ago
  grid.StepGrid(Frame);       // the stamp wraps to 1: the old mark must not count
  EXPECT_EQ(gridart::Draw(grid)[0], "....w.....");
}

}  // namespace
