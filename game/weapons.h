#pragma once

#include <optional>

#include "game/playfield.h"

// Bullets and rockets from their fixed pools.
namespace game {

inline constexpr float kPlayerRocketSpeedCells = 300.0f;
inline constexpr float kEnemyRocketSpeedCells = 150.0f;
inline constexpr float kRocketCooldown = 1.0f;  // seconds after a shot
inline constexpr int kRocketBlastRadius = 20;   // cells of terrain blown away

// What the level's rockets and the menu's do differently; everything else
// about a rocket (flight, smoke, blast cap and damage, crater, flash) is one
// rule. A blast hurts by k x 125000 and k grows as falloff / d^2 up to 0.0002.
struct RocketRule {
  bool meetsObjects;      // also goes off on other rockets and on characters, not only on solid cells
  bool blastInCells;      // distances and pushes in cells (they scale with the window); else in window pixels
  float blastFalloff;     // k = falloff / d^2 beyond the cap
  float blastPush;        // the velocity a blast adds toward the rocket, per unit of k
  bool pushByMass;        // heavier targets move less
  float ownRocketDamage;  // the share of a blast's damage its own rockets deal the player
  bool blastInvulnerability;             // a blast leaves its target invulnerable for a moment
  std::optional<float> fixedShakeCells;  // the view's shake; none: the farther from the player, the weaker
  bool placedSound;       // heard by distance and side at a drawn pitch; else plainly, with no draw
  int smokeSpreadAxes;    // the trail's spread is drawn for this many axes, from the last: y, x or z, y, x
};

// Full strength within sqrt(200) ~ 14 cells; the player's own rockets only push it.
inline constexpr RocketRule kLevelRockets{.meetsObjects = true,
                                          .blastInCells = true,
                                          .blastFalloff = 0.04f,
                                          .blastPush = -40000000.0f,
                                          .pushByMass = true,
                                          .ownRocketDamage = 0.0f,
                                          .blastInvulnerability = true,
                                          .fixedShakeCells = std::nullopt,
                                          .placedSound = true,
                                          .smokeSpreadAxes = 2};
// The menu's sandbox keeps the numbers it was first tuned with, in window
// pixels (full strength within ~70.7): in cells they would differ at every
// window width but one. Its rockets pass through the player, who feels them
// whoever fired, and they trail smoke spread in depth too.
inline constexpr RocketRule kMenuRockets{.meetsObjects = false,
                                         .blastInCells = false,
                                         .blastFalloff = 1.0f,
                                         .blastPush = -7000000.0f,
                                         .pushByMass = false,
                                         .ownRocketDamage = 1.0f,
                                         .blastInvulnerability = false,
                                         .fixedShakeCells = 10.0f,
                                         .placedSound = false,
                                         .smokeSpreadAxes = 3};

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
// square of the distance (full within ~14 cells by the level's rule), hurts it
// by up to 25 x factor and, by the level's rule, sets invulnerability to up
// to 0.25 s x factor (0 clears it).
void ApplyBlast(const Rocket& rocket, Character& target, float S, float factor,
                const RocketRule& rule = kLevelRockets);

// One frame of every active rocket / bullet, in pool order: flight, smoke,
// hits, explosions, terrain damage, camera shake and sounds. Nothing off the
// grid can stop a projectile, so one that leaves it is retired: rockets may
// climb a grid height above the top first, so a steep shot can come down.
void UpdateRockets(RocketPool& rockets, const Playfield& field, float dt, const RocketRule& rule = kLevelRockets);
void UpdateBullets(BulletPool& bullets, const Playfield& field, float dt);

}  // namespace game
