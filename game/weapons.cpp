#include "game/weapons.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <glm/geometric.hpp>

#include "game/cells.h"
#include "game/random.h"

namespace game {
namespace {

constexpr float kMuzzleCells = 20.0f;  // projectiles start this far out, clear of the shooter
constexpr float kProjectileSizeCells = 4.0f;
constexpr float kRocketThrustCells = 50.0f;   // at launch
constexpr float kRocketCruiseCells = 100.0f;  // in flight, along the velocity
constexpr float kRocketDrag = 0.05f;
constexpr float kRocketMass = 0.5f;
constexpr float kDegreesPerRadian = 57.29578f;
constexpr float kHalfTurnDegrees = 180.0f;  // atan gives -90 to 90 degrees: flying left adds half a turn

constexpr float kBulletPushCells = -100.0f;         // per point of damage, per unit of mass
constexpr float kInvulnerabilityPerDamage = 0.01f;  // seconds a hit protects per point: 0.2 s for 20
// A bullet's crater grows a cell per 5 points of damage over the 6-cell chip
// that even the weakest shot leaves.
constexpr int kDamagePerCraterCell = 5;
constexpr int kSmallestCraterCells = 6;

constexpr float kBlastCapK = 0.0002f;             // k never exceeds this, however close the blast
constexpr float kBlastDamage = -125000.0f;        // 25 points at the cap
constexpr float kBlastInvulnerability = 1250.0f;  // 0.25 s at the cap
constexpr float kWholeBlast = 1.0f;               // the share of a blast's damage enemies always take

constexpr float kShakeStrength = 100000.0f;
constexpr float kShakeMinDistanceCells = 50.0f;

constexpr float kSmokeChancePerSecond = 100.0f;
constexpr float kSmokeMinLife = 0.1f, kSmokeMaxLife = 0.4f;
constexpr float kSmokeSpread = 0.2f;
constexpr float kSmokeSizeCells = 2.0f;
constexpr float kSmokeMinDrag = 25.0f, kSmokeMaxDrag = 100.0f;
constexpr float kSmokeMass = 1.0f;
constexpr unsigned kSmokeFrames = 4;

constexpr float kFlashLife = 0.4f;
constexpr unsigned kFlashFrames = 9;
constexpr float kFlashHalfWidthCells = 16.0f, kFlashHalfHeightCells = 32.0f;
constexpr float kFlashRiseCells = kFlashHalfHeightCells / 2.0f;

constexpr float kFullVolume = 1.0f;  // distance alone makes shots and blasts quieter
constexpr float kMinPitch = 0.8f, kMaxPitch = 1.2f;

glm::vec3 Gravity(float S) { return glm::vec3(0.0f, -kGravityCells * S, 0.0f); }


// Both kinds of projectile leave the muzzle along the aim at the given speed.
glm::vec3 PlaceAtMuzzle(GameObject& projectile, const Character& shooter, float S, float speed) {
  const glm::vec3 dir = AimDirection(shooter);
  projectile.rotation = 0.0f;
  projectile.position = shooter.position + dir * kMuzzleCells * S;
  projectile.velocity = dir * speed;
  projectile.scale = glm::vec2(kProjectileSizeCells * S);
  return dir;
}

Rocket* Launch(const Character& shooter, RocketPool& pool, float S, float speed, bool fromPlayer) {
  Rocket* r = pool.Acquire();
  if (!r) return nullptr;
  const glm::vec3 dir = PlaceAtMuzzle(*r, shooter, S, speed);
  r->acceleration = dir * kRocketThrustCells * S + Gravity(S);
  r->drag = kRocketDrag;
  r->SetMass(kRocketMass);
  r->exploded = false;
  r->fromPlayer = fromPlayer;
  r->active = true;
  return r;
}

// Any of the four sensed sides is solid: a projectile strikes.
bool TouchesSolid(const GameObject& o) {
  return world::IsSolid(o.materialBelow) || world::IsSolid(o.materialRight) ||
         world::IsSolid(o.materialLeft) || world::IsSolid(o.materialAbove);
}

// Degrees of a projectile flying with this velocity; unchanged when vx is 0.
float RotationFromVelocity(glm::vec3 velocity, float current) {
  if (velocity.x == 0.0f) return current;
  const float degrees = std::atan(velocity.y / velocity.x) * kDegreesPerRadian;
  return velocity.x < 0.0f ? degrees + kHalfTurnDegrees : degrees;
}

// After a rocket's move: it turns to its flight and thrusts along it.
void SteerRocket(Rocket& r, float S) {
  r.rotation = RotationFromVelocity(r.velocity, r.rotation);
  const float speed = glm::length(r.velocity);
  // A rocket at rest has no direction to thrust along: gravity alone.
  r.acceleration = (speed > 0.0f ? r.velocity / speed * kRocketCruiseCells * S : glm::vec3(0.0f)) + Gravity(S);
}

// One left flying off the grid would hold its pool slot for ever: true once
// its cell is beyond a side, below row 0, or more than `roomAboveRows` above
// the top.
bool LeftTheWorld(const GameObject& o, const world::PixelGrid& grid, float S, int roomAboveRows) {
  const int x = ToCell(o.position.x, S), y = ToCell(o.position.y, S);
  const int width = static_cast<int>(grid.width), height = static_cast<int>(grid.height);
  return x < 0 || x >= width || y < 0 || y >= height + roomAboveRows;
}

// Draws the trail's chance, then (when a particle is free) its look: blown
// backwards, spread on the rule's axes.
void SpawnRocketSmoke(const Rocket& rocket, const Playfield& field, Spawner<Particle>& smoke, float dt,
                      const RocketRule& rule) {
  Random& random = *field.random;
  if (!(dt * kSmokeChancePerSecond > RandomFloat(random, 0.0f, 1.0f))) return;
  Particle* p = smoke.Acquire();
  if (!p) return;
  const float S = field.cellSize;
  const glm::vec3 v = rocket.velocity;
  p->lifetime = RandomFloat(random, kSmokeMinLife, kSmokeMaxLife);
  p->sprite = MakeSprite(Sheet::Smoke, kSmokeFrames, 0, kDefaultFrameTime, true, false);
  p->position = rocket.position;
  const float speed = glm::length(v);
  p->velocity = -v;
  for (int axis = rule.smokeSpreadAxes - 1; axis >= 0; --axis)
    p->velocity[axis] = RandomFloat(random, -kSmokeSpread, kSmokeSpread) * speed - v[axis];
  p->acceleration = glm::vec3(0.0f);
  p->scale = glm::vec2(kSmokeSizeCells * S);
  p->drag = RandomFloat(random, kSmokeMinDrag, kSmokeMaxDrag);
  p->SetMass(kSmokeMass);
  p->active = true;
}

void SpawnExplosionFlash(const Rocket& rocket, const Playfield& field, Spawner<Particle>& smoke) {
  Particle* p = smoke.Acquire();
  if (!p) return;
  const float S = field.cellSize;
  p->lifetime = kFlashLife;
  p->sprite = MakeSprite(Sheet::Explosion, kFlashFrames, 0, kDefaultFrameTime, false, false);
  p->scale = glm::vec2(kFlashHalfWidthCells * S, kFlashHalfHeightCells * S);
  p->position = rocket.position + glm::vec3(0.0f, kFlashRiseCells * S, 0.0f);
  p->velocity = glm::vec3(0.0f);
  p->acceleration = glm::vec3(0.0f);
  p->drag = 0.0f;
  p->SetMass(0.0f);
  p->active = true;
}

float HalfWidth(const GameObject& o) { return o.scale.x < 0.0f ? -o.scale.x : o.scale.x; }
float HalfHeight(const GameObject& o) { return o.scale.y < 0.0f ? -o.scale.y : o.scale.y; }

// The box around every active enemy, on the edges Overlaps computes: an
// object that does not reach into it overlaps none of them, and most
// projectiles fly far from every enemy. The projectiles' steps move no enemy
// and retire none (hits change velocity and health), so one box holds for a
// whole step.
struct EnemyBounds {
  float left = std::numeric_limits<float>::infinity(), right = -std::numeric_limits<float>::infinity();
  float bottom = std::numeric_limits<float>::infinity(), top = -std::numeric_limits<float>::infinity();

