#include "game/menu.h"

#include <algorithm>
#include <cmath>

#include "game/cells.h"
#include "game/particles.h"
#include "game/player.h"
#include "game/weapons.h"

namespace game {
namespace {

constexpr float kShakeDamping = 10.0f;  // per second: a shake is gone in about 0.1 s
// A scripted cursor may lie anywhere: a cell this far out is off any grid and
// still fits an int.
constexpr double kFarthestCell = 1.0e9;

// The cell under the cursor (window pixels from the top-left), through the view.
world::CellPos CellUnderCursor(double cursorX, double cursorY, int windowHeight, float S,
                               world::ViewOrigin view) {
  const double x = cursorX / S + view.x;
  const double y = static_cast<double>(windowHeight) / S - cursorY / S + view.y;
  auto cell = [](double v) {
    return static_cast<std::int32_t>(std::trunc(std::clamp(v, -kFarthestCell, kFarthestCell)));
  };
  return {cell(x), cell(y)};
}

void StampUnderCursor(MenuWorld& menu, const FrameInput& input, world::Material block) {
  const world::CellPos c = CellUnderCursor(input.cursorX, input.cursorY, input.windowHeight, menu.S,
                                           menu.grid.viewOrigin);
  menu.grid.StampBlock(c.x, c.y, block);
}

// The player aims where the cursor points in the world, through the camera
// as it stands before this frame's move.
void AimAtCursor(MenuWorld& menu, const FrameInput& input) {
  const double aimX = input.cursorX + menu.camera.position.x;
  const double aimY = (input.windowHeight - input.cursorY) + menu.camera.position.y;
  menu.player.target = glm::vec3(static_cast<float>(aimX), static_cast<float>(aimY), 0.0f);
}

// The view stays at the world's origin; only blasts shake it.
void ShakeCamera(MenuWorld& menu, float dt) {
  menu.camera.ShuffleShake(menu.random);
  menu.camera.DampShake(1.0f - kShakeDamping * dt);
  menu.camera.SetTarget(glm::vec3(0.0f));
  menu.camera.CameraFollow(dt);
}

void StepWorld(MenuWorld& menu, const Playfield& field, const FrameInput& input, float dt) {
  menu.grid.StepGrid(dt);
  StepMenuPlayer(menu, dt);
  UpdateRockets(menu.rockets, field, dt, kMenuRockets);
  UpdateParticles(menu.particles, dt, menu.S);
  AimAtCursor(menu, input);
  ShakeCamera(menu, dt);
}

void ReadPlayer(const MenuWorld& menu, MenuFrame& frame) {
  const Player& p = menu.player;
  frame.playerPosition = p.position;
  frame.playerVelocity = p.velocity;
  frame.playerHealth = p.GetHealth();
  frame.playerOnGround = p.IsOnGround();
  frame.rocketsInFlight = menu.rockets.ActiveCount();
  frame.launcherReady = p.rocketCooldown < 0.0f;
}

}  // namespace

Playfield MenuWorld::Field() {
  Playfield field;
  field.grid = &grid;
  field.cellSize = S;
  field.player = &player;
  field.camera = &camera;
  field.smoke = &particles;
  field.sounds = &sounds;
  field.random = &random;
  return field;
}

void BuildMenuWorld(MenuWorld& menu, world::PixelGrid grid) {
  menu.grid = std::move(grid);
  menu.S = menu.grid.cellSize;
  const world::CellPos start = menu.grid.playerSpawn;
  menu.player = MakePlayer(menu.S,
                           glm::vec3(static_cast<float>(start.x) * menu.S, static_cast<float>(start.y) * menu.S, 0.0f));
  menu.player.active = true;
  menu.camera = Camera();
  menu.camera.scale = glm::vec2(1.0f);
  menu.camera.active = true;
  menu.rockets = MakeRocketPool();
  menu.particles = MakeSmokePool();
  menu.pending = PendingButton();
  menu.sounds.Clear();
}

MenuFrame StepMenu(MenuWorld& menu, const MenuInput& input, float dt) {
  menu.sounds.Clear();
  const FrameInput& in = input.frame;
  if (input.paint) StampUnderCursor(menu, in, *input.paint);

  MenuFrame frame;
  menu.pending.Scan(menu.rockets);
  if (input.button != PendingButton::None) menu.pending.Press(input.button);
  frame.button = menu.pending.Take();

  const Playfield field = menu.Field();
  Player& player = menu.player;
  TryFirePlayerRocket(player, in.controls, menu.rockets, field, in.paused);
  if (player.active) ApplyPlayerControls(player, in.controls, dt);
  ReadPlayer(menu, frame);

  if (!in.paused) StepWorld(menu, field, in, dt);
  const Camera& c = menu.camera;
  menu.grid.viewOrigin = {(c.position.x + c.shake.x) / menu.S, (c.position.y + c.shake.y) / menu.S};
  frame.sounds = menu.sounds.Events();
  return frame;
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

}  // namespace game
