#pragma once

#include <glm/vec3.hpp>

#include "audio/audio_system.h"

// Loudness and pan of a sound heard from listenerPos, positions in world units.
struct SpatialMix {
    float volume = 0.0f;
    float pan = 0.0f;
};

// Inverse-square fall-off in cells, full (2x) within 100 cells for volume 1,
// panned fully to a side 200 cells away. A cellSize that is not a positive
// number counts as 1; positions that are not finite give silence.
SpatialMix ComputeSpatialMix(glm::vec3 sourcePos, glm::vec3 listenerPos, float cellSize, float volume);

// Plays sound once, unpaused, with the mix above and the given pitch. The
// channel is written to *channelSlot when it is not null.
void PlaySoundAt(FMOD::System* system, FMOD::Sound* sound, FMOD::Channel* channelSlot,
                 glm::vec3 sourcePos, glm::vec3 listenerPos, float cellSize, float volume, float pitch);
