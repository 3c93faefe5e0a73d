#include "screens/sound_player.h"

void SoundPlayer::Play(std::span<const game::SoundEvent> events, bool muted) const {
  if (muted || !system) return;
  for (const game::SoundEvent& e : events) {
    const audio::Sound sound = sounds[static_cast<std::size_t>(e.sound)];
    if (!sound) continue;
    if (!e.positional) {
      system->playSound(sound, nullptr, false, nullptr);
      continue;
    }
    audio::Channel* slot = e.slot == game::SoundSlot::Explosion ? explosionChannel : nullptr;
    audio::PlaySoundAt(system, sound, slot, e.source, e.listener, e.cellSize, e.volume, e.pitch);
  }
}
