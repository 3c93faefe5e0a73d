#include "audio/positional.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr float MAX_POSITIONAL_VOLUME = 2.0f;
// Volume 1 stays at full loudness out to 100 cells (10000 = 100^2), then falls off by the square.
constexpr float FALLOFF_CELLS_SQUARED = 10000.0f;
constexpr float FULL_PAN_CELLS = 200.0f;

}  // namespace

SpatialMix ComputeSpatialMix(glm::vec3 sourcePos, glm::vec3 listenerPos, float cellSize, float volume) {
    if (!(cellSize > 0.0f) || !std::isfinite(cellSize)) cellSize = 1.0f;
    const glm::vec3 d = sourcePos - listenerPos;
    const float dist = glm::length(d) / cellSize;
    const float dx = d.x / cellSize;
    if (!std::isfinite(dist) || !std::isfinite(dx) || std::isnan(volume)) return SpatialMix{};

    SpatialMix mix;
    // A silent request stays silent even on top of the listener.
    if (volume <= 0.0f) mix.volume = 0.0f;
    else if (dist == 0.0f) mix.volume = MAX_POSITIONAL_VOLUME;
    else mix.volume = std::min(MAX_POSITIONAL_VOLUME, FALLOFF_CELLS_SQUARED / dist / dist * volume);
    mix.pan = std::clamp(dx / FULL_PAN_CELLS, -1.0f, 1.0f);
    return mix;
}

void PlaySoundAt(FMOD::System* system, FMOD::Sound* sound, FMOD::Channel* channelSlot, glm::vec3 sourcePos,
                 glm::vec3 listenerPos, float cellSize, float volume, float pitch) {
    FMOD::Channel channel;
    if (system != nullptr) {
        // Started paused so the first milliseconds already carry the mix.
        system->playSound(sound, nullptr, true, &channel);
        const SpatialMix mix = ComputeSpatialMix(sourcePos, listenerPos, cellSize, volume);
        channel.setVolume(mix.volume);
        channel.setPan(mix.pan);
        channel.setPitch(pitch);
        channel.setPaused(false);
    }
    if (channelSlot != nullptr) *channelSlot = channel;
}
