#include "game/menu.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

#include "game/cells.h"
#include "game/particles.h"
#include "game/player.h"
#include "game/random.h"
#include "game/weapons.h"

namespace game {
namespace {

constexpr float kSmokeChancePerSecond = 100.0f;
constexpr float kSmokeSpread = 0.2f;
constexpr float kSmokeSizeCells = 2.0f;
constexpr unsigned kSmokeFrames = 4;

// The menu's blast is measured in window pixels, not cells: full strength
// within ~70.7 pixels, then falling with the square of the distance.
constexpr float kBlastCap = 0.0002f;
constexpr float kBlastPush = -7000000.0f;
constexpr float kBlastDamage = -125000.0f;  // 25 points at the cap
constexpr int kBlastRadius = 20;
constexpr float kShakeCells = 10.0f;
constexpr float kShakeDamping = 10.0f;  // per second

void SpawnMenuSmoke(MenuWorld& menu, const Rocket& r, float dt) {
  if (!(dt * kSmokeChancePerSecond > RandomFloat(menu.random, 0.0f, 1.0f))) return;
  Particle* p = menu.particles.Acquire();
  if (!p) return;
  const float S = menu.S;
  p->lifetime = RandomFloat(menu.random, 0.1f, 0.4f);
  p->sprite = MakeSprite(menu.spriteShader, menu.smokeTexture, kSmokeFrames, 0, kDefaultFrameTime, true, false);
  p->position = r.position;
  const glm::vec3 v = r.velocity;
  const float speed = glm::length(v);
  const float q1 = RandomFloat(menu.random, -kSmokeSpread, kSmokeSpread);
  const float q2 = RandomFloat(menu.random, -kSmokeSpread, kSmokeSpread);
  const float q3 = RandomFloat(menu.random, -kSmokeSpread, kSmokeSpread);
  p->velocity = glm::vec3(q3 * speed - v.x, q2 * speed - v.y, q1 * speed - v.z);
  p->acceleration = glm::vec3(0.0f);
  p->scale = glm::vec2(kSmokeSizeCells * S);
  p->drag = RandomFloat(menu.random, 25.0f, 100.0f);
  p->SetMass(1.0f);
  p->active = true;
}

// Pushes and hurts the player by the distance in pixels. On the player's
// very centre the push goes straight up at full strength, as a level's does.
void BlastPlayer(Player& player, const Rocket& r) {
  const glm::vec3 offset = r.position - player.position;
  const float d = glm::length(offset);
  const float k = d > 0.0f ? std::min(1.0f / (d * d), kBlastCap) : kBlastCap;
  const glm::vec3 towardRocket = d > 0.0f ? offset / d : glm::vec3(0.0f, -1.0f, 0.0f);
  player.velocity += kBlastPush * k * towardRocket;
  player.AddHealth(static_cast<int>(kBlastDamage * k));
}

void Explode(MenuWorld& menu, Rocket& r, const Playfield& field) {
  const float S = menu.S;
  BlastPlayer(menu.player, r);
  menu.grid.Blast(ToCell(r.position.x, S), ToCell(r.position.y, S), kBlastRadius);
  menu.camera.AddShake(glm::vec3(kShakeCells * S, 0.0f, 0.0f));
  SpawnExplosionFlash(r, field);
  field.PlayPlain(Sfx::Explosion);
  r.active = false;
}

}  // namespace

Playfield MenuWorld::Field(SoundEvents* sounds) {
  Playfield field;
  field.grid = &grid;
  field.cellSize = S;
  field.player = &player;
  field.camera = &camera;
  field.smoke = &particles;
  field.spriteShader = spriteShader;
  field.smokeTexture = smokeTexture;
  field.explosionTexture = explosionTexture;
  field.sounds = sounds;
  field.random = &random;
  return field;
}

void BuildMenuWorld(MenuWorld& menu, world::PixelGrid grid, Shader* spriteShader, Texture* playerTexture,
                    Texture* rocketTexture, Texture* smokeTexture, Texture* explosionTexture) {
  menu.grid = std::move(grid);
  menu.S = menu.grid.cellSize;
  const world::CellPos start = menu.grid.playerSpawn;
  menu.player = MakePlayer(spriteShader, playerTexture, menu.S,
                           glm::vec3(static_cast<float>(start.x) * menu.S, static_cast<float>(start.y) * menu.S, 0.0f));
  menu.player.active = true;
  menu.camera = Camera();
  menu.camera.name = "Camera";
  menu.camera.scale = glm::vec2(1.0f);
  menu.camera.active = true;
  menu.rockets = MakeRocketPool(spriteShader, rocketTexture);
  menu.particles = MakeSmokePool(spriteShader, smokeTexture);
  menu.spriteShader = spriteShader;
  menu.smokeTexture = smokeTexture;
  menu.explosionTexture = explosionTexture;
}

void StepMenuPlayer(MenuWorld& menu, float dt) {
  Player& p = menu.player;
  if (!p.active) return;
  const float S = menu.S;
  p.Integrate(dt, S);
  SenseAndAge(p, &menu.grid, S, dt);

  // The menu world is open at the sides: without this a running jump would
  // lose the player until the menu is entered again.
  const int column = ToCell(p.position.x, S);
  if (column < 0 || column >= static_cast<int>(menu.grid.width) || p.position.y < 0.0f) {
    const world::CellPos start = menu.grid.playerSpawn;
    p.position = glm::vec3(static_cast<float>(start.x) * S, static_cast<float>(start.y) * S, 0.0f);
    p.velocity = glm::vec3(0.0f);
  }
}

void StepMenuRockets(MenuWorld& menu, float dt, SoundEvents* sounds) {
  const float S = menu.S;
  const Playfield field = menu.Field(sounds);
  for (Rocket& r : menu.rockets.objects) {
    if (!r.active) continue;
    r.SenseCells(menu.grid, S);
    r.Integrate(dt, S);
    SpawnMenuSmoke(menu, r, dt);
    SteerRocket(r, S);
    if (TouchesSolid(r))
      Explode(menu, r, field);
    else if (LeftTheWorld(r, menu.grid, S, static_cast<int>(menu.grid.height)))
      r.active = false;
  }
}

void StepMenuWorld(MenuWorld& menu, const FrameInput& input, float dt, SoundEvents* sounds) {
  menu.grid.StepGrid(dt);
  StepMenuPlayer(menu, dt);
  StepMenuRockets(menu, dt, sounds);
  UpdateParticles(menu.particles, dt, menu.S);

  const double aimX = input.cursorX + menu.camera.position.x;
  const double aimY = (input.windowHeight - input.cursorY) + menu.camera.position.y;
  menu.player.target = glm::vec3(static_cast<float>(aimX), static_cast<float>(aimY), 0.0f);
  menu.camera.ShuffleShake(menu.random);
  menu.camera.DampShake(1.0f - kShakeDamping * dt);
  menu.camera.SetTarget(glm::vec3(0.0f));
  menu.camera.CameraFollow(dt);
}

void PendingButton::Scan(const RocketPool& rockets) {
  if (!pressed) return;
  for (const Rocket& r : rockets.objects) {
    if (r.active) {
      sawRocket = true;
      ready = false;
      return;
    }
    if (sawRocket && !ready) {
      sawRocket = false;
      ready = true;
    }
  }
}

PendingButton::Which PendingButton::Take() {
  if (!ready) return None;
  const Which button = which;
  *this = PendingButton();
  return button;
}

world::CellPos CellUnderCursor(double cursorX, double cursorY, int windowHeight, float S, world::ViewOrigin view) {
  const double x = cursorX / S + view.x;
  const double y = static_cast<double>(windowHeight) / S - cursorY / S + view.y;
  // A scripted cursor may lie anywhere: far points land off the grid, never overflow.
  auto cell = [](double v) { return static_cast<std::int32_t>(std::trunc(std::clamp(v, -1.0e9, 1.0e9))); };
  return {cell(x), cell(y)};
}

}  // namespace game
