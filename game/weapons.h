#pragma once

#include "game/playfield.h"

// Bullets and rockets from their fixed pools.
namespace game {

inline constexpr float kPlayerRocketSpeedCells = 300.0f;
inline constexpr float kEnemyRocketSpeedCells = 150.0f;
inline constexpr float kRocketCooldown = 1.0f;  // seconds after a shot
inline constexpr int kRocketBlastRadius = 20;   // cells of terrain blown away

// The unit vector from the shooter to its target. A target on the shooter
// itself gives the way the shooter faces (scale.x < 0 faces left).
glm::vec3 AimDirection(const Character& shooter);

// Takes the first free bullet and sends it from 20 cells out along the aim.
// With every bullet in flight nothing happens. Returns the bullet or null.
Bullet* FireBullet(const Character& shooter, BulletPool& pool, float S, float speed, int damage);
// The same for rockets, with the player's or the enemy's speed; then the
// shooter's cooldown becomes 1 s. No free rocket: no shot, no cooldown.
Rocket* FireRocket(Player& shooter, RocketPool& pool, float S);
Rocket* FireRocket(RocketEnemy& shooter, RocketPool& pool, float S);

// Pushes the target 100 S x damage / mass away from the bullet, hurts it by
// the damage (not while invulnerable) and sets invulnerability to damage / 100.
void ApplyBulletHit(const Bullet& bullet, Character& target, float S);
// Pushes the target away from the rocket with a force that falls with the
// square of the distance (full within ~14 cells), hurts it by up to 25 x factor
// and sets invulnerability to up to 0.25 s x factor (0 clears it).
void ApplyBlast(const Rocket& rocket, Character& target, float S, float factor);

// One frame of every active rocket / bullet, in pool order: flight, hits,
// explosions, terrain damage, smoke, camera shake and sounds.
void UpdateRockets(RocketPool& rockets, const Playfield& field, float dt);
void UpdateBullets(BulletPool& bullets, const Playfield& field, float dt);

// Pieces of the rocket step, for steps that differ around them (the menu).
// Draws the trail's chance, then (when a particle is free) its look.
void SpawnRocketSmoke(const Rocket& rocket, const Playfield& field, float dt);
void SpawnExplosionFlash(const Rocket& rocket, const Playfield& field);
// Any of the four sensed sides is solid: a projectile strikes.
bool TouchesSolid(const GameObject& o);
// After a rocket's move: it turns to its flight and thrusts along it.
void SteerRocket(Rocket& r, float S);
// Nothing off the grid can stop a projectile, and one left flying would hold
// its pool slot for ever: true once its cell is beyond a side, below row 0, or
// more than `roomAboveRows` above the top (rockets get a grid height, so a
// steep shot can still come down).
bool LeftTheWorld(const GameObject& o, const world::PixelGrid& grid, float S, int roomAboveRows);
// Degrees of a projectile flying with this velocity; unchanged when vx is 0.
float RotationFromVelocity(glm::vec3 velocity, float current);

}  // namespace game
