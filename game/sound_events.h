#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include <glm/vec3.hpp>

// What the rules want heard, as data: a frame appends events, the screen
// plays them (or not, when muted) after the step. The rules never touch the
// audio layer, so muting cannot change the course of a game.
namespace game {

// Every effect the rules ask for; the screen maps each to a loaded sound.
enum class Sfx : std::uint8_t {
  EnemyAlert,
  EnemyHurt,
  EnemyJump,
  EnemyStep,
  Explosion,
  Healing,
  LavaHit,
  MachineGun,
  PlayerDefeated,
  PlayerHurt,
  PlayerJump,
  PlayerStep,
  Ricochet,
  Rifle,
  RocketLaunch,
  Treasure,
  WaterSplash,
  Count
};
inline constexpr std::size_t kSfxCount = static_cast<std::size_t>(Sfx::Count);

// A channel the screen keeps, into which a play is written.
enum class SoundSlot : std::uint8_t { None, Explosion };

struct SoundEvent {
  Sfx sound = Sfx::Explosion;
  // A plain play has no position; a positional one is placed by distance and
  // side from the listener, with the volume and pitch below.
  bool positional = false;
  glm::vec3 source{0.0f};
  glm::vec3 listener{0.0f};
  float cellSize = 1.0f;
  float volume = 1.0f;
  float pitch = 1.0f;
  SoundSlot slot = SoundSlot::None;
};

// A fixed-capacity list, so a frame never allocates; events beyond the
// capacity are dropped rather than growing it.
class SoundEvents {
 public:
  static constexpr std::size_t kCapacity = 256;

  void Add(const SoundEvent& event) {
    if (count_ < kCapacity) events_[count_++] = event;
  }
  void Plain(Sfx sound) { Add(SoundEvent{.sound = sound}); }
  void At(Sfx sound, glm::vec3 source, glm::vec3 listener, float cellSize, float volume, float pitch,
          SoundSlot slot = SoundSlot::None) {
    Add(SoundEvent{sound, true, source, listener, cellSize, volume, pitch, slot});
  }
  void Clear() { count_ = 0; }

  std::span<const SoundEvent> Events() const { return {events_.data(), count_}; }

 private:
  std::array<SoundEvent, kCapacity> events_{};
  std::size_t count_ = 0;
};

}  // namespace game
