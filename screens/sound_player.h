#pragma once

#include <array>
#include <span>

#include "audio/audio.h"
#include "game/sound_events.h"

// Plays what a frame of the rules asked to hear. Muting happens here, after
// the rules have run, so a muted game takes exactly the same course.
struct SoundPlayer {
  audio::System* system = nullptr;
  std::array<audio::Sound, game::kSfxCount> sounds{};  // any may be empty: that effect is silent
  audio::Channel* explosionChannel = nullptr;           // written by plays into SoundSlot::Explosion

  audio::Sound& operator[](game::Sfx sfx) { return sounds[static_cast<std::size_t>(sfx)]; }

  // Plays every event unless `muted`.
  void Play(std::span<const game::SoundEvent> events, bool muted) const;
};
