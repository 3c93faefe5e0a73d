// The player's controls and step, and which events ask for sound.
#include <algorithm>
#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

#include "game/weapons.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

// The level's player standing on stone, with scripted input.
class PlayerTest : public ::testing::Test {
 protected:
  Arena level;
  Player& player = level.player;

  PlayerControls controls;
  // One level frame of the player: the fire rule, its input, its step.
  bool Frame(float dt = kDt) {
    const bool fired = TryFirePlayerRocket(player, controls, level.rockets, level.field, false);
    ApplyPlayerControls(player, controls, dt);
    UpdatePlayer(player, level.field, dt);
    return fired;
  }
  void Lift() {  // high above the floor
    player.position.y += 60 * kS;
    player.SenseCells(level.grid, kS);
  }
};

TEST_F(PlayerTest, AHeldJumpPushesForATenthOfASecondAfterThePress) {
  ASSERT_TRUE(player.IsOnGround());
  const struct { float dt; int frames; float speedCells; } cases[] = {
      {kDt, 1, 0},   {kDt, 4, 50},   // the press only arms the boost; released early
      {kDt, 7, 100}, {kDt, 61, 100}, // the whole boost; holding longer adds nothing
      {0.03f, 5, 100}};              // uneven frames: the last push is the remainder
  for (const auto& c : cases) {
    Player p = player;
    p.velocity = glm::vec3(0);
    for (int i = 0; i < c.frames; ++i) ApplyPlayerControls(p, {.jump = true}, c.dt);  // no gravity between
    EXPECT_NEAR(p.velocity.y, c.speedCells * kS, 1e-2f) << c.frames << " frames of " << c.dt;
  }
  Lift();
  player.jumpHeld = true;  // mid-boost
  player.jumpTime = 0.05f;
  ApplyPlayerControls(player, {}, kDt);
  EXPECT_EQ(player.jumpTime, 0.0f) << "release in the air ends the boost";
  const float vy = player.velocity.y;
  for (int i = 0; i < 5; ++i) ApplyPlayerControls(player, {.jump = true}, kDt);
  EXPECT_EQ(player.velocity.y, vy) << "a new press in the air neither refills nor extends it";
}

TEST_F(PlayerTest, RunKeysWalkCycleAndStance) {
  Frame();
  EXPECT_EQ(std::tuple(player.sprite.paused, player.sprite.currentFrame), std::tuple(true, 3u)) << "standing";
  controls.right = true;
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_GT(player.velocity.x, 60 * kS);
  EXPECT_FALSE(player.sprite.paused);
  EXPECT_FLOAT_EQ(player.sprite.frameTime, 4.0f / std::abs(player.velocity.x / kS)) << "a stride of 4 cells";
  controls.left = true;  // both: no run input, friction slows
  const float before = player.velocity.x;
  Frame();
  EXPECT_LT(player.velocity.x, before);
  EXPECT_GT(player.velocity.x, 0.0f);
  controls.right = false;
  for (int i = 0; i < 60; ++i) Frame();
  EXPECT_LT(player.velocity.x, -60 * kS) << "A alone runs left";
  Lift();
  Frame();
  EXPECT_EQ(std::tuple(player.sprite.paused, player.sprite.currentFrame), std::tuple(true, 0u)) << "airborne";
}

