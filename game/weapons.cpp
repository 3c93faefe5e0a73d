#include "game/weapons.h"

#include <algorithm>
#include <cmath>

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

constexpr float kBulletPushCells = -100.0f;  // per point of damage, per unit of mass

constexpr float kBlastCapK = 0.0002f;      // reached within sqrt(200) cells
constexpr float kBlastFalloff = 0.04f;     // k = 0.04 / d^2 beyond
constexpr float kBlastPush = -40000000.0f;
constexpr float kBlastDamage = -125000.0f;  // 25 points at the cap
constexpr float kBlastInvulnerability = 1250.0f;  // 0.25 s at the cap

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

void Explode(Rocket& r, const Playfield& field) {
  const float S = field.cellSize;
  Player* player = field.player;
  if (player && player->active) ApplyBlast(r, *player, S, r.fromPlayer ? 0.0f : 1.0f);
  ForEachActiveEnemy(field, [&](Character& c) { ApplyBlast(r, c, S, 1.0f); });
  if (field.grid) field.grid->Blast(ToCell(r.position.x, S), ToCell(r.position.y, S), kRocketBlastRadius);
  if (field.camera) {
    float d = player ? glm::length(r.position - player->position) / S : kShakeMinDistanceCells;
    if (!(d >= kShakeMinDistanceCells)) d = kShakeMinDistanceCells;
    field.camera->AddShake(glm::vec3(S * kShakeStrength / d / d, 0.0f, 0.0f));
  }
  SpawnExplosionFlash(r, field);
  field.PlayAt(Sfx::Explosion, r.position, 1.0f, RandomFloat(*field.random, kMinPitch, kMaxPitch), SoundSlot::Explosion);
  r.active = false;
}

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
  target.SetInvulnerable(static_cast<float>(bullet.damage) * 0.01f);
}

void ApplyBlast(const Rocket& rocket, Character& target, float S, float factor) {
  const glm::vec3 offset = rocket.position - target.position;
  const float length = glm::length(offset);
  const float d = length / S;
  // At distance 0 the cap applies, and the push goes straight up, as if the
  // rocket had gone off at the target's feet.
  const float k = d > 0.0f ? std::min(kBlastCapK, kBlastFalloff / (d * d)) : kBlastCapK;
  const glm::vec3 towardRocket = length > 0.0f ? offset / length : glm::vec3(0.0f, -1.0f, 0.0f);
  if (target.GetMass() != 0.0f) target.velocity += towardRocket * (S * kBlastPush * k) / target.GetMass();
  target.AddHealth(static_cast<int>(k * kBlastDamage * factor));
  target.SetInvulnerable(k * kBlastInvulnerability * factor);
}

bool TouchesSolid(const GameObject& o) {
  return world::IsSolid(o.materialBelow) || world::IsSolid(o.materialRight) ||
         world::IsSolid(o.materialLeft) || world::IsSolid(o.materialAbove);
}

void SteerRocket(Rocket& r, float S) {
  r.rotation = RotationFromVelocity(r.velocity, r.rotation);
  const float speed = glm::length(r.velocity);
  // A rocket at rest has no direction to thrust along: gravity alone.
  r.acceleration = (speed > 0.0f ? r.velocity / speed * kRocketCruiseCells * S : glm::vec3(0.0f)) + Gravity(S);
}

bool LeftTheWorld(const GameObject& o, const world::PixelGrid& grid, float S, int roomAboveRows) {
  const int x = ToCell(o.position.x, S), y = ToCell(o.position.y, S);
  const int width = static_cast<int>(grid.width), height = static_cast<int>(grid.height);
  return x < 0 || x >= width || y < 0 || y >= height + roomAboveRows;
}

float RotationFromVelocity(glm::vec3 velocity, float current) {
  if (velocity.x == 0.0f) return current;
  const float degrees = std::atan(velocity.y / velocity.x) * kDegreesPerRadian;
  return velocity.x < 0.0f ? degrees + 180.0f : degrees;
}

