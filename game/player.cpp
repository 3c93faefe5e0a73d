#include "game/player.h"

#include <cmath>

#include "game/particles.h"
#include "game/weapons.h"

namespace game {
namespace {

constexpr unsigned kRunFrames = 4;
constexpr float kRunFrameTime = 0.1f;
constexpr float kStrideCells = 4.0f;  // a walk cycle frame lasts 4 / (speed in cells per second)
constexpr unsigned kStandingFrame = 3;
constexpr unsigned kAirborneFrame = 0;
constexpr unsigned kFootfallFrameA = 1;
constexpr unsigned kFootfallFrameB = 3;

}  // namespace

Player MakePlayer(float S, glm::vec3 position) {
  const float half = kPlayerHalfSizeCells * S;
  const GameObject body(MakeSprite(Sheet::Player, kRunFrames, 0, kRunFrameTime, true, false), position,
                        glm::vec3(0.0f), glm::vec3(0.0f, -kGravityCells * S, 0.0f), kPlayerMass, 1.0f,
                        glm::vec2(half, half), 0.0f, true);
  return Player(Walker(Character(body, kPlayerHealth, glm::vec3(0.0f)), kPlayerMaxRunCells * S,
                       kPlayerGroundAccelerationCells * S, kPlayerAirAccelerationCells * S,
                       kPlayerJumpSpeedCells * S));
}

void ApplyPlayerControls(Player& player, PlayerControls controls, float dt) {
  if (controls.left && !controls.right)
    player.Run(true, dt);
  else if (controls.right && !controls.left)
    player.Run(false, dt);

  if (controls.jump) {
    if (!player.jumpHeld) {
      // The press only arms the boost; the speed comes over the next frames.
      player.jumpHeld = true;
      if (player.IsOnGround()) player.jumpTime = kJumpBoostSeconds;
    } else if (player.jumpTime > 0.0f) {
      player.jumpTime -= dt;
      player.Jump(player.jumpTime < 0.0f ? player.jumpTime + dt : dt);
    }
  } else {
    player.jumpHeld = false;
    // Releasing in the air ends the boost, so a new press cannot extend it.
    if (!player.IsOnGround()) player.jumpTime = 0.0f;
  }

  player.fireHeld = controls.fire;
}

bool TryFirePlayerRocket(Player& player, PlayerControls controls, RocketPool& rockets, const Playfield& field,
                         bool paused) {
  if (!controls.fire || player.fireHeld || !(player.rocketCooldown < 0.0f) || !player.active || paused)
    return false;
  field.PlayPlain(Sfx::RocketLaunch);
  return FireRocket(player, rockets, field.cellSize) != nullptr;
}

bool PlayJumpSound(const Player& player, PlayerControls controls, const Playfield& field) {
  if (!controls.jump || !player.IsOnGround() || player.jumpHeld) return false;
  field.PlayPlain(Sfx::PlayerJump);
  return true;
}

void UpdatePlayer(Player& player, const Playfield& field, float dt) {
  // Checked first so that a dead player bursts and cries out once, not every
  // frame the screen keeps running.
  if (!player.active) return;
  const float S = field.cellSize;
  if (!player.IsAlive()) {
    field.PlayPlain(Sfx::PlayerDefeated);
    SpawnDebris(player, Sheet::Explosion, field.smoke, S, *field.random);
    player.active = false;
    return;
  }

  if (player.GetPreviousHealth() > player.GetHealth()) {
    field.PlayPlain(Sfx::PlayerHurt);
    SpawnDamageNumber(player, field.text, S, *field.random);
  }
  player.SavePreviousHealth();

  const unsigned frameBefore = player.sprite.currentFrame;
  player.Integrate(dt, S);

  const bool onGround = player.IsOnGround();
  if (player.velocity.x != 0.0f && onGround) {
    player.sprite.paused = false;
    player.sprite.frameTime = kStrideCells / std::abs(player.velocity.x / S);
    const unsigned frame = player.sprite.currentFrame;
    if (frame != frameBefore && (frame == kFootfallFrameA || frame == kFootfallFrameB))
      field.PlayPlain(Sfx::PlayerStep);
  } else {
    player.sprite.paused = true;
    player.sprite.currentFrame = onGround ? kStandingFrame : kAirborneFrame;
  }

  SenseAndAge(player, field.grid, S, dt);
}

void SenseAndAge(Player& player, const world::PixelGrid* grid, float S, float dt) {
  if (grid) player.SenseCells(*grid, S);
  player.ApplyEnvironment(dt, S);

  player.rocketCooldown -= dt;
  player.invulnerable -= dt;
  player.Blink();

  const float half = kPlayerHalfSizeCells * S;
  player.scale = glm::vec2(player.target.x > player.position.x ? half : -half, half);
}

void SimulatePlayer(Player& player, world::PixelGrid& grid, float S, PlayerControls controls, int frames,
                    float dt) {
  Playfield field;
  field.grid = &grid;
  field.cellSize = S;
  field.player = &player;
  // Its effects have no pools to go to, so what they draw is thrown away.
  Random unseen;
  field.random = &unseen;
  for (int i = 0; i < frames; ++i) {
    ApplyPlayerControls(player, controls, dt);
    UpdatePlayer(player, field, dt);
  }
}

}  // namespace game
