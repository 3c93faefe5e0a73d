// The screens' side of sound: events from the rules, heard through a loopback output.
#include <gtest/gtest.h>

#include "screens/sound_player.h"
#include "tests/audio/support.h"

namespace {

using SoundPlayerTest = audio_test::AudioOutput;

TEST_F(SoundPlayerTest, PlaysEventsIntoTheirSlotsAndNothingWhenMuted) {
  SoundPlayer player;
  player.system = system;
  audio::Channel explosionChannel;
  player.explosionChannel = &explosionChannel;
  player[game::Sfx::Explosion] = Load(audio_test::Tone{});
  game::SoundEvents events;
  events.At(game::Sfx::Explosion, glm::vec3(10, 0, 0), glm::vec3(0), 4.0f, 1.0f, 1.0f, game::SoundSlot::Explosion);
  events.Plain(game::Sfx::Treasure);  // not loaded: silently skipped
  player.Play(events.Events(), true);
  EXPECT_FALSE(IsPlaying(explosionChannel));
  EXPECT_TRUE(audio_test::Silent(Render(0.1f))) << "muted";

  player.Play(events.Events(), false);
  EXPECT_TRUE(IsPlaying(explosionChannel)) << "the slot holds the play";
  EXPECT_GT(audio_test::Rms(Render(0.1f), 0), 0.01f);
}

TEST(SoundEvents, AFullListDropsTheRest) {
  game::SoundEvents events;
  for (std::size_t i = 0; i < game::SoundEvents::kCapacity + 3; ++i) events.Plain(game::Sfx::PlayerStep);
  EXPECT_EQ(events.Events().size(), game::SoundEvents::kCapacity);
  events.Clear();
  EXPECT_TRUE(events.Events().empty());
}

}  // namespace
