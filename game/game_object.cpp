#include "game/game_object.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

#include "game/trig.h"

namespace game {

namespace {
constexpr unsigned kNoFrame = 0xFFFFFFFFu;  // the start frame of a still picture
constexpr float kBatWanderCells = 500.0f;
}  // namespace

Sprite MakeSprite(Sheet sheet, unsigned frameCount, unsigned startFrame, float frameTime, bool loop, bool paused) {
  Sprite sprite;
  sprite.frameCount = frameCount;
  sprite.currentFrame = startFrame;
  sprite.frameTimer = 0.0f;
  sprite.frameTime = frameTime;
  sprite.loop = loop;
  sprite.paused = paused;
  sprite.sheet = sheet;
  return sprite;
}

Sprite StillSprite(Sheet sheet) {
  return MakeSprite(sheet, 0, kNoFrame, kDefaultFrameTime, false, false);
}

GameObject::GameObject(const Sprite& sprite, glm::vec3 position, glm::vec3 velocity,
                       glm::vec3 acceleration, float mass, float drag, glm::vec2 scale, float rotation,
                       bool collidesWithGrid)
    : position(position),
      velocity(velocity),
      acceleration(acceleration),
      drag(drag),
      scale(scale),
      rotation(rotation),
      sprite(sprite),
      collidesWithGrid(collidesWithGrid) {
  SetMass(mass);
}

Character::Character(const GameObject& object, int health, glm::vec3 target)
    : GameObject(object), target(target), health_(health), maxHealth_(health), previousHealth_(health) {}

void Character::AddHealth(int delta) {
  if (delta > 0) {
    // Widened so that healing near INT_MAX cannot overflow.
    health_ = static_cast<int>(std::min<long long>(static_cast<long long>(health_) + delta, maxHealth_));
  } else if (invulnerable <= 0.0f) {
    health_ = static_cast<int>(std::max<long long>(static_cast<long long>(health_) + delta, 0));
  }
}

void Character::SetHealth(int value) { health_ = std::clamp(value, 0, std::max(maxHealth_, 0)); }

void Character::SetMaxHealth(int value) {
  maxHealth_ = value;
  if (health_ > value) health_ = value;
}

bool Character::IsAlive() {
  if (position.y < 0.0f) health_ = std::min(maxHealth_, 0);
  return health_ > 0;
}

void Character::Blink() { visible = invulnerable <= 0.0f ? true : !visible; }

FlyingCharacter::FlyingCharacter(const Character& character, float maxSpeed, float thrust)
    : Character(character), thrust(thrust) {
  SetMaxSpeed(maxSpeed);
}

void FlyingCharacter::Accelerate(glm::vec3 direction, float dt) {
  const float length = glm::length(direction);
  // A zero direction gives no thrust rather than a NaN velocity.
  if (length > 0.0f) velocity += direction / length * dt * thrust;
  const float speed = glm::length(velocity);
  if (speed > maxSpeed_) velocity *= maxSpeed_ / speed;
}

BatEnemy::BatEnemy(const FlyingCharacter& flyer, float S)
    : FlyingCharacter(flyer),
      wanderRadius(std::abs(kBatWanderCells * S)) {}

void Camera::ShuffleShake(Random& random) {
  const float a = RandomFloat(random, 0.0f, kFullTurn);
  const float length = glm::length(shake);
  shake.x = Cosine(a) * length;
  shake.y = Sine(a) * length;
}

Walker::Walker(const Character& character, float maxRunSpeed, float groundAcceleration,
               float airAcceleration, float jumpSpeed)
    : Character(character),
      maxRunSpeed(maxRunSpeed),
      groundAcceleration(groundAcceleration),
      airAcceleration(airAcceleration),
      jumpSpeed(jumpSpeed) {}

void Walker::Run(bool left, float dt) {
  const bool onGround = IsOnGround();
  if (left) {
    if (velocity.x > -maxRunSpeed)
      velocity.x += onGround ? traction * (-groundAcceleration * dt) : -airAcceleration * dt;
  } else {
    if (maxRunSpeed > velocity.x)
      velocity.x += onGround ? traction * groundAcceleration * dt : airAcceleration * dt;
  }
}

}  // namespace game
