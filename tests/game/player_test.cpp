#include <cmath>

#include <gtest/gtest.h>

#include "app/input.h"
#include "game/flags.h"
#include "game/player.h"
#include "game/random.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

// A player standing on a stone floor, with scripted input.
class PlayerTest : public ::testing::Test {
 protected:
  world::PixelGrid grid = MakeGrid(300, 120);
  Player player;
  RocketPool rockets = MakeRocketPool(nullptr, nullptr);
  ParticlePool smoke = MakeSmokePool(nullptr, nullptr);
  TextParticlePool text = MakeTextPool(nullptr);
  Texture* explosionTexture = reinterpret_cast<Texture*>(0x1000);  // only compared, never used
  Playfield field;

  void SetUp() override {
    input::Reset();
    Muted = false;
    Fill(grid, 0, 0, 300, 40, world::STONE);
    player = PlayerOnFloor(grid, 150, 40);
    field.grid = &grid;
    field.cellSize = kS;
    field.player = &player;
    field.smoke = &smoke;
    field.text = &text;
    field.explosionTexture = explosionTexture;
  }
  void TearDown() override {
    input::Reset();
    Muted = false;
  }

  void Key(int key, bool down) { input::OnKey(key, 0, down ? input::PRESS : input::RELEASE, 0); }
  void Mouse(bool down) { input::OnMouseButton(input::MOUSE_BUTTON_LEFT, down ? input::PRESS : input::RELEASE, 0); }

  // One level frame of the player: the fire rule, its input, its step.
  bool Frame(float dt = kDt) {
    const bool fired = TryFirePlayerRocket(player, rockets, field, false);
    HandlePlayerInput(player, dt);
    UpdatePlayer(player, field, dt);
    return fired;
  }
};

TEST_F(PlayerTest, ATapArmsTheJumpButAddsNoSpeed) {
  ASSERT_TRUE(player.IsOnGround());
  const float vy = player.velocity.y;
  Key(input::KEY_SPACE, true);
  HandlePlayerInput(player, kDt);
  EXPECT_EQ(player.velocity.y, vy);
  EXPECT_TRUE(player.jumpHeld);
  EXPECT_FLOAT_EQ(player.jumpTime, 0.1f);
}

TEST_F(PlayerTest, HoldingGivesTheFullBoostOnceAndReleasingEarlyGivesLess) {
  auto boost = [&](int heldFrames) {
    Player p = player;
    p.velocity = glm::vec3(0);
    PlayerControls jump;
    jump.jump = true;
    for (int i = 0; i < heldFrames; ++i) ApplyPlayerControls(p, jump, kDt);  // no gravity in between
    return p.velocity.y;
  };
  EXPECT_NEAR(boost(1 + 6), 100 * kS, 1e-2f) << "0.1 s of held jump, after the arming frame";
  EXPECT_NEAR(boost(1 + 60), 100 * kS, 1e-2f) << "holding longer adds nothing";
  EXPECT_NEAR(boost(1 + 3), 50 * kS, 1e-2f);

  // Uneven frames: the last push is the remainder, not a whole frame.
  Player p = player;
  p.velocity = glm::vec3(0);
  PlayerControls jump;
  jump.jump = true;
  ApplyPlayerControls(p, jump, 0.03f);
  for (int i = 0; i < 4; ++i) ApplyPlayerControls(p, jump, 0.03f);
  EXPECT_NEAR(p.velocity.y, 100 * kS, 1e-2f);
}

TEST_F(PlayerTest, AJumpCannotBeStartedOrExtendedInTheAir) {
  PlayerControls jump;
  jump.jump = true;
  // Mid-boost, high above the floor.
  player.position.y += 60 * kS;
  player.SenseCells(grid, kS);
  ASSERT_FALSE(player.IsOnGround());
  player.jumpHeld = true;
  player.jumpTime = 0.05f;
  ApplyPlayerControls(player, {}, kDt);
  EXPECT_EQ(player.jumpTime, 0.0f) << "release in the air ends the boost";
  const float vy = player.velocity.y;
  for (int i = 0; i < 5; ++i) ApplyPlayerControls(player, jump, kDt);
  EXPECT_EQ(player.velocity.y, vy) << "a new press in the air neither refills nor extends it";
}

TEST_F(PlayerTest, RunKeysAndBothAtOnce) {
  Key(kKeyD, true);
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_GT(player.velocity.x, 60 * kS);
  Key(kKeyA, true);  // both: no run input, friction slows
  const float before = player.velocity.x;
  Frame();
  EXPECT_LT(player.velocity.x, before);
  EXPECT_GT(player.velocity.x, 0.0f);
  Key(kKeyD, false);
  for (int i = 0; i < 60; ++i) Frame();
  EXPECT_LT(player.velocity.x, -60 * kS);
}

TEST_F(PlayerTest, OneRocketPerClickAfterTheCooldown) {
  player.target = player.position + glm::vec3(100 * kS, 30 * kS, 0);
  Mouse(true);
  EXPECT_TRUE(Frame());
  EXPECT_EQ(rockets.ActiveCount(), 1u);
  EXPECT_FLOAT_EQ(player.rocketCooldown, 1.0f - kDt);
  for (int i = 0; i < 90; ++i) EXPECT_FALSE(Frame()) << "held: one rocket per click";
  Mouse(false);
  Frame();
  Mouse(true);
  EXPECT_TRUE(Frame()) << "a new click once the cooldown has run out";

  Mouse(false);
  Frame();
  Mouse(true);
  EXPECT_FALSE(Frame()) << "too soon after the last shot";
}

