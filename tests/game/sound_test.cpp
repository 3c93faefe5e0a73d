// Which gameplay events make sound, heard through a loopback output.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "app/input.h"
#include "audio/audio.h"
#include "game/flags.h"
#include "game/weapons.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

class GameSounds : public ::testing::Test {
 protected:
  audio::System* system = nullptr;
  audio::Channel explosionChannel;
  SoundBank sounds;

  void SetUp() override {
    input::Reset();
    Muted = false;
    ASSERT_EQ(audio::System_Create(&system), audio::OK);
    ASSERT_EQ(system->initLoopback(16, 48000), audio::OK);
    sounds.system = system;
    sounds.playerJump = Load("Assets//SFX//PlayerJump.ogg");
    sounds.explosion = Load("Assets//SFX//Explosion.ogg");
    sounds.explosionChannel = &explosionChannel;
  }
  void TearDown() override {
    Muted = false;
    input::Reset();
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

TEST_F(GameSounds, AJumpPressPlaysUnlessMutedAndAnExplosionPlaysOnItsChannel) {
  Level level;
  level.field.sounds = sounds;
  input::OnKey(input::KEY_SPACE, 0, input::PRESS, 0);
  Muted = true;
  EXPECT_FALSE(PlayJumpSound(level.player, sounds));
  EXPECT_EQ(Loudness(), 0.0f);
  Muted = false;
  EXPECT_TRUE(PlayJumpSound(level.player, sounds));
  EXPECT_GT(Loudness(), 0.01f);

  level.player.target = level.player.position + glm::vec3(0, -50 * kS, 0);
  FireRocket(level.player, level.rockets, kS);
  UpdateRockets(level.rockets, level.field, kDt);
  bool playing = false;
  explosionChannel.isPlaying(&playing);
  EXPECT_TRUE(playing);
  EXPECT_GT(Loudness(), 0.01f);
}

}  // namespace
