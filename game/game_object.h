#pragma once

#include <cstdint>
#include <string>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "game/sheet.h"
#include "game/random.h"
#include "game/sprite_animation.h"
#include "world/pixel_grid.h"

namespace game {

// The gameplay objects: plain classes without virtual functions. Kinds that
// share rules derive from each other; each collection is stepped by name.
//
// World units are window pixels, x rightwards, y upwards; S is the grid's
// cellSize (world units per cell edge).

// What an object looks like, as data. A screen keeps one SpriteRenderer and,
// before drawing an object, copies the animation state into it and binds its
// own texture for the sheet, so game objects hold no GL state and can be
// copied, pooled and stepped without a window. Replacing an object's sprite
// is a plain assignment: nothing to free.
struct Sprite : SpriteAnimation {
  Sheet sheet = Sheet::None;

  bool operator==(const Sprite&) const = default;
};

Sprite MakeSprite(Sheet sheet, unsigned frameCount, unsigned startFrame, float frameTime, bool loop, bool paused);
// A picture without animation: frame count 0, start frame all bits set.
Sprite StillSprite(Sheet sheet);

inline constexpr float kDefaultFrameTime = 0.04167f;
inline constexpr float kGravityCells = 98.1f;  // cells per second squared, downwards
inline constexpr float kFullTurn = 6.2831855f;  // radians, as a float
inline constexpr float kBatTurnRateLimit = 10000.0f;  // turn rates are drawn from +-this

class GameObject {
 public:
  GameObject() = default;
  GameObject(const Sprite& sprite, glm::vec3 position, glm::vec3 velocity,
             glm::vec3 acceleration, float mass, float drag, glm::vec2 scale, float rotation,
             bool collidesWithGrid);

  bool active = false;
  bool visible = true;
  glm::vec3 position{0.0f};
  glm::vec3 velocity{0.0f};
  glm::vec3 acceleration{0.0f};
  float drag = 0.0f;
  float density = 1.0f;  // of the medium around the object; set by SenseCells
  glm::vec2 scale{0.0f};  // half sizes; negative x mirrors the drawing only
  float rotation = 0.0f;  // degrees, counter-clockwise
  Sprite sprite;
  bool collidesWithGrid = false;
  world::Material materialAbove = world::CLEAR;
  world::Material materialRight = world::CLEAR;
  world::Material materialBelow = world::CLEAR;
  world::Material materialGround = world::CLEAR;
  world::Material materialLeft = world::CLEAR;
  float traction = 0.0f;

  float GetMass() const { return mass_; }
  // 0 means no drag and no ground friction, so negative masses become 0.
  void SetMass(float mass) { mass_ = mass < 0.0f ? 0.0f : mass; }

  void AddPosition(glm::vec3 v) { position += v; }
  void AddVelocity(glm::vec3 v) { velocity += v; }

  // Samples the four sides and the ground under the feet; refreshes density
  // and traction from them.
  void SenseCells(const world::PixelGrid& grid, float S);
  // One physics step against the last sensed cells, then the animation.
  void Integrate(float dt, float S);

  // Field by field, so that two runs can be compared state for state.
  bool operator==(const GameObject&) const = default;

 protected:
  void Step(float dt, float S, bool holdFromSinking);

 private:
  float mass_ = 0.0f;
};

// Box test on absolute half sizes; strict, so shared edges do not overlap.
// False when b is inactive; a's flag is not looked at.
// Inline: projectiles test it against every character and rocket each frame.
inline bool Overlaps(const GameObject& a, const GameObject& b) {
  if (!b.active) return false;
  const float ax = a.scale.x < 0.0f ? -a.scale.x : a.scale.x, ay = a.scale.y < 0.0f ? -a.scale.y : a.scale.y;
  const float bx = b.scale.x < 0.0f ? -b.scale.x : b.scale.x, by = b.scale.y < 0.0f ? -b.scale.y : b.scale.y;
  return a.position.x + ax > b.position.x - bx && b.position.x + bx > a.position.x - ax &&
         a.position.y + ay > b.position.y - by && b.position.y + by > a.position.y - ay;
}

class Character : public GameObject {
 public:
  Character() = default;
  Character(const GameObject& object, int health, glm::vec3 target);

