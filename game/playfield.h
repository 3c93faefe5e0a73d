#pragma once

#include <span>

#include "audio/audio.h"
#include "game/game_object.h"
#include "game/pool.h"

namespace game {

// The effects gameplay plays; any of them may be null (nothing plays), and so
// may the system (tests and tools run without sound).
struct SoundBank {
  audio::System* system = nullptr;
  audio::Sound* explosion = nullptr;       // "Assets//SFX//Explosion.ogg"
  audio::Sound* ricochet = nullptr;        // "Assets//SFX//Ricochet.ogg"
  audio::Sound* rocketLaunch = nullptr;    // "Assets//SFX//RocketLaunch.ogg"
  audio::Sound* playerJump = nullptr;      // "Assets//SFX//PlayerJump.ogg"
  audio::Sound* playerStep = nullptr;      // "Assets//SFX//PlayerStep.ogg"
  audio::Sound* playerHurt = nullptr;      // "Assets//SFX//PlayerHurt.ogg"
  audio::Sound* playerDefeated = nullptr;  // "Assets//SFX//PlayerDefeated.ogg"
  audio::Channel* explosionChannel = nullptr;  // the level's explosion channel; may be null
};

// Plays a sound where it is, heard from the listener (the player). Callers
// test Muted first, before drawing any random pitch for it.
void PlayAt(const SoundBank& sounds, audio::Sound* sound, audio::Channel* channel, glm::vec3 source,
            glm::vec3 listener, float S, float volume, float pitch);
// Plays a sound without position. Callers test Muted first.
void PlayPlain(const SoundBank& sounds, audio::Sound* sound);

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
  ParticlePool* smoke = nullptr;
  TextParticlePool* text = nullptr;
  // Textures of the effects the steps spawn.
  Shader* spriteShader = nullptr;
  Texture* smokeTexture = nullptr;
  Texture* explosionTexture = nullptr;
  SoundBank sounds;

  // The listener of positional sounds: the player, else the source itself.
  glm::vec3 Listener(glm::vec3 source) const { return player ? player->position : source; }
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