  // Overlaps(a, e) for an enemy e implies this: its edges are within these.
  bool Reaches(const GameObject& a) const {
    const float ax = HalfWidth(a), ay = HalfHeight(a);
    return a.position.x + ax > left && right > a.position.x - ax && a.position.y + ay > bottom &&
           top > a.position.y - ay;
  }
};

EnemyBounds BoundsOfEnemies(const Playfield& field) {
  EnemyBounds b;
  ForEachActiveEnemy(field, [&](const Character& c) {
    const float cx = HalfWidth(c), cy = HalfHeight(c);
    b.left = std::min(b.left, c.position.x - cx);
    b.right = std::max(b.right, c.position.x + cx);
    b.bottom = std::min(b.bottom, c.position.y - cy);
    b.top = std::max(b.top, c.position.y + cy);
  });
  return b;
}

// A rocket goes off on another rocket (both do), and every rocket, the
// player's own included, on the player and on any enemy.
void MeetObjects(Rocket& r, RocketPool& rockets, const Playfield& field, const EnemyBounds& enemies) {
  for (Rocket& other : rockets.objects) {
    if (&other == &r || !Overlaps(r, other)) continue;
    r.exploded = true;
    other.exploded = true;
  }
  if (field.player && field.player->active && !r.exploded && Overlaps(r, *field.player)) r.exploded = true;
  if (r.exploded || !enemies.Reaches(r)) return;
  ForEachActiveEnemy(field, [&](Character& c) {
    if (!r.exploded && Overlaps(r, c)) r.exploded = true;
  });
}

// The shake along x: weaker with the square of the player's distance beyond
// 50 cells (at 50 cells without a player), unless the rule fixes it.
float ShakeOf(const Rocket& r, const Playfield& field, const RocketRule& rule) {
  const float S = field.cellSize;
  if (rule.fixedShakeCells) return *rule.fixedShakeCells * S;
  float d = field.player ? glm::length(r.position - field.player->position) / S : kShakeMinDistanceCells;
  if (!(d >= kShakeMinDistanceCells)) d = kShakeMinDistanceCells;
  return S * kShakeStrength / d / d;
}

void Explode(Rocket& r, const Playfield& field, Spawner<Particle>& smoke, const RocketRule& rule) {
  const float S = field.cellSize;
  Player* player = field.player;
  if (player && player->active) ApplyBlast(r, *player, S, r.fromPlayer ? rule.ownRocketDamage : kWholeBlast, rule);
  ForEachActiveEnemy(field, [&](Character& c) { ApplyBlast(r, c, S, kWholeBlast, rule); });
  if (field.grid) field.grid->Blast(ToCell(r.position.x, S), ToCell(r.position.y, S), kRocketBlastRadius);
  if (field.camera) field.camera->AddShake(glm::vec3(ShakeOf(r, field, rule), 0.0f, 0.0f));
  SpawnExplosionFlash(r, field, smoke);
  if (rule.placedSound)
    field.PlayAt(Sfx::Explosion, r.position, kFullVolume, RandomFloat(*field.random, kMinPitch, kMaxPitch),
                 SoundSlot::Explosion);
  else
    field.PlayPlain(Sfx::Explosion);
  r.active = false;
}

int CraterRadiusOf(const Bullet& b) { return b.damage / kDamagePerCraterCell + kSmallestCraterCells; }

}  // namespace

glm::vec3 AimDirection(const Character& shooter) {
  const glm::vec3 offset = shooter.target - shooter.position;
  const float length = glm::length(offset);
  if (length > 0.0f && std::isfinite(length)) return offset / length;
  return glm::vec3(shooter.scale.x < 0.0f ? -1.0f : 1.0f, 0.0f, 0.0f);
}

Bullet* FireBullet(const Character& shooter, BulletPool& pool, float S, float speed, int damage) {
  Bullet* b = pool.Acquire();
  if (!b) return nullptr;
  PlaceAtMuzzle(*b, shooter, S, speed);
  b->acceleration = glm::vec3(0.0f);
  b->drag = 0.0f;
  b->SetMass(0.0f);
  b->damage = damage;
  b->active = true;
  return b;
}

Rocket* FireRocket(Player& shooter, RocketPool& pool, float S) {
  Rocket* r = Launch(shooter, pool, S, kPlayerRocketSpeedCells * S, true);
  if (r) shooter.rocketCooldown = kRocketCooldown;
  return r;
}

Rocket* FireRocket(RocketEnemy& shooter, RocketPool& pool, float S) {
  Rocket* r = Launch(shooter, pool, S, kEnemyRocketSpeedCells * S, false);
  if (r) shooter.fireCooldown = kRocketCooldown;
  return r;
}

void ApplyBulletHit(const Bullet& bullet, Character& target, float S) {
  const glm::vec3 offset = bullet.position - target.position;
  const float d = glm::length(offset);
  if (d != 0.0f && target.GetMass() != 0.0f)
    target.velocity += offset / d * (static_cast<float>(bullet.damage) * (kBulletPushCells * S)) / target.GetMass();
  target.AddHealth(-bullet.damage);
  target.SetInvulnerable(static_cast<float>(bullet.damage) * kInvulnerabilityPerDamage);
}

void ApplyBlast(const Rocket& rocket, Character& target, float S, float factor, const RocketRule& rule) {
  const glm::vec3 offset = rocket.position - target.position;
  const float length = glm::length(offset);
  // Dividing by 1 or multiplying by it changes no bit: the pixel rule runs
  // through the same expressions.
  const float unit = rule.blastInCells ? S : 1.0f;
  const float d = length / unit;
  // At distance 0 the cap applies, and the push goes straight up, as if the
  // rocket had gone off at the target's feet.
  const float k = d > 0.0f ? std::min(kBlastCapK, rule.blastFalloff / (d * d)) : kBlastCapK;
  const glm::vec3 towardRocket = length > 0.0f ? offset / length : glm::vec3(0.0f, -1.0f, 0.0f);
  const float mass = rule.pushByMass ? target.GetMass() : 1.0f;
  if (mass != 0.0f) target.velocity += towardRocket * (unit * rule.blastPush * k) / mass;
  target.AddHealth(static_cast<int>(k * kBlastDamage * factor));
  if (rule.blastInvulnerability) target.SetInvulnerable(k * kBlastInvulnerability * factor);
}

void UpdateRockets(RocketPool& rockets, const Playfield& field, float dt, const RocketRule& rule) {
  const float S = field.cellSize;
  const EnemyBounds enemies = BoundsOfEnemies(field);
  Spawner<Particle> smoke(field.smoke);  // rockets spawn smoke and flashes, and free none
  for (Rocket& r : rockets.objects) {
    if (!r.active) continue;
    if (field.grid) r.SenseCells(*field.grid, S);
    r.Integrate(dt, S);
    SpawnRocketSmoke(r, field, smoke, dt, rule);
    SteerRocket(r, S);

    if (TouchesSolid(r)) r.exploded = true;
    if (rule.meetsObjects) MeetObjects(r, rockets, field, enemies);
    if (r.exploded) Explode(r, field, smoke, rule);
    if (r.active && field.grid && LeftTheWorld(r, *field.grid, S, static_cast<int>(field.grid->height)))
      r.active = false;
  }
}

void UpdateBullets(BulletPool& bullets, const Playfield& field, float dt) {
  const float S = field.cellSize;
  const EnemyBounds enemies = BoundsOfEnemies(field);
  for (Bullet& b : bullets.objects) {
    if (!b.active) continue;
    if (field.grid) b.SenseCells(*field.grid, S);
    b.Integrate(dt, S);
    b.rotation = RotationFromVelocity(b.velocity, b.rotation);
    if (TouchesSolid(b)) {
      if (field.grid) field.grid->Blast(ToCell(b.position.x, S), ToCell(b.position.y, S), CraterRadiusOf(b));
      field.PlayAt(Sfx::Ricochet, b.position, kFullVolume, RandomFloat(*field.random, kMinPitch, kMaxPitch));
      b.active = false;
    }
    // A bullet that has just struck the ground or one character still hits
    // everyone else it overlaps this frame; enemy bullets hurt enemies too.
    if (field.player && Overlaps(b, *field.player)) {
      ApplyBulletHit(b, *field.player, S);
      b.active = false;
    }
    if (enemies.Reaches(b)) {
      ForEachActiveEnemy(field, [&](Character& c) {
        if (!Overlaps(b, c)) return;
        ApplyBulletHit(b, c, S);
        b.active = false;
      });
    }
    if (b.active && field.grid && LeftTheWorld(b, *field.grid, S, 0)) b.active = false;
  }
}

}  // namespace game
