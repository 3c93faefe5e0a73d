#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/enemies.h"
#include "game/frame_input.h"
#include "game/player.h"

// One level's whole state and the frame that runs it. The level screen and
// the headless runner both drive StepLevel; nothing here needs a window.
namespace game {

enum class Outcome : std::uint8_t { None, Victory, Defeat };

// Plain values. The collections are filled once by MakeLevel and never grow,
// so the spans a frame hands to the steps stay valid.
struct Level {
  world::PixelGrid grid;
  Player player;
  Camera camera;
  std::vector<GameObject> treasures;
  std::vector<GameObject> healthBoxes;
  std::vector<BatEnemy> bats;
  std::vector<GroundCharacter> meleeEnemies;
  std::vector<RifleEnemy> rifleEnemies;
  std::vector<RocketEnemy> rocketEnemies;
  std::vector<MachineGunner> gunners;
  RocketPool rockets;
  BulletPool bullets;
  ParticlePool smoke;
  TextParticlePool text;
  Scout scout;
  std::uint32_t treasuresCollected = 0;
  std::string treasureText;  // "collected / total" as the head-up display shows it
  // 1: only the exploration music, 0: only the combat music. The screen keeps
  // it across levels and hands it to the next MakeLevel.
  float musicMix = 1.0f;
  float windVolume = 0.0f;
  float windPitch = 0.0f;
  float elapsedTime = 0.0f;  // seconds played, frozen frames excluded
  Outcome outcome = Outcome::None;
  SoundEvents sounds;  // the latest frame's
  // The run's generator while the level is played: the screen hands it in to
  // MakeLevel and takes it back when the level ends.
  Random random;
};

// What a frame asks of the screen.
struct FrameResult {
  std::span<const SoundEvent> sounds;
  bool frozen = false;  // paused or unfocused: nothing moved; pause the looping channels
  float exploreVolume = 1.0f;
  float combatVolume = 0.0f;
  float windVolume = 0.0f;
  float windPitch = 0.0f;
  bool playerAlive = true;           // false: defeat, this very frame
  bool allTreasureCollected = false;  // true: victory, asked for at the next frame
};

// A level on a grid read from its image at the level's cell size: the player
// at its start, ready to fire; a box or an enemy per marker, in marker order
// (each bat draws its turn rate from `random`, in marker order); full pools of
// free projectiles and particles; the grid's view at the camera, so the level
// can be drawn before any frame.
Level MakeLevel(world::PixelGrid grid, float musicMix = 1.0f, Random random = {});

// One frame. A paused or unfocused frame changes nothing and returns frozen.
// Otherwise: the player's fire, jump sound and controls, the grid step, the
// treasure text, the player, particles, boxes, enemies, rockets, bullets, the
// camera, the victory test, the music and wind mix, and the grid's view from
// the camera for the next step. The first outcome reached stays in `outcome`.
FrameResult StepLevel(Level& level, const FrameInput& input, float dt);

// The camera step: the player aims at the cursor; the view follows the player
// (half-way toward the cursor while looking), clamped to the level.
void UpdateCamera(Camera& camera, Player& player, const FrameInput& input, const world::PixelGrid& grid, float dt,
                  Random& random);

std::size_t ActiveEnemies(const Level& level);

}  // namespace game
