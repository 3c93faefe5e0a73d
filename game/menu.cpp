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

constexpr float kShakeDamping = 10.0f;  // per second

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
  UpdateRockets(menu.rockets, menu.Field(sounds), dt, kMenuRockets);
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
