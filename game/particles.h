#pragma once

#include "game/playfield.h"

// Short-lived effects from the two particle pools. Each spawner takes the
// first free particle; with none free that particle is simply not shown.
namespace game {

// 20 to 29 rising puffs of `sheet` at the origin (an enemy's death with the
// smoke sheet, the player's with the explosion sheet).
void SpawnDebris(const GameObject& origin, Sheet sheet, ParticlePool* pool, float S, Random& random);
// The character's previousHealth - health, floating up red and falling back.
// Nothing for a loss of 0 or less.
void SpawnDamageNumber(const Character& character, TextParticlePool* pool, float S, Random& random);
// A white "!" rising over an enemy that has just seen the player.
void SpawnAlertMark(const GameObject& enemy, TextParticlePool* pool, float S, Random& random);

// Moves each active particle (no grid sensing, no collision), ages it and
// retires it when its lifetime is out.
void UpdateParticles(ParticlePool& pool, float dt, float S);
void UpdateParticles(TextParticlePool& pool, float dt, float S);

// The scale of a damage number of n points: trunc(sqrt(n)) * 0.2.
float DamageNumberScale(int n);

}  // namespace game
