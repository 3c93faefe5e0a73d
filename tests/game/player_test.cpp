// The player's controls and step, and which events make sound (heard
// through a loopback output).
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "audio/audio.h"
#include "game/weapons.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

// The level's player standing on stone, with scripted input.
class PlayerTest : public ::testing::Test {
 protected:
  Level level;
  Player& player = level.player;

  void Key(int key, bool down) { input::OnKey(key, 0, down ? input::PRESS : input::RELEASE, 0); }
  void Mouse(bool down) { input::OnMouseButton(input::MOUSE_BUTTON_LEFT, down ? input::PRESS : input::RELEASE, 0); }
  // One level frame of the player: the fire rule, its input, its step.
  bool Frame(float dt = kDt) {
    const bool fired = TryFirePlayerRocket(player, level.rockets, level.field, false);
    HandlePlayerInput(player, dt);
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
      {kDt, 1, 0},       // the press only arms the boost
      {kDt, 4, 50},      // released early
      {kDt, 7, 100},     // the whole boost
      {kDt, 61, 100},    // holding longer adds nothing
      {0.03f, 5, 100}};  // uneven frames: the last push is the remainder
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
  EXPECT_TRUE(player.sprite.paused);
  EXPECT_EQ(player.sprite.currentFrame, 3u) << "standing";
  Key(kKeyD, true);
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_GT(player.velocity.x, 60 * kS);
  EXPECT_FALSE(player.sprite.paused);
  EXPECT_FLOAT_EQ(player.sprite.frameTime, 4.0f / std::abs(player.velocity.x / kS)) << "a stride of 4 cells";
  Key(kKeyA, true);  // both: no run input, friction slows
  const float before = player.velocity.x;
  Frame();
  EXPECT_LT(player.velocity.x, before);
  EXPECT_GT(player.velocity.x, 0.0f);
  Key(kKeyD, false);
  for (int i = 0; i < 60; ++i) Frame();
  EXPECT_LT(player.velocity.x, -60 * kS) << "A alone runs left";
  Lift();
  Frame();
  EXPECT_TRUE(player.sprite.paused);
  EXPECT_EQ(player.sprite.currentFrame, 0u) << "airborne";
}

TEST_F(PlayerTest, OneRocketPerClickOnceTheCooldownHasRunOut) {
  player.target = player.position + glm::vec3(100 * kS, 30 * kS, 0);
  Mouse(true);
  EXPECT_TRUE(Frame());
  EXPECT_EQ(level.rockets.ActiveCount(), 1u);
  EXPECT_FLOAT_EQ(player.rocketCooldown, 1.0f - kDt);
  for (int i = 0; i < 90; ++i) EXPECT_FALSE(Frame()) << "held: one rocket per click";
  Mouse(false);
  Frame();
  Mouse(true);
  for (float cooldown : {0.01f, -0.01f}) {  // a new click fires once the cooldown is below 0
    player.rocketCooldown = cooldown;
    EXPECT_EQ(TryFirePlayerRocket(player, level.rockets, level.field, false), cooldown < 0) << cooldown;
  }

  player.rocketCooldown = -1.0f;
  EXPECT_FALSE(TryFirePlayerRocket(player, level.rockets, level.field, true)) << "paused";
  player.active = false;
  EXPECT_FALSE(TryFirePlayerRocket(player, level.rockets, level.field, false)) << "inactive";
  player.active = true;
  for (Rocket& r : level.rockets.objects) r.active = true;
  EXPECT_FALSE(TryFirePlayerRocket(player, level.rockets, level.field, false)) << "no free rocket";
  EXPECT_EQ(player.rocketCooldown, -1.0f) << "and no cooldown either";
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
  EXPECT_FALSE(player.active);
  const std::size_t puffs = level.smoke.ActiveCount();
  EXPECT_GE(puffs, 20u);
  EXPECT_LE(puffs, 29u);
  EXPECT_EQ(level.smoke.objects[0].sprite.texture, level.explosionTexture);
  Frame();
  EXPECT_EQ(level.smoke.ActiveCount(), puffs) << "no second burst";
}

class GameSounds : public ::testing::Test {
 protected:
  audio::System* system = nullptr;
  audio::Channel explosionChannel;
  SoundBank sounds;

  void SetUp() override {
    ASSERT_EQ(audio::System_Create(&system), audio::OK);
    ASSERT_EQ(system->initLoopback(16, 48000), audio::OK);
    sounds.system = system;
    sounds.playerJump = Load("Assets//SFX//PlayerJump.ogg");
    sounds.explosion = Load("Assets//SFX//Explosion.ogg");
    sounds.explosionChannel = &explosionChannel;
  }
  void TearDown() override {
    if (system) system->release();
  }
  audio::Sound* Load(const char* path) {
    audio::Sound* s = nullptr;
    EXPECT_EQ(system->createSound(path, audio::DEFAULT, nullptr, &s), audio::OK) << path;
    return s;
  }
  float Loudness() {
    std::vector<float> out(2 * 4800);
    system->renderSamples(out.data(), 4800);
    float peak = 0.0f;
    for (float v : out) peak = std::max(peak, std::abs(v));
    return peak;
  }
};

TEST_F(GameSounds, AJumpPressPlaysOnceUnlessMutedAndAnExplosionPlaysOnItsChannel) {
  Level level;
  level.field.sounds = sounds;
  EXPECT_FALSE(PlayJumpSound(level.player, sounds)) << "no press";
  input::OnKey(input::KEY_SPACE, 0, input::PRESS, 0);
  Muted = true;
  EXPECT_FALSE(PlayJumpSound(level.player, sounds));
  EXPECT_EQ(Loudness(), 0.0f);
  Muted = false;
  EXPECT_TRUE(PlayJumpSound(level.player, sounds));
  EXPECT_GT(Loudness(), 0.01f);
  HandlePlayerInput(level.player, kDt);
  EXPECT_FALSE(PlayJumpSound(level.player, sounds)) << "only on the first frame of a press";

  level.player.target = level.player.position + glm::vec3(0, -50 * kS, 0);
  FireRocket(level.player, level.rockets, kS);
  UpdateRockets(level.rockets, level.field, kDt);
  bool playing = false;
  explosionChannel.isPlaying(&playing);
  EXPECT_TRUE(playing);
  EXPECT_GT(Loudness(), 0.01f);
}

}  // namespace
