#pragma once

#include <cstdint>

// The one random source of gameplay and the main-menu sandbox, as a value.
// The program keeps one for the whole run, 0 at start and never reseeded, and
// lends it to the menu and to each level in turn, so a run's draws depend
// only on the order of the calls that make them; a level copied by the route
// search carries its own copy.
namespace game {

struct Random {
  std::uint32_t state = 0;

  bool operator==(const Random&) const = default;
};

// Advances the state, then returns lo + state / 2^32 * (hi - lo) in single
// precision (exactly lo when hi == lo).
float RandomFloat(Random& random, float lo, float hi);

}  // namespace game
