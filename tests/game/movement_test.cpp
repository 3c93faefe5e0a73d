#include <cmath>

#include <gtest/gtest.h>

#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;
using world::CLEAR;
using world::ICE;
using world::LAVA;
using world::OBSIDIAN;
using world::SAND;
using world::STEAM;
using world::STONE;
using world::WATER;

namespace {

// A walker with the player's constants, standing still with its centre in
// cell (20, 20); its feet are in row 12 and its sides in columns 12 and 28.
Walker WalkerAt(glm::vec3 position) {
  Player p = MakePlayer(nullptr, nullptr, kS, position);
  p.active = true;
  return p;
}

class Sensing : public ::testing::Test {
 protected:
  world::PixelGrid grid = MakeGrid(40, 40);
  Walker w = WalkerAt(CellCentre(20, 20));
};

TEST_F(Sensing, ReadsTheFourSidesAndAveragesTheirDensity) {
  grid.SetCell(20, 28, WATER, 0, 0, false);
  grid.SetCell(28, 20, LAVA, 0, 0, false);
  grid.SetCell(20, 12, STONE, 0, 0, false);
  grid.SetCell(12, 20, STEAM, 0, 0, false);
  w.SenseCells(grid, kS);
  EXPECT_EQ(w.materialAbove, WATER);
  EXPECT_EQ(w.materialRight, LAVA);
  EXPECT_EQ(w.materialBelow, STONE);
  EXPECT_EQ(w.materialLeft, STEAM);
  EXPECT_FLOAT_EQ(w.density, (1000.0f + 2500.0f + 1.225f + 1.225f) / 4.0f);
  w.scale.x = -w.scale.x;  // mirrored: same cells
  w.SenseCells(grid, kS);
  EXPECT_EQ(w.materialRight, LAVA);
  EXPECT_EQ(w.materialLeft, STEAM);
}

TEST_F(Sensing, GroundIsTheFirstSolidCellWithinThreeUnderTheFeet) {
  grid.SetCell(20, 10, SAND, 0, 0, false);  // two under the feet
  grid.SetCell(20, 9, STONE, 0, 0, false);
  w.SenseCells(grid, kS);
  EXPECT_EQ(w.materialBelow, CLEAR);
  EXPECT_EQ(w.materialGround, SAND);
  EXPECT_TRUE(w.IsOnGround());
  EXPECT_FLOAT_EQ(w.traction, 0.6f);

  Fill(grid, 20, 9, 21, 11, CLEAR);
  grid.SetCell(20, 9, WATER, 0, 0, false);  // third cell, not solid: still read
  w.SenseCells(grid, kS);
  EXPECT_EQ(w.materialGround, WATER);
  EXPECT_FALSE(w.IsOnGround());
  EXPECT_EQ(w.traction, 0.0f) << "standing on water gives no grip";

  grid.SetCell(20, 8, STONE, 0, 0, false);  // four under: out of reach
  w.SenseCells(grid, kS);
  EXPECT_FALSE(w.IsOnGround());
}

TEST_F(Sensing, OutsideTheGridReadsClearAndKeepsTheLastGround) {
  grid.SetCell(20, 11, STONE, 0, 0, false);
  w.SenseCells(grid, kS);
  EXPECT_EQ(w.materialGround, STONE);
  w.position.y = 4 * kS;  // feet below the grid's bottom row
  w.SenseCells(grid, kS);
  EXPECT_EQ(w.materialBelow, CLEAR);
  EXPECT_EQ(w.materialGround, STONE) << "no row under the feet lies in the grid";
}

TEST_F(Sensing, JustLeftOfZeroTruncatesToColumnZero) {
  grid.SetCell(0, 20, STONE, 0, 0, false);
  GameObject o;
  o.position = glm::vec3(-0.5f * kS, 20.5f * kS, 0);
  o.scale = glm::vec2(0.1f);
  o.SenseCells(grid, kS);
  EXPECT_EQ(o.materialAbove, STONE);
  EXPECT_EQ(o.materialBelow, STONE);
}

TEST(Integrate, SolidSidesBounceAndPushBackOneCell) {
  GameObject o;
  o.collidesWithGrid = true;
  o.position = glm::vec3(100, 100, 0);
  o.velocity = glm::vec3(40, -30, 0);
  o.materialBelow = SAND;
  o.materialRight = ICE;
  o.Integrate(0.0f, kS);
  EXPECT_FLOAT_EQ(o.velocity.y, 3.0f) << "a floor keeps a tenth of the fall, upwards";
  EXPECT_FLOAT_EQ(o.velocity.x, -20.0f) << "a wall keeps half, backwards";
  EXPECT_FLOAT_EQ(o.position.y, 100 + kS);
  EXPECT_FLOAT_EQ(o.position.x, 100 - kS);

  o.velocity = glm::vec3(-10, 0, 0);  // moving away from the wall: pushed anyway
  o.Integrate(0.0f, kS);
  EXPECT_FLOAT_EQ(o.velocity.x, -10.0f);
  EXPECT_FLOAT_EQ(o.position.x, 100 - 2 * kS);

  o.collidesWithGrid = false;
  o.Integrate(0.0f, kS);
  EXPECT_FLOAT_EQ(o.position.x, 100 - 2 * kS);
}

TEST(Integrate, DragNeedsMassAndGrowsWithDensity) {
  auto fallAfter = [](float density, float mass, float speed, float dt) {
    GameObject o;
    o.scale = glm::vec2(8 * kS);
    o.drag = 1.0f;
    o.SetMass(mass);
    o.density = density;
    o.velocity = glm::vec3(0, -speed, 0);
    o.Integrate(dt, kS);
    return -o.velocity.y;
  };
  const float v = 20 * kS;
  const float air = fallAfter(1.225f, 50.0f, v, 0.01f);
  const float water = fallAfter(1000.0f, 50.0f, v, 0.01f);
  const float lava = fallAfter(2500.0f, 50.0f, v, 0.01f);
  EXPECT_LT(air, v);
  EXPECT_LT(water, air);
  EXPECT_LT(lava, water);
  // The quadratic law: k * v^2 * 3e-5 * dt / mass with k = (8S + 8S) * 0.5 * density.
  const float k = 16 * kS * 0.5f * 1000.0f;
  EXPECT_NEAR(water, v - k * v * v * 0.00003f * 0.01f / 50.0f, 1e-3f);

  EXPECT_EQ(fallAfter(2500.0f, 50.0f, 200 * kS, 0.1f), 0.0f) << "drag beyond the speed stops the object";
  EXPECT_EQ(fallAfter(2500.0f, 0.0f, v, 0.1f), v) << "massless objects fly without drag";
}

TEST(Integrate, MirroredObjectsFeelTheSameDrag) {
  GameObject a;
  a.scale = glm::vec2(8 * kS);
  a.drag = 1.0f;
  a.SetMass(50.0f);
  a.velocity = glm::vec3(300, 300, 0);
  GameObject b = a;
  b.scale.x = -b.scale.x;
  a.Integrate(0.05f, kS);
  b.Integrate(0.05f, kS);
  EXPECT_EQ(a.velocity, b.velocity);
}

TEST(Integrate, GravityMovesAndTheSpriteAnimates) {
  GameObject o;
  o.acceleration = glm::vec3(0, -10, 0);
  o.sprite = MakeSprite(nullptr, nullptr, 4, 0, 0.1f, true, false);
  o.Integrate(0.1f, kS);
  EXPECT_FLOAT_EQ(o.velocity.y, -1.0f);
  EXPECT_FLOAT_EQ(o.position.y, -0.1f) << "velocity is updated before the move";
  EXPECT_EQ(o.sprite.currentFrame, 1u);
}

class Running : public ::testing::Test {
 protected:
  // Speed gained in one run step of 0.01 s from rest on this ground.
  float RunGain(world::Material ground) {
    world::PixelGrid grid = MakeGrid(40, 40);
    Fill(grid, 0, 0, 40, 12, ground);
    Walker w = WalkerAt(CellCentre(20, 20));
    w.SenseCells(grid, kS);
    w.Run(false, 0.01f);
    return w.velocity.x;
  }
};

TEST_F(Running, GroundGivesItsTractionOfTheGroundAcceleration) {
  const float full = 600 * kS * 0.01f;
  EXPECT_FLOAT_EQ(RunGain(STONE), full);
  EXPECT_FLOAT_EQ(RunGain(OBSIDIAN), full);
  EXPECT_FLOAT_EQ(RunGain(SAND), 0.6f * full);
  EXPECT_FLOAT_EQ(RunGain(ICE), 0.2f * full);
  EXPECT_FLOAT_EQ(RunGain(WATER), 100 * kS * 0.01f) << "no solid ground: the air acceleration";
}

TEST_F(Running, TopSpeedIsAGateNotAClamp) {
  Walker w = WalkerAt(glm::vec3(0));
  w.velocity.x = 70 * kS - 1.0f;
  w.Run(false, 0.01f);
  EXPECT_FLOAT_EQ(w.velocity.x, 70 * kS - 1.0f + 100 * kS * 0.01f) << "one push may overshoot";
  w.velocity.x = 200 * kS;
  w.Run(false, 0.01f);
  EXPECT_EQ(w.velocity.x, 200 * kS) << "knock-back speed is kept";
  w.Run(true, 0.01f);
  EXPECT_LT(w.velocity.x, 200 * kS) << "running against it still pushes";
  w.velocity.x = -70 * kS;
  w.Run(true, 0.01f);
  EXPECT_EQ(w.velocity.x, -70 * kS);
}

TEST_F(Running, IceSlidesLongerThanStone) {
  auto slide = [](world::Material ground) {
    world::PixelGrid grid = MakeGrid(400, 60);
    Fill(grid, 0, 0, 400, 20, ground);
    Player p = PlayerOnFloor(grid, 50, 20);
    p.velocity.x = 60 * kS;
    const float x0 = p.position.x;
    SimulatePlayer(p, grid, kS, {}, 240, kDt);
    EXPECT_EQ(p.velocity.x, 0.0f) << ground;
    return (p.position.x - x0) / kS;
  };
  const float stone = slide(STONE), ice = slide(ICE);
  EXPECT_GT(ice, 4.0f * stone);
}

TEST(Walking, RestsOnAFloorAndClimbsALowStepButNotAWall) {
  world::PixelGrid grid = MakeGrid(200, 60);
  Fill(grid, 0, 0, 200, 20, STONE);
  Fill(grid, 80, 20, 85, 24, STONE);   // a 4-cell step: below the centre row
  Fill(grid, 140, 20, 145, 60, STONE); // a wall
  Player p = PlayerOnFloor(grid, 50, 20);
  EXPECT_TRUE(p.IsOnGround());
  EXPECT_NEAR(p.position.y - 8 * kS, 20 * kS, 2 * kS) << "feet on the surface";

  PlayerControls right;
  right.right = true;
  SimulatePlayer(p, grid, kS, right, 60, kDt);
  EXPECT_GT(p.position.x, 85 * kS) << "over the step";
  SimulatePlayer(p, grid, kS, right, 120, kDt);
  EXPECT_LT(p.position.x + 8 * kS, 141 * kS) << "stopped at the wall";
  EXPECT_GT(p.position.x, 120 * kS);
}

TEST(Environment, LavaThrowsOutAndBurnsOncePerInvulnerability) {
  Character c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  c.materialBelow = LAVA;
  c.materialLeft = LAVA;
  c.ApplyEnvironment(0.01f, kS);
  EXPECT_EQ(c.velocity.y, 100 * kS);
  EXPECT_EQ(c.velocity.x, 100 * kS) << "away from the left side";
  EXPECT_EQ(c.GetHealth(), 80) << "two lava sides hurt once";
  EXPECT_FLOAT_EQ(c.invulnerable, 0.2f);

  c.velocity = glm::vec3(0);
  c.ApplyEnvironment(0.01f, kS);
  EXPECT_EQ(c.GetHealth(), 80) << "no damage while invulnerable";
  EXPECT_EQ(c.velocity.y, 100 * kS) << "still thrown out";

  Character d = MakeCharacter(glm::vec3(0, 100, 0), 100);
  d.materialAbove = LAVA;
  d.materialRight = LAVA;
  d.ApplyEnvironment(0.01f, kS);
  EXPECT_EQ(d.velocity.y, -100 * kS);
  EXPECT_EQ(d.velocity.x, -100 * kS);

  d.SetInvulnerable(1.0f);
  d.ApplyEnvironment(0.01f, kS);
  EXPECT_EQ(d.invulnerable, 1.0f) << "a longer invulnerability is not cut short";
}

TEST(Environment, SteamPushesGentlyAndHurtsEveryFrame) {
  Character c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  c.materialBelow = STEAM;
  c.materialRight = STEAM;
  c.ApplyEnvironment(0.01f, kS);
  EXPECT_EQ(c.velocity.y, 10 * kS);
  EXPECT_EQ(c.velocity.x, -10 * kS);
  EXPECT_EQ(c.GetHealth(), 98);
  EXPECT_EQ(c.invulnerable, 0.0f);
}

TEST(Environment, BurialChokesOnePointPerTenthOfASecond) {
  Character c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  c.materialBelow = c.materialAbove = c.materialLeft = SAND;
  c.materialRight = STONE;
  for (int i = 0; i < 9; ++i) c.ApplyEnvironment(0.01f, kS);
  EXPECT_EQ(c.GetHealth(), 100);
  for (int i = 0; i < 2; ++i) c.ApplyEnvironment(0.01f, kS);
  EXPECT_EQ(c.GetHealth(), 99);
  c.ApplyEnvironment(0.5f, kS);
  EXPECT_EQ(c.GetHealth(), 98) << "at most one point per call";

  c.materialRight = CLEAR;
  const float timer = c.drownTimer;
  c.ApplyEnvironment(0.5f, kS);
  EXPECT_EQ(c.drownTimer, timer) << "one open side is enough to breathe";
}

TEST(Environment, DrowningStartsAfterTenSecondsUnderWater) {
  Character c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  c.materialAbove = WATER;
  for (int i = 0; i < 99; ++i) c.ApplyEnvironment(0.1f, kS);
  EXPECT_EQ(c.GetHealth(), 100);
  for (int i = 0; i < 5; ++i) c.ApplyEnvironment(0.1f, kS);
  EXPECT_LT(c.GetHealth(), 100);
  EXPECT_GT(c.GetHealth(), 94);

  const float timer = c.drownTimer;
  c.materialAbove = CLEAR;
  c.ApplyEnvironment(0.1f, kS);
  EXPECT_EQ(c.submergedTime, 0.0f) << "surfacing resets the breath";
  EXPECT_EQ(c.drownTimer, timer) << "but not the drowning timer";
  c.materialAbove = WATER;
  const int health = c.GetHealth();
  c.ApplyEnvironment(0.1f, kS);
  EXPECT_EQ(c.GetHealth(), health);
}

class Sight : public ::testing::Test {
 protected:
  world::PixelGrid grid = MakeGrid(100, 60);
  GameObject eye;
  void SetUp() override { eye.position = CellCentre(10, 20); }
};

TEST_F(Sight, ClearAirAndSteamDoNotBlock) {
  Fill(grid, 40, 0, 45, 60, STEAM);
  EXPECT_TRUE(LineOfSight(eye, CellCentre(90, 30), grid, kS));
}

TEST_F(Sight, SolidsAndLiquidsBlockWithTheFirstHitPoint) {
  for (world::Material m : {STONE, WATER, LAVA, SAND}) {
    Fill(grid, 40, 0, 41, 60, m);
    glm::vec3 hit(-1);
    EXPECT_FALSE(LineOfSight(eye, CellCentre(90, 20), grid, kS, &hit)) << m;
    EXPECT_FLOAT_EQ(hit.x, 40 * kS) << m;
    EXPECT_FLOAT_EQ(hit.y, 20.5f * kS) << m;
    Fill(grid, 40, 0, 41, 60, CLEAR);
  }
}

TEST_F(Sight, SeesThroughAGapInAWall) {
  Fill(grid, 40, 0, 41, 60, STONE);
  Fill(grid, 40, 18, 41, 23, CLEAR);
  EXPECT_TRUE(LineOfSight(eye, CellCentre(80, 20), grid, kS));
  EXPECT_FALSE(LineOfSight(eye, CellCentre(80, 40), grid, kS)) << "the slanted line misses the gap";
}

TEST_F(Sight, RowsAreWalkedForSteepLines) {
  Fill(grid, 0, 40, 100, 41, STONE);  // a ceiling
  glm::vec3 hit;
  EXPECT_FALSE(LineOfSight(eye, CellCentre(10, 55), grid, kS, &hit));
  EXPECT_FLOAT_EQ(hit.y, 40 * kS);
  EXPECT_TRUE(LineOfSight(eye, CellCentre(10, 39), grid, kS));
}

TEST_F(Sight, EndCellsAndTheSameCell) {
  grid.SetCell(10, 20, STONE, 0, 0, false);  // the viewer's own cell
  EXPECT_TRUE(LineOfSight(eye, eye.position + glm::vec3(1, 1, 0), grid, kS)) << "same cell: nothing tested";
  EXPECT_TRUE(LineOfSight(eye, CellCentre(30, 20), grid, kS)) << "going right the start column is skipped";
  EXPECT_FALSE(LineOfSight(eye, CellCentre(0, 20), grid, kS)) << "going left it is tested";
  grid.SetCell(10, 20, CLEAR, 0, 0, false);
  grid.SetCell(30, 20, STONE, 0, 0, false);
  EXPECT_TRUE(LineOfSight(eye, CellCentre(30, 20), grid, kS)) << "the end cell is never tested";
}

TEST_F(Sight, PointsFarOutsideTheGridAreSeenPastItsEdges) {
  EXPECT_TRUE(LineOfSight(eye, glm::vec3(1e7f, -1e7f, 0), grid, kS));
  Fill(grid, 50, 0, 51, 60, STONE);
  EXPECT_FALSE(LineOfSight(eye, glm::vec3(1e7f, 20.5f * kS, 0), grid, kS));
}

}  // namespace
