#pragma once

#include <cstdint>

// The one random source of gameplay and the main-menu sandbox. It has its own
// program-wide state, 0 at start and never reseeded, so a run's draws depend
// only on the order of the calls that make them.
namespace game {

// Advances the state, then returns lo + state / 2^32 * (hi - lo) in single
// precision (exactly lo when hi == lo).
float RandomFloat(float lo, float hi);

// For tests and replays: read or put back the generator's state.
std::uint32_t RandomState();
void SetRandomState(std::uint32_t state);

}  // namespace game
