// Whole level frames: objects built from the markers, pickups, the camera, the
// outcome, the music mix and frozen frames.
#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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
  EXPECT_EQ(std::tuple(r.allTreasureCollected, r.playerAlive, level.outcome), std::tuple(true, true, Outcome::Victory));
  EXPECT_FALSE(level.player.active) << "no longer hit or moved";
  EXPECT_EQ(level.elapsedTime, kDt);

  world::PixelGrid open = game_test::MakeGrid(400, 150);
  open.playerSpawn = open.treasureMarkers.emplace_back(100, 0);  // the last treasure, about to fall out
  Level falling = MakeLevel(open);
  const FrameResult last = StepLevel(falling, input, kDt);
  EXPECT_EQ(std::tuple(last.allTreasureCollected, last.playerAlive, falling.outcome),
            std::tuple(true, false, Outcome::Defeat));
}

TEST_F(LevelFrame, TreasureCountsAndAHealthBoxHealsOnlyAHurtPlayerUpToItsMaximum) {
  grid.treasureMarkers = {{100, 48}, {300, 48}};
  grid.healthMarkers = {{100, 48}};
  Level level = MakeLevel(grid);
  FrameResult r = StepLevel(level, input, kDt);
  EXPECT_EQ(std::tuple(level.treasuresCollected, level.treasureText), std::tuple(1u, "0 / 2")) << "text made first";
  ASSERT_EQ(r.sounds.size(), 1u);
  EXPECT_EQ(std::tuple(r.sounds[0].sound, level.healthBoxes[0].active), std::tuple(Sfx::Treasure, true))
      << "left for later at full health";
  level.player.AddHealth(-10);
  level.player.SavePreviousHealth();
  r = StepLevel(level, input, kDt);
  EXPECT_EQ(std::tuple(level.treasureText, level.player.GetHealth(), level.outcome),
            std::tuple("1 / 2", 100, Outcome::None));
  EXPECT_EQ(std::tuple(r.sounds[0].sound, level.healthBoxes[0].active), std::tuple(Sfx::Healing, false));
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
        const glm::vec2 view(level.camera.position);
        ASSERT_EQ(glm::clamp(view, glm::vec2(0), glm::vec2(right, top) + 0.01f), view) << "within the level";
      }
    };
    hold({0.5f, 0.5f}, {window.x, 0});
    EXPECT_GT(level.camera.position.x, level.player.position.x - window.x / 4) << "slid toward the cursor";
    hold({0, 0}, {0, window.y});
    hold({1, 1}, {window.x, 0});
    EXPECT_NEAR(level.camera.position.y, top, 1.0f) << "the view reaches the top";
  }
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
  EXPECT_EQ(r.exploreVolume, 1.0f);
  EXPECT_LT(r.windVolume, 0.01f) << "wind at rest";
  level.player.velocity = glm::vec3(0, 300 * kS, 0);
  r = StepLevel(level, input, kDt);
  EXPECT_EQ(r.windVolume, 1.0f);
  EXPECT_GT(r.windPitch, 0.8f * 0.02f * 250);
}

// The parts a frame could change that differ, cell by cell and field by field.
std::vector<std::string> Differences(const Level& a, const Level& b) {
  const auto bytes = [](const world::Cell& x, const world::Cell& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  const auto& ca = a.grid.cells;
  const std::pair<const char*, bool> parts[] = {
      {"cells", std::equal(ca.begin(), ca.end(), b.grid.cells.begin(), b.grid.cells.end(), bytes)},
      {"view", std::memcmp(&a.grid.viewOrigin, &b.grid.viewOrigin, sizeof(world::ViewOrigin)) == 0},
      {"player", a.player == b.player}, {"camera", a.camera == b.camera}, {"scout", a.scout.walker == b.scout.walker},
      {"treasures", a.treasures == b.treasures}, {"health", a.healthBoxes == b.healthBoxes}, {"bats", a.bats == b.bats},
      {"melee", a.meleeEnemies == b.meleeEnemies}, {"rifle", a.rifleEnemies == b.rifleEnemies},
      {"rocket", a.rocketEnemies == b.rocketEnemies}, {"gunners", a.gunners == b.gunners},
      {"rockets", a.rockets.objects == b.rockets.objects}, {"bullets", a.bullets.objects == b.bullets.objects},
      {"smoke", a.smoke.objects == b.smoke.objects}, {"text", a.text.objects == b.text.objects},
      {"collected", a.treasuresCollected == b.treasuresCollected}, {"treasureText", a.treasureText == b.treasureText},
      {"mix", std::tie(a.musicMix, a.windVolume, a.windPitch) == std::tie(b.musicMix, b.windVolume, b.windPitch)},
      {"time", a.elapsedTime == b.elapsedTime}, {"outcome", a.outcome == b.outcome}};
  std::vector<std::string> differing;
  for (const auto& [name, same] : parts)
    if (!same) differing.push_back(name);
  return differing;
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
    SCOPED_TRACE(paused ? "paused" : "unfocused");
    EXPECT_EQ(std::tuple(r.frozen, r.sounds.size(), level.random.state), std::tuple(true, 0u, before.random.state));
    EXPECT_EQ(Differences(level, before), std::vector<std::string>{});
  }
}

}  // namespace