  glm::vec3 target{0.0f};  // where it aims or walks to
  float drownTimer = 0.0f;
  float submergedTime = 0.0f;
  float invulnerable = 0.0f;  // seconds; damage is ignored while above 0

  int GetHealth() const { return health_; }
  int GetMaxHealth() const { return maxHealth_; }
  int GetPreviousHealth() const { return previousHealth_; }

  // Healing is capped at maxHealth and never blocked; damage (delta <= 0)
  // is ignored while invulnerable and stops at 0.
  void AddHealth(int delta);
  void SetHealth(int value);
  void SetMaxHealth(int value);
  void SavePreviousHealth() { previousHealth_ = health_; }
  // Falling out of the bottom of the world (y < 0) kills.
  bool IsAlive();
  void AddInvulnerable(float seconds) { invulnerable += seconds; }
  void SetInvulnerable(float seconds) { invulnerable = seconds; }
  bool IsInvulnerable() const { return invulnerable > 0.0f; }
  // Once per frame: an invulnerable character flickers at the frame rate.
  void Blink();
  // Lava, steam, burial and drowning, from the last sensed cells.
  void ApplyEnvironment(float dt, float S);

  bool operator==(const Character&) const = default;

 private:
  int health_ = 0;
  int maxHealth_ = 0;
  int previousHealth_ = 0;
};

class FlyingCharacter : public Character {
 public:
  FlyingCharacter() = default;
  FlyingCharacter(const Character& character, float maxSpeed, float thrust);

  float thrust = 0.0f;

  float GetMaxSpeed() const { return maxSpeed_; }
  void SetMaxSpeed(float v) { maxSpeed_ = v < 0.0f ? -v : v; }
  // Thrust along the direction, then the speed limit.
  void Accelerate(glm::vec3 direction, float dt);

  bool operator==(const FlyingCharacter&) const = default;

 private:
  float maxSpeed_ = 0.0f;
};

class BatEnemy : public FlyingCharacter {
 public:
  BatEnemy() = default;
  // Turning at rate 0 until the level draws its turn rate.
  BatEnemy(const FlyingCharacter& flyer, float S);

  float heading = 0.0f;       // radians
  float wanderRadius = 0.0f;  // world units
  float turnRate = 0.0f;

  bool operator==(const BatEnemy&) const = default;
};

class Walker : public Character {
 public:
  Walker() = default;
  Walker(const Character& character, float maxRunSpeed, float groundAcceleration,
         float airAcceleration, float jumpSpeed);

  float maxRunSpeed = 0.0f;
  float groundAcceleration = 0.0f;
  float airAcceleration = 0.0f;
  float jumpSpeed = 0.0f;

  bool IsOnGround() const { return world::IsSolid(materialBelow) || world::IsSolid(materialGround); }
  // Pushes towards one side; the top speed is a gate, not a clamp, so a
  // knock-back can carry a walker faster than it runs.
  void Run(bool left, float dt);
  void Jump(float k) { velocity.y += k * jumpSpeed; }
  // The physics step of any object, except that a walker buried between
  // solid head and feet cannot be pulled down through the floor.
  void Integrate(float dt, float S);

  bool operator==(const Walker&) const = default;
};

class Player : public Walker {
 public:
  Player() = default;
  explicit Player(const Walker& walker) : Walker(walker) {}

  bool jumpHeld = false;
  bool fireHeld = false;
  float rocketCooldown = 1.0f;  // below 0: a rocket can be fired
  float jumpTime = 0.1f;        // seconds of jump boost left

  bool operator==(const Player&) const = default;
};

class GroundCharacter : public Walker {
 public:
  GroundCharacter() = default;
  explicit GroundCharacter(const Walker& walker) : Walker(walker) {}

