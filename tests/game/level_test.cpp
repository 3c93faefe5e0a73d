// Whole level frames: objects built from the markers, pickups, the camera, the
// outcome, the music mix and frozen frames.
#include <cstring>

#include <gtest/gtest.h>

#include "game/level.h"
#include "tests/game/game_test_support.h"

using namespace game;
using game_test::Fill;
using game_test::kDt;
using game_test::kS;

namespace {

// 400 x 150 cells at S = 4, a 1536 x 864 window, over a stone floor 40 rows
// deep, the player starting on it at x = 100.
class LevelFrame : public ::testing::Test {
 protected:
  world::PixelGrid grid = game_test::MakeGrid(400, 150);
  FrameInput input{.controls = {}, .windowWidth = 1536, .windowHeight = 864};
  LevelFrame() {
    Fill(grid, 0, 0, 400, 40, world::STONE);
    grid.playerSpawn = {100, 48};
  }
  FrameResult Run(Level& level, int frames) {
    FrameResult result;
    for (int i = 0; i < frames; ++i) result = StepLevel(level, input, kDt);
    return result;
  }
};

TEST_F(LevelFrame, EnemiesComeInMarkerOrderAndAFrameThatLeavesNoTreasureWinsUnlessThePlayerDied) {
  grid.rifleMarkers = {{300, 48}, {200, 48}};
  grid.batMarkers = {{150, 100}, {160, 100}};
  Level level = MakeLevel(grid, 1.0f, Random{1000});
  ASSERT_EQ(level.rifleEnemies.size(), 2u);
  EXPECT_EQ(level.rifleEnemies[1].position, glm::vec3(200 * kS, 48 * kS, 0));
  const float turnRate = level.bats[0].turnRate;
  EXPECT_NE(turnRate, level.bats[1].turnRate) << "each bat turns its own way";
  EXPECT_LE(std::abs(turnRate), kBatTurnRateLimit);
  EXPECT_NE(turnRate, MakeLevel(grid).bats[0].turnRate) << "drawn from the generator the level was handed";
  const FrameResult r = StepLevel(level, input, kDt);
  EXPECT_TRUE(r.allTreasureCollected && r.playerAlive && level.outcome == Outcome::Victory);
  EXPECT_FALSE(level.player.active) << "no longer hit or moved";
  EXPECT_EQ(level.elapsedTime, kDt);

  world::PixelGrid open = game_test::MakeGrid(400, 150);
  open.playerSpawn = open.treasureMarkers.emplace_back(100, 0);  // the last treasure, about to fall out
  Level falling = MakeLevel(open);
  const FrameResult last = StepLevel(falling, input, kDt);
  EXPECT_TRUE(last.allTreasureCollected && !last.playerAlive && falling.outcome == Outcome::Defeat);
}

TEST_F(LevelFrame, TreasureCountsAndAHealthBoxHealsOnlyAHurtPlayerUpToItsMaximum) {
  grid.treasureMarkers = {{100, 48}, {300, 48}};
  grid.healthMarkers = {{100, 48}};
  Level level = MakeLevel(grid);
  FrameResult r = StepLevel(level, input, kDt);
  EXPECT_TRUE(level.treasuresCollected == 1u && level.treasureText == "0 / 2") << "text made as the frame starts";
  ASSERT_EQ(r.sounds.size(), 1u);
  EXPECT_TRUE(r.sounds[0].sound == Sfx::Treasure && level.healthBoxes[0].active) << "left for later at full health";
  level.player.AddHealth(-10);
  level.player.SavePreviousHealth();
  r = StepLevel(level, input, kDt);
  EXPECT_TRUE(level.treasureText == "1 / 2" && level.player.GetHealth() == 100 && level.outcome == Outcome::None);
  EXPECT_TRUE(r.sounds[0].sound == Sfx::Healing && !level.healthBoxes[0].active);
}

TEST_F(LevelFrame, TheCameraLooksTowardTheCursorButNeverBeyondTheLevelInAnyWindowShape) {
  for (glm::ivec2 window : {glm::ivec2(1536, 864), glm::ivec2(1280, 1024)}) {
    SCOPED_TRACE(window.y);
    const float S = window.x / 384.0f;
    Level level = MakeLevel(world::PixelGrid(768, 432, S));
    input = {.controls = {}, .look = true, .windowWidth = window.x, .windowHeight = window.y};
    const float right = 768 * S - window.x, top = 432 * S - window.y;
    // The player held at a place of the level, the cursor in a window corner.
    auto hold = [&](glm::vec2 at, glm::vec2 cursor) {
      input.cursorX = cursor.x;
      input.cursorY = cursor.y;
      for (int i = 0; i < 120; ++i) {
        level.player.position = glm::vec3(at * glm::vec2(768 * S, 432 * S), 0);
        StepLevel(level, input, kDt);
        const glm::vec3 c = level.camera.position;
        ASSERT_TRUE(c.x >= 0 && c.y >= 0 && c.x <= right + 0.01f && c.y <= top + 0.01f) << c.x << ", " << c.y;
      }
    };
    hold({0.5f, 0.5f}, {window.x, 0});
    EXPECT_GT(level.camera.position.x, level.player.position.x - window.x / 4) << "slid toward the cursor";
    hold({0, 0}, {0, window.y});
    hold({1, 1}, {window.x, 0});
    EXPECT_NEAR(level.camera.position.y, top, 1.0f) << "the view reaches the top";
  }
}

// The grid is stepped around the view as the screen draws it, not around 0, 0.
TEST_F(LevelFrame, TheWorldMovesAroundTheView) {
  world::PixelGrid wide = game_test::MakeGrid(1536, 864);
  Fill(wide, 1300, 400, 1310, 410, world::SAND);  // far from the start, in the air
  Level level = MakeLevel(wide);
  for (int i = 0; i < 120; ++i) {
    level.player.position = glm::vec3(1300 * kS, 420 * kS, 0);
    StepLevel(level, input, kDt);
  }
  EXPECT_EQ(level.grid.At(1305, 405).material, world::CLEAR) << "the sand fell";
}

TEST_F(LevelFrame, TheMusicCrossFadesInOneSecondAndTheWindFollowsTheSpeed) {
  grid.rifleMarkers = {{250, 48}};
  Level level = MakeLevel(grid);
  FrameResult r = Run(level, 31);  // the combat flag starts in the second frame
  EXPECT_NEAR(r.exploreVolume, 0.5f, 0.02f);
  r = Run(level, 31);
  EXPECT_EQ(r.combatVolume, 1.0f);
  level.rifleEnemies[0].active = false;
  r = Run(level, 59);
  EXPECT_LT(r.exploreVolume, 1.0f);
  r = Run(level, 2);
  EXPECT_TRUE(r.exploreVolume == 1.0f && r.windVolume < 0.01f) << "wind at rest " << r.windVolume;
  level.player.velocity = glm::vec3(0, 300 * kS, 0);
  r = StepLevel(level, input, kDt);
  EXPECT_TRUE(r.windVolume == 1.0f && r.windPitch > 0.8f * 0.02f * 250) << r.windPitch;
}

// Everything a frame could change, cell by cell and field by field.
bool Same(const Level& a, const Level& b) {
  const auto& ca = a.grid.cells;
  return ca.size() == b.grid.cells.size() && std::memcmp(ca.data(), b.grid.cells.data(), ca.size() * sizeof ca[0]) == 0 &&
         a.grid.viewOrigin.x == b.grid.viewOrigin.x && a.grid.viewOrigin.y == b.grid.viewOrigin.y &&
         a.player == b.player && a.camera == b.camera && a.scout.walker == b.scout.walker &&
         a.treasures == b.treasures && a.healthBoxes == b.healthBoxes && a.bats == b.bats &&
         a.meleeEnemies == b.meleeEnemies && a.rifleEnemies == b.rifleEnemies && a.rocketEnemies == b.rocketEnemies &&
         a.gunners == b.gunners && a.rockets.objects == b.rockets.objects && a.bullets.objects == b.bullets.objects &&
         a.smoke.objects == b.smoke.objects && a.text.objects == b.text.objects &&
         a.treasuresCollected == b.treasuresCollected && a.treasureText == b.treasureText &&
         a.musicMix == b.musicMix && a.windVolume == b.windVolume && a.windPitch == b.windPitch &&
         a.elapsedTime == b.elapsedTime && a.outcome == b.outcome;
}

TEST_F(LevelFrame, APausedOrUnfocusedFrameChangesNothingAtAll) {
  Fill(grid, 150, 40, 170, 60, world::SAND);  // a heap that would slide
  grid.treasureMarkers = {{350, 48}};
  grid.batMarkers = {{200, 100}};
  grid.meleeMarkers = {{200, 48}};
  grid.gunnerMarkers = {{180, 48}};
  Level level = MakeLevel(grid);
  input.cursorX = 1000;
  for (int i = 0; i < 70; ++i) {
    input.controls = {.right = true, .fire = i == 2};
    StepLevel(level, input, kDt);
  }
  ASSERT_GT(level.rockets.ActiveCount() + level.bullets.ActiveCount(), 0u);
  input.controls = {.left = true, .jump = true};  // a fresh press of each
  const Level before = level;
  for (bool paused : {true, false}) {
    input.paused = paused;
    input.focused = paused;  // then unfocused alone
    const FrameResult r = StepLevel(level, input, kDt);
    EXPECT_TRUE(r.frozen && r.sounds.empty() && Same(level, before) && level.random == before.random)
        << (paused ? "paused" : "unfocused");
  }
}

}  // namespace
