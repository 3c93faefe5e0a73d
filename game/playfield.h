#pragma once

#include <span>

#include "game/game_object.h"
#include "game/pool.h"
#include "game/random.h"
#include "game/sound_events.h"

namespace game {

// What one frame's gameplay steps act on: the level's (or the menu's) grid,
// characters, pools and sounds, borrowed for the call. Unused parts stay null
// or empty: a spawn into a missing pool does nothing, a missing camera is not
// shaken, a missing player is neither hit nor listened from.
struct Playfield {
  world::PixelGrid* grid = nullptr;
  float cellSize = 0.0f;  // S
  Player* player = nullptr;
  Camera* camera = nullptr;
  // Enemy collections in marker order, stored by value by the screen.
  std::span<BatEnemy> bats;
  std::span<GroundCharacter> meleeEnemies;
  std::span<RifleEnemy> rifleEnemies;
  std::span<RocketEnemy> rocketEnemies;
  std::span<MachineGunner> gunners;
  RocketPool* rockets = nullptr;  // the enemies' shots go here
  BulletPool* bullets = nullptr;
  ParticlePool* smoke = nullptr;
  TextParticlePool* text = nullptr;
  SoundEvents* sounds = nullptr;  // where this frame's sounds go; null: none kept
  Random* random = nullptr;       // the generator every draw of the steps comes from

  // The listener of positional sounds: the player, else the source itself.
  glm::vec3 Listener(glm::vec3 source) const { return player ? player->position : source; }

  void PlayPlain(Sfx sound) const {
    if (sounds) sounds->Plain(sound);
  }
  // Heard from the player, by distance and side.
  void PlayAt(Sfx sound, glm::vec3 source, float volume, float pitch, SoundSlot slot = SoundSlot::None) const {
    if (sounds) sounds->At(sound, source, Listener(source), cellSize, volume, pitch, slot);
  }
};

// Every active enemy, in the order projectiles test them: bats, melee, rifle,
// gunners, then rocket enemies.
template <class F>
void ForEachActiveEnemy(const Playfield& field, F&& f) {
  for (BatEnemy& c : field.bats)
    if (c.active) f(static_cast<Character&>(c));
  for (GroundCharacter& c : field.meleeEnemies)
    if (c.active) f(static_cast<Character&>(c));
  for (RifleEnemy& c : field.rifleEnemies)
    if (c.active) f(static_cast<Character&>(c));
  for (MachineGunner& c : field.gunners)
    if (c.active) f(static_cast<Character&>(c));
  for (RocketEnemy& c : field.rocketEnemies)
    if (c.active) f(static_cast<Character&>(c));
}

}  // namespace game
