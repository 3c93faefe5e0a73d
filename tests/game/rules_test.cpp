// Rules a route replay would catch only as "the route strayed": how far a
// walker looks ahead, how far each kind sees, the gunner's bursts, the
// rocket's crater and the order of projectiles within a level frame.
#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "game/level.h"
#include "game/weapons.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;
using namespace world;

namespace {

class Rules : public ::testing::Test {
 protected:
  Arena arena;
  Scout scout = MakeScout(kS);
  SoundEvents sounds;
  FrameInput input{.controls = {}, .windowWidth = 1536, .windowHeight = 864};
  Rules() { arena.field.sounds = &sounds; }

  // A level `width` cells wide over a stone floor 40 rows deep, the player starting on it at `playerX`.
  static PixelGrid FloorLevel(int width, int playerX) {
    PixelGrid grid = MakeGrid(width, 150);
    Fill(grid, 0, 0, width, 40, STONE);
    grid.playerSpawn = {playerX, 48};
    return grid;
  }
};

// 5 s ahead is 51 steps of 0.1 s (the float countdown takes one more), 8 s
// after a jump 81: from column 100 a melee walker reaches column 302 walking
// on, and 409 after jumping the pit at 110. A scout used before finds the same.
TEST_F(Rules, AWalkerLooksFiftyOneStepsAheadOrEightyOneAfterAJumpFromWhatItStandsOn) {
  const struct { const char* scene; int x0, x1, y0; Material m; int lavaFrom; Way way; } scenes[] = {
      {"flat", 0, 0, 0, STONE, 600, Way::Walk}, {"narrow lava", 110, 116, 30, LAVA, 600, Way::Jump},
      {"wide lava", 112, 180, 30, LAVA, 600, Way::Neither}, {"deep water", 110, 250, 5, WATER, 600, Way::Neither},
      {"cliff", 115, 600, 0, CLEAR, 600, Way::Neither}, {"lava at the 51st step", 0, 0, 0, STONE, 302, Way::Neither},
      {"lava a step beyond", 0, 0, 0, STONE, 303, Way::Walk},
      {"lava at the 81st step after the jump", 110, 116, 30, LAVA, 409, Way::Neither},
      {"lava a step beyond that", 110, 116, 30, LAVA, 410, Way::Jump}};
  GroundCharacter walker = MakeMeleeEnemy(kS, CellCentre(100, 48));
  walker.facingLeft = false;
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& s : scenes) {
      SCOPED_TRACE(s.scene);
      PixelGrid grid = FloorLevel(600, 0);
      Fill(grid, s.x0, s.y0, s.x1, 40, s.m);
      Fill(grid, s.lavaFrom, 30, 600, 40, LAVA);
      Scout fresh = MakeScout(kS);
      EXPECT_EQ(std::tuple(LookAhead(walker, grid, fresh), LookAhead(walker, grid, scout)), std::tuple(s.way, s.way));
      EXPECT_TRUE(fresh.walker == scout.walker) << "the reused scout ended elsewhere";
    }
  }
}

// Each kind has one enemy just inside its range to the right, one just outside to the left.
TEST_F(Rules, EachKindSeesThePlayerOnlyWithinItsRange) {
  constexpr int x = 550;
  const auto insideAndOutside = [](int range) {
    return std::vector<CellPos>{{x + range - 1, 48}, {x - range - 1, 48}};
  };
  PixelGrid grid = FloorLevel(1100, x);
  grid.meleeMarkers = insideAndOutside(300);
  grid.rifleMarkers = grid.rocketMarkers = insideAndOutside(500);
  grid.gunnerMarkers = insideAndOutside(200);
  Level level = MakeLevel(grid);
  StepLevel(level, input, kDt);
  const auto alerted = [](const auto& pair) { return std::vector<bool>{pair[0].alerted, pair[1].alerted}; };
  const struct { const char* kind; int range; std::vector<bool> alerted; } kinds[] = {
      {"melee", 300, alerted(level.meleeEnemies)}, {"rifle", 500, alerted(level.rifleEnemies)},
      {"rocket", 500, alerted(level.rocketEnemies)}, {"gunner", 200, alerted(level.gunners)}};
  for (const auto& k : kinds)
    EXPECT_EQ(k.alerted, (std::vector<bool>{true, false})) << k.kind << " at " << k.range - 1 << " and " << k.range + 1;
}

// Bursts of 3 to 8 shots while it sees the player; once it has lost sight,
// 2 to 4 more at the place it last saw it, then it calms down.
TEST_F(Rules, AGunnerFiresBurstsOfThreeToEightShotsAndTwoToFourMoreAfterLosingSight) {
  MachineGunner& g = arena.Add(arena.gunners, MakeGunner(kS, CellCentre(250, 48)));
  g.maxRunSpeed = g.jumpSpeed = 0;  // holds its ground
  arena.field.bullets = nullptr;    // heard only: the player stays unhurt
  std::vector<int> bursts;          // the shots of each
  glm::vec3 lastAim;
  const auto listen = [&](int frames) {
    bursts.clear();
    for (int frame = 0, quiet = 20; frame < frames; ++frame, ++quiet) {
      sounds.Clear();
      UpdateEnemies(arena.field, scout, kDt);
      if (std::ranges::count(sounds.Events(), Sfx::MachineGun, &SoundEvent::sound) == 0) continue;
      if (quiet >= 20) bursts.push_back(0);  // shots come every 0.1 s, bursts at least 0.5 s apart
      ++bursts.back();
      quiet = 0;
      lastAim = g.target;
    }
  };
  listen(12000);  // about a hundred bursts, the last perhaps cut short
  EXPECT_EQ(std::set<int>(bursts.begin(), bursts.end() - 1), (std::set<int>{3, 4, 5, 6, 7, 8}));
  const glm::vec3 lastSeen = arena.player.position;
  Fill(arena.grid, 80, 40, 121, 70, OBSIDIAN);  // all round the player
  listen(900);
  EXPECT_NEAR(bursts.size(), 3, 1) << "2 to 4 bursts";
  EXPECT_EQ(lastAim, lastSeen);
  EXPECT_FALSE(g.alerted) << "calm at last";
}

TEST_F(Rules, ARocketsCraterReachesNineteenCellsFromItsCentre) {
  Fill(arena.grid, 150, 70, 250, 130, STONE);  // a block in the air
  Rocket& r = arena.rockets.objects[0];
  r.position = CellCentre(200, 100);
  r.scale = glm::vec2(4 * kS);
  r.active = true;
  UpdateRockets(arena.rockets, arena.field, kDt);
  int across = 0, down = 0;
  for (int i = -25; i <= 25; ++i) {
    across += arena.grid.At(200 + i, 100).material == CLEAR;
    down += arena.grid.At(200, 100 + i).material == CLEAR;
  }
  EXPECT_EQ(std::tuple(across, down), std::tuple(39, 39));
}

// A blast and a bullet reach the player in the same frame: whichever comes
// first hurts, and leaves the player invulnerable to the other.
TEST_F(Rules, InALevelFrameRocketsGoOffBeforeBulletsFly) {
  Level level = MakeLevel(FloorLevel(400, 100));
  Rocket& r = level.rockets.objects[0];
  Bullet& b = level.bullets.objects[0];
  r.position = b.position = level.player.position;
  r.scale = b.scale = glm::vec2(4 * kS);
  b.damage = 20;
  r.active = b.active = true;
  StepLevel(level, input, kDt);
  EXPECT_EQ(level.player.GetHealth(), 75) << "the blast's 25, not the bullet's 20";
}

}  // namespace
