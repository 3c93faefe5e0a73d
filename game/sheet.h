#pragma once

#include <cstddef>
#include <cstdint>

namespace game {

// Which picture an object shows, by name only: the screens own the textures
// and pick one per sheet when they draw, so the rules never touch a render
// resource and stay cheap to copy.
enum class Sheet : std::uint8_t {
  None,  // not drawn as a picture (text particles, the camera)
  Player,
  Bat,
  Melee,
  Rifle,
  RocketEnemy,
  Gunner,
  Treasure,
  Health,
  Rocket,
  Bullet,
  Smoke,
  Explosion,
};

// Sizes the screens' tables: follows the last sheet above.
inline constexpr std::size_t kSheetCount = static_cast<std::size_t>(Sheet::Explosion) + 1;

}  // namespace game
