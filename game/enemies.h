#pragma once

#include <cstdint>

#include "game/playfield.h"

// The five enemies: bats wander the air; melee, rifle, rocket and machine-gun
// walkers patrol until they see the player, then chase the last place they
// saw it, shooting if they can. Every enemy hurts the player by touch.
namespace game {

// An enemy as a level's marker places it, active, with its kind's health,
// mass, movement and sprite sheet. The bat turns at rate 0 until MakeLevel
// draws its turn rate.
BatEnemy MakeBat(float S, glm::vec3 position);
GroundCharacter MakeMeleeEnemy(float S, glm::vec3 position);
RifleEnemy MakeRifleEnemy(float S, glm::vec3 position);
RocketEnemy MakeRocketEnemy(float S, glm::vec3 position);
MachineGunner MakeGunner(float S, glm::vec3 position);

// The walker the look-ahead simulates in an enemy's place: a gunner's build.
// A level keeps one and puts `fresh` back over `walker` before every use, so
// the look-ahead never allocates.
struct Scout {
  Walker fresh;
  Walker walker;
};
Scout MakeScout(float S);

// What the look-ahead found: walking on is safe, only a jump is, or neither.
enum class Way : std::uint8_t { Walk, Jump, Neither };
// Simulates 5 s of walking on; when that ends in lava, under water or dead,
// simulates 8 s after a jump from here. The scout is left as the last test
// left it.
Way LookAhead(const GroundCharacter& enemy, const world::PixelGrid& grid, Scout& scout);

// The bat's steering: a heading that turns slowly in open space and fast near
// walls, with a new turn rate about every ten seconds while there is room.
void UpdateBat(BatEnemy& bat, const world::PixelGrid& grid, float S, float dt, Random& random);
// Look-ahead, patrol and chase of a walking enemy: changes only its velocity
// (running and jumping), facing, target and its own counters.
void RunGroundAI(GroundCharacter& enemy, const world::PixelGrid& grid, Scout& scout, float dt);

// One frame of every enemy of the field: bats, melee, rifle and rocket
// enemies, then gunners, each in marker order: death, AI, sight and weapons,
// hurt feedback, movement, hazards and contact with the player. Needs the
// field's grid and player. Returns the combat flag: some walking enemy was
// alerted when its step began.
bool UpdateEnemies(const Playfield& field, Scout& scout, float dt);

}  // namespace game