void SpawnRocketSmoke(const Rocket& rocket, const Playfield& field, float dt) {
  if (!(dt * kSmokeChancePerSecond > RandomFloat(*field.random, 0.0f, 1.0f))) return;
  Particle* p = field.smoke ? field.smoke->Acquire() : nullptr;
  if (!p) return;
  const float S = field.cellSize;
  const glm::vec3 v = rocket.velocity;
  p->lifetime = RandomFloat(*field.random, kSmokeMinLife, kSmokeMaxLife);
  p->sprite = MakeSprite(field.spriteShader, field.smokeTexture, kSmokeFrames, 0, kDefaultFrameTime, true, false);
  p->position = rocket.position;
  const float speed = glm::length(v);
  const float r1 = RandomFloat(*field.random, -kSmokeSpread, kSmokeSpread);
  const float r2 = RandomFloat(*field.random, -kSmokeSpread, kSmokeSpread);
  p->velocity = glm::vec3(r2 * speed - v.x, r1 * speed - v.y, -v.z);  // blown backwards, spread
  p->acceleration = glm::vec3(0.0f);
  p->scale = glm::vec2(kSmokeSizeCells * S);
  p->drag = RandomFloat(*field.random, kSmokeMinDrag, kSmokeMaxDrag);
  p->SetMass(kSmokeMass);
  p->active = true;
}

void SpawnExplosionFlash(const Rocket& rocket, const Playfield& field) {
  Particle* p = field.smoke ? field.smoke->Acquire() : nullptr;
  if (!p) return;
  const float S = field.cellSize;
  p->lifetime = kFlashLife;
  p->sprite = MakeSprite(field.spriteShader, field.explosionTexture, kFlashFrames, 0, kDefaultFrameTime, false, false);
  p->scale = glm::vec2(kFlashHalfWidthCells * S, kFlashHalfHeightCells * S);
  p->position = rocket.position + glm::vec3(0.0f, kFlashRiseCells * S, 0.0f);
  p->velocity = glm::vec3(0.0f);
  p->acceleration = glm::vec3(0.0f);
  p->drag = 0.0f;
  p->SetMass(0.0f);
  p->active = true;
}

void UpdateRockets(RocketPool& rockets, const Playfield& field, float dt) {
  const float S = field.cellSize;
  for (Rocket& r : rockets.objects) {
    if (!r.active) continue;
    if (field.grid) r.SenseCells(*field.grid, S);
    r.Integrate(dt, S);
    SpawnRocketSmoke(r, field, dt);
    SteerRocket(r, S);

    if (TouchesSolid(r)) r.exploded = true;
    for (Rocket& other : rockets.objects) {
      if (&other == &r || !Overlaps(r, other)) continue;
      r.exploded = true;
      other.exploded = true;
    }
    // Every rocket, the player's own included, goes off on the player.
    if (field.player && field.player->active && !r.exploded && Overlaps(r, *field.player)) r.exploded = true;
    ForEachActiveEnemy(field, [&](Character& c) {
      if (!r.exploded && Overlaps(r, c)) r.exploded = true;
    });
    if (r.exploded) Explode(r, field);
    if (r.active && field.grid && LeftTheWorld(r, *field.grid, S, static_cast<int>(field.grid->height)))
      r.active = false;
  }
}

void UpdateBullets(BulletPool& bullets, const Playfield& field, float dt) {
  const float S = field.cellSize;
  for (Bullet& b : bullets.objects) {
    if (!b.active) continue;
    if (field.grid) b.SenseCells(*field.grid, S);
    b.Integrate(dt, S);
    b.rotation = RotationFromVelocity(b.velocity, b.rotation);
    if (TouchesSolid(b)) {
      if (field.grid) field.grid->Blast(ToCell(b.position.x, S), ToCell(b.position.y, S), b.damage / 5 + 6);
      field.PlayAt(Sfx::Ricochet, b.position, 1.0f, RandomFloat(*field.random, kMinPitch, kMaxPitch));
      b.active = false;
    }
    // A bullet that has just struck the ground or one character still hits
    // everyone else it overlaps this frame; enemy bullets hurt enemies too.
    if (field.player && Overlaps(b, *field.player)) {
      ApplyBulletHit(b, *field.player, S);
      b.active = false;
    }
    ForEachActiveEnemy(field, [&](Character& c) {
      if (!Overlaps(b, c)) return;
      ApplyBulletHit(b, c, S);
      b.active = false;
    });
    if (b.active && field.grid && LeftTheWorld(b, *field.grid, S, 0)) b.active = false;
  }
}

}  // namespace game
