// Game objects: the random source, health, overlaps and pools; sensing the
// grid, integration, hazards and line of sight.
#include <tuple>

#include <gtest/gtest.h>

#include "game/random.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;
using namespace world;

namespace {

TEST(RandomFloat, FollowsTheGeneratorFromAKnownState) {
  Random random;
  EXPECT_FLOAT_EQ(RandomFloat(random, 0.0f, 1.0f), 0.867558479f);
  EXPECT_FLOAT_EQ(RandomFloat(random, 0.0f, 10.0f), 1.6474067f);  // scaled to the range
  EXPECT_FLOAT_EQ(RandomFloat(random, -1.0f, 1.0f), -0.551440477f);
  EXPECT_EQ(RandomFloat(random, 3.5f, 3.5f), 3.5f);
  EXPECT_EQ(random.state, 2126715763u) << "equal bounds still advance the state";
  random.state = 679020045u;  // advances to 2^32 - 107
  EXPECT_EQ(RandomFloat(random, 2.0f, 5.0f), 5.0f) << "a state near the top rounds to exactly hi";
}

TEST(CharacterHealth, DamageHealingInvulnerabilityAndLimits) {
  Character c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  const struct { char op; int value; float invulnerable; int health; } steps[] = {
      {'+', -30, 0, 70}, {'+', 50, 0, 100},   // healing stops at maxHealth
      {'+', -500, 0, 0}, {'+', 60, 0, 60},    // damage stops at 0
      {'+', -10, 0.5f, 60}, {'+', 0, 0.5f, 60}, {'+', 10, 0.5f, 70},  // only healing while invulnerable
      {'=', 1000, 0, 100}, {'=', -5, 0, 0},   // set within 0 and maxHealth
      {'=', 80, 0, 80}, {'M', 40, 0, 40},     // lowering maxHealth lowers health above it
      {'M', 90, 0, 40}, {'+', 100, 0, 90}};
  for (const auto& s : steps) {
    c.SetInvulnerable(s.invulnerable);
    if (s.op == '+') c.AddHealth(s.value);
    if (s.op == '=') c.SetHealth(s.value);
    if (s.op == 'M') c.SetMaxHealth(s.value);
    EXPECT_EQ(c.GetHealth(), s.health) << s.op << s.value << (s.invulnerable > 0 ? " invulnerable" : "");
  }
}

TEST(CharacterHealth, FallingBelowTheWorldKillsAndInvulnerabilityBlinks) {
  Character c = MakeCharacter(glm::vec3(0, 5, 0), 100);
  EXPECT_TRUE(c.IsAlive());
  for (float invulnerable : {0.0f, 10.0f, 10.0f, 10.0f, 0.0f}) {  // flickers at the frame rate, then shows
    const bool shown = c.visible;
    c.SetInvulnerable(invulnerable);
    c.Blink();
    EXPECT_EQ(c.visible, invulnerable > 0 ? !shown : true) << invulnerable;
  }

  c.position.y = -0.01f;
  c.SetInvulnerable(10.0f);
  EXPECT_FALSE(c.IsAlive()) << "whatever the health or invulnerability";
  EXPECT_EQ(c.GetHealth(), 0);
}

TEST(Overlaps, StrictBoxesOnAbsoluteSizes) {
  GameObject a, b;
  a.active = b.active = true;
  a.scale = b.scale = glm::vec2(2, 3);
  const struct { glm::vec3 at; bool overlaps; } cases[] = {
      {{4, 0, 0}, false},  // boxes sharing an edge do not overlap
      {{3.99f, 0, 0}, true}, {{-3.99f, 0, 0}, true}, {{0, 6, 0}, false}, {{0, 5.9f, 0}, true}, {{0, -5.9f, 0}, true}};
  for (const auto& c : cases) {
    b.position = c.at;
    EXPECT_EQ(std::tuple(Overlaps(a, b), Overlaps(b, a)), std::tuple(c.overlaps, c.overlaps)) << c.at;
  }
  b.scale.x = -2;  // mirrored: collides as the unmirrored box
  a.scale.y = -3;
  EXPECT_TRUE(Overlaps(a, b)) << "mirrored boxes collide as unmirrored ones";
  a.active = false;
  EXPECT_TRUE(Overlaps(a, b)) << "the first object's flag is not tested";
  b.active = false;
  EXPECT_FALSE(Overlaps(a, b));
}

TEST(Pools, ReuseASpentObjectAndDropSpawnsWhenFull) {
  // Projectiles meet the grid, particles never do.
  BulletPool bullets = MakeBulletPool();
  EXPECT_EQ(std::tuple(MakeRocketPool().objects[0].collidesWithGrid,
                       bullets.objects[0].collidesWithGrid,
                       MakeSmokePool().objects[0].collidesWithGrid), std::tuple(true, true, false));
  for (Bullet& b : bullets.objects) b.active = true;
  EXPECT_EQ(bullets.Acquire(), nullptr);
  bullets.objects[321].active = false;
  EXPECT_EQ(bullets.Acquire(), &bullets.objects[321]) << "a spent object is used again";
}

// A walker with the player's constants, its centre in cell (20, 20): its feet
// are in row 12, its sides in columns 12 and 28, its head in row 28.
class Sensing : public ::testing::Test {
 protected:
  PixelGrid grid = MakeGrid(40, 40);
  Player w = MakePlayer(kS, CellCentre(20, 20));
  void Put(int x, int y, Material m) { grid.SetCell(x, y, m, 0, 0, false); }
};

TEST_F(Sensing, GroundIsTheFirstSolidCellWithinThreeUnderTheFeet) {
  const struct { const char* column; Material ground; bool onGround; float traction; } cases[] = {
      // Rows 11, 10, 9, 8 under the feet.
      {".s#.", SAND, true, 0.6f},   {"..w#", WATER, false, 0.0f},  // the third is read even when not solid
      {"#...", STONE, true, 1.0f},  {"o...", OBSIDIAN, true, 1.0f}, {"..i.", ICE, true, 0.2f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.column);
    for (int i = 0; i < 4; ++i) Put(20, 11 - i, MaterialOf(c.column[i]));
    w.SenseCells(grid, kS);
    EXPECT_EQ(w.materialGround, c.ground);
    EXPECT_EQ(w.IsOnGround(), c.onGround);
    EXPECT_FLOAT_EQ(w.traction, c.traction);
  }
  // Off the world there is no ground: under the bottom row, or past the edge
  // (a player walking off must fall, not keep its footing).
  for (glm::vec3 off : {glm::vec3(w.position.x, 4 * kS, 0), glm::vec3(-9 * kS, w.position.y, 0)}) {
    w.position = off;
    w.SenseCells(grid, kS);
    EXPECT_EQ(std::tuple(w.materialGround, w.IsOnGround()), std::tuple(CLEAR, false)) << off;
  }

  Put(0, 20, STONE);
  GameObject o;
  o.position = glm::vec3(-0.5f * kS, 20.5f * kS, 0);  // just left of 0: column 0
  o.scale = glm::vec2(0.1f);
  o.SenseCells(grid, kS);
  EXPECT_EQ(o.materialBelow, STONE);
}

TEST(Integrate, SolidSidesBounceAndPushBackOneCellThenGravityMovesAndTheSpriteAnimates) {
  // A floor or ceiling keeps a tenth of the speed into it, a wall half, reversed;
  // the push is a whole cell whatever the velocity.
  const struct { int side; glm::vec3 v, bounced, moved; } cases[] = {
      {0, {40, -30, 0}, {40, 3, 0}, {0, kS, 0}},      // below
      {1, {40, -30, 0}, {-20, -30, 0}, {-kS, 0, 0}},  // right
      {2, {-40, 30, 0}, {20, 30, 0}, {kS, 0, 0}},     // left
      {3, {-40, 30, 0}, {-40, -3, 0}, {0, -kS, 0}},   // above
      {1, {-10, 0, 0}, {-10, 0, 0}, {-kS, 0, 0}}};    // moving away: pushed anyway
  for (const auto& c : cases) {
    GameObject o;
    Material* sides[] = {&o.materialBelow, &o.materialRight, &o.materialLeft, &o.materialAbove};
    *sides[c.side] = SAND;
    o.velocity = c.v;
    o.Integrate(0.0f, kS);
    EXPECT_EQ(o.position, glm::vec3(0)) << "objects that do not collide are not pushed";
    o.collidesWithGrid = true;
    o.Integrate(0.0f, kS);
    EXPECT_EQ(std::tuple(o.velocity, o.position), std::tuple(c.bounced, c.moved)) << c.side;
  }
  GameObject o;
  o.acceleration = glm::vec3(0, -10, 0);
  o.sprite = MakeSprite(Sheet::Player, 4, 0, 0.1f, true, false);
  o.Integrate(0.1f, kS);
  EXPECT_FLOAT_EQ(o.velocity.y, -1.0f);
  EXPECT_FLOAT_EQ(o.position.y, -0.1f) << "velocity is updated before the move";
  EXPECT_EQ(o.sprite.currentFrame, 1u) << "and the sprite animates";
}

TEST(Environment, LavaAndSteamThrowAwayFromTheirSide) {
  const struct { Material m; int side; glm::vec3 velocity; int health; float invulnerable; } cases[] = {
      // Two lava sides burn once and leave 0.2 s of invulnerability; steam hurts on every side.
      {LAVA, 0b0011, {100 * kS, 100 * kS, 0}, 80, 0.2f},    // below and left
      {LAVA, 0b1100, {-100 * kS, -100 * kS, 0}, 80, 0.2f},  // right and above
      {STEAM, 0b0101, {-10 * kS, 10 * kS, 0}, 98, 0.0f},    // below and right
  };
  for (const auto& c : cases) {
    Character ch = MakeCharacter(glm::vec3(0, 100, 0), 100);
    Material* sides[] = {&ch.materialBelow, &ch.materialLeft, &ch.materialRight, &ch.materialAbove};
    for (int i = 0; i < 4; ++i) *sides[i] = c.side >> i & 1 ? c.m : CLEAR;
    ch.ApplyEnvironment(0.01f, kS);
    EXPECT_EQ(std::tuple(ch.velocity, ch.GetHealth()), std::tuple(c.velocity, c.health)) << c.m << " " << c.side;
    EXPECT_FLOAT_EQ(ch.invulnerable, c.invulnerable) << c.m << " " << c.side;
    if (c.m != LAVA) continue;
    ch.velocity = glm::vec3(0);
    ch.SetInvulnerable(1.0f);
    ch.ApplyEnvironment(0.01f, kS);
    EXPECT_EQ(std::tuple(ch.GetHealth(), ch.invulnerable), std::tuple(80, 1.0f)) << "invulnerable: unburnt, not cut";
    EXPECT_NE(ch.velocity, glm::vec3(0)) << "but still thrown out";
  }
}

TEST(Environment, BurialChokesAtOnceDrowningAfterTenSeconds) {
  Character c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  const auto healthAfter = [&c](int calls, float dt) {
    for (int i = 0; i < calls; ++i) c.ApplyEnvironment(dt, kS);
    return c.GetHealth();
  };
  c.materialBelow = c.materialAbove = c.materialLeft = SAND;
  c.materialRight = STONE;
  EXPECT_EQ(healthAfter(9, 0.01f), 100);
  EXPECT_EQ(healthAfter(2, 0.01f), 99) << "one point per 0.1 s buried";
  EXPECT_EQ(healthAfter(1, 0.5f), 98) << "at most one point per call";
  c.materialRight = CLEAR;
  EXPECT_EQ(healthAfter(1, 0.5f), 98) << "one open side is enough to breathe";

  c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  c.materialAbove = WATER;
  EXPECT_EQ(healthAfter(99, 0.1f), 100) << "ten seconds of breath";
  const int drowning = healthAfter(5, 0.1f);
  EXPECT_NEAR(drowning, 97, 2) << "95 to 99";
  c.drownTimer = 0.05f;
  c.materialAbove = CLEAR;
  c.ApplyEnvironment(0.1f, kS);
  EXPECT_EQ(std::tuple(c.submergedTime, c.drownTimer), std::tuple(0.0f, 0.05f)) << "the breath resets, not the timer";
  c.materialAbove = WATER;
  EXPECT_EQ(healthAfter(1, 0.1f), drowning);
}

TEST(Sight, OccupiedCellsBlockBetweenTheEnds) {
  // From the centre of cell (10, 20) on a 100 x 60 grid.
  const struct { const char* what; int x0, y0, x1, y1; char m; glm::vec3 to; bool sees; glm::vec3 hit; } cases[] = {
      {"steam does not block", 40, 0, 45, 60, '~', CellCentre(90, 30), true, {}},
      {"stone blocks at the first hit", 40, 0, 41, 60, '#', CellCentre(90, 20), false, {40 * kS, 20.5f * kS, 0}},
      {"so does water", 40, 0, 41, 60, 'w', CellCentre(90, 20), false, {40 * kS, 20.5f * kS, 0}},
      {"rows are walked for steep lines", 0, 40, 100, 41, '#', CellCentre(10, 55), false, {10.5f * kS, 40 * kS, 0}},
      {"the end cell is never tested", 30, 20, 31, 21, '#', CellCentre(30, 20), true, {}},
      {"the viewer's own cell going right", 10, 20, 11, 21, '#', CellCentre(30, 20), true, {}},
      {"the viewer's own cell going left", 10, 20, 11, 21, '#', CellCentre(0, 20), false, {10 * kS, 20.5f * kS, 0}},
      {"within one cell nothing is tested", 10, 20, 11, 21, '#', CellCentre(10.2f, 20.2f), true, {}},
      {"past the grid's edge", 50, 0, 51, 60, '#', glm::vec3(1e7f, 20.5f * kS, 0), false, {50 * kS, 20.5f * kS, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PixelGrid grid = MakeGrid(100, 60);
    Fill(grid, c.x0, c.y0, c.x1, c.y1, MaterialOf(c.m));
    GameObject eye;
    eye.position = CellCentre(10, 20);
    glm::vec3 hit(-1);
    EXPECT_EQ(LineOfSight(eye, c.to, grid, kS, &hit), c.sees);
    if (!c.sees) {
      EXPECT_LT(glm::length(hit - c.hit), 1e-3f);
    }
  }
}

}  // namespace