TEST_F(PlayerTest, OneRocketPerClickOnceTheCooldownHasRunOut) {
  player.target = player.position + glm::vec3(100 * kS, 30 * kS, 0);
  controls.fire = true;
  EXPECT_TRUE(Frame());
  EXPECT_EQ(level.rockets.ActiveCount(), 1u);
  EXPECT_FLOAT_EQ(player.rocketCooldown, 1.0f - kDt);
  for (int i = 0; i < 90; ++i) EXPECT_FALSE(Frame()) << "held: one rocket per click";
  controls.fire = false;
  Frame();
  controls.fire = true;
  for (float cooldown : {0.01f, -0.01f}) {  // a new click fires once the cooldown is below 0
    player.rocketCooldown = cooldown;
    EXPECT_EQ(TryFirePlayerRocket(player, controls, level.rockets, level.field, false), cooldown < 0) << cooldown;
  }

  player.rocketCooldown = -1.0f;
  EXPECT_FALSE(TryFirePlayerRocket(player, controls, level.rockets, level.field, true)) << "paused";
  player.active = false;
  EXPECT_FALSE(TryFirePlayerRocket(player, controls, level.rockets, level.field, false)) << "inactive";
  player.active = true;
  for (Rocket& r : level.rockets.objects) r.active = true;
  EXPECT_FALSE(TryFirePlayerRocket(player, controls, level.rockets, level.field, false)) << "no free rocket";
}

TEST_F(PlayerTest, FacesItsTargetAndTimersRunDown) {
  player.target = player.position - glm::vec3(1, 0, 0);
  player.SetInvulnerable(0.5f);
  player.rocketCooldown = 0.5f;
  Frame(0.1f);
  EXPECT_EQ(player.scale, glm::vec2(-8 * kS, 8 * kS));
  EXPECT_FLOAT_EQ(player.invulnerable, 0.4f);
  EXPECT_FLOAT_EQ(player.rocketCooldown, 0.4f);
  EXPECT_FALSE(player.visible) << "blinks while invulnerable";
  player.target = player.position + glm::vec3(50, 0, 0);
  Frame();
  EXPECT_EQ(player.scale, glm::vec2(8 * kS, 8 * kS));
}

TEST_F(PlayerTest, HurtShowsOneDamageNumberAndDeathOneBurst) {
  player.AddHealth(-7);
  Frame();
  Frame();
  ASSERT_EQ(level.text.ActiveCount(), 1u) << "previous health was saved";
  EXPECT_EQ(level.text.objects[0].text, "7");

  player.position.y = -1.0f;
  Frame();
  const std::size_t puffs = level.smoke.ActiveCount();
  EXPECT_FALSE(player.active);
  EXPECT_EQ(level.smoke.objects[0].sprite.sheet, Sheet::Explosion);
  EXPECT_GE(puffs, 20u);
  Frame();
  EXPECT_EQ(level.smoke.ActiveCount(), puffs) << "no second burst";
}

TEST_F(PlayerTest, SoundsAreAskedForOnTheirEventsOnly) {
  SoundEvents events;
  level.field.sounds = &events;
  auto heard = [&](Sfx sfx) {
    const auto list = events.Events();
    return std::count_if(list.begin(), list.end(), [&](const SoundEvent& e) { return e.sound == sfx; });
  };
  EXPECT_FALSE(PlayJumpSound(player, controls, level.field)) << "no press";
  controls.jump = true;
  EXPECT_TRUE(PlayJumpSound(player, controls, level.field));
  ApplyPlayerControls(player, controls, kDt);
  EXPECT_FALSE(PlayJumpSound(player, controls, level.field)) << "only on the first frame of a press";
  EXPECT_EQ(heard(Sfx::PlayerJump), 1);

  controls = {.fire = true};
  EXPECT_TRUE(Frame());
  EXPECT_EQ(heard(Sfx::RocketLaunch), 1);
  player.AddHealth(-5);
  Frame();
  EXPECT_EQ(heard(Sfx::PlayerHurt), 1);

  events.Clear();
  player.target = player.position + glm::vec3(0, -50 * kS, 0);
  FireRocket(player, level.rockets, kS);
  UpdateRockets(level.rockets, level.field, kDt);
  ASSERT_EQ(heard(Sfx::Explosion), 1);
  const SoundEvent& boom = events.Events()[0];
  EXPECT_EQ(std::tuple(boom.positional, boom.slot, boom.listener),
            std::tuple(true, SoundSlot::Explosion, player.position));
  EXPECT_NEAR(boom.pitch, 1.0f, 0.2f);
}

}  // namespace
