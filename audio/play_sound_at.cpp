#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

#include "audio/audio.h"

namespace audio {
namespace {

constexpr float kCloseVolume = 2.0f;          // a sound at the listener, and the cap for near ones
constexpr float kFalloffCellsSquared = 10000.0f;  // full volume out to 100 cells, then inverse square
constexpr float kFullPanCells = 200.0f;      // horizontal offset that pans fully to one side

}  // namespace

SoundPlacement PlaceSound(glm::vec3 sourcePos, glm::vec3 listenerPos, float cellSize, float volume, float pitch) {
  // Without a usable cell size there is no distance to speak of: play it as if at the listener.
  if (!(cellSize > 0.0f) || !std::isfinite(cellSize)) return {kCloseVolume, 0.0f, pitch};
  const glm::vec3 d = sourcePos - listenerPos;
  const float dist = glm::length(d) / cellSize;
  const float dx = d.x / cellSize;
  // Broken positions (NaN) stay silent rather than blasting at full volume.
  if (std::isnan(dist)) return {0.0f, 0.0f, pitch};
  const float placedVolume =
      dist == 0.0f ? kCloseVolume : std::min(kCloseVolume, kFalloffCellsSquared / dist / dist * volume);
  const float pan = std::clamp(dx / kFullPanCells, -1.0f, 1.0f);
  return {placedVolume, pan, pitch};
}

void PlaySoundAt(System* system, Sound sound, Channel* channelSlot, glm::vec3 sourcePos, glm::vec3 listenerPos,
                 float cellSize, float volume, float pitch) {
  if (!system) return;
  Channel unused;
  Channel* channel = channelSlot ? channelSlot : &unused;
  const SoundPlacement placement = PlaceSound(sourcePos, listenerPos, cellSize, volume, pitch);
  // Started paused so that no sample goes out at the default volume before the placement applies.
  if (system->playSound(sound, nullptr, true, channel) != OK) return;
  channel->setVolume(placement.volume);
  channel->setPan(placement.pan);
  channel->setPitch(placement.pitch);
  channel->setPaused(false);
}

}  // namespace audio
