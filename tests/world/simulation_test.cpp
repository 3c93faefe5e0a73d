#include <gtest/gtest.h>

#include "tests/world/grid_art.h"

using namespace world;
using gridart::Rows;

namespace {

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

TEST_F(Rules, SandFallsFasterEachStepAndLandsOnTheFirstOccupiedRow) {
  PixelGrid grid(3, 40, 1.0f);
  for (int x = 0; x < 3; ++x) grid.SetCell(x, 0, OBSIDIAN, 0.0f, 0.0f, false);
  grid.SetCell(1, 39, SAND, 0.0f, 0.0f, false);
  grid.StepGrid(Frame);
  ASSERT_EQ(grid.At(1, 38).material, SAND) << "one row on the first step";
  EXPECT_NEAR(grid.At(1, 38).velocityY, -1.6667f, 1e-3f);
  grid.StepGrid(Frame);
  EXPECT_EQ(grid.At(1, 35).material, SAND) << "three rows once the velocity reaches -3.3";
  for (int i = 0; i < 20; ++i) grid.StepGrid(Frame);
  EXPECT_EQ(grid.At(1, 1).material, SAND);
  EXPECT_EQ(gridart::Count(grid, SAND), 1);
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
  grid.At(1, 1).lifetime = -0.5f;  // steam expired here earlier
  grid.StepGrid(Frame);
  ASSERT_EQ(grid.At(1, 1).material, STEAM);
  EXPECT_FLOAT_EQ(grid.At(1, 1).velocityY, 80.0f * Frame);
  EXPECT_FLOAT_EQ(grid.At(1, 0).lifetime, 4.0f - Frame) << "the age stays where it was spent";
  grid.StepGrid(Frame);
  EXPECT_EQ(gridart::Count(grid, CLEAR), 12) << "no second life at an expired position";

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
  const CellPos inside[] = {{53, 200}, {559, 200}, {300, 24}, {300, 308}};
  const CellPos outside[] = {{52, 200}, {560, 200}, {300, 23}, {300, 309}};
  for (CellPos p : inside) grid.SetCell(p.x, p.y, SAND, 0.0f, 0.0f, false);
  for (CellPos p : outside) grid.SetCell(p.x, p.y, SAND, 0.0f, 0.0f, false);
  grid.StepGrid(Frame);
  for (CellPos p : inside) EXPECT_EQ(grid.At(p.x, p.y - 1).material, SAND) << p.x << "," << p.y;
  for (CellPos p : outside) EXPECT_EQ(grid.At(p.x, p.y).material, SAND) << p.x << "," << p.y;

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
