// The screens' side of sound: events from the rules, heard through a loopback output.
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "screens/sound_player.h"

namespace {

TEST(SoundPlayer, PlaysEventsIntoTheirSlotsAndNothingWhenMuted) {
  audio::System* system = nullptr;
  ASSERT_EQ(audio::System_Create(&system), audio::OK);
  ASSERT_EQ(system->initLoopback(16, 48000), audio::OK);
  SoundPlayer player;
  player.system = system;
  audio::Channel explosionChannel;
  player.explosionChannel = &explosionChannel;
  ASSERT_EQ(system->createSound("Assets//SFX//Explosion.ogg", audio::DEFAULT, nullptr, &player[game::Sfx::Explosion]),
            audio::OK);
  auto loudness = [&] {
    std::vector<float> out(2 * 4800);
    system->renderSamples(out.data(), 4800);
    float peak = 0.0f;
    for (float v : out) peak = std::max(peak, std::abs(v));
    return peak;
  };

  game::SoundEvents events;
  events.At(game::Sfx::Explosion, glm::vec3(10, 0, 0), glm::vec3(0), 4.0f, 1.0f, 1.0f, game::SoundSlot::Explosion);
  events.Plain(game::Sfx::Treasure);  // not loaded: silently skipped
  bool playing = true;
  player.Play(events, true);
  explosionChannel.isPlaying(&playing);
  EXPECT_FALSE(playing);
  EXPECT_EQ(loudness(), 0.0f) << "muted";

  player.Play(events, false);
  explosionChannel.isPlaying(&playing);
  EXPECT_TRUE(playing) << "the slot holds the play";
  EXPECT_GT(loudness(), 0.01f);
  system->release();
}

TEST(SoundEvents, AFullListDropsAndCountsTheRest) {
  game::SoundEvents events;
  for (std::size_t i = 0; i < game::SoundEvents::kCapacity + 3; ++i) events.Plain(game::Sfx::PlayerStep);
  EXPECT_EQ(events.Events().size(), game::SoundEvents::kCapacity);
  EXPECT_EQ(events.Dropped(), 3u);
  events.Clear();
  EXPECT_TRUE(events.Events().empty());
}

}  // namespace