TEST_F(PlayerTest, NoFireWhilePausedOrInactive) {
  Mouse(true);
  EXPECT_FALSE(TryFirePlayerRocket(player, rockets, field, true));
  player.active = false;
  EXPECT_FALSE(TryFirePlayerRocket(player, rockets, field, false));
  EXPECT_EQ(rockets.ActiveCount(), 0u);
  player.active = true;
  for (Rocket& r : rockets.objects) r.active = true;
  const float cooldown = player.rocketCooldown;
  EXPECT_FALSE(TryFirePlayerRocket(player, rockets, field, false)) << "no free rocket";
  EXPECT_EQ(player.rocketCooldown, cooldown) << "and no cooldown either";
}

TEST_F(PlayerTest, JumpSoundOnlyOnTheFirstFrameOfAPressOnTheGround) {
  EXPECT_FALSE(PlayJumpSound(player, field.sounds));
  Key(input::KEY_SPACE, true);
  EXPECT_TRUE(PlayJumpSound(player, field.sounds));
  Frame();
  EXPECT_FALSE(PlayJumpSound(player, field.sounds)) << "held";
  Key(input::KEY_SPACE, false);
  Frame();
  Key(input::KEY_SPACE, true);
  Muted = true;
  EXPECT_FALSE(PlayJumpSound(player, field.sounds));
}

TEST_F(PlayerTest, WalkCycleFollowsSpeedAndStillFramesShowStance) {
  for (int i = 0; i < 3; ++i) Frame();
  EXPECT_TRUE(player.sprite.paused);
  EXPECT_EQ(player.sprite.currentFrame, 3u) << "standing";

  Key(kKeyD, true);
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_FALSE(player.sprite.paused);
  EXPECT_FLOAT_EQ(player.sprite.frameTime, 4.0f / std::abs(player.velocity.x / kS));

  player.position.y += 60 * kS;  // airborne
  player.SenseCells(grid, kS);
  Frame();
  EXPECT_TRUE(player.sprite.paused);
  EXPECT_EQ(player.sprite.currentFrame, 0u);
}

TEST_F(PlayerTest, FacesItsTarget) {
  player.target = player.position - glm::vec3(1, 0, 0);
  Frame();
  EXPECT_EQ(player.scale, glm::vec2(-8 * kS, 8 * kS));
  player.target = player.position + glm::vec3(50, 0, 0);
  Frame();
  EXPECT_EQ(player.scale, glm::vec2(8 * kS, 8 * kS));
}

TEST_F(PlayerTest, HurtShowsADamageNumberOnce) {
  player.AddHealth(-7);
  Frame();
  ASSERT_EQ(text.ActiveCount(), 1u);
  EXPECT_EQ(text.objects[0].text, "7");
  Frame();
  EXPECT_EQ(text.ActiveCount(), 1u) << "previous health was saved";
}

TEST_F(PlayerTest, DyingBurstsOnceAndLeavesPlay) {
  player.position.y = -1.0f;
  Frame();
  EXPECT_FALSE(player.active);
  const std::size_t puffs = smoke.ActiveCount();
  EXPECT_GE(puffs, 20u);
  EXPECT_LE(puffs, 29u);
  EXPECT_EQ(smoke.objects[0].sprite.texture, explosionTexture);
  Frame();
  EXPECT_EQ(smoke.ActiveCount(), puffs) << "no second burst";
}

TEST_F(PlayerTest, CooldownsAndInvulnerabilityRunDown) {
  player.SetInvulnerable(0.5f);
  player.rocketCooldown = 0.5f;
  Frame(0.1f);
  EXPECT_FLOAT_EQ(player.invulnerable, 0.4f);
  EXPECT_FLOAT_EQ(player.rocketCooldown, 0.4f);
  EXPECT_FALSE(player.visible) << "blinks while invulnerable";
}

TEST(PlayerMovement, MeasuredJumpHeightOnStone) {
  world::PixelGrid grid = MakeGrid(200, 120);
  Fill(grid, 0, 0, 200, 20, world::STONE);
  Player p = PlayerOnFloor(grid, 100, 20);
  const float ground = p.position.y;
  float top = ground;
  PlayerControls jump;
  jump.jump = true;
  for (int i = 0; i < 20; ++i) {
    SimulatePlayer(p, grid, kS, jump, 1, kDt);
    top = std::max(top, p.position.y);
  }
  for (int i = 0; i < 200; ++i) {
    SimulatePlayer(p, grid, kS, {}, 1, kDt);
    top = std::max(top, p.position.y);
  }
  // 100 cells/s of boost against 98.1 cells/s^2 and a little drag: well
  // above a quarter screen, below the drag-free 51 cells.
  EXPECT_GT((top - ground) / kS, 30.0f);
  EXPECT_LT((top - ground) / kS, 51.0f);
  EXPECT_TRUE(p.IsOnGround()) << "lands again";
  EXPECT_NEAR(p.position.y, ground, 2 * kS);
}

}  // namespace