  bool alerted = false;
  bool facingLeft = true;
  std::int32_t jumpsLeft = 2;
  bool blocked = false;
  float jumpCooldown = 1.0f;

  bool operator==(const GroundCharacter&) const = default;
};

class RifleEnemy : public GroundCharacter {
 public:
  RifleEnemy() = default;
  explicit RifleEnemy(const Walker& walker) : GroundCharacter(walker) {}

  float fireCooldown = 1.0f;

  void AddFireCooldown(float seconds) { fireCooldown += seconds; }
  void SetFireCooldown(float seconds) { fireCooldown = seconds; }
  bool FireCooldownBelowZero() const { return fireCooldown < 0.0f; }

  bool operator==(const RifleEnemy&) const = default;
};

class RocketEnemy : public RifleEnemy {
 public:
  RocketEnemy() = default;
  explicit RocketEnemy(const Walker& walker) : RifleEnemy(walker) {}

  bool operator==(const RocketEnemy&) const = default;
};

class MachineGunner : public RifleEnemy {
 public:
  MachineGunner() = default;
  explicit MachineGunner(const Walker& walker) : RifleEnemy(walker) {}

  std::int32_t burstShotsLeft = 0;
  std::int32_t burstsLeft = 0;
  float burstPause = 0.0f;

  bool operator==(const MachineGunner&) const = default;
};

class Camera : public GameObject {
 public:
  Camera() = default;
  Camera(const GameObject& object, glm::vec3 shake) : GameObject(object), shake(shake) {}

  glm::vec3 shake{0.0f};   // added to the position where the view is drawn
  glm::vec3 target{0.0f};  // where the view's bottom-left corner is heading

  // Each step closes 5 dt of the remaining distance: a smooth lag.
  void CameraFollow(float dt) { position += (target - position) * kFollowRate * dt; }
  void AddShake(glm::vec3 v) { shake += v; }
  // Turns the shake (x, y) to a random direction, keeping its length.
  void ShuffleShake(Random& random);
  // Scales the shake by f; a negative f stops it.
  void DampShake(float f) { shake = f >= 0.0f ? shake * f : glm::vec3(0.0f); }
  void SetTarget(glm::vec3 v) { target = v; }

  bool operator==(const Camera&) const = default;

 private:
  static constexpr float kFollowRate = 5.0f;
};

class Bullet : public GameObject {
 public:
  Bullet() = default;
  Bullet(const GameObject& object, std::int32_t damage) : GameObject(object), damage(damage) {}

  std::int32_t damage = 0;

  bool operator==(const Bullet&) const = default;
};

class Rocket : public GameObject {
 public:
  Rocket() = default;
  Rocket(const GameObject& object, bool fromPlayer) : GameObject(object), fromPlayer(fromPlayer) {}

  bool exploded = false;
  bool fromPlayer = false;

  bool operator==(const Rocket&) const = default;
};

class Particle : public GameObject {
 public:
  Particle() = default;
  Particle(const GameObject& object, float lifetime) : GameObject(object), lifetime(lifetime) {}

  float lifetime = 0.0f;  // seconds left

  void ReduceLifetime(float dt) { lifetime -= dt; }
  bool IsLiving() const { return lifetime > 0.0f; }

  bool operator==(const Particle&) const = default;
};

class TextParticle : public Particle {
 public:
  TextParticle() = default;
  TextParticle(const Particle& particle, std::string text, glm::vec3 colour)
      : Particle(particle), text(std::move(text)), colour(colour) {}

  std::string text;
  glm::vec3 colour{0.0f};  // RGB 0..1

  bool operator==(const TextParticle&) const = default;
};

// Sight through the grid: true when no occupied cell lies between `from` and
// the world point. Otherwise false, with the first blocking point in *hitOut
// when given. Neither end cell is tested as such (see movement.cpp).
bool LineOfSight(const GameObject& from, glm::vec3 point, const world::PixelGrid& grid, float S,
                 glm::vec3* hitOut = nullptr);

}  // namespace game
