#include "game/enemies.h"

#include <cassert>
#include <cmath>
#include <type_traits>

#include <glm/geometric.hpp>

#include "game/particles.h"
#include "game/random.h"
#include "game/trig.h"
#include "game/weapons.h"

namespace game {
namespace {

// What sets the four walking kinds apart. Speeds and distances in cells.
struct WalkerKind {
  int health;
  float mass;
  float maxRun, groundAcceleration, airAcceleration, jumpSpeed;
  float sight;
  float contactPush;
  int contactDamage;
  float contactInvulnerability;
  float alertPitch;
  float hurtVolume, hurtPitch;
  float frameTime;
  Sheet sheet;
};

constexpr WalkerKind kMelee{.health = 200, .mass = 150, .maxRun = 30, .groundAcceleration = 400,
                            .airAcceleration = 50, .jumpSpeed = 60, .sight = 300, .contactPush = 50,
                            .contactDamage = 20, .contactInvulnerability = 0.8f, .alertPitch = 0.8f,
                            .hurtVolume = 1.5f, .hurtPitch = 0.8f, .frameTime = 0.2f, .sheet = Sheet::Melee};
constexpr WalkerKind kRifle{.health = 60, .mass = 60, .maxRun = 60, .groundAcceleration = 600,
                            .airAcceleration = 100, .jumpSpeed = 120, .sight = 500, .contactPush = 20,
                            .contactDamage = 10, .contactInvulnerability = 0.2f, .alertPitch = 1.2f,
                            .hurtVolume = 1.0f, .hurtPitch = 1.2f, .frameTime = 0.08f, .sheet = Sheet::Rifle};
constexpr WalkerKind kRocket{.health = 100, .mass = 80, .maxRun = 40, .groundAcceleration = 150,
                             .airAcceleration = 70, .jumpSpeed = 80, .sight = 500, .contactPush = 20,
                             .contactDamage = 10, .contactInvulnerability = 0.2f, .alertPitch = 1.0f,
                             .hurtVolume = 0.2f, .hurtPitch = 1.0f, .frameTime = 0.1f, .sheet = Sheet::RocketEnemy};
constexpr WalkerKind kGunner{.health = 125, .mass = 100, .maxRun = 30, .groundAcceleration = 100,
                             .airAcceleration = 50, .jumpSpeed = 60, .sight = 200, .contactPush = 20,
                             .contactDamage = 10, .contactInvulnerability = 0.4f, .alertPitch = 1.0f,
                             .hurtVolume = 1.0f, .hurtPitch = 1.2f, .frameTime = 0.2f, .sheet = Sheet::Gunner};

constexpr unsigned kSheetFrames = 4;
constexpr float kWalkerHalfSizeCells = 8.0f;
constexpr float kBatHalfSizeCells = 4.0f;
constexpr int kBatHealth = 20;
constexpr float kBatMass = 10.0f;
constexpr float kBatMaxSpeedCells = 100.0f, kBatThrustCells = 200.0f;
constexpr float kBatContactPushCells = 20.0f;
constexpr int kBatContactDamage = 10;
constexpr float kBatContactInvulnerability = 0.4f;
constexpr float kBatHurtPitch = 2.0f;

constexpr float kBatNewTurnChance = 0.1f;  // per second, while there is room
constexpr float kBatRoomShare = 0.1f;      // of the wander radius
constexpr float kBatSlowestTurn = 3000.0f;  // a nonzero turn rate is at least this

constexpr float kLookStep = 0.1f;         // seconds per simulated step
constexpr float kWalkTestSeconds = 5.0f;  // 51 steps, counted down in floats
constexpr float kJumpTestSeconds = 8.0f;  // 81 steps
constexpr float kJumpCooldown = 1.0f;
constexpr std::int32_t kWallJumps = 2;    // tries at a wall before turning back
constexpr float kPatrolReach = 500.0f;    // world units ahead, not cells
constexpr float kChaseJumpCells = 50.0f;  // jumps when the target is above, this close across
constexpr float kCalmCells = 50.0f;       // calms down this close to where it last saw the player

constexpr float kRifleSpeedCells = 200.0f;
constexpr int kRifleDamage = 20;
constexpr float kRifleMinCooldown = 1.0f, kRifleMaxCooldown = 2.0f;
constexpr float kRocketMinRangeCells = 100.0f;  // holds fire closer than this
constexpr float kRocketMinCooldown = 1.5f, kRocketMaxCooldown = 4.0f;
constexpr float kGunSpeedCells = 100.0f;
constexpr int kGunDamage = 5;
constexpr float kGunShotInterval = 0.1f;
constexpr float kMinBursts = 2.0f, kMaxBursts = 5.0f;  // truncated: 2 to 4
constexpr float kMinBurstShots = 3.0f, kMaxBurstShots = 9.0f;  // 3 to 8
constexpr float kMinBurstPause = 0.5f, kMaxBurstPause = 2.0f;
constexpr float kMinPitch = 0.8f, kMaxPitch = 1.2f;

Walker MakeWalker(const WalkerKind& kind, float S, glm::vec3 position) {
  const float half = kWalkerHalfSizeCells * S;
  const GameObject body(MakeSprite(kind.sheet, kSheetFrames, 0, kind.frameTime, true, false), position,
                        glm::vec3(0.0f), glm::vec3(0.0f, -kGravityCells * S, 0.0f), kind.mass, 1.0f,
                        glm::vec2(half, half), 0.0f, true);
  Walker walker(Character(body, kind.health, glm::vec3(0.0f)), kind.maxRun * S, kind.groundAcceleration * S,
                kind.airAcceleration * S, kind.jumpSpeed * S);
  walker.active = true;
  return walker;
}

bool TouchesLava(const GameObject& o) {
  return o.materialBelow == world::LAVA || o.materialAbove == world::LAVA || o.materialRight == world::LAVA ||
         o.materialLeft == world::LAVA;
}

bool FacesWall(const GroundCharacter& e) {
  return (world::IsSolid(e.materialLeft) && e.facingLeft) || (world::IsSolid(e.materialRight) && !e.facingLeft);
}

void JumpIfReady(GroundCharacter& e) {
  if (!e.IsOnGround() || !(e.jumpCooldown < 0.0f)) return;
  e.Jump(1.0f);
  e.jumpCooldown = kJumpCooldown;
}

void Patrol(GroundCharacter& e, float dt) {
  e.Run(e.facingLeft, dt);
  e.target = e.position + glm::vec3(e.facingLeft ? -kPatrolReach : kPatrolReach, 0.0f, 0.0f);
  if (FacesWall(e)) e.blocked = true;
  if (e.jumpCooldown >= 0.0f) return;
  if (e.blocked) {
    if (e.jumpsLeft > 0) {
      if (e.IsOnGround()) {
        e.Jump(1.0f);
        e.jumpsLeft -= 1;
        e.blocked = false;
      }
      e.jumpCooldown = kJumpCooldown;
      return;
    }
    e.facingLeft = !e.facingLeft;
    e.blocked = false;
  }
  // A cooldown that ran out without a wall refills the tries.
  e.jumpsLeft = kWallJumps;
  e.jumpCooldown = kJumpCooldown;
}

void Chase(GroundCharacter& e, float S, float dt) {
  e.facingLeft = e.target.x <= e.position.x;
  const float reach = kChaseJumpCells * S;
  if (e.target.y > e.position.y && e.target.x - reach < e.position.x && e.position.x < e.target.x + reach)
    JumpIfReady(e);
  e.Run(e.facingLeft, dt);
  if (FacesWall(e)) JumpIfReady(e);
}

void Die(Character& c, const Playfield& f) {
  SpawnDebris(c, Sheet::Smoke, f.smoke, f.cellSize, *f.random);
  c.active = false;
}

void HurtFeedback(Character& c, Sfx sound, float volume, float pitch, const Playfield& f) {
  if (c.GetPreviousHealth() > c.GetHealth()) {
    f.PlayAt(sound, c.position, volume, pitch);
    SpawnDamageNumber(c, f.text, f.cellSize, *f.random);
  }
  c.SavePreviousHealth();
}

// Characters move before they sense, and sense before the hazards.
template <class C>
void Move(C& c, const Playfield& f, float dt) {
  const float S = f.cellSize;
  c.Integrate(dt, S);
  c.SenseCells(*f.grid, S);
  c.ApplyEnvironment(dt, S);
  c.invulnerable -= dt;
  c.Blink();
}

void Contact(const Character& enemy, Player& player, float push, int damage, float invulnerability) {
  if (!Overlaps(enemy, player)) return;
  const glm::vec3 offset = player.position - enemy.position;
  const float distance = glm::length(offset);
  // An enemy exactly on the player throws it straight up.
  const glm::vec3 away = distance > 0.0f ? offset / distance : glm::vec3(0.0f, 1.0f, 0.0f);
  player.velocity += away * push;
  if (!player.IsInvulnerable()) {
    player.AddHealth(-damage);
    player.SetInvulnerable(invulnerability);
  }
}

// The range first: it is a few operations, the sight line a walk over
// hundreds of cells, and neither has any effect to keep in order.
bool Sees(const Character& e, Player& player, float range, const Playfield& f) {
  return glm::length(e.position - player.position) < range && LineOfSight(e, player.position, *f.grid, f.cellSize) &&
         player.IsAlive();
}

void Alert(GroundCharacter& e, const WalkerKind& kind, const Playfield& f) {
  if (!e.alerted) {
    f.PlayAt(Sfx::EnemyAlert, e.position, 1.0f, kind.alertPitch);
    SpawnAlertMark(e, f.text, f.cellSize, *f.random);
  }
  e.alerted = true;
}

// Keeps firing bursts at the last place it saw the player until its bursts
// are used up.
void GunnerSightAndFire(MachineGunner& g, const WalkerKind& kind, bool seen, const Playfield& f) {
  Player& player = *f.player;
  if (seen) {
    Alert(g, kind, f);
    g.burstsLeft = static_cast<std::int32_t>(RandomFloat(*f.random, kMinBursts, kMaxBursts));
    g.target = player.position;
  } else if (!(g.burstsLeft > 0 && player.IsAlive())) {
    g.alerted = false;
  }
  if (!g.alerted || !(g.burstPause < 0.0f)) return;
  if (g.burstShotsLeft < 1) {
    g.burstShotsLeft = static_cast<std::int32_t>(RandomFloat(*f.random, kMinBurstShots, kMaxBurstShots));
    g.burstPause = RandomFloat(*f.random, kMinBurstPause, kMaxBurstPause);
    g.burstsLeft -= 1;
  } else if (g.fireCooldown < 0.0f) {
    f.PlayAt(Sfx::MachineGun, g.position, 1.0f, RandomFloat(*f.random, kMinPitch, kMaxPitch));
    if (f.bullets) FireBullet(g, *f.bullets, f.cellSize, kGunSpeedCells * f.cellSize, kGunDamage);
    g.burstShotsLeft -= 1;
    g.fireCooldown = kGunShotInterval;
  }
}

template <class T>
void SightAndFire(T& e, const WalkerKind& kind, bool seen, const Playfield& f) {
  const float S = f.cellSize;
  Player& player = *f.player;
  if (!seen) {
    if (glm::length(e.position - e.target) < kCalmCells * S || !player.IsAlive()) e.alerted = false;
    return;
  }
  Alert(e, kind, f);
  e.target = player.position;
  if constexpr (std::is_same_v<T, RifleEnemy>) {
    if (!(e.fireCooldown < 0.0f)) return;
    f.PlayAt(Sfx::Rifle, e.position, 1.0f, RandomFloat(*f.random, kMinPitch, kMaxPitch));
    if (f.bullets) FireBullet(e, *f.bullets, S, kRifleSpeedCells * S, kRifleDamage);
    e.fireCooldown = RandomFloat(*f.random, kRifleMinCooldown, kRifleMaxCooldown);
  } else if constexpr (std::is_same_v<T, RocketEnemy>) {
    if (!(e.fireCooldown < 0.0f) || !(glm::length(e.position - player.position) > kRocketMinRangeCells * S)) return;
    f.PlayAt(Sfx::RocketLaunch, e.position, 1.0f, RandomFloat(*f.random, kMinPitch, kMaxPitch));
    if (f.rockets) FireRocket(e, *f.rockets, S);
    e.fireCooldown = RandomFloat(*f.random, kRocketMinCooldown, kRocketMaxCooldown);
  }
}

template <class T>
bool StepWalker(T& e, const WalkerKind& kind, const Playfield& f, Scout& scout, float dt) {
  if (!e.active) return false;
  if (!e.IsAlive()) {
    Die(e, f);
    return false;
  }
  // The music reads the alert state the previous frame left.
  const bool combat = e.alerted;
  RunGroundAI(e, *f.grid, scout, dt);

  const float S = f.cellSize;
  const bool seen = Sees(e, *f.player, kind.sight * S, f);
  if constexpr (std::is_same_v<T, MachineGunner>)
    GunnerSightAndFire(e, kind, seen, f);
  else
    SightAndFire(e, kind, seen, f);

  HurtFeedback(e, Sfx::EnemyHurt, kind.hurtVolume, kind.hurtPitch, f);
  if constexpr (std::is_base_of_v<RifleEnemy, T>) e.fireCooldown -= dt;
  if constexpr (std::is_same_v<T, MachineGunner>) e.burstPause -= dt;
  Move(e, f, dt);
  const float half = kWalkerHalfSizeCells * S;
  e.scale = glm::vec2(e.target.x > e.position.x ? half : -half, half);
  Contact(e, *f.player, kind.contactPush * S, kind.contactDamage, kind.contactInvulnerability);
  return combat;
}

void StepBat(BatEnemy& bat, const Playfield& f, float dt) {
  if (!bat.active) return;
  if (!bat.IsAlive()) {
    Die(bat, f);
    return;
  }
  UpdateBat(bat, *f.grid, f.cellSize, dt, *f.random);
  HurtFeedback(bat, Sfx::PlayerHurt, 1.0f, kBatHurtPitch, f);
  Move(bat, f, dt);
  Contact(bat, *f.player, kBatContactPushCells * f.cellSize, kBatContactDamage, kBatContactInvulnerability);
}

}  // namespace

BatEnemy MakeBat(float S, glm::vec3 position) {
  const float half = kBatHalfSizeCells * S;
  const GameObject body(MakeSprite(Sheet::Bat, kSheetFrames, 0, kDefaultFrameTime, true, false), position,
                        glm::vec3(0.0f), glm::vec3(0.0f), kBatMass, 1.0f, glm::vec2(half, half), 0.0f, true);
  BatEnemy bat(FlyingCharacter(Character(body, kBatHealth, glm::vec3(0.0f)), kBatMaxSpeedCells * S,
                               kBatThrustCells * S),
               S);
  bat.active = true;
  return bat;
}

GroundCharacter MakeMeleeEnemy(float S, glm::vec3 position) {
  return GroundCharacter(MakeWalker(kMelee, S, position));
}
RifleEnemy MakeRifleEnemy(float S, glm::vec3 position) { return RifleEnemy(MakeWalker(kRifle, S, position)); }
RocketEnemy MakeRocketEnemy(float S, glm::vec3 position) { return RocketEnemy(MakeWalker(kRocket, S, position)); }
MachineGunner MakeGunner(float S, glm::vec3 position) { return MachineGunner(MakeWalker(kGunner, S, position)); }

Scout MakeScout(float S) {
  const Walker fresh = MakeGunner(S, glm::vec3(0.0f));
  return Scout{fresh, fresh};
}

Way LookAhead(const GroundCharacter& enemy, const world::PixelGrid& grid, Scout& scout) {
  const float S = grid.cellSize;
  Walker& w = scout.walker;
  w = scout.fresh;  // its sensed cells CLEAR: the first step runs as if airborne
  auto copyMotion = [&] {
    w.position = enemy.position;
    w.velocity = enemy.velocity;
    w.acceleration = enemy.acceleration;
    w.SetHealth(enemy.GetHealth());  // at most the gunner's 125
  };
  copyMotion();
  w.SetMass(enemy.GetMass());
  w.groundAcceleration = enemy.groundAcceleration;
  w.airAcceleration = enemy.airAcceleration;
  w.maxRunSpeed = enemy.maxRunSpeed;
  w.jumpSpeed = enemy.jumpSpeed;

  // Sensed cells, hazard timers and invulnerability carry over from the walk
  // test into the jump test, and nothing counts invulnerability down.
  auto safe = [&](float seconds) {
    bool lava = false;
    for (float t = seconds; t > 0.0f; t -= kLookStep) {
      w.Run(enemy.facingLeft, kLookStep);
      w.Integrate(kLookStep, S);
      w.SenseCells(grid, S);
      lava = lava || TouchesLava(w);
      w.ApplyEnvironment(kLookStep, S);
    }
    return w.IsAlive() && !lava && w.materialAbove != world::WATER;
  };
  if (safe(kWalkTestSeconds)) return Way::Walk;
  copyMotion();
  w.Jump(1.0f);
  return safe(kJumpTestSeconds) ? Way::Jump : Way::Neither;
}

void UpdateBat(BatEnemy& bat, const world::PixelGrid& grid, float S, float dt, Random& random) {
  const glm::vec3 probe =
      bat.position + glm::vec3(Cosine(bat.heading) * bat.wanderRadius, Sine(bat.heading) * bat.wanderRadius, 0.0f);
  glm::vec3 hit = probe;
  LineOfSight(bat, probe, grid, S, &hit);
  float room = glm::length(bat.position - hit);
  if (!(room >= 1.0f)) room = 1.0f;

  const float r = RandomFloat(random, 0.0f, 1.0f);  // drawn every frame
  if (r < dt * kBatNewTurnChance && room > bat.wanderRadius * kBatRoomShare)
    bat.turnRate = RandomFloat(random, -kBatTurnRateLimit, kBatTurnRateLimit);
  if (-kBatSlowestTurn < bat.turnRate && bat.turnRate < 0.0f) bat.turnRate = -kBatSlowestTurn;
  if (0.0f < bat.turnRate && bat.turnRate < kBatSlowestTurn) bat.turnRate = kBatSlowestTurn;

  bat.heading += bat.turnRate * dt / room;
  if (bat.heading > kFullTurn) bat.heading -= kFullTurn;
  if (bat.heading < 0.0f) bat.heading += kFullTurn;
  bat.Accelerate(glm::vec3(Cosine(bat.heading), Sine(bat.heading), 0.0f), dt);
}

void RunGroundAI(GroundCharacter& enemy, const world::PixelGrid& grid, Scout& scout, float dt) {
  enemy.jumpCooldown -= dt;
  if (enemy.IsOnGround()) {
    const Way way = LookAhead(enemy, grid, scout);
    if (way == Way::Jump) JumpIfReady(enemy);
    if (way == Way::Neither) enemy.facingLeft = !enemy.facingLeft;
  }
  if (enemy.alerted)
    Chase(enemy, grid.cellSize, dt);
  else
    Patrol(enemy, dt);
}

bool UpdateEnemies(const Playfield& field, Scout& scout, float dt) {
  assert(field.grid && field.player);
  for (BatEnemy& bat : field.bats) StepBat(bat, field, dt);
  bool combat = false;
  for (GroundCharacter& e : field.meleeEnemies) combat = StepWalker(e, kMelee, field, scout, dt) || combat;
  for (RifleEnemy& e : field.rifleEnemies) combat = StepWalker(e, kRifle, field, scout, dt) || combat;
  for (RocketEnemy& e : field.rocketEnemies) combat = StepWalker(e, kRocket, field, scout, dt) || combat;
  for (MachineGunner& e : field.gunners) combat = StepWalker(e, kGunner, field, scout, dt) || combat;
  return combat;
}

}  // namespace game
